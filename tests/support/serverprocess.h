#pragma once
// Starting a real server program for a test: on a free loopback port, waited for until it accepts.

#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>

// The server program `name` on the PATH or in the system folders a user's PATH often lacks
// (/usr/sbin, /sbin); empty when it is not installed.
QString findServerProgram(const QString &name);

// `configure(port, error)` writes the server's configuration for `port` and returns its arguments,
// or an empty list with `error` set. A port found free can be taken by someone else before the server
// binds it, so a few ports are tried. On success `port` is the one the server listens on.
bool startServerOnFreePort(QProcess &process, const QString &program,
                           const std::function<QStringList(quint16 port, QString &error)> &configure,
                           quint16 &port, QString &error);

// Asks the server to end, and ends it when it does not within three seconds.
void stopServer(QProcess &process);
