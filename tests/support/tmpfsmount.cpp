#include "tmpfsmount.h"

#include <QProcess>

namespace {
QString run(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral("mount"), args);
    if (!p.waitForStarted(3000))
        return QStringLiteral("mount could not be started");
    p.waitForFinished(10000);
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
    return {};
}
} // namespace

TmpfsMount::TmpfsMount(qint64 sizeBytes, Mode mode)
{
    if (!m_dir.isValid()) {
        m_reason = QStringLiteral("no temporary folder");
        return;
    }
    QString options = QStringLiteral("size=%1").arg(sizeBytes);
    if (mode == Mode::ReadOnly)
        options += QStringLiteral(",ro");
    m_reason = run({QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"), options,
                    QStringLiteral("tmpfs"), m_dir.path()});
    m_mounted = m_reason.isEmpty();
}

bool TmpfsMount::remountReadOnly()
{
    m_reason = run({QStringLiteral("-o"), QStringLiteral("remount,ro"), m_dir.path()});
    return m_reason.isEmpty();
}

TmpfsMount::~TmpfsMount()
{
    if (m_mounted) {
        QProcess::execute(QStringLiteral("umount"), {QStringLiteral("-l"), m_dir.path()});
    }
}
