#include "app/startup.h"

#include "app/commandline.h"
#include "app/lifecycle.h"
#include "app/windowwiring.h"
#include "editor/mainwindow.h"
#include "editor/scriptfileactions.h"
#include "online/versioncheck.h"
#include "platform/windowframe.h"

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
    connectMainWindow(window, updateSession());
    window->onMainWindowCreated(versionCheckHooks(window, updateSession()));
    int code = 0;
    if (!programIsEnding() && window) {
        centreOnPrimaryScreen(window);
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
