#include "app/windowwiring.h"

#include "app/lifecycle.h"
#include "catalogue/categorywindow.h"
#include "editor/aboutwindow.h"
#include "editor/authorwindow.h"
#include "editor/historywindow.h"
#include "editor/mainwindow.h"
#include "editor/scriptfileactions.h"
#include "online/onlineupdatewindow.h"
#include "online/progresswindow.h"
#include "online/updatesession.h"
#include "online/versioncheck.h"
#include "platform/processlauncher.h"

#include <QPointer>

namespace {

// The program ends for an update only once an unsaved script has been saved or given up.
bool mayEnd(const QPointer<MainWindow> &window)
{
    return !window || window->fileActions()->confirmEnd();
}

} // namespace

VersionCheckHooks versionCheckHooks(MainWindow *window, UpdateSession &session)
{
    const QPointer<MainWindow> guarded(window);
    return {
        [&session] { openProgressWindow(session); },
        [guarded] {
            if (mayEnd(guarded))
                endProgram(0);
        },
    };
}

void connectMainWindow(MainWindow *window, UpdateSession &session)
{
    const QPointer<MainWindow> guarded(window);
    QObject::connect(window, &MainWindow::quitRequested, window, [window] { quitProgram(window); });
    QObject::connect(window, &MainWindow::aboutRequested, window, [window] { openAboutWindow(window); });
    QObject::connect(window, &MainWindow::authorRequested, window, [window] { openAuthorWindow(window); });
    QObject::connect(window, &MainWindow::historyRequested, window, [window] { openHistoryWindow(window); });
    openCategoriesFromLabels(*window);
    QObject::connect(window, &MainWindow::onlineUpdateRequested, window, [window, &session] {
        openOnlineUpdateWindow(versionCheckHooks(window, session));
    });
    session.setHooks({
        [guarded] { return mayEnd(guarded); },
        [] { endProgram(0); },
        [](const QString &path, QString *error) { return launchProgram(path, error); },
    });
}
