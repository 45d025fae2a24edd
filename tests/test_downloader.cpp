// The downloader against a real nginx and the tests' own fault server, both on 127.0.0.1.

#include "platform/downloader.h"
#include "platform/numberedname.h"

#include "faultserver.h"
#include "ftpserver.h"
#include "nginxserver.h"
#include "testfiles.h"
#include "tmpfsmount.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <condition_variable>
#include <map>
#include <mutex>
#include <set>
#include <thread>

Q_DECLARE_METATYPE(FaultServer::Fault)
Q_DECLARE_METATYPE(DownloadOutcome)

namespace {

// Everything the downloader told the event routine, and on which thread.
struct Recorder {
    struct Seen {
        DownloadEvent event;
        std::thread::id thread;
    };
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<Seen> seen;
    int fileExistsReply = download::FindFreeName;
    std::string changedPath;

    int onEvent(const DownloadEvent &event)
    {
        std::lock_guard lock(mutex);
        Seen copy{event, std::this_thread::get_id()};
        copy.event.task = nullptr;
        seen.push_back(copy);
        changed.notify_all();
        if (event.number == download::FileExists) {
            if (fileExistsReply == download::PathChanged)
                event.task->localFile = changedPath;
            return fileExistsReply;
        }
        return 0;
    }

    bool waitFor(int number, int milliseconds)
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::milliseconds(milliseconds), [&] {
            return std::any_of(seen.begin(), seen.end(), [&](const Seen &s) { return s.event.number == number; });
        });
    }

    DownloadEvent ended()
    {
        std::lock_guard lock(mutex);
        for (const Seen &s : seen)
            if (s.event.number == download::TaskEnded)
                return s.event;
        return {};
    }

    std::vector<Seen> all()
    {
        std::lock_guard lock(mutex);
        return seen;
    }
};

constexpr qint64 ReceiveBlock = 10240; // the update task's most bytes per receive

UpdateTask taskFor(const QString &address, const QString &localFile, const std::shared_ptr<Recorder> &recorder)
{
    UpdateTask task = makeStartupUpdateTask();
    task.flags = updatetask::DownloadFlag;
    task.address = address.toStdString();
    task.localFile = localFile.toStdString();
    task.connections = 5;
    task.connectTimeout = 5000;
    task.sendTimeout = 5000;
    task.receiveTimeout = 10000;
    task.receiveBlock = int(ReceiveBlock);
    task.eventRoutine = [recorder](const DownloadEvent &event) { return recorder->onEvent(event); };
    return task;
}

QByteArray randomBytes(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(20240101);
    generator.fillRange(reinterpret_cast<quint32 *>(bytes.data()), size / 4);
    return bytes;
}

QByteArray sha256(const QByteArray &bytes) { return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex(); }

// A vsftpd serving `root`, or a reason to skip when none can be started here.
std::unique_ptr<FtpServer> startedFtpServer(const QString &root, const QString &password, QString &whyNot)
{
    auto server = std::make_unique<FtpServer>(root, password);
    if (server->start())
        return server;
    whyNot = QStringLiteral("no FTP server can be started here: ") + server->errorString();
    return nullptr;
}

// How often the server's log shows the client sending `command` ("TYPE I", "PASS").
int commandsSent(const QString &log, const QString &command)
{
    return int(log.count(QStringLiteral("FTP command: Client \"127.0.0.1\", \"") + command));
}

// The commands of the server's log, one a line, for failure messages.
QString commandsOf(const QString &log)
{
    const QStringList lines = log.split(u'\n');
    QStringList commands;
    for (const QString &line : lines)
        if (line.contains(QStringLiteral("FTP command:")))
            commands.append(line.mid(line.indexOf(QStringLiteral("FTP command:"))));
    return commands.join(u'\n');
}

QStringList entries(const QString &folder) { return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot); }

