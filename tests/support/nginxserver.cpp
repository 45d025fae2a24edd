#include "nginxserver.h"

#include "serverprocess.h"

#include <QFile>

NginxServer::NginxServer(QString root, QString extraServerConfig)
    : m_root(std::move(root)), m_extra(std::move(extraServerConfig))
{
}

NginxServer::~NginxServer() { stop(); }

QString NginxServer::executable()
{
    return findServerProgram(QStringLiteral("nginx"));
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
    const auto configure = [this](quint16 port, QString &error) -> QStringList {
        const QString prefix = m_prefix.path();
        QFile conf(prefix + QStringLiteral("/nginx.conf"));
        if (!conf.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            error = conf.errorString();
            return {};
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
)").arg(prefix).arg(port).arg(m_root, m_extra, tlsConfig());
        conf.write(text.toUtf8());
        conf.close();
        return {QStringLiteral("-p"), prefix, QStringLiteral("-c"), conf.fileName()};
    };
    return startServerOnFreePort(m_process, nginx, configure, m_port, m_error);
}

void NginxServer::stop()
{
    stopServer(m_process);
}
