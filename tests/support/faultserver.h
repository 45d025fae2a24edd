#pragma once
// A small HTTP server of the tests' own on 127.0.0.1, for the faults that nginx cannot make: it
// serves one body at every path, with or without ranges, and misbehaves as it is told; or it sends
// one reply exactly as given (a body that ends early, a body without any length). Each connection is
// served on a thread of its own, so the test's GUI thread may block in a request meanwhile.

#include <QByteArray>
#include <QList>
#include <QString>

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

class FaultServer
{
public:
    enum class Fault {
        None,                 // a well-behaved server
        NotFound,             // 404 for everything
        CutFirstReply,        // the first reply's connection is closed after a tenth of its body
        LongContentLength,    // Content-Length claims 4096 bytes more than the body has
        Stall,                // headers and part of the body, then silence until the client goes
        ChangingEtag,         // after the first request the content changes, and with it the ETag
        ChangingLastModified, // the same, told by Last-Modified alone
        WrongRange,           // ranged replies after the first begin 100 bytes before what was asked
        SlowStart,            // replies that begin at offset 0 trickle (8 KiB per 50 ms)
        Silent,               // reads each request and never answers
    };
    // Bytes sent as they are (status line, headers and body) in answer to every request.
    struct RawReply {
        QByteArray bytes;
    };

    FaultServer(QByteArray body, Fault fault, bool ranges = true);
    explicit FaultServer(RawReply reply);
    ~FaultServer();
    FaultServer(const FaultServer &) = delete;
    FaultServer &operator=(const FaultServer &) = delete;

    bool start();
    void stop();
    quint16 port() const { return m_port; }
    QString baseAddress() const; // "http://127.0.0.1:port", without a path
    QString address(const QString &path = QStringLiteral("/file.bin")) const;
    // Every request head received so far, in order of arrival.
    QList<QByteArray> requests() const;
    QByteArray lastRequest() const;

    // A loopback port on which nothing listens: connections to it are refused.
    static quint16 closedPort();

private:
    void acceptLoop();
    void serve(int client, int index);
    bool sendAll(int client, const QByteArray &data) const;
    void idleUntilClosed(int client) const;

    const QByteArray m_body;
    const Fault m_fault;
    const bool m_ranges;
    const std::optional<QByteArray> m_rawReply;
    int m_listener = -1;
    quint16 m_port = 0;
    std::atomic<bool> m_stopping{false};
    std::thread m_acceptor;
    mutable std::mutex m_mutex;
    std::vector<std::thread> m_workers;
    std::vector<int> m_clients;
    QList<QByteArray> m_requests;
};