// Checks that the events form a valid story: per connection 5, then 6, then its transfers and
// take-overs, then 8; one event 3 before any byte is counted; one event 16 per received block; one
// event 4, last. Returns "" or a fault.
QString eventStoryFault(const std::vector<Recorder::Seen> &seen, qint64 size)
{
    if (seen.empty() || seen.back().event.number != download::TaskEnded)
        return QStringLiteral("event 4 is not the last event");
    std::map<qint64, QList<int>> byConnection;
    int sized = 0;
    qint64 received = 0;
    for (const Recorder::Seen &s : seen) {
        const int number = s.event.number;
        if (number == download::TotalSize) {
            ++sized;
            if (received > 0)
                return QStringLiteral("event 3 came after bytes were counted");
        }
        if (number == download::TaskEnded && &s != &seen.back())
            return QStringLiteral("more than one event 4");
        if (number == download::BytesReceived) {
            if (s.event.value <= 0 || s.event.value > ReceiveBlock)
                return QStringLiteral("event 16 told %1 bytes, not one received block").arg(s.event.value);
            received += s.event.value;
        }
        if (number >= download::ConnectionStarted && number <= download::BytesReceived)
            byConnection[s.event.source].append(number);
    }
    if (sized != 1)
        return QStringLiteral("event 3 came %1 times").arg(sized);
    if (received != size)
        return QStringLiteral("event 16 counted %1 bytes of %2").arg(received).arg(size);
    for (const auto &[connection, numbers] : byConnection) {
        if (numbers.first() != download::ConnectionStarted || numbers.count(download::ConnectionStarted) != 1)
            return QStringLiteral("connection %1 does not begin with one event 5").arg(connection);
        if (numbers.last() != download::ConnectionFinished || numbers.count(download::ConnectionFinished) != 1)
            return QStringLiteral("connection %1 does not end with one event 8").arg(connection);
        const qsizetype first = numbers.indexOf(download::FirstSegment);
        const qsizetype firstByte = numbers.indexOf(download::BytesReceived);
        const qsizetype firstTakeOver = numbers.indexOf(download::SegmentTakenOver);
        if (firstByte >= 0 && (first < 0 || first > firstByte))
            return QStringLiteral("connection %1 received before event 6").arg(connection);
        if (firstTakeOver >= 0 && (first < 0 || first > firstTakeOver))
            return QStringLiteral("connection %1 took over before event 6").arg(connection);
    }
    return {};
}

} // namespace

