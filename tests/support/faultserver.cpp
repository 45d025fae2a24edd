#include "faultserver.h"

#include <QRegularExpression>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

namespace {

constexpr qint64 ExtraLength = 4096;
constexpr qint64 WrongRangeShift = 100;
constexpr qint64 TrickleChunk = 8 * 1024;
constexpr int TrickleMs = 50;

// A socket listening on an ephemeral loopback port, or -1.
int listenOnLoopback(quint16 *port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    const int yes = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 || ::listen(fd, 64) != 0
        || ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) != 0) {
        ::close(fd);
        return -1;
    }
    *port = ntohs(address.sin_port);
    return fd;
}

QByteArray changedContent(const QByteArray &body)
{
    QByteArray changed = body;
    for (char &c : changed)
        c = char(~c);
    return changed;
}

} // namespace

FaultServer::FaultServer(QByteArray body, Fault fault, bool ranges)
    : m_body(std::move(body)), m_fault(fault), m_ranges(ranges)
{
}

FaultServer::FaultServer(RawReply reply) : m_fault(Fault::None), m_ranges(false), m_rawReply(std::move(reply.bytes))
{
}

FaultServer::~FaultServer() { stop(); }

quint16 FaultServer::closedPort()
{
    quint16 port = 0;
    const int fd = listenOnLoopback(&port);
    if (fd >= 0)
        ::close(fd);
    return port;
}

bool FaultServer::start()
{
    m_listener = listenOnLoopback(&m_port);
    if (m_listener < 0)
        return false;
    m_acceptor = std::thread([this] { acceptLoop(); });
    return true;
}

void FaultServer::stop()
{
    if (m_stopping.exchange(true))
        return;
    if (m_listener >= 0)
        ::shutdown(m_listener, SHUT_RDWR);
    if (m_acceptor.joinable())
        m_acceptor.join();
    std::vector<std::thread> workers;
    {
        std::lock_guard lock(m_mutex);
        for (int client : m_clients)
            ::shutdown(client, SHUT_RDWR);
        workers.swap(m_workers);
    }
    for (std::thread &worker : workers)
        worker.join();
    // Sockets are closed only here, so that no descriptor number is reused while a worker runs.
    for (int client : m_clients)
        ::close(client);
    if (m_listener >= 0)
        ::close(m_listener);
}

QString FaultServer::baseAddress() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_port); }

QString FaultServer::address(const QString &path) const { return baseAddress() + path; }

QList<QByteArray> FaultServer::requests() const
{
    std::lock_guard lock(m_mutex);
    return m_requests;
}

QByteArray FaultServer::lastRequest() const
{
    std::lock_guard lock(m_mutex);
    return m_requests.value(m_requests.size() - 1);
}

void FaultServer::acceptLoop()
{
    for (int index = 0;; ++index) {
        pollfd waiting{m_listener, POLLIN, 0};
        while (::poll(&waiting, 1, 50) == 0)
            if (m_stopping)
                return;
        if (m_stopping)
            return;
        const int client = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            continue;
        std::lock_guard lock(m_mutex);
        m_clients.push_back(client);
        m_workers.emplace_back([this, client, index] { serve(client, index); });
    }
}

bool FaultServer::sendAll(int client, const QByteArray &data) const
{
    qint64 sent = 0;
    while (sent < data.size()) {
        const ssize_t n = ::send(client, data.constData() + sent, size_t(data.size() - sent), MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        sent += n;
    }
    return true;
}

void FaultServer::idleUntilClosed(int client) const
{
    char scratch[512];
    pollfd waiting{client, POLLIN, 0};
    while (!m_stopping) {
        if (::poll(&waiting, 1, 50) > 0 && ::recv(client, scratch, sizeof scratch, 0) <= 0)
            return;
    }
}

void FaultServer::serve(int client, int /*connectionIndex*/)
{
    QByteArray head;
    char buffer[4096];
    while (!head.contains("\r\n\r\n") && head.size() < 65536) {
        const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
        if (n <= 0)
            break;
        head.append(buffer, n);
    }
    int requestIndex;
    {
        std::lock_guard lock(m_mutex);
        requestIndex = int(m_requests.size());
        m_requests.append(head);
    }
    if (m_fault == Fault::Silent) {
        idleUntilClosed(client);
        return;
    }
    if (m_rawReply) {
        if (sendAll(client, *m_rawReply))
            ::shutdown(client, SHUT_WR);
        idleUntilClosed(client);
        return;
    }
    const bool changed = (m_fault == Fault::ChangingEtag || m_fault == Fault::ChangingLastModified) && requestIndex > 0;
    const QByteArray body = changed ? changedContent(m_body) : m_body;

    QByteArray reply;
    if (m_fault == Fault::NotFound) {
        const QByteArray page = "<html>not found</html>";
        reply = "HTTP/1.1 404 Not Found\r\nContent-Length: " + QByteArray::number(page.size())
            + "\r\nConnection: close\r\n\r\n" + page;
        sendAll(client, reply);
        idleUntilClosed(client);
        return;
    }

    qint64 first = 0;
    qint64 last = body.size() - 1;
    bool partial = false;
    static const QRegularExpression rangePattern(QStringLiteral("\\r\\nRange: *bytes=(\\d+)-(\\d*)\\r\\n"),
                                                 QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = rangePattern.match(QString::fromLatin1(head));
    if (m_ranges && match.hasMatch()) {
        partial = true;
        first = match.captured(1).toLongLong();
        if (!match.captured(2).isEmpty())
            last = qMin(match.captured(2).toLongLong(), last);
        if (m_fault == Fault::WrongRange && requestIndex > 0)
            first = qMax<qint64>(0, first - WrongRangeShift);
    }
    const QByteArray content = body.mid(first, last - first + 1);
    qint64 claimedLength = content.size();
    if (m_fault == Fault::LongContentLength)
        claimedLength += ExtraLength;

    reply = partial ? "HTTP/1.1 206 Partial Content\r\n" : "HTTP/1.1 200 OK\r\n";
    reply += "Content-Length: " + QByteArray::number(claimedLength) + "\r\n";
    if (partial)
        reply += "Content-Range: bytes " + QByteArray::number(first) + '-' + QByteArray::number(last) + '/'
            + QByteArray::number(body.size()) + "\r\n";
    if (m_ranges)
        reply += "Accept-Ranges: bytes\r\n";
    if (m_fault != Fault::ChangingLastModified)
        reply += QByteArray("ETag: \"") + (changed ? "v2" : "v1") + "\"\r\n";
    reply += QByteArray("Last-Modified: ") + (changed && m_fault == Fault::ChangingLastModified
                                                  ? "Tue, 02 Jan 2024 10:00:00 GMT"
                                                  : "Mon, 01 Jan 2024 10:00:00 GMT")
        + "\r\n";
    reply += "Connection: close\r\n\r\n";
    if (!sendAll(client, reply))
        return;

    if (m_fault == Fault::CutFirstReply && requestIndex == 0) {
        sendAll(client, content.left(body.size() / 10));
    } else if (m_fault == Fault::Stall) {
        sendAll(client, content.left(content.size() / 2));
        idleUntilClosed(client);
    } else if (m_fault == Fault::SlowStart && first == 0) {
        for (qint64 offset = 0; offset < content.size() && !m_stopping; offset += TrickleChunk) {
            if (!sendAll(client, content.mid(offset, TrickleChunk)))
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(TrickleMs));
        }
    } else {
        sendAll(client, content);
    }
    ::shutdown(client, SHUT_WR);
    idleUntilClosed(client);
}
