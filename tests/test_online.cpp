// The version checks, the update windows and the notice text, against a real nginx on loopback,
// with every message box and window answered as a user would.
#include "app/site.h"
#include "editor/hyperlinkbox.h"
#include "editor/noticeticker.h"
#include "online/onlineupdatewindow.h"
#include "online/updateprompt.h"
#include "online/version.h"
#include "online/versioncheck.h"
#include "platform/gbkcodec.h"
#include "platform/windowframe.h"

#include "faultserver.h"
#include "modalanswerer.h"
#include "nginxserver.h"
#include "testfiles.h"

#include <QDesktopServices>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QGroupBox>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

const QString kAskNewVersion = QStringLiteral("信息：|发现最新版本 是否下载？|Question|Yes,No");
const QString kAskSite = QStringLiteral("您放弃了自动下载|是否打开官网？|Question|Yes,No");
const QString kWarnNotLatest = QStringLiteral("信息：|当前不为最新版本 可能会导致非法！|Information|Ok");
const QString kPrompt = QStringLiteral("是否更新");

QString onlineWindowSeen(const QString &label1)
{
    return QStringLiteral("在线更新窗口|标签2=当前版本：|标签1=") + label1;
}

// A folder served by its own nginx, holding vxmr/gx.txt and vxmr/up.txt when given.
struct UpdateServer {
    QTemporaryDir root;
    std::unique_ptr<NginxServer> nginx;

    bool start(const QByteArray &version, const QByteArray &notice = {}, const QString &extra = {})
    {
        if (!root.isValid() || !QDir(root.path()).mkpath(QStringLiteral("vxmr")))
            return false;
        if (!version.isNull() && !writeFile(root.filePath(QStringLiteral("vxmr/gx.txt")), version))
            return false;
        if (!notice.isNull() && !writeFile(root.filePath(QStringLiteral("vxmr/up.txt")), notice))
            return false;
        nginx = std::make_unique<NginxServer>(root.path(), extra);
        return nginx->start();
    }
};

void useServer(const QString &baseAddress) { setCurrentSite(Site::fromBaseAddress(baseAddress)); }

} // namespace

// Stands in for the user's browser by the desktop's own hand-over: Qt gives it every http address.
class Browser : public QObject
{
    Q_OBJECT
public:
    QStringList opened;
public slots:
    void open(const QUrl &url) { opened << url.toString(); }
};

class TestOnline : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void startupCheck_data();
    void startupCheck();
    void onlineWindow_data();
    void onlineWindow();
    void failedFetchIsNoNewVersion_data();
    void failedFetchIsNoNewVersion();
    void startupShowsTheNotice();
    void updatePromptLayout();
    void onlineWindowLayout();

private:
    Browser m_browser;
    int m_endCalls = 0;
    int m_progressCalls = 0;
    VersionCheckHooks hooks()
    {
        return {[this] { ++m_progressCalls; }, [this] { ++m_endCalls; }};
    }
};

void TestOnline::initTestCase()
{
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &m_browser, "open");
}

void TestOnline::cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("http")); }

void TestOnline::init()
{
    m_browser.opened.clear();
    m_endCalls = 0;
    m_progressCalls = 0;
}

