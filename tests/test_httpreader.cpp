// The HTTP reader against real servers on loopback: what it sends, what it accepts and every way a
// read can fail, each failure within the time-outs.
#include "platform/httpreader.h"

#include "faultserver.h"
#include "nginxserver.h"
#include "testfiles.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <thread>

using namespace std::chrono;

namespace {

QByteArray ok200(const QByteArray &body)
{
    return "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

} // namespace

class TestHttpReader : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void readsFromSeveralThreadsAtOnce(); // first: no read has set the library up yet
    void requestAsksForAFreshCopyOfAnything();
    void bodiesFromNginx_data();
    void bodiesFromNginx();
    void failures_data();
    void failures();
    void twoSilentReadsCostOneTimeOut();
    void httpsChecksTheCertificate();

private:
    QTemporaryDir m_root;
    std::unique_ptr<NginxServer> m_nginx;
};

void TestHttpReader::initTestCase()
{
    QVERIFY(m_root.isValid());
    QVERIFY(QDir(m_root.path()).mkpath(QStringLiteral("vxmr")));
    const QString dir = m_root.path() + QStringLiteral("/vxmr/");
    QVERIFY(writeFile(dir + QStringLiteral("gx.txt"), "V1.5"));
    QVERIFY(writeFile(dir + QStringLiteral("cap.bin"), QByteArray(http::kMaxBodyBytes, 'a')));
    QVERIFY(writeFile(dir + QStringLiteral("over.bin"), QByteArray(http::kMaxBodyBytes + 1, 'a')));
    QVERIFY(writeFile(dir + QStringLiteral("big.bin"), QByteArray(10 * 1024 * 1024, 'b')));
    QVERIFY(writeFile(dir + QStringLiteral("binary.bin"), QByteArray("\x00\xff\x80V1.5\x00\x01", 9)));
    QVERIFY(writeFile(dir + QStringLiteral("empty.txt"), QByteArray()));
    m_nginx = std::make_unique<NginxServer>(m_root.path(), QStringLiteral(R"(
        location = /moved.txt { return 302 /vxmr/gx.txt; }
        location = /loop.txt { return 302 /loop.txt; }
        location = /error500.txt { default_type text/html; return 500 "<html><body><h1>500 Internal Server Error</h1></body></html>"; }
    )"));
    QVERIFY2(m_nginx->start(), qPrintable(m_nginx->errorString()));
}

void TestHttpReader::requestAsksForAFreshCopyOfAnything()
{
    FaultServer server(FaultServer::RawReply{ok200("V1.5")});
    QVERIFY(server.start());
    const http::Response response = http::get(server.address(QStringLiteral("/vxmr/gx.txt")));
    QVERIFY2(response.ok(), qPrintable(response.reason + u' ' + response.detail));
    QCOMPARE(response.body, QByteArray("V1.5"));
    const QByteArray request = server.lastRequest();
    QVERIFY2(request.startsWith("GET /vxmr/gx.txt HTTP/1.1\r\n"), request.constData());
    for (const char *header : {"\r\nAccept: */*\r\n", "\r\nCache-Control: no-cache\r\n", "\r\nPragma: no-cache\r\n"})
        QVERIFY2(request.contains(header), request.constData());
}

void TestHttpReader::bodiesFromNginx_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("version text") << "/vxmr/gx.txt" << QByteArray("V1.5");
    QTest::newRow("redirect followed") << "/moved.txt" << QByteArray("V1.5");
    QTest::newRow("body of exactly the cap") << "/vxmr/cap.bin" << QByteArray(http::kMaxBodyBytes, 'a');
    // The reader hands over every byte; cutting at a zero byte is for the texts built on it.
    QTest::newRow("binary bytes kept") << "/vxmr/binary.bin" << QByteArray("\x00\xff\x80V1.5\x00\x01", 9);
}

void TestHttpReader::bodiesFromNginx()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, body);
    const http::Response response = http::get(m_nginx->baseAddress() + path);
    QVERIFY2(response.ok(), qPrintable(response.reason + u' ' + response.detail));
    QCOMPARE(response.status, 200L);
    QCOMPARE(response.body, body);
}

