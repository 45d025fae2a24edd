#include "serverprocess.h"

#include <QDeadlineTimer>
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

QString findServerProgram(const QString &name)
{
    const QString inPath = QStandardPaths::findExecutable(name);
    if (!inPath.isEmpty())
        return inPath;
    return QStandardPaths::findExecutable(name, {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
}

bool startServerOnFreePort(QProcess &process, const QString &program,
                           const std::function<QStringList(quint16 port, QString &error)> &configure,
                           quint16 &port, QString &error)
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        port = freePort();
        const QStringList arguments = configure(port, error);
        if (arguments.isEmpty())
            return false;
        process.setProgram(program);
        process.setArguments(arguments);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start();
        if (!process.waitForStarted(5000)) {
            error = process.errorString();
            return false;
        }
        const QDeadlineTimer deadline(5000);
        while (!deadline.hasExpired() && process.state() == QProcess::Running) {
            if (accepts(port))
                return true;
            QThread::msleep(20);
        }
        process.waitForFinished(1000);
        error = QString::fromLocal8Bit(process.readAll());
        process.kill();
        process.waitForFinished(1000);
    }
    return false;
}

void stopServer(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}
