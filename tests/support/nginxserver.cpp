#include "nginxserver.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

namespace {

quint16 freePort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    return probe.serverPort();
}

bool accepts(quint16 port)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    return socket.waitForConnected(200);
}

} // namespace

NginxServer::NginxServer(QString root, QString extraServerConfig)
    : m_root(std::move(root)), m_extra(std::move(extraServerConfig))
{
}

NginxServer::~NginxServer() { stop(); }

QString NginxServer::executable()
{
    const QString inPath = QStandardPaths::findExecutable(QStringLiteral("nginx"));
    if (!inPath.isEmpty())
        return inPath;
    return QStandardPaths::findExecutable(QStringLiteral("nginx"), {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
}

QString NginxServer::baseAddress() const
{
    return QStringLiteral("%1://127.0.0.1:%2").arg(m_certificate.isEmpty() ? u"http" : u"https").arg(m_port);
}

void NginxServer::setTls(QString certificateFile, QString keyFile)
{
    m_certificate = std::move(certificateFile);
    m_key = std::move(keyFile);
}

QString NginxServer::tlsConfig() const
{
    if (m_certificate.isEmpty())
        return {};
    return QStringLiteral(" ssl;\n        ssl_certificate \"%1\";\n        ssl_certificate_key \"%2\"").arg(m_certificate, m_key);
}

bool NginxServer::start()
{
    const QString nginx = executable();
    if (nginx.isEmpty()) {
        m_error = QStringLiteral("nginx is not installed");
        return false;
    }
    if (!m_prefix.isValid()) {
        m_error = QStringLiteral("no temporary folder for nginx");
        return false;
    }
    // A port found free can be taken by someone else before nginx binds it: try a few.
    for (int attempt = 0; attempt < 5; ++attempt) {
        m_port = freePort();
        const QString prefix = m_prefix.path();
        QFile conf(prefix + QStringLiteral("/nginx.conf"));
        if (!conf.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            m_error = conf.errorString();
            return false;
        }
        const QString text = QStringLiteral(R"(
user root;
worker_processes 1;
daemon off;
master_process off;
pid %1/nginx.pid;
error_log %1/error.log warn;
events { worker_connections 256; }
http {
    access_log off;
    client_body_temp_path %1/body;
    proxy_temp_path %1/proxy;
    fastcgi_temp_path %1/fastcgi;
    uwsgi_temp_path %1/uwsgi;
    scgi_temp_path %1/scgi;
    types { text/plain txt; application/octet-stream exe bin; }
    default_type application/octet-stream;
    sendfile on;
    server {
        listen 127.0.0.1:%2%5;
        root "%3";
        %4
    }
}
)").arg(prefix).arg(m_port).arg(m_root, m_extra, tlsConfig());
        conf.write(text.toUtf8());
        conf.close();

        m_process.setProgram(nginx);
        m_process.setArguments({QStringLiteral("-p"), prefix, QStringLiteral("-c"), conf.fileName()});
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start();
        if (!m_process.waitForStarted(5000)) {
            m_error = m_process.errorString();
            return false;
        }
        const QDeadlineTimer deadline(5000);
        while (!deadline.hasExpired() && m_process.state() == QProcess::Running) {
            if (accepts(m_port))
                return true;
            QThread::msleep(20);
        }
        m_process.waitForFinished(1000);
        m_error = QString::fromLocal8Bit(m_process.readAll());
        m_process.kill();
        m_process.waitForFinished(1000);
    }
    return false;
}

void NginxServer::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}
