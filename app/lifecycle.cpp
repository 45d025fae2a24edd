#include "app/lifecycle.h"

#include <QCoreApplication>
#include <QThread>
#include <QWidget>

#include <atomic>

namespace {
std::atomic<bool> cleanupDone{false};
std::atomic<bool> ending{false};
} // namespace

void initGlobals()
{
    cleanupDone = false;
    ending = false;
}

void exitCleanup()
{
    if (cleanupDone.exchange(true))
        return;
}

bool exitCleanupHasRun() { return cleanupDone; }

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
