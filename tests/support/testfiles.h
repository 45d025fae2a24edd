#pragma once
// Real files on disk for the tests: written whole, read whole.

#include <QByteArray>
#include <QString>

// Writes `content` as the whole file, creating or truncating it; false when any of it failed.
bool writeFile(const QString &path, const QByteArray &content);
// The whole file, or an empty array when it cannot be read.
QByteArray readFile(const QString &path);
