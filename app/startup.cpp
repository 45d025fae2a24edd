#include "app/startup.h"

#include "app/commandline.h"
#include "app/lifecycle.h"
#include "catalogue/categorywindow.h"
#include "editor/aboutwindow.h"
#include "editor/authorwindow.h"
#include "editor/historywindow.h"
#include "editor/mainwindow.h"
#include "editor/scriptfileactions.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QPointer>

int startProgram(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("燧川脚本编辑器"));
    QCoreApplication::setApplicationVersion(QStringLiteral("V1.5"));
    CommandLine commandLine;
    {
        // --help and --version need no display: read the command line before the GUI starts.
        QCoreApplication console(argc, argv);
        commandLine = parseCommandLine(console);
    }
    if (!commandLine.ok)
        return commandLine.exitCode;
    QApplication app(argc, argv);
    // The dialogs' own buttons ("确定", "取消", ...) in Chinese, like every other text of the program.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);
    // A script named on the command line is relative to where the user started us.
    const QString scriptPath = commandLine.scriptPath.isEmpty()
        ? QString() : QFileInfo(commandLine.scriptPath).absoluteFilePath();

    // The program works in its own folder, however it was started: the update lands there.
    QDir::setCurrent(QCoreApplication::applicationDirPath());

    initGlobals();
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &exitCleanup);

    // Closing a message box shown while the main window is still hidden must not end the program.
    app.setQuitOnLastWindowClosed(false);
    QPointer<MainWindow> window = new MainWindow;
    QObject::connect(window, &MainWindow::quitRequested, window, [w = window.data()] { quitProgram(w); });
    QObject::connect(window, &MainWindow::aboutRequested, window, [w = window.data()] { openAboutWindow(w); });
    QObject::connect(window, &MainWindow::authorRequested, window, [w = window.data()] { openAuthorWindow(w); });
    QObject::connect(window, &MainWindow::historyRequested, window, [w = window.data()] { openHistoryWindow(w); });
    openCategoriesFromLabels(*window);
    window->onMainWindowCreated();
    int code = 0;
    if (!programIsEnding() && window) {
        window->centreOnScreen();
        window->show();
        if (!scriptPath.isEmpty())
            window->fileActions()->openScriptFile(scriptPath);
        app.setQuitOnLastWindowClosed(true);
        code = app.exec();
    }
    exitCleanup();
    delete window.data();
    return programIsEnding() ? code : 0;
}
