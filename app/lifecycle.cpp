#include "app/lifecycle.h"

#include "online/updatesession.h"

#include <QCoreApplication>
#include <QThread>
#include <QWidget>

#include <atomic>
#include <memory>

namespace {
std::atomic<bool> cleanupDone{false};
std::atomic<bool> ending{false};
std::atomic<int> cleanupRuns{0};
std::atomic<QThread *> cleanupThread{nullptr};
std::unique_ptr<UpdateSession> session; // the download handle and the UpdateTask record
} // namespace

void initGlobals()
{
    cleanupDone = false;
    ending = false;
    session = std::make_unique<UpdateSession>();
}

UpdateSession &updateSession() { return *session; }

void exitCleanup()
{
    if (cleanupDone.exchange(true))
        return;
    ++cleanupRuns;
    cleanupThread = QThread::currentThread();
    // A running download is stopped first (its connections waited for up to stopWait ms); only
    // then is the record it uses released.
    if (session) {
        session->exitCleanup();
        session.reset();
    }
}

int exitCleanupRunCount() { return cleanupRuns; }
QThread *exitCleanupThread() { return cleanupThread; }

void quitProgram(QWidget *mainWindow)
{
    mainWindow->close();
}

bool programIsEnding() { return ending; }

void endProgram(int code)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (app && QThread::currentThread() != app->thread()) {
        QMetaObject::invokeMethod(app, [code] { endProgram(code); }, Qt::BlockingQueuedConnection);
        return;
    }
    ending = true;
    exitCleanup();
    if (app)
        app->exit(code);
}
