#pragma once
// A real vsftpd on 127.0.0.1 with a free port, serving a folder to anonymous logins that give one
// password, for as long as the object lives. Its protocol log shows what the client asked for.

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

class FtpServer
{
public:
    // `root` is served at "/" (made readable to the server's unprivileged user). Logins as "ftp" or
    // "anonymous" are accepted only with `password`; any other password gets "530 Login incorrect".
    FtpServer(QString root, QString password);
    ~FtpServer();
    FtpServer(const FtpServer &) = delete;
    FtpServer &operator=(const FtpServer &) = delete;

    // Bounds every session's sending to this many bytes per second (call before start()).
    void setMaxRate(int bytesPerSecond) { m_maxRate = bytesPerSecond; }

    bool start(); // false with errorString() when vsftpd could not be started
    void stop();
    QString errorString() const { return m_error; }
    quint16 port() const { return m_port; }
    QString baseAddress() const; // "ftp://127.0.0.1:PORT", no trailing "/"
    // The commands and replies logged so far ("FTP command: Client "127.0.0.1", "TYPE I"").
    QString log() const;

    // Ends every session under way, as a dropped line would; the server keeps listening.
    void cutSessions();

    static QString executable(); // the vsftpd binary, or empty when it is not installed

private:
    QString m_root;
    QString m_password;
    QTemporaryDir m_prefix;
    QProcess m_process;
    quint16 m_port = 0;
    int m_maxRate = 0; // 0: no bound
    QString m_error;
};
