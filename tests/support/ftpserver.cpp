#include "ftpserver.h"

#include "serverprocess.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <sys/types.h>
#include <unistd.h>

namespace {

// The processes whose parent is `parent`, from /proc.
QList<qint64> childrenOf(qint64 parent)
{
    QList<qint64> children;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        bool number = false;
        const qint64 pid = entry.toLongLong(&number);
        if (!number)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.readAll();
        // "pid (name) state ppid ...": the name may hold blanks, so read after its closing bracket.
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields[1].toLongLong() == parent)
            children.append(pid);
    }
    return children;
}

// Runs in the foreground, on loopback only, without the sandbox and namespaces a container may
// refuse. Anonymous passwords are checked against a list; ASCII downloads are really converted.
constexpr char ConfigTemplate[] = R"(listen=YES
listen_ipv6=NO
listen_address=127.0.0.1
listen_port=%1
background=NO
anonymous_enable=YES
local_enable=NO
write_enable=NO
anon_root=%2
secure_email_list_enable=YES
email_password_file=%3/passwords
pasv_enable=YES
pasv_address=127.0.0.1
port_enable=NO
secure_chroot_dir=%3/empty
ascii_download_enable=YES
xferlog_enable=YES
xferlog_std_format=NO
log_ftp_protocol=YES
vsftpd_log_file=%3/vsftpd.log
seccomp_sandbox=NO
isolate=NO
isolate_network=NO
anon_max_rate=%4
)";

} // namespace

FtpServer::FtpServer(QString root, QString password) : m_root(std::move(root)), m_password(std::move(password)) {}

FtpServer::~FtpServer() { stop(); }

QString FtpServer::executable()
{
    return findServerProgram(QStringLiteral("vsftpd"));
}

QString FtpServer::baseAddress() const { return QStringLiteral("ftp://127.0.0.1:%1").arg(m_port); }

QString FtpServer::log() const
{
    QFile file(m_prefix.filePath(QStringLiteral("vsftpd.log")));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

bool FtpServer::start()
{
    const QString vsftpd = executable();
    if (vsftpd.isEmpty()) {
        m_error = QStringLiteral("vsftpd is not installed");
        return false;
    }
    if (geteuid() != 0) {
        m_error = QStringLiteral("vsftpd must be started as root");
        return false;
    }
    if (!m_prefix.isValid() || !QDir(m_prefix.path()).mkpath(QStringLiteral("empty"))) {
        m_error = QStringLiteral("no temporary folder for vsftpd");
        return false;
    }
    // The server reads the files as its unprivileged user once a login has been accepted.
    QFile::setPermissions(m_root, QFile::permissions(m_root) | QFile::ReadOther | QFile::ExeOther
                                      | QFile::ReadGroup | QFile::ExeGroup);
    QFile passwords(m_prefix.filePath(QStringLiteral("passwords")));
    if (!passwords.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        m_error = passwords.errorString();
        return false;
    }
    passwords.write(m_password.toUtf8() + '\n');
    passwords.close();

    const auto configure = [this](quint16 port, QString &error) -> QStringList {
        QFile conf(m_prefix.filePath(QStringLiteral("vsftpd.conf")));
        if (!conf.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            error = conf.errorString();
            return {};
        }
        conf.write(QString::fromLatin1(ConfigTemplate).arg(port).arg(m_root, m_prefix.path()).arg(m_maxRate).toUtf8());
        conf.close();
        return {conf.fileName()};
    };
    return startServerOnFreePort(m_process, vsftpd, configure, m_port, m_error);
}

void FtpServer::cutSessions()
{
    if (m_process.state() != QProcess::Running)
        return;
    // Each session is a child of the listener, with children of its own.
    QList<qint64> sessions = childrenOf(m_process.processId());
    for (qsizetype i = 0; i < sessions.size(); ++i)
        sessions.append(childrenOf(sessions[i]));
    for (const qint64 pid : sessions)
        ::kill(pid_t(pid), SIGKILL);
}

void FtpServer::stop()
{
    stopServer(m_process);
}