class TestDownloader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qRegisterMetaType<FaultServer::Fault>();
        QVERIFY2(!NginxServer::executable().isEmpty(), "nginx must be installed");
    }

    void fileArrivesWholeOverFiveConnections()
    {
        QTemporaryDir served, local;
        const QByteArray content = randomBytes(6 * 1024 * 1024 + 123);
        QVERIFY(writeFile(served.filePath(QStringLiteral("新程序.exe")), content));
        NginxServer nginx(served.path());
        QVERIFY2(nginx.start(), qPrintable(nginx.errorString()));

        auto recorder = std::make_shared<Recorder>();
        const QString target = local.filePath(QStringLiteral("新程序.exe"));
        Downloader downloader(std::string{});
        QVERIFY(downloader.add(taskFor(nginx.baseAddress() + QStringLiteral("/新程序.exe"), target, recorder)));
        QVERIFY2(!downloader.add(taskFor(nginx.baseAddress() + QStringLiteral("/新程序.exe"), target, recorder)),
                 "a busy handle must refuse a second task");
        QVERIFY(recorder->waitFor(download::TaskEnded, 30000));

        const DownloadEvent ended = recorder->ended();
        QVERIFY2(ended.outcome == DownloadOutcome::Complete, ended.reason.c_str());
        QCOMPARE(ended.value, content.size());
        QCOMPARE(QString::fromStdString(ended.path), target);
        QCOMPARE(sha256(readFile(target)), sha256(content));
        QCOMPARE(entries(local.path()), QStringList{QStringLiteral("新程序.exe")});
        QCOMPARE(downloader.doneLength(), 0);
        QVERIFY(!downloader.holdsTask());

        const std::vector<Recorder::Seen> seen = recorder->all();
        const QString fault = eventStoryFault(seen, content.size());
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        std::set<qint64> connections;
        std::set<std::thread::id> deliveringThreads;
        for (const Recorder::Seen &s : seen) {
            if (s.event.number == download::ConnectionStarted)
                connections.insert(s.event.source);
            if (s.event.number >= download::TotalSize && s.event.number <= download::BytesReceived)
                deliveringThreads.insert(s.thread);
            if (s.event.number == download::TotalSize)
                QCOMPARE(QString::fromStdString(s.event.path), target);
        }
        QCOMPARE(connections.size(), std::size_t(5));
        QCOMPARE(deliveringThreads.size(), std::size_t(1)); // the task's own thread
        QVERIFY(*deliveringThreads.begin() != std::this_thread::get_id());
    }

    void addressesThatCannotBeUnderstoodAreRefused_data()
    {
        QTest::addColumn<QString>("address");
        QTest::newRow("no scheme") << QStringLiteral("127.0.0.1/file.exe");
        QTest::newRow("unknown scheme") << QStringLiteral("gopher://127.0.0.1/file.exe");
        QTest::newRow("no host") << QStringLiteral("http:///file.exe");
        QTest::newRow("empty") << QString();
    }

    void addressesThatCannotBeUnderstoodAreRefused()
    {
        QFETCH(QString, address);
        QTemporaryDir local;
        auto recorder = std::make_shared<Recorder>();
        Downloader downloader(std::string{});
        QVERIFY(!downloader.add(taskFor(address, local.filePath(QStringLiteral("a.exe")), recorder)));
        QVERIFY(!downloader.holdsTask());
        QVERIFY(recorder->all().empty());
    }

    void numberedNames_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("next");
        QTest::newRow("first number") << "dir/程序.exe" << "dir/程序(1).exe";
        QTest::newRow("next number") << "dir/程序(1).exe" << "dir/程序(2).exe";
        QTest::newRow("more digits") << "dir/a(9).exe" << "dir/a(10).exe";
        QTest::newRow("no extension") << "dir.d/readme" << "dir.d/readme(1)";
        QTest::newRow("last dot only") << "a.tar.gz" << "a.tar(1).gz";
        QTest::newRow("brackets without number") << "a(x).exe" << "a(x)(1).exe";
        QTest::newRow("empty brackets") << "a().exe" << "a()(1).exe";
    }

    void numberedNames()
    {
        QFETCH(QString, path);
        QFETCH(QString, next);
        QCOMPARE(QString::fromStdString(nextNumberedName(path.toStdString())), next);
    }

    // The target, or numbered names beside it, are taken before the download begins.
    void takenNames_data()
    {
        QTest::addColumn<int>("numberedTaken"); // -1: only the target is free
        QTest::addColumn<int>("reply");
        QTest::addColumn<QString>("expected"); // file name written, "" when the download gives up
        QTest::newRow("target free") << -1 << 0 << "更新.exe";
        QTest::newRow("target taken") << 0 << 0 << "更新(1).exe";
        QTest::newRow("target and (1) taken") << 1 << 0 << "更新(2).exe";
        QTest::newRow("all 99 numbers taken") << 99 << 0 << "";
        QTest::newRow("routine gives up") << 0 << 1 << "";
        QTest::newRow("routine changes the path") << 0 << 2 << "另一个.exe";
    }

    void takenNames()
    {
        QFETCH(int, numberedTaken);
        QFETCH(int, reply);
        QFETCH(QString, expected);
        QTemporaryDir served, local;
        const QByteArray content = randomBytes(300 * 1024);
        QVERIFY(writeFile(served.filePath(QStringLiteral("更新.exe")), content));
        NginxServer nginx(served.path());
        QVERIFY2(nginx.start(), qPrintable(nginx.errorString()));

        const QString target = local.filePath(QStringLiteral("更新.exe"));
        QStringList before;
        if (numberedTaken >= 0) {
            QVERIFY(writeFile(target, "old program"));
            before << QStringLiteral("更新.exe");
        }
        for (int n = 1; n <= numberedTaken; ++n) {
            QVERIFY(writeFile(local.filePath(QStringLiteral("更新(%1).exe").arg(n)), "taken"));
            before << QStringLiteral("更新(%1).exe").arg(n);
        }
        auto recorder = std::make_shared<Recorder>();
        recorder->fileExistsReply = reply;
        recorder->changedPath = local.filePath(QStringLiteral("另一个.exe")).toStdString();
        Downloader downloader(std::string{});
        QVERIFY(downloader.add(taskFor(nginx.baseAddress() + QStringLiteral("/更新.exe"), target, recorder)));
        QVERIFY(recorder->waitFor(download::TaskEnded, 30000));

        const DownloadEvent ended = recorder->ended();
        QStringList after = before;
        if (expected.isEmpty()) {
            QCOMPARE(ended.outcome, DownloadOutcome::Failed);
            QVERIFY(!ended.reason.empty());
        } else {
            QCOMPARE(ended.outcome, DownloadOutcome::Complete);
            QCOMPARE(QString::fromStdString(ended.path), local.filePath(expected));
            QCOMPARE(readFile(local.filePath(expected)), content);
            after << expected;
        }
        if (numberedTaken >= 0) {
            QCOMPARE(readFile(target), QByteArray("old program"));
            bool asked = false;
            for (const Recorder::Seen &s : recorder->all()) {
                if (s.event.number == download::FileExists) {
                    asked = true;
                    QCOMPARE(s.event.source, qint64(11)); // size of the file already there
                    QCOMPARE(s.event.value, content.size());
                }
            }
            QVERIFY2(asked, "event 18 must ask before the taken name is replaced");
        }
        QStringList present = entries(local.path());
        present.sort();
        after.sort();
        QCOMPARE(present, after);
    }

    // Each fault ends as a failure or as a correct file: never a false completion, never a partial
    // file under the target's name, never a temporary file left behind.
    void faults_data()
    {
        QTest::addColumn<FaultServer::Fault>("fault");
        QTest::addColumn<bool>("ranges");
        QTest::addColumn<DownloadOutcome>("expected");
        using F = FaultServer::Fault;
        QTest::newRow("well-behaved") << F::None << true << DownloadOutcome::Complete;
        QTest::newRow("no range support") << F::None << false << DownloadOutcome::Complete;
        QTest::newRow("cut mid-body, retried by range") << F::CutFirstReply << true << DownloadOutcome::Complete;
        QTest::newRow("cut mid-body, retried whole") << F::CutFirstReply << false << DownloadOutcome::Complete;
        QTest::newRow("404") << F::NotFound << true << DownloadOutcome::Failed;
        QTest::newRow("Content-Length larger than the body") << F::LongContentLength << false << DownloadOutcome::Failed;
        QTest::newRow("stalls beyond the receive time-out") << F::Stall << true << DownloadOutcome::Failed;
        QTest::newRow("ETag changes") << F::ChangingEtag << true << DownloadOutcome::Failed;
        QTest::newRow("Last-Modified changes") << F::ChangingLastModified << true << DownloadOutcome::Failed;
        QTest::newRow("206 for another range") << F::WrongRange << true << DownloadOutcome::Failed;
        QTest::newRow("slow first segment is taken over") << F::SlowStart << true << DownloadOutcome::Complete;
    }

    void faults()
    {
        QFETCH(FaultServer::Fault, fault);
        QFETCH(bool, ranges);
        QFETCH(DownloadOutcome, expected);
        const QByteArray content = randomBytes(1024 * 1024 + 7);
        FaultServer server(content, fault, ranges);
        QVERIFY(server.start());
        QTemporaryDir local;
        const QString target = local.filePath(QStringLiteral("program.exe"));
        auto recorder = std::make_shared<Recorder>();
        UpdateTask task = taskFor(server.address(), target, recorder);
        task.receiveTimeout = 500;
        Downloader downloader(std::string{});
        QVERIFY(downloader.add(task));
        QVERIFY(recorder->waitFor(download::TaskEnded, 60000));

        const DownloadEvent ended = recorder->ended();
        QVERIFY2(ended.outcome == expected, ended.reason.c_str());
        if (expected == DownloadOutcome::Complete) {
            QCOMPARE(sha256(readFile(target)), sha256(content));
            QCOMPARE(entries(local.path()), QStringList{QStringLiteral("program.exe")});
        } else {
            QVERIFY(!ended.reason.empty());
            QCOMPARE(entries(local.path()), QStringList());
        }
        const std::vector<Recorder::Seen> seen = recorder->all();
        if (!ranges)
            QCOMPARE(std::count_if(seen.begin(), seen.end(),
                                   [](const Recorder::Seen &s) { return s.event.number == download::ConnectionStarted; }),
                     1);
        if (fault == FaultServer::Fault::SlowStart) {
            QVERIFY(std::any_of(seen.begin(), seen.end(),
                                [](const Recorder::Seen &s) { return s.event.number == download::SegmentTakenOver; }));
            const QString story = eventStoryFault(seen, content.size());
            QVERIFY2(story.isEmpty(), qPrintable(story));
        }
    }

    void proxyGetsTheFullAddressAndReferer_data()
    {
        QTest::addColumn<QString>("referer"); // "" = none given
        QTest::addColumn<QByteArray>("expectedReferer");
        QTest::newRow("derived from the address") << QString() << QByteArray("http://127.0.0.1:9/far/away/");
        QTest::newRow("as given") << QStringLiteral("http://127.0.0.1:9/home") << QByteArray("http://127.0.0.1:9/home");
    }

    void proxyGetsTheFullAddressAndReferer()
    {
        QFETCH(QString, referer);
        QFETCH(QByteArray, expectedReferer);
        const QByteArray content = randomBytes(32 * 1024);
        FaultServer proxy(content, FaultServer::Fault::None, false);
        QVERIFY(proxy.start());
        QTemporaryDir local;
        auto recorder = std::make_shared<Recorder>();
        // Port 9 is closed on loopback: the file can only come through the proxy.
        UpdateTask task = taskFor(QStringLiteral("http://127.0.0.1:9/far/away/程序.exe"),
                                  local.filePath(QStringLiteral("程序.exe")), recorder);
        task.httpProxy = QStringLiteral("127.0.0.1:%1").arg(proxy.port()).toStdString();
        if (!referer.isEmpty())
            task.referer = referer.toStdString();
        Downloader downloader(std::string{});
        QVERIFY(downloader.add(task));
        QVERIFY(recorder->waitFor(download::TaskEnded, 30000));
        QCOMPARE(recorder->ended().outcome, DownloadOutcome::Complete);
        QCOMPARE(readFile(local.filePath(QStringLiteral("程序.exe"))), content);
        const QByteArray head = proxy.requests().value(0);
        QVERIFY2(head.startsWith("GET http://127.0.0.1:9/far/away/%E7%A8%8B%E5%BA%8F.exe HTTP/1.1\r\n"), head.constData());
        QVERIFY2(head.contains("\r\nReferer: " + expectedReferer + "\r\n"), head.constData());
    }

    void speedLimitBoundsTheWholeTask()
    {
        const QByteArray content = randomBytes(1536 * 1024);
        FaultServer server(content, FaultServer::Fault::None, true);
        QVERIFY(server.start());
        QTemporaryDir local;
        auto recorder = std::make_shared<Recorder>();
        UpdateTask task = taskFor(server.address(), local.filePath(QStringLiteral("p.exe")), recorder);
        task.speedLimit = 1024 * 1024;
        QElapsedTimer clock;
        clock.start();
        Downloader downloader(std::string{});
        QVERIFY(downloader.add(task));
        QVERIFY(recorder->waitFor(download::TaskEnded, 30000));
        QVERIFY2(recorder->ended().outcome == DownloadOutcome::Complete, recorder->ended().reason.c_str());
        // 1.5 MiB at 1 MiB/s among five connections: not much less than 1.5 s.
        QVERIFY2(clock.elapsed() >= 1200, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(readFile(local.filePath(QStringLiteral("p.exe"))), content);
    }

    // The disk fills part way: the task fails with the write fault and leaves nothing behind.
    void fullDiskFailsTheDownload()
    {
        TmpfsMount mount(256 * 1024);
        if (!mount.isMounted())
            QSKIP(qPrintable(QStringLiteral("cannot mount a small tmpfs here: ") + mount.reason()));
        const QByteArray content = randomBytes(2 * 1024 * 1024);
        FaultServer server(content, FaultServer::Fault::None, true);
        QVERIFY(server.start());
        auto recorder = std::make_shared<Recorder>();
        Downloader downloader(std::string{});
        QVERIFY(downloader.add(taskFor(server.address(), mount.path() + QStringLiteral("/p.exe"), recorder)));
        QVERIFY(recorder->waitFor(download::TaskEnded, 30000));
        const DownloadEvent ended = recorder->ended();
        QCOMPARE(ended.outcome, DownloadOutcome::Failed);
        QCOMPARE(ended.reason, std::string("the downloaded file could not be written"));
        QCOMPARE(entries(mount.path()), QStringList());
    }

    // FTP against a real vsftpd: the login the task gives, the transfer type it asks for, and
    // failures that must never be reported as a completed download.
    void ftpDownloads_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("user");     // "" = none given
        QTest::addColumn<QString>("password"); // "" = none given
        QTest::addColumn<int>("transferType");
        QTest::addColumn<QString>("expectedType"); // the TYPE command sent, "" when there was no transfer
        QTest::addColumn<DownloadOutcome>("expected");
        const QByteArray binary = randomBytes(1024 * 1024 + 77);
        const QByteArray text("line one\nline two\n\nline four\n");
        const QString good = QStringLiteral("tester@loop.net");
        const QString user = QStringLiteral("ftp");
        QTest::newRow("binary, user and password") << "程序.exe" << binary << user << good << 1 << "TYPE I" << DownloadOutcome::Complete;
        QTest::newRow("no login given: anonymous with the customary password")
            << "p.exe" << binary << "" << "" << 1 << "TYPE I" << DownloadOutcome::Complete;
        QTest::newRow("type 3, listed extension: binary") << "notes.zip" << text << user << good << 3 << "TYPE I" << DownloadOutcome::Complete;
        QTest::newRow("type 3, unlisted extension: text") << "notes.txt" << text << user << good << 3 << "TYPE A" << DownloadOutcome::Complete;
        QTest::newRow("type 3, listed extension in capitals: binary") << "NOTES.ZIP" << text << user << good << 3 << "TYPE I" << DownloadOutcome::Complete;
        QTest::newRow("type 3, part of a listed extension: binary") << "notes.ex" << text << user << good << 3 << "TYPE I" << DownloadOutcome::Complete;
        QTest::newRow("type 3, no extension: text") << "README" << text << user << good << 3 << "TYPE A" << DownloadOutcome::Complete;
        QTest::newRow("type 2: text even for a listed extension") << "notes.exe" << text << user << good << 2 << "TYPE A" << DownloadOutcome::Complete;
        QTest::newRow("empty file") << "empty.exe" << QByteArray() << user << good << 1 << "TYPE I" << DownloadOutcome::Complete;
        QTest::newRow("wrong password") << "p.exe" << binary << user << "wrong@loop.net" << 1 << "" << DownloadOutcome::Failed;
        QTest::newRow("file missing on the server") << "" << binary << user << good << 1 << "TYPE I" << DownloadOutcome::Failed;
    }

    void ftpDownloads()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, content);
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(int, transferType);
        QFETCH(QString, expectedType);
        QFETCH(DownloadOutcome, expected);
        QTemporaryDir served, local;
        if (!fileName.isEmpty())
            QVERIFY(writeFile(served.filePath(fileName), content));
        const QString accepted = QString::fromLatin1(user.isEmpty() ? updatetask::AnonymousPassword : "tester@loop.net");
        QString whyNot;
        const std::unique_ptr<FtpServer> server = startedFtpServer(served.path(), accepted, whyNot);
        if (!server)
            QSKIP(qPrintable(whyNot));

        const QString remoteName = fileName.isEmpty() ? QStringLiteral("missing.exe") : fileName;
        const QString target = local.filePath(remoteName);
        auto recorder = std::make_shared<Recorder>();
        UpdateTask task = taskFor(server->baseAddress() + u'/' + remoteName, target, recorder);
        if (!user.isEmpty())
            task.ftpUser = user.toStdString();
        if (!password.isEmpty())
            task.ftpPassword = password.toStdString();
        task.ftpTransferType = transferType;
        Downloader downloader(std::string{});
        QVERIFY(downloader.add(task));
        QVERIFY(recorder->waitFor(download::TaskEnded, 30000));

        const DownloadEvent ended = recorder->ended();
        const QString log = server->log();
        QVERIFY2(ended.outcome == expected, ended.reason.c_str());
        if (expected == DownloadOutcome::Complete) {
            // Line ends come back as they were: the server sends CRLF in text mode, libcurl turns
            // them back into this system's own.
            QCOMPARE(sha256(readFile(target)), sha256(content));
            QCOMPARE(entries(local.path()), QStringList{remoteName});
            QVERIFY2(log.contains(QStringLiteral("anon password \"%1\"").arg(accepted)), qPrintable(log));
            const QString story = eventStoryFault(recorder->all(), content.size());
            QVERIFY2(story.isEmpty(), qPrintable(story));
        } else {
            QVERIFY(!ended.reason.empty());
            QCOMPARE(entries(local.path()), QStringList());
            // A refused login or a missing file does not mend on a retry: one attempt only.
            QCOMPARE(commandsSent(log, QStringLiteral("PASS")), 1);
            QVERIFY2(commandsSent(log, QStringLiteral("RETR")) <= 1, qPrintable(commandsOf(log)));
        }
        const QString otherType = expectedType == u"TYPE I" ? QStringLiteral("TYPE A") : QStringLiteral("TYPE I");
        if (expectedType.isEmpty()) {
            QCOMPARE(commandsSent(log, QStringLiteral("TYPE")), 0);
        } else {
            QVERIFY2(commandsSent(log, expectedType) >= 1, qPrintable(commandsOf(log)));
            QCOMPARE(commandsSent(log, otherType), 0);
        }
    }

    // With flag 16, an FTP task whose local file exists first asks event 2 (with the total size), and
    // only then event 18; without it only event 18 is asked.
    void ftpAsksAboutAPresentFile_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("expectedAsks");
        QTest::newRow("flag 16") << updatetask::AskPartialFileFlag << 1;
        QTest::newRow("no flag 16") << 0 << 0;
    }

    void ftpAsksAboutAPresentFile()
    {
        QFETCH(int, flags);
        QFETCH(int, expectedAsks);
        QTemporaryDir served, local;
        const QByteArray content = randomBytes(64 * 1024);
        QVERIFY(writeFile(served.filePath(QStringLiteral("p.exe")), content));
        QVERIFY(writeFile(local.filePath(QStringLiteral("p.exe")), content.left(1000)));
        QString whyNot;
        const std::unique_ptr<FtpServer> server = startedFtpServer(served.path(), QStringLiteral("tester@loop.net"), whyNot);
        if (!server)
            QSKIP(qPrintable(whyNot));

        auto recorder = std::make_shared<Recorder>();
        UpdateTask task = taskFor(server->baseAddress() + QStringLiteral("/p.exe"), local.filePath(QStringLiteral("p.exe")), recorder);
        task.flags |= flags;
        task.ftpUser = "ftp";
        task.ftpPassword = "tester@loop.net";
        Downloader downloader(std::string{});
        QVERIFY(downloader.add(task));
        QVERIFY(recorder->waitFor(download::TaskEnded, 30000));
        QVERIFY2(recorder->ended().outcome == DownloadOutcome::Complete, recorder->ended().reason.c_str());
        QCOMPARE(readFile(local.filePath(QStringLiteral("p(1).exe"))), content);
        QCOMPARE(readFile(local.filePath(QStringLiteral("p.exe"))), content.left(1000));

        QList<int> asks; // events 2 and 18 in the order they came
        for (const Recorder::Seen &s : recorder->all()) {
            if (s.event.number == download::AskPartialFile) {
                QCOMPARE(s.event.value, content.size());
                asks.append(s.event.number);
            }
            if (s.event.number == download::FileExists)
                asks.append(s.event.number);
        }
        QCOMPARE(asks.count(download::AskPartialFile), expectedAsks);
        QCOMPARE(asks.count(download::FileExists), 1);
        QCOMPARE(asks.last(), int(download::FileExists));
    }

    // The line drops part way through an FTP download: the retry fetches the file again, and a file
    // that changed its size on the server meanwhile fails the task instead of arriving cut short.
    void ftpCutPartWay_data()
    {
        QTest::addColumn<int>("grownBy");   // bytes the served file grows by before the retry
        QTest::addColumn<bool>("replaced"); // the served file gets other bytes and a later time
        QTest::addColumn<QString>("reason"); // "" when the file arrives
        QTest::newRow("unchanged") << 0 << false << "";
        QTest::newRow("grown meanwhile") << 4096 << false << "the file's size changed on the server during the download";
        QTest::newRow("replaced, same size") << 0 << true << "the file changed on the server during the download";
    }

    void ftpCutPartWay()
    {
        QFETCH(int, grownBy);
        QFETCH(bool, replaced);
        QFETCH(QString, reason);
        const DownloadOutcome expected = reason.isEmpty() ? DownloadOutcome::Complete : DownloadOutcome::Failed;
        QTemporaryDir served, local;
        const QByteArray content = randomBytes(512 * 1024);
        const QString file = served.filePath(QStringLiteral("p.exe"));
        QVERIFY(writeFile(file, content));
        FtpServer server(served.path(), QString::fromLatin1(updatetask::AnonymousPassword));
        server.setMaxRate(256 * 1024);
        if (!server.start())
            QSKIP(qPrintable(QStringLiteral("no FTP server can be started here: ") + server.errorString()));

        auto recorder = std::make_shared<Recorder>();
        const QString target = local.filePath(QStringLiteral("p.exe"));
        Downloader downloader(std::string{});
        QVERIFY(downloader.add(taskFor(server.baseAddress() + QStringLiteral("/p.exe"), target, recorder)));
        QVERIFY(recorder->waitFor(download::BytesReceived, 10000));
        QTest::qWait(300);
        QByteArray changed = content + QByteArray(grownBy, 'x');
        if (replaced) {
            changed[0] = char(~changed[0]);
            QFile stamped(file);
            QVERIFY(writeFile(file, changed) && stamped.open(QIODevice::ReadWrite));
            QVERIFY(stamped.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
        } else if (grownBy > 0) {
            QVERIFY(writeFile(file, changed));
        }
        server.cutSessions();
        QVERIFY(recorder->waitFor(download::TaskEnded, 30000));

        const DownloadEvent ended = recorder->ended();
        QVERIFY2(ended.outcome == expected, ended.reason.c_str());
        QCOMPARE(commandsSent(server.log(), QStringLiteral("RETR")), 2);
        if (expected == DownloadOutcome::Complete) {
            QCOMPARE(sha256(readFile(target)), sha256(content));
        } else {
            QCOMPARE(QString::fromStdString(ended.reason), reason);
            QCOMPARE(entries(local.path()), QStringList());
        }
    }

    void destroyStopsWithinStopWait_data()
    {
        QTest::addColumn<bool>("overFtp"); // a slow vsftpd instead of a stalling HTTP server
        QTest::newRow("http, stalled") << false;
        QTest::newRow("ftp, slow") << true;
    }

    void destroyStopsWithinStopWait()
    {
        QFETCH(bool, overFtp);
        const QByteArray content = randomBytes(2 * 1024 * 1024);
        FaultServer server(content, FaultServer::Fault::Stall, true);
        QTemporaryDir served, local;
        FtpServer ftp(served.path(), QString::fromLatin1(updatetask::AnonymousPassword));
        QString address;
        if (overFtp) {
            QVERIFY(writeFile(served.filePath(QStringLiteral("p.exe")), content));
            ftp.setMaxRate(64 * 1024);
            if (!ftp.start())
                QSKIP(qPrintable(QStringLiteral("no FTP server can be started here: ") + ftp.errorString()));
            address = ftp.baseAddress() + QStringLiteral("/p.exe");
        } else {
            QVERIFY(server.start());
            address = server.address();
        }
        auto recorder = std::make_shared<Recorder>();
        UpdateTask task = taskFor(address, local.filePath(QStringLiteral("p.exe")), recorder);
        task.receiveTimeout = 20000;
        auto downloader = std::make_unique<Downloader>(std::string{});
        QVERIFY(downloader->add(task));
        QVERIFY(recorder->waitFor(download::TotalSize, 10000));
        QTest::qWait(200);

        QElapsedTimer clock;
        clock.start();
        downloader.reset();
        QVERIFY2(clock.elapsed() <= task.stopWait + 200, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(recorder->waitFor(download::TaskEnded, 5000));
        const DownloadEvent ended = recorder->ended();
        QCOMPARE(ended.outcome, DownloadOutcome::Stopped);
        QVERIFY(ended.value > 0 && ended.value < content.size());
        QCOMPARE(entries(local.path()), QStringList());
    }

    // A signed release: the key pair and the signature are made by the openssl command line, as a
    // publisher makes them.
    void signatures_data()
    {
        QTest::addColumn<QString>("change"); // what differs from a correctly signed release
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<bool>("overFtp"); // from vsftpd behind a login instead of nginx
        QTest::newRow("valid") << "" << true << false;
        QTest::newRow("valid, over FTP with a login") << "" << true << true;
        QTest::newRow("one byte of the file flipped") << "flip" << false << false;
        QTest::newRow("signature missing") << "missing" << false << false;
        QTest::newRow("signed with another key") << "other key" << false << false;
    }

    void signatures()
    {
        QFETCH(QString, change);
        QFETCH(bool, accepted);
        QFETCH(bool, overFtp);
        QTemporaryDir keys, served, local;
        const auto openssl = [&](const QStringList &arguments) {
            QProcess process;
            process.start(QStringLiteral("openssl"), arguments);
            return process.waitForFinished(10000) && process.exitCode() == 0;
        };
        const QString key = keys.filePath(QStringLiteral("key.pem"));
        const QString otherKey = keys.filePath(QStringLiteral("other.pem"));
        const QString publicKey = keys.filePath(QStringLiteral("public.pem"));
        QVERIFY(openssl({"genpkey", "-algorithm", "ed25519", "-out", key}));
        QVERIFY(openssl({"genpkey", "-algorithm", "ed25519", "-out", otherKey}));
        QVERIFY(openssl({"pkey", "-in", key, "-pubout", "-out", publicKey}));

        QByteArray content = randomBytes(700 * 1024);
        const QString file = served.filePath(QStringLiteral("程序.exe"));
        QVERIFY(writeFile(file, content));
        if (change != u"missing")
            QVERIFY(openssl({"pkeyutl", "-sign", "-rawin", "-inkey", change == u"other key" ? otherKey : key, "-in", file,
                             "-out", file + QStringLiteral(".sig")}));
        if (change == u"flip") {
            content[4321] = char(content[4321] ^ 0x01);
            QVERIFY(writeFile(file, content));
        }
        NginxServer nginx(served.path());
        std::unique_ptr<FtpServer> ftp;
        QString baseAddress;
        if (overFtp) {
            QString whyNot;
            ftp = startedFtpServer(served.path(), QStringLiteral("tester@loop.net"), whyNot);
            if (!ftp)
                QSKIP(qPrintable(whyNot));
            baseAddress = ftp->baseAddress();
        } else {
            QVERIFY2(nginx.start(), qPrintable(nginx.errorString()));
            baseAddress = nginx.baseAddress();
        }

        auto recorder = std::make_shared<Recorder>();
        const QString target = local.filePath(QStringLiteral("程序.exe"));
        UpdateTask task = taskFor(baseAddress + QStringLiteral("/程序.exe"), target, recorder);
        task.ftpUser = "ftp";
        task.ftpPassword = "tester@loop.net";
        Downloader downloader(readFile(publicKey).toStdString());
        QVERIFY(downloader.add(task));
        QVERIFY(recorder->waitFor(download::TaskEnded, 30000));
        const DownloadEvent ended = recorder->ended();
        if (accepted) {
            QVERIFY2(ended.outcome == DownloadOutcome::Complete, ended.reason.c_str());
            QCOMPARE(readFile(target), content);
        } else {
            QCOMPARE(ended.outcome, DownloadOutcome::Failed);
            QCOMPARE(entries(local.path()), QStringList());
        }
    }
};

QTEST_GUILESS_MAIN(TestDownloader)
#include "test_downloader.moc"