void TestOnline::startupCheck_data()
{
    QTest::addColumn<QByteArray>("version");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("dialogue");
    QTest::addColumn<QString>("label4");
    QTest::addColumn<bool>("programEnds");
    QTest::addColumn<int>("progressWindows");
    QTest::addColumn<bool>("siteOpened");

    const QString latest = QStringLiteral("当前为最新版本");
    QTest::newRow("same version") << QByteArray("V1.5") << QStringList() << QStringList() << latest << false << 0 << false;
    QTest::newRow("text ends at the zero byte")
        << QByteArray("V1.5\0trailing", 13) << QStringList() << QStringList() << latest << false << 0 << false;
    QTest::newRow("line break after the name, no and no")
        << QByteArray("V1.5\r\n") << QStringList{"No", "No", "Ok"} << QStringList{kAskNewVersion, kAskSite, kWarnNotLatest}
        << QStringLiteral("V1.5\r\n") << false << 0 << false;
    QTest::newRow("small v, no and no")
        << QByteArray("v1.5") << QStringList{"No", "No", "Ok"} << QStringList{kAskNewVersion, kAskSite, kWarnNotLatest}
        << QStringLiteral("v1.5") << false << 0 << false;
    const QByteArray binary("\xff\x80V1.5\x01\xc4\xe3", 9);
    QTest::newRow("binary bytes, no and no")
        << binary << QStringList{"No", "No", "Ok"} << QStringList{kAskNewVersion, kAskSite, kWarnNotLatest}
        << gbk::decode(binary) << false << 0 << false;
    QTest::newRow("yes, then cancel the update")
        << QByteArray("V1.6") << QStringList{"Yes", "click:按钮1"} << QStringList{kAskNewVersion, kPrompt}
        << QStringLiteral("V1.6") << true << 0 << false;
    QTest::newRow("yes, update now, then close the prompt")
        << QByteArray("V1.6") << QStringList{"Yes", "click:按钮", "close"} << QStringList{kAskNewVersion, kPrompt, kPrompt}
        << QStringLiteral("V1.6") << true << 1 << false;
    QTest::newRow("no, then open the site")
        << QByteArray("V1.6") << QStringList{"No", "Yes"} << QStringList{kAskNewVersion, kAskSite}
        << QStringLiteral("V1.6") << true << 0 << true;
}

void TestOnline::startupCheck()
{
    QFETCH(QByteArray, version);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, dialogue);
    QFETCH(QString, label4);
    QFETCH(bool, programEnds);
    QFETCH(int, progressWindows);
    QFETCH(bool, siteOpened);

    UpdateServer server;
    QVERIFY2(server.start(version), qPrintable(server.nginx ? server.nginx->errorString() : QString()));
    useServer(server.nginx->baseAddress());

    QLabel label(QStringLiteral("V1.4"));
    ModalAnswerer answerer(answers);
    const CheckOutcome outcome = runStartupVersionCheck(&label, hooks());

    QCOMPARE(answerer.seen(), dialogue);
    QCOMPARE(answerer.unexpected(), 0);
    QCOMPARE(answerer.actionsLeft(), 0);
    QCOMPARE(label.text(), label4);
    // What the label shows is the fetched text, byte for byte (binary bytes included).
    if (label.text() != u"当前为最新版本")
        QCOMPARE(gbk::encode(label.text()), version);
    QCOMPARE(outcome == CheckOutcome::ProgramEnds, programEnds);
    QCOMPARE(m_endCalls, programEnds ? 1 : 0);
    QCOMPARE(m_progressCalls, progressWindows);
    QCOMPARE(m_browser.opened, siteOpened ? QStringList{server.nginx->baseAddress() + u'/'} : QStringList());
}

void TestOnline::onlineWindow_data()
{
    QTest::addColumn<QByteArray>("version"); // null: the server is down
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("seen");
    QTest::addColumn<bool>("programEnds");
    QTest::addColumn<bool>("siteOpened");

    QTest::newRow("server names the window's own version")
        << QByteArray("V1.4") << QStringList{"close"} << QStringList{onlineWindowSeen(QStringLiteral("当前为最新版本"))}
        << false << false;
    QTest::newRow("newer version, no and no")
        << QByteArray("V1.5") << QStringList{"No", "No", "Ok", "close"}
        << QStringList{kAskNewVersion, kAskSite, kWarnNotLatest, onlineWindowSeen(QStringLiteral("V1.5"))} << false << false;
    QTest::newRow("newer version, no, then open the site")
        << QByteArray("V1.5") << QStringList{"No", "Yes"} << QStringList{kAskNewVersion, kAskSite} << true << true;
    QTest::newRow("newer version, yes, cancel the update")
        << QByteArray("V1.5") << QStringList{"Yes", "click:按钮1"} << QStringList{kAskNewVersion, kPrompt} << true << false;
    QTest::newRow("server down")
        << QByteArray() << QStringList{"Ok", "close"}
        << QStringList{QStringLiteral("信息：|版本检查失败：无法连接服务器|Information|Ok"), onlineWindowSeen(QStringLiteral("检查失败"))}
        << false << false;
}

