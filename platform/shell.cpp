#include "platform/shell.h"

#include <QDesktopServices>
#include <QUrl>

bool openAddress(const QUrl &address)
{
    return QDesktopServices::openUrl(address);
}
