#include "serverprocess.h"

#include <QDeadlineTimer>
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