void TestOnline::onlineWindow()
{
    QFETCH(QByteArray, version);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, seen);
    QFETCH(bool, programEnds);
    QFETCH(bool, siteOpened);

    UpdateServer server;
    if (version.isNull()) {
        useServer(QStringLiteral("http://127.0.0.1:%1").arg(FaultServer::closedPort()));
    } else {
        QVERIFY2(server.start(version), qPrintable(server.nginx ? server.nginx->errorString() : QString()));
        useServer(server.nginx->baseAddress());
    }

    ModalAnswerer answerer(answers);
    const CheckOutcome outcome = openOnlineUpdateWindow(hooks());

    QCOMPARE(answerer.seen(), seen);
    QCOMPARE(answerer.unexpected(), 0);
    QCOMPARE(answerer.actionsLeft(), 0);
    QCOMPARE(outcome == CheckOutcome::ProgramEnds, programEnds);
    QCOMPARE(m_endCalls, programEnds ? 1 : 0);
    // The online window's home page is the base address itself, without the trailing "/".
    QCOMPARE(m_browser.opened, siteOpened ? QStringList{currentSite().baseAddress} : QStringList());
}

void TestOnline::failedFetchIsNoNewVersion_data()
{
    QTest::addColumn<QString>("server"); // "nginx", "refused", "silent"
    QTest::addColumn<QByteArray>("version"); // null: no such file
    QTest::addColumn<QString>("nginxExtra");

    QTest::newRow("connection refused") << "refused" << QByteArray() << QString();
    QTest::newRow("accepts and never answers") << "silent" << QByteArray() << QString();
    QTest::newRow("404 with html body") << "nginx" << QByteArray() << QString();
    QTest::newRow("500 with html body")
        << "nginx" << QByteArray("V1.5")
        << R"(location /vxmr/ { default_type text/html; return 500 "<html><body>500 Internal Server Error</body></html>"; })";
    QTest::newRow("10 MB body") << "nginx" << QByteArray(10 * 1024 * 1024, 'V') << QString();
    QTest::newRow("empty body") << "nginx" << QByteArray("") << QString();
    QTest::newRow("zero byte first") << "nginx" << QByteArray("\0V1.5", 5) << QString();
}