void TestHttpReader::failures_data()
{
    QTest::addColumn<QString>("server"); // "nginx", "refused", "raw"
    QTest::addColumn<QString>("address"); // path, or the whole address for "nginx" when it holds "://"
    QTest::addColumn<QByteArray>("rawReply");
    QTest::addColumn<int>("failure");
    QTest::addColumn<long>("status");

    const auto row = [](const char *name, const char *server, const QString &address, const QByteArray &raw,
                        http::Failure failure, long status = 0) {
        QTest::newRow(name) << QString::fromLatin1(server) << address << raw << int(failure) << status;
    };
    row("connection refused", "refused", "/vxmr/gx.txt", {}, http::Failure::NoConnection);
    row("404 with html body", "nginx", "/vxmr/missing.txt", {}, http::Failure::HttpStatus, 404);
    row("500 with html body", "nginx", "/error500.txt", {}, http::Failure::HttpStatus, 500);
    row("empty body", "nginx", "/vxmr/empty.txt", {}, http::Failure::EmptyBody, 200);
    row("one byte over the cap", "nginx", "/vxmr/over.bin", {}, http::Failure::TooLarge);
    row("10 MB announced", "nginx", "/vxmr/big.bin", {}, http::Failure::TooLarge);
    row("endless redirect", "nginx", "/loop.txt", {}, http::Failure::Other, 302);
    row("not an http address", "nginx", "ftp://127.0.0.1/vxmr/gx.txt", {}, http::Failure::BadAddress);
    // Without a length the cap can only be noticed while the body streams in.
    row("10 MB without a length", "raw", "/vxmr/gx.txt",
        "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + QByteArray(10 * 1024 * 1024, 'c'), http::Failure::TooLarge, 200);
    row("body cut short", "raw", "/vxmr/gx.txt", "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nV1.5",
        http::Failure::Incomplete, 200);
    row("404 from a bare server", "raw", "/vxmr/gx.txt",
        "HTTP/1.1 404 Not Found\r\nContent-Length: 13\r\n\r\n<html></html>", http::Failure::HttpStatus, 404);
}

void TestHttpReader::failures()
{
    QFETCH(QString, server);
    QFETCH(QString, address);
    QFETCH(QByteArray, rawReply);
    QFETCH(int, failure);
    QFETCH(long, status);

    FaultServer raw(FaultServer::RawReply{rawReply});
    QString url;
    if (address.contains(u"://"))
        url = address;
    else if (server == u"nginx")
        url = m_nginx->baseAddress() + address;
    else if (server == u"refused")
        url = QStringLiteral("http://127.0.0.1:%1").arg(FaultServer::closedPort()) + address;
    else {
        QVERIFY(raw.start());
        url = raw.address(address);
    }

    QElapsedTimer clock;
    clock.start();
    const http::Response response = http::get(url);
    QVERIFY(clock.elapsed() < http::kTotalTimeout.count() + 1000);
    QCOMPARE(int(response.failure), failure);
    QVERIFY(!response.ok());
    QVERIFY(response.body.isEmpty());
    QVERIFY(!response.reason.isEmpty());
    if (status)
        QCOMPARE(response.status, status);
}

void TestHttpReader::twoSilentReadsCostOneTimeOut()
{
    FaultServer server({}, FaultServer::Fault::Silent);
    QVERIFY(server.start());
    QElapsedTimer clock;
    clock.start();
    const auto responses = http::getAll({server.address(QStringLiteral("/vxmr/gx.txt")),
                                         server.address(QStringLiteral("/vxmr/up.txt"))});
    const qint64 elapsed = clock.elapsed();
    QCOMPARE(responses.size(), size_t(2));
    for (const http::Response &response : responses) {
        QCOMPARE(response.failure, http::Failure::TimedOut);
        QVERIFY(response.body.isEmpty());
    }
    QVERIFY2(elapsed >= http::kTotalTimeout.count() - 100, qPrintable(QString::number(elapsed)));
    QVERIFY2(elapsed < http::kTotalTimeout.count() * 3 / 2, qPrintable(QString::number(elapsed)));
}

void TestHttpReader::httpsChecksTheCertificate()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString certificate = dir.filePath(QStringLiteral("server.pem"));
    const QString key = dir.filePath(QStringLiteral("server.key"));
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("rsa:2048"),
                   QStringLiteral("-nodes"), QStringLiteral("-days"), QStringLiteral("1"), QStringLiteral("-subj"),
                   QStringLiteral("/CN=127.0.0.1"), QStringLiteral("-addext"), QStringLiteral("subjectAltName=IP:127.0.0.1"),
                   QStringLiteral("-keyout"), key, QStringLiteral("-out"), certificate});
    if (!openssl.waitForStarted())
        QSKIP("the openssl command is not installed (tools/install-deps.sh installs it)");
    QVERIFY(openssl.waitForFinished(60000));
    QCOMPARE(openssl.exitCode(), 0);

    NginxServer tls(m_root.path());
    tls.setTls(certificate, key);
    QVERIFY2(tls.start(), qPrintable(tls.errorString()));
    QVERIFY(tls.baseAddress().startsWith(u"https://"));
    const QString address = tls.baseAddress() + QStringLiteral("/vxmr/gx.txt");

    // A certificate nobody vouches for is refused ...
    const http::Response untrusted = http::get(address);
    QCOMPARE(untrusted.failure, http::Failure::Certificate);
    QVERIFY(untrusted.body.isEmpty());

    // ... and accepted once it is trusted.
    http::Options options;
    options.caFile = certificate;
    const http::Response trusted = http::get(address, options);
    QVERIFY2(trusted.ok(), qPrintable(trusted.reason + u' ' + trusted.detail));
    QCOMPARE(trusted.body, QByteArray("V1.5"));
}

void TestHttpReader::readsFromSeveralThreadsAtOnce()
{
    // The first reads of a program may come from any thread: the library's one-time set-up included.
    std::vector<http::Response> responses(4);
    std::vector<std::thread> threads;
    const QString address = m_nginx->baseAddress() + QStringLiteral("/vxmr/gx.txt");
    for (auto &response : responses)
        threads.emplace_back([&response, address] { response = http::get(address); });
    for (auto &thread : threads)
        thread.join();
    for (const auto &response : responses)
        QCOMPARE(response.body, QByteArray("V1.5"));
}

QTEST_GUILESS_MAIN(TestHttpReader)
#include "test_httpreader.moc"
