#include "platform/filestore.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

FileReadResult readUpToFirstZero(const QString &path)
{
    FileReadResult result;
    QFile file(path);
    if (QFileInfo(path).isDir()) {
        result.error = QStringLiteral("这是一个文件夹，不是文件");
        return result;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = file.errorString();
        return result;
    }
    result.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.error = file.errorString();
        result.bytes.clear();
        return result;
    }
    const qsizetype zero = result.bytes.indexOf('\0');
    if (zero >= 0) {
        result.bytes.truncate(zero);
        result.cutAtZero = true;
    }
    result.ok = true;
    return result;
}

QString writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}
