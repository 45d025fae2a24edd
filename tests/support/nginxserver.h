#pragma once
// A real nginx on 127.0.0.1 with a free port, serving a folder, for as long as the object lives.

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

class NginxServer
{
public:
    // `root` is served at "/". `extraServerConfig` is pasted into the server block
    // (for example "limit_rate 40m;" or a location with "return 500;").
    explicit NginxServer(QString root, QString extraServerConfig = {});
    ~NginxServer();
    NginxServer(const NginxServer &) = delete;
    NginxServer &operator=(const NginxServer &) = delete;

    // Serve https with this certificate and key instead of http (call before start()).
    void setTls(QString certificateFile, QString keyFile);

    bool start();            // false with errorString() when nginx could not be started
    void stop();
    QString errorString() const { return m_error; }
    quint16 port() const { return m_port; }
    QString baseAddress() const; // "http://127.0.0.1:PORT" (https with TLS), no trailing "/"

    static QString executable(); // the nginx binary, or empty when it is not installed

private:
    QString tlsConfig() const;

    QString m_root;
    QString m_extra;
    QString m_certificate;
    QString m_key;
    QTemporaryDir m_prefix;
    QProcess m_process;
    quint16 m_port = 0;
    QString m_error;
};
