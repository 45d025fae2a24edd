#pragma once
// Hidden files: on Linux a file is hidden by a name that starts with a dot; on Windows by an attribute.

#include <QString>

// The name under which a file called `name` is hidden.
QString hiddenFileName(const QString &name);

// Gives the file at `path` whatever it needs besides its name to be hidden; false when that failed.
bool markHidden(const QString &path);
