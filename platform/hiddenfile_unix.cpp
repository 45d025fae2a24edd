#include "platform/hiddenfile.h"

QString hiddenFileName(const QString &name) { return u'.' + name; }

// The dot-name alone hides the file.
bool markHidden(const QString &) { return true; }
