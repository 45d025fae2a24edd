#include "platform/processlauncher.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>

bool launchProgram(const QString &path, QString *error)
{
    const QFileInfo info(path);
    if (!info.isFile()) {
        if (error)
            *error = QStringLiteral("%1 does not exist").arg(path);
        return false;
    }
#ifndef Q_OS_WIN
    // Whoever may read the file may run it, as for a program installed by hand.
    QFile::Permissions permissions = QFile::permissions(path);
    if (permissions & QFile::ReadOwner) permissions |= QFile::ExeOwner | QFile::ExeUser;
    if (permissions & QFile::ReadGroup) permissions |= QFile::ExeGroup;
    if (permissions & QFile::ReadOther) permissions |= QFile::ExeOther;
    if (!QFile::setPermissions(path, permissions)) {
        if (error)
            *error = QStringLiteral("%1 cannot be made executable").arg(path);
        return false;
    }
#endif
    qint64 pid = 0;
    if (!QProcess::startDetached(info.absoluteFilePath(), {}, info.absolutePath(), &pid)) {
        if (error)
            *error = QStringLiteral("%1 cannot be started").arg(path);
        return false;
    }
    return true;
}
