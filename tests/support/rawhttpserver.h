#pragma once
// A server of the tests' own on 127.0.0.1, for what nginx will not do: never answering, sending a
// body that ends early, or sending a body without any length. It runs on a thread of its own, so
// the test's GUI thread may block in a request meanwhile.

#include <QByteArray>
#include <QMutex>

#include <atomic>
#include <thread>

class RawHttpServer
{
public:
    // Silent: accepts every connection, reads the request and never answers.
    // Otherwise: answers every request with `reply` (status line, headers and body as given) and closes.
    static RawHttpServer silent() { return RawHttpServer(true, {}); }
    static RawHttpServer replying(QByteArray reply) { return RawHttpServer(false, std::move(reply)); }
    ~RawHttpServer();
    RawHttpServer(RawHttpServer &&other) = delete;

    bool start(); // false when no port could be opened
    void stop();
    quint16 port() const { return m_port; }
    QString baseAddress() const;
    QByteArray lastRequest() const; // the header block of the last request received

    // A loopback port on which nothing listens: connections to it are refused.
    static quint16 closedPort();

private:
    RawHttpServer(bool silent, QByteArray reply);
    void run();
    void serve(int client);

    bool m_silent;
    QByteArray m_reply;
    int m_listener = -1;
    quint16 m_port = 0;
    std::atomic<bool> m_stopping{false};
    std::thread m_thread;
    mutable QMutex m_mutex;
    QByteArray m_lastRequest;
};
