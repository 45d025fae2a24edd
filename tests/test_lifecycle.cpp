// The program's one way of ending: the exit clean-up runs once, on the GUI thread, however the end
// is asked for.
#include "app/lifecycle.h"
#include "app/site.h"
#include "editor/mainwindow.h"
#include "online/updatesession.h"

#include <QApplication>
#include <QEventLoop>
#include <QPointer>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <thread>

class TestLifecycle : public QObject
{
    Q_OBJECT
private slots:
    void endFromAnotherThreadRunsTheCleanUpOnceOnTheGuiThread();
    void quitClosesTheMainWindowLikeItsCloseButton();
    void siteFromBaseAddress_data();
    void siteFromBaseAddress();
};

void TestLifecycle::endFromAnotherThreadRunsTheCleanUpOnceOnTheGuiThread()
{
    initGlobals();
    const int before = exitCleanupRunCount();
    std::thread downloaderThread;
    QTimer::singleShot(0, [&] { downloaderThread = std::thread([] { endProgram(0); }); });
    QEventLoop loop; // stands for the program's event loop, which the end leaves
    QTimer::singleShot(5000, &loop, [&loop] { loop.exit(99); });
    QCOMPARE(loop.exec(), 0);
    downloaderThread.join(); // it waited in the hand-over until the GUI thread had done the work
    QCOMPARE(exitCleanupRunCount(), before + 1);
    QCOMPARE(exitCleanupThread(), QThread::currentThread());
    QVERIFY(programIsEnding());

    // A second request while ending, and the clean-up's own second call, change nothing.
    endProgram(0);
    exitCleanup();
    QCOMPARE(exitCleanupRunCount(), before + 1);
}

void TestLifecycle::quitClosesTheMainWindowLikeItsCloseButton()
{
    initGlobals();
    QPointer<MainWindow> window = new MainWindow;
    window->show();
    quitProgram(window);
    QTRY_VERIFY(window.isNull()); // closed and destroyed
    exitCleanup();
}

void TestLifecycle::siteFromBaseAddress_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("domain");
    QTest::newRow("www host") << "http://www.example.com" << "http://www.example.com" << "www.example.com" << "example.com";
    QTest::newRow("trailing slash, https") << "https://dl.game.cn/" << "https://dl.game.cn" << "dl.game.cn" << "game.cn";
    QTest::newRow("port") << "http://127.0.0.1:8631" << "http://127.0.0.1:8631" << "127.0.0.1" << "127.0.0.1";
    QTest::newRow("one label") << "http://localhost" << "http://localhost" << "localhost" << "localhost";
    QTest::newRow("a path is no base address") << "http://example.com/vxmr" << "" << "" << "";
    QTest::newRow("ftp") << "ftp://example.com" << "" << "" << "";
    QTest::newRow("no host") << "http://" << "" << "" << "";
}

void TestLifecycle::siteFromBaseAddress()
{
    QFETCH(QString, address);
    QFETCH(QString, base);
    QFETCH(QString, host);
    QFETCH(QString, domain);
    const Site site = Site::fromBaseAddress(address);
    QCOMPARE(site.baseAddress, base);
    QCOMPARE(site.host, host);
    QCOMPARE(site.domain, domain);
}

QTEST_MAIN(TestLifecycle)
#include "test_lifecycle.moc"
