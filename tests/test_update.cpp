// The update download as the program runs it: the record's values, the progress window, and what
// happens when the download ends, is cancelled, fails, or the program exits during it.

#include "app/site.h"
#include "online/progresswindow.h"
#include "online/updateprogress.h"
#include "online/updatesession.h"

#include "faultserver.h"
#include "modalanswerer.h"
#include "nginxserver.h"
#include "testfiles.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

const QString ProgramName = QStringLiteral("燧川脚本编辑器.exe");

// The progress window's title; as the answerer describes it, for it has no named labels.
const QString ProgressWindowTitle = QStringLiteral("自动更新");

// An update whose server stalls half-way through the program: part of it arrives, then nothing.
// Every hook the session calls is written down in `steps`.
struct StalledUpdate {
    StalledUpdate()
    {
        session->setHooks({[this] { steps << "guard"; return true; }, [this] { steps << "end"; },
                           [this](const QString &, QString *) { steps << "start"; return true; }});
    }
    // Starts the server, makes it the site and the local folder the current one.
    bool start()
    {
        if (!server.start() || !local.isValid())
            return false;
        setCurrentSite(Site::fromBaseAddress(server.baseAddress()));
        return QDir::setCurrent(local.path());
    }
    QStringList localFiles() const { return QDir(local.path()).entryList(QDir::Files | QDir::Hidden); }

    FaultServer server{QByteArray(2 * 1024 * 1024, 'p'), FaultServer::Fault::Stall, true};
    QTemporaryDir local;
    QStringList steps;
    std::unique_ptr<UpdateSession> session = std::make_unique<UpdateSession>(std::string());
};

// A stand-in for the new program: a shell script that writes the path it was started as.
QByteArray newProgram(const QString &marker)
{
    return "#!/bin/sh\necho \"$0\" > '" + marker.toUtf8() + "'\n";
}

} // namespace

