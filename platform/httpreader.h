#pragma once
// Reads small texts from the update server: one GET per address, answered by the body or by a
// failure with its reason. Never blocks longer than the time-outs below, whatever the server does.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <chrono>
#include <vector>

namespace http {

// The limits of every read. The main window waits for the version and notice texts at start-up,
// so a server that never answers may cost it this much and no more.
inline constexpr std::chrono::milliseconds kConnectTimeout{3000};
inline constexpr std::chrono::milliseconds kTotalTimeout{4000};
inline constexpr qsizetype kMaxBodyBytes = 64 * 1024;
inline constexpr long kMaxRedirects = 5;

enum class Failure {
    None,
    BadAddress,   // not an http or https address
    NoConnection, // host not found, connection refused
    TimedOut,
    Certificate,  // https: the server's certificate could not be verified
    HttpStatus,   // status 400 or above
    EmptyBody,
    TooLarge,     // body over the cap
    Incomplete,   // the connection ended before the announced body had arrived
    Other,
};

struct Response {
    QByteArray body;    // empty unless ok()
    Failure failure = Failure::None;
    long status = 0;    // the last HTTP status seen, 0 when none came
    QString reason;     // a short sentence for the user, empty when ok()
    QString detail;     // the transfer library's own words, for a closer look

    bool ok() const { return failure == Failure::None; }
};

struct Options {
    std::chrono::milliseconds connectTimeout = kConnectTimeout;
    std::chrono::milliseconds totalTimeout = kTotalTimeout;
    qsizetype maxBodyBytes = kMaxBodyBytes;
    QString caFile; // trusted certificates for https; empty: the system's store
};

// GET of one full address ("http://host:port/path"). Safe to call from any thread.
Response get(const QString &address, const Options &options = {});

// GET of several addresses at the same time: the slowest one sets the wait, not their sum.
// The answers come in the order of `addresses`.
std::vector<Response> getAll(const QStringList &addresses, const Options &options = {});

} // namespace http
