#pragma once
// Whole-file reading and writing for script files. Failures come back with a reason that a person
// can read; a failed write leaves the file on disk as it was.

#include <QByteArray>
#include <QString>

struct FileReadResult {
    bool ok = false;
    QByteArray bytes;       // up to, not including, the first zero byte
    bool cutAtZero = false; // the file went on after a zero byte
    QString error;          // why it could not be read
};

FileReadResult readUpToFirstZero(const QString &path);

// Writes `bytes` under a temporary name beside `path`, flushes it to disk and renames it over
// `path`. Returns the empty text on success, else the reason.
QString writeFileAtomically(const QString &path, const QByteArray &bytes);
