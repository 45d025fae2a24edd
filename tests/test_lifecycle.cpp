// The program's one way of ending: the exit clean-up runs once, on the GUI thread, however the end
// is asked for.
#include "app/lifecycle.h"
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

QTEST_MAIN(TestLifecycle)
#include "test_lifecycle.moc"
