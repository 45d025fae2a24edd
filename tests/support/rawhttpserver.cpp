#include "rawhttpserver.h"

#include <QMutexLocker>
#include <QString>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <vector>

namespace {

int listenOnLoopback(quint16 *port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 || ::listen(fd, 16) != 0
        || ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) != 0) {
        ::close(fd);
        return -1;
    }
    *port = ntohs(address.sin_port);
    return fd;
}

// Waits up to 50 ms for `fd` to be readable.
bool readable(int fd)
{
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, 50) > 0;
}

} // namespace

RawHttpServer::RawHttpServer(bool silent, QByteArray reply) : m_silent(silent), m_reply(std::move(reply)) {}

RawHttpServer::~RawHttpServer() { stop(); }

bool RawHttpServer::start()
{
    m_listener = listenOnLoopback(&m_port);
    if (m_listener < 0)
        return false;
    m_thread = std::thread([this] { run(); });
    return true;
}

void RawHttpServer::stop()
{
    m_stopping = true;
    if (m_thread.joinable())
        m_thread.join();
    if (m_listener >= 0)
        ::close(m_listener);
    m_listener = -1;
}

QString RawHttpServer::baseAddress() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_port); }

QByteArray RawHttpServer::lastRequest() const
{
    QMutexLocker lock(&m_mutex);
    return m_lastRequest;
}

quint16 RawHttpServer::closedPort()
{
    quint16 port = 0;
    const int fd = listenOnLoopback(&port);
    if (fd >= 0)
        ::close(fd);
    return port;
}

void RawHttpServer::run()
{
    std::vector<int> heldOpen; // silent mode keeps its connections until the server stops
    while (!m_stopping) {
        if (!readable(m_listener))
            continue;
        const int client = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            continue;
        serve(client);
        if (m_silent)
            heldOpen.push_back(client);
        else
            ::close(client);
    }
    for (int fd : heldOpen)
        ::close(fd);
}

void RawHttpServer::serve(int client)
{
    QByteArray request;
    char buffer[4096];
    while (!m_stopping && !request.contains("\r\n\r\n")) {
        if (!readable(client))
            continue;
        const ssize_t got = ::recv(client, buffer, sizeof buffer, 0);
        if (got <= 0)
            return;
        request.append(buffer, got);
    }
    {
        QMutexLocker lock(&m_mutex);
        m_lastRequest = request;
    }
    if (m_silent)
        return;
    qsizetype sent = 0;
    while (sent < m_reply.size() && !m_stopping) {
        // MSG_NOSIGNAL: a client that gives up early must not end the test with SIGPIPE.
        const ssize_t n = ::send(client, m_reply.constData() + sent, size_t(m_reply.size() - sent), MSG_NOSIGNAL);
        if (n <= 0)
            return;
        sent += n;
    }
}