class TestUpdate : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_previousFolder = QDir::currentPath(); }
    void cleanup()
    {
        QDir::setCurrent(m_previousFolder);
        setCurrentSite(Site::fromBaseAddress(QStringLiteral(SUICHUAN_BASE_ADDRESS)));
    }

    void recordValues()
    {
        UpdateTask task = makeStartupUpdateTask();
        QCOMPARE(task.flags, 1);
        QCOMPARE(task.address, std::optional<std::string>(""));
        QCOMPARE(task.localFile, std::optional<std::string>(""));
        QCOMPARE(task.ftpUser, std::optional<std::string>("anonymous"));
        const std::string password = task.ftpPassword.value_or("");
        QCOMPARE(password.size(), std::size_t(17));
        QVERIFY(password.find('@') != std::string::npos && password.find('.') > password.find('@'));
        QCOMPARE((std::array{task.connections, task.speedLimit, task.connectTimeout, task.sendTimeout, task.receiveTimeout,
                             task.stopWait, task.receiveBlock, task.sendBlock, task.ftpTransferType}),
                 (std::array{1, 0, 20000, 20000, 20000, 1000, 20480, 1024, 1}));
        QVERIFY(!task.messageRoutine && !task.eventRoutine);
        QCOMPARE(task.uploadName, std::optional<std::string>(""));
        QCOMPARE(task.binaryExtensions, std::optional<std::string>(".exe|.rar|.zip|.gif|.jpg|.mp3|.rm"));
        QVERIFY(!task.httpProxy && !task.referer);

        applyUpdateValues(task, "  http://127.0.0.1:8631", "/opt/编辑器/", [](const DownloadEvent &) { return 0; });
        QCOMPARE(task.address, std::optional<std::string>("http://127.0.0.1:8631/vxmr/燧川脚本编辑器.exe"));
        QCOMPARE(task.localFile, std::optional<std::string>("/opt/编辑器/燧川脚本编辑器.exe"));
        QCOMPARE((std::array{task.flags, task.connections, task.connectTimeout, task.sendTimeout, task.receiveTimeout,
                             task.stopWait, task.receiveBlock, task.speedLimit}),
                 (std::array{4096, 5, 5000, 5000, 10000, 1000, 10240, 0}));
        QVERIFY(task.eventRoutine);
    }

    void progressPercent_data()
    {
        QTest::addColumn<double>("done");
        QTest::addColumn<double>("total");
        QTest::addColumn<int>("percent");
        QTest::newRow("nothing yet") << 0.0 << 1000.0 << 0;
        QTest::newRow("all") << 1000.0 << 1000.0 << 100;
        QTest::newRow("0.5 rounds up") << 5.0 << 1000.0 << 1;
        QTest::newRow("99.4 rounds down") << 994.0 << 1000.0 << 99;
        QTest::newRow("99.5 rounds up") << 995.0 << 1000.0 << 100;
        QTest::newRow("total unknown") << 4096.0 << 0.0 << 0;
        QTest::newRow("more than the total") << 1500.0 << 1000.0 << 100;
    }

    void progressPercent()
    {
        QFETCH(double, done);
        QFETCH(double, total);
        QFETCH(int, percent);
        QCOMPARE(::progressPercent(done, total), percent);
    }

    // The new program lands beside the old one under the numbered name, and that file is started,
    // after the unsaved-script guard, when the guard lets the program end.
    void completionStartsTheFileWritten_data()
    {
        QTest::addColumn<bool>("mayEnd");
        QTest::newRow("guard lets the program end") << true;
        QTest::newRow("guard keeps the program") << false;
    }

    void completionStartsTheFileWritten()
    {
        QFETCH(bool, mayEnd);
        QTemporaryDir served, local, marks;
        const QString marker = marks.filePath(QStringLiteral("ran"));
        QVERIFY(QDir(served.path()).mkpath(QStringLiteral("vxmr")));
        QByteArray program = newProgram(marker);
        program += "# " + QByteArray(300 * 1024, 'x') + '\n'; // large enough for several connections
        QVERIFY(writeFile(served.filePath(QStringLiteral("vxmr/") + ProgramName), program));
        NginxServer nginx(served.path());
        QVERIFY2(nginx.start(), qPrintable(nginx.errorString()));
        setCurrentSite(Site::fromBaseAddress(nginx.baseAddress()));
        QVERIFY(writeFile(local.filePath(ProgramName), "the running program"));
        QVERIFY(QDir::setCurrent(local.path()));

        QStringList steps;
        UpdateSession session{std::string()};
        session.setHooks({[&] { steps << "guard"; return mayEnd; }, [&] { steps << "end"; }, {}});
        ModalAnswerer answerer(QStringList{"Ok"});
        answerer.leaveAlone(ProgressWindowTitle);
        openProgressWindow(session);

        QCOMPARE(answerer.seen(), QStringList{QStringLiteral("提示|下载完成    |Information|Ok")});
        QCOMPARE(answerer.unexpected(), 0);
        const QString written = local.filePath(QStringLiteral("燧川脚本编辑器(1).exe"));
        QCOMPARE(readFile(written), program);
        QCOMPARE(readFile(local.filePath(ProgramName)), QByteArray("the running program"));
        if (mayEnd) {
            QCOMPARE(steps, (QStringList{"guard", "end"}));
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker), 5000);
            QTRY_COMPARE(readFile(marker).trimmed(), written.toUtf8());
        } else {
            QCOMPARE(steps, QStringList{"guard"});
            QTest::qWait(300);
            QVERIFY(!QFile::exists(marker));
        }
    }

    void failedDownloadSaysSoAndStartsNothing()
    {
        QTemporaryDir served, local;
        NginxServer nginx(served.path()); // no program there: 404
        QVERIFY2(nginx.start(), qPrintable(nginx.errorString()));
        setCurrentSite(Site::fromBaseAddress(nginx.baseAddress()));
        QVERIFY(QDir::setCurrent(local.path()));

        QStringList steps;
        QString started;
        UpdateSession session{std::string()};
        session.setHooks({[&] { steps << "guard"; return true; }, [&] { steps << "end"; },
                          [&](const QString &path, QString *) { started = path; return true; }});
        ModalAnswerer answerer(QStringList{"Ok"});
        answerer.leaveAlone(ProgressWindowTitle);
        openProgressWindow(session);

        const QStringList seen = answerer.seen();
        QCOMPARE(seen.size(), 1);
        QVERIFY2(seen.last().startsWith(QStringLiteral("提示|新版本下载失败")), qPrintable(seen.last()));
        QVERIFY2(seen.last().contains(u"404"), qPrintable(seen.last()));
        QCOMPARE(answerer.unexpected(), 0);
        QVERIFY(steps.isEmpty());
        QVERIFY(started.isEmpty());
        QCOMPARE(QDir(local.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void progressWindowAndItsCancelButton()
    {
        StalledUpdate update;
        QVERIFY(update.start());
        UpdateSession &session = *update.session;

        QElapsedTimer sinceCancel;
        ModalAnswerer answerer({ModalAnswerer::Action([&](QWidget *modal) {
            auto *window = qobject_cast<ProgressWindow *>(modal);
            QVERIFY(window);
            QCOMPARE(window->windowTitle(), QStringLiteral("自动更新"));
            QCOMPARE(window->frameGeometry().size(), QSize(428, 81)); // outer size, frame included
            QCOMPARE(window->minimumSize(), window->maximumSize());
            QVERIFY(!(window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
            auto *bar = window->findChild<QProgressBar *>(QStringLiteral("进度条1"));
            auto *cancel = window->findChild<QPushButton *>(QStringLiteral("取消更新"));
            auto *timer = window->findChild<QTimer *>(QStringLiteral("时钟"));
            QVERIFY(bar && cancel && timer);
            QCOMPARE(bar->geometry(), QRect(8, 8, 408, 16));
            QCOMPARE((std::pair{bar->minimum(), bar->maximum()}), (std::pair{0, 100}));
            QCOMPARE(cancel->geometry(), QRect(136, 24, 128, 24));
            QCOMPARE(cancel->text(), QStringLiteral("取消更新"));
            QCOMPARE(timer->interval(), 1000);
            QVERIFY(timer->isActive());
            // Part of the file arrives, then the server stalls: the bar moves on a tick, then stays.
            QTRY_VERIFY_WITH_TIMEOUT(bar->value() > 0 && bar->value() < 100, 5000);
            sinceCancel.start();
            cancel->click();
        })});
        openProgressWindow(session);

        QVERIFY(sinceCancel.isValid());
        QVERIFY2(sinceCancel.elapsed() <= 1000 + 300, qPrintable(QString::number(sinceCancel.elapsed())));
        QVERIFY(!session.handle().holdsTask());
        QTest::qWait(500); // the stopped task's late end must bring nothing
        QCOMPARE(answerer.seen(), QStringList{ProgressWindowTitle});
        QCOMPARE(answerer.unexpected(), 0);
        QVERIFY(update.steps.isEmpty());
        QCOMPARE(update.localFiles(), QStringList());
    }

    void exitDuringDownloadShowsAndStartsNothing()
    {
        StalledUpdate update;
        QVERIFY(update.start());
        std::unique_ptr<UpdateSession> &session = update.session;
        ModalAnswerer answerer(QStringList{});
        answerer.leaveAlone(ProgressWindowTitle);
        auto window = std::make_unique<ProgressWindow>(*session);
        window->show();
        QTRY_VERIFY_WITH_TIMEOUT(session->totalSize() > 0 && session->handle().doneLength() > 0, 5000);

        QElapsedTimer clock;
        clock.start();
        session->exitCleanup();
        QVERIFY2(clock.elapsed() <= session->task().stopWait + 300, qPrintable(QString::number(clock.elapsed())));
        QTest::qWait(500);
        window.reset();
        session.reset();
        QCoreApplication::processEvents();
        QCOMPARE(answerer.seen(), QStringList());
        QCOMPARE(answerer.unexpected(), 0);
        QVERIFY(update.steps.isEmpty());
        QCOMPARE(update.localFiles(), QStringList());
    }

private:
    QString m_previousFolder;
};

QTEST_MAIN(TestUpdate)
#include "test_update.moc"
