#include "platform/shell.h"

#include <QDesktopServices>

bool openAddress(const QUrl &address)
{
    if (!address.isValid() || address.isEmpty())
        return false;
    return QDesktopServices::openUrl(address);
}