void TestOnline::failedFetchIsNoNewVersion()
{
    QFETCH(QString, server);
    QFETCH(QByteArray, version);
    QFETCH(QString, nginxExtra);

    UpdateServer nginx;
    FaultServer silent({}, FaultServer::Fault::Silent);
    if (server == u"nginx") {
        QVERIFY2(nginx.start(version, version, nginxExtra), qPrintable(nginx.nginx ? nginx.nginx->errorString() : QString()));
        useServer(nginx.nginx->baseAddress());
    } else if (server == u"silent") {
        QVERIFY(silent.start());
        useServer(silent.baseAddress());
    } else {
        useServer(QStringLiteral("http://127.0.0.1:%1").arg(FaultServer::closedPort()));
    }

    // The start-up reads both texts at once: a silent server costs one time-out, not two.
    QElapsedTimer clock;
    clock.start();
    const StartupTexts texts = fetchStartupTexts();
    QVERIFY2(clock.elapsed() < http::kTotalTimeout.count() * 3 / 2, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(!texts.version.ok());
    QVERIFY(!texts.notice.ok());
    QVERIFY(texts.version.text.isEmpty());

    QWidget window;
    QLabel label(QStringLiteral("V1.4"), &window);
    ModalAnswerer answerer(QStringList{});
    QCOMPARE(runStartupVersionCheck(&label, texts.version, hooks()), CheckOutcome::Continue);
    QCoreApplication::processEvents(); // give an unwanted dialogue the chance to show
    QCOMPARE(answerer.seen(), QStringList());
    QCOMPARE(label.text(), QString());
    QVERIFY(!label.toolTip().isEmpty()); // the reason, for whoever looks
    QCOMPARE(m_endCalls, 0);

    // With no notice, the ticker shows the site's address instead.
    auto *box = new HyperlinkBox(&window);
    NoticeTicker ticker(box, &window);
    ticker.startNoticeTicker(texts.notice.text);
    QCOMPARE(box->text(), QString());
    QCOMPARE(box->linkAddress(), currentSite().baseAddress);
    QVERIFY(ticker.timer()->isActive());
}

void TestOnline::startupShowsTheNotice()
{
    const QString notice = QStringLiteral("欢迎使用！今晚八点服务器维护。");
    UpdateServer server;
    QVERIFY(server.start("V1.5", gbk::encode(notice) + QByteArray("\0after the zero byte", 20)));
    useServer(server.nginx->baseAddress());

    const StartupTexts texts = fetchStartupTexts();
    QVERIFY2(texts.notice.ok(), qPrintable(texts.notice.reason));

    QWidget window;
    QLabel label(QStringLiteral("V1.4"), &window);
    ModalAnswerer answerer(QStringList{});
    QCOMPARE(runStartupVersionCheck(&label, texts.version, hooks()), CheckOutcome::Continue);
    QCOMPARE(label.text(), QStringLiteral("当前为最新版本"));

    auto *box = new HyperlinkBox(&window);
    NoticeTicker ticker(box, &window);
    ticker.startNoticeTicker(texts.notice.text);
    QCOMPARE(box->text(), notice);
    QCOMPARE(box->linkKind(), int(HyperlinkBox::WebAddress));
    QCOMPARE(box->webAddress(), server.nginx->baseAddress());
    QCOMPARE(ticker.timer()->interval(), 150);
    QCOMPARE(answerer.seen(), QStringList());
}

namespace {

void checkUpdateWindowFrame(QDialog &window, const QString &title, QSize outer)
{
    QCOMPARE(window.windowTitle(), title);
    QCOMPARE(window.windowModality(), Qt::ApplicationModal);
    QVERIFY(!window.parentWidget());
    const Qt::WindowFlags flags = window.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(window.windowIcon().availableSizes().contains(QSize(128, 128)));
    QCOMPARE(window.windowIcon().availableSizes().size(), 5);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.minimumSize(), window.maximumSize()); // a fixed border
    // The outer size is the layout's (the offscreen platform draws no frame: the nominal one counts).
    const QMargins frame = window.frameGeometry() == window.geometry() ? kNominalFrame : QMargins();
    QCOMPARE(window.frameGeometry().size().grownBy(frame), outer);
    const QRect screen = window.screen()->geometry();
    const QPoint outerCentre = window.frameGeometry().marginsAdded(frame).center();
    QVERIFY(qAbs(outerCentre.x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(outerCentre.y() - screen.center().y()) <= 1);
}

} // namespace

void TestOnline::updatePromptLayout()
{
    UpdatePrompt prompt({});
    checkUpdateWindowFrame(prompt, QStringLiteral("是否更新"), {325, 93});
    struct Expected { const char *name, *caption; QRect geometry; };
    for (const Expected &e : {Expected{"按钮", "马上更新", {40, 16, 64, 24}}, Expected{"按钮1", "取消更新", {168, 16, 80, 24}}}) {
        auto *button = prompt.findChild<QPushButton *>(QString::fromUtf8(e.name));
        QVERIFY(button);
        QCOMPARE(button->text(), QString::fromUtf8(e.caption));
        QCOMPARE(button->geometry(), e.geometry);
    }
}

void TestOnline::onlineWindowLayout()
{
    OnlineUpdateWindow window;
    checkUpdateWindowFrame(window, QStringLiteral("在线更新窗口"), {256, 95});
    auto *group = window.findChild<QGroupBox *>(QStringLiteral("分组框1"));
    QVERIFY(group);
    QCOMPARE(group->geometry(), QRect(8, 13, 229, 34));
    QCOMPARE(group->title(), QString());
    auto *caption = group->findChild<QLabel *>(QStringLiteral("标签2"));
    QVERIFY(caption);
    QCOMPARE(caption->text(), QStringLiteral("当前版本："));
    QCOMPARE(caption->geometry(), QRect(0, 12, 56, 16));
    QCOMPARE(window.versionLabel()->objectName(), QStringLiteral("标签1"));
    QCOMPARE(window.versionLabel()->parentWidget(), group);
    QCOMPARE(window.versionLabel()->geometry(), QRect(70, 12, 150, 16));
}

QTEST_MAIN(TestOnline)
#include "test_online.moc"
