// The three information windows, opened over a main window and answered as a user would.
#include "app/site.h"
#include "editor/aboutwindow.h"
#include "editor/authorwindow.h"
#include "editor/historytext.h"
#include "editor/historywindow.h"
#include "editor/hyperlinkbox.h"
#include "editor/modalwindow.h"

#include "modalanswerer.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include <functional>

namespace {

using Opener = void (*)(QWidget *);
using Act = std::function<void(QDialog *)>;

// Opens a window with `open` and, once it is up, hands it to `act`; whatever `act` leaves open is
// closed, so that a failing check never leaves the test waiting in the window's event loop.
void openAndAct(Opener open, QWidget *mainWindow, const Act &act)
{
    bool acted = false;
    ModalAnswerer answerer({ModalAnswerer::Action([&](QWidget *window) {
        acted = true;
        act(qobject_cast<QDialog *>(window));
        if (QWidget *stillOpen = QApplication::activeModalWidget())
            stillOpen->close();
    })});
    open(mainWindow);
    QVERIFY(acted);
}

// Clicks through the window system, where a modal window blocks the windows beneath it (QTest's
// widget overload would deliver the click straight to the widget).
void clickAsUser(QWidget *widget)
{
    QWidget *top = widget->window();
    const QPoint centre = widget->mapTo(top, widget->rect().center());
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {}, centre);
}

// Receives what the program hands to the browser.
class BrowserStandIn : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void openUrl(const QUrl &url) { opened << url; }
};

} // namespace

Q_DECLARE_METATYPE(Opener)

class TestInfoWindows : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void historyText();
    void frame_data();
    void frame();
    void historyStartsAtFirstLineAndCannotBeChanged();
    void authorOkClosesAndMainWindowTakesInputAgain();
    void aboutLinkOpensSiteHost();

private:
    BrowserStandIn browser;
    QWidget *mainWindow = nullptr;
    QPushButton *mainButton = nullptr;
    int mainButtonClicks = 0;
};

void TestInfoWindows::initTestCase()
{
    // A reserved name that never resolves; the browser is this test's own receiver.
    setCurrentSite(Site::fromBaseAddress(QStringLiteral("http://www.suichuan.test")));
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &browser, "openUrl");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "openUrl");
}

void TestInfoWindows::cleanupTestCase()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
}

void TestInfoWindows::init()
{
    mainWindow = new QWidget;
    mainWindow->setWindowTitle(QStringLiteral("main"));
    mainButton = new QPushButton(QStringLiteral("main"), mainWindow);
    mainButtonClicks = 0;
    connect(mainButton, &QPushButton::clicked, this, [this] { ++mainButtonClicks; });
    mainWindow->resize(200, 100);
    mainWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(mainWindow));
}

void TestInfoWindows::cleanup()
{
    delete mainWindow;
    mainWindow = nullptr;
    browser.opened.clear();
}

void TestInfoWindows::historyText()
{
    const QString text = updateHistoryText(QStringLiteral("example.com"));
    QVERIFY(!text.endsWith(u'\n'));
    QCOMPARE(text.count(u'\n'), text.count(QStringLiteral("\r\n")));
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 42);
    QCOMPARE(lines.first(), QStringLiteral("燧川脚本工具版本更新历史"));
    QCOMPARE(lines.last(), QStringLiteral("以后我会推出更新的版本example.com"));

    // Every line between the heading and the closing line is empty, a version heading or a dated entry.
    const QList<int> emptyLines{2, 9, 18, 19, 24, 25, 36, 41};
    const QList<int> headings{3, 10, 20, 26, 37};
    const QRegularExpression dated(QStringLiteral("^201[01]年1?[0-9]月[0-9]{1,2}日：\\S"));
    QStringList versions;
    for (int number = 2; number <= 41; ++number) {
        const QString &line = lines[number - 1];
        if (emptyLines.contains(number))
            QVERIFY2(line.isEmpty(), qPrintable(QString::number(number)));
        else if (headings.contains(number))
            versions << line;
        else
            QVERIFY2(dated.match(line).hasMatch(), qPrintable(QString::number(number) + u' ' + line));
    }
    QCOMPARE(versions, (QStringList{u"V1.0版本："_qs, u"V1.1版本："_qs, u"V1.2版本："_qs, u"V1.3版本："_qs,
                                    u"V1.4版本："_qs}));
}

void TestInfoWindows::frame_data()
{
    QTest::addColumn<Opener>("open");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QSize>("outerSize");
    QTest::newRow("about") << Opener(openAboutWindow) << u"关于本软件"_qs << QSize(380, 250);
    QTest::newRow("author") << Opener(openAuthorWindow) << u"关于作者信息"_qs << QSize(306, 170);
    QTest::newRow("history") << Opener(openHistoryWindow) << u"更新版本历史"_qs << QSize(330, 194);
}

void TestInfoWindows::frame()
{
    QFETCH(Opener, open);
    QFETCH(QString, title);
    QFETCH(QSize, outerSize);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();

    openAndAct(open, mainWindow, [&](QDialog *window) {
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), title);
        QCOMPARE(window->parentWidget(), mainWindow);
        QCOMPARE(window->windowModality(), Qt::ApplicationModal);
        // The outer size is the layout's, whatever frame the window system draws.
        QCOMPARE(window->frameGeometry().size(), outerSize);
        QCOMPARE(window->minimumSize(), window->maximumSize());
        const Qt::WindowFlags flags = window->windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(window->frameGeometry().topLeft(), QPoint((screen.width() - outerSize.width()) / 2,
                                       (screen.height() - outerSize.height()) / 2));
        // Nothing of the layout reaches past the window's edge.
        for (const QWidget *child : window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            QVERIFY2(window->rect().contains(child->geometry()), qPrintable(child->objectName()));
        window->close(); // the close button
    });
    // Closed means gone: the next opening builds the window anew.
    QVERIFY(mainWindow->findChildren<QDialog *>().isEmpty());
}

void TestInfoWindows::historyStartsAtFirstLineAndCannotBeChanged()
{
    for (int opening = 1; opening <= 2; ++opening) {
        openAndAct(openHistoryWindow, mainWindow, [&](QDialog *window) {
            auto *box = window->findChild<QPlainTextEdit *>(u"编辑框1"_qs);
            QVERIFY(box);
            QCOMPARE(box->toPlainText(), updateHistoryText(currentSite().domain).replace(u"\r\n"_qs, u"\n"_qs));
            QCOMPARE(box->verticalScrollBar()->value(), 0);
            QCOMPARE(box->cursorForPosition(QPoint(0, 0)).blockNumber(), 0); // the first line at the top
            QVERIFY(box->verticalScrollBar()->maximum() > 0); // the history is longer than the box

            box->setFocus();
            QTest::keyClicks(box, QStringLiteral("X"));
            QTest::keyClick(box, Qt::Key_Delete);
            QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);
            QCOMPARE(box->toPlainText(), updateHistoryText(currentSite().domain).replace(u"\r\n"_qs, u"\n"_qs));
            // The user scrolls away; the next opening must start at the top again.
            box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
            QVERIFY(box->verticalScrollBar()->value() > 0);
        });
    }
}

void TestInfoWindows::authorOkClosesAndMainWindowTakesInputAgain()
{
    openAndAct(openAuthorWindow, mainWindow, [&](QDialog *window) {
        auto *label = window->findChild<QLabel *>(u"标签1"_qs);
        QVERIFY(label);
        QCOMPARE(label->text(), u"软件下载\r\n\r\n网站：www.suichuan.test\r\n"_qs);
        auto *ok = window->findChild<QPushButton *>(u"按钮1"_qs);
        QVERIFY(ok);
        QCOMPARE(ok->text(), u"确定"_qs);
        QVERIFY(!ok->icon().isNull());

        clickAsUser(mainButton); // blocked while the window is open
        QCOMPARE(mainButtonClicks, 0);
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(!window->isVisible());
    });
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    clickAsUser(mainButton);
    QCOMPARE(mainButtonClicks, 1);
}

void TestInfoWindows::aboutLinkOpensSiteHost()
{
    openAndAct(openAboutWindow, mainWindow, [&](QDialog *window) {
        auto *label = window->findChild<QLabel *>(u"标签1"_qs);
        QVERIFY(label);
        QCOMPARE(label->text(), u"软件名称：燧川脚本编辑器\r\n\r\n软件版本：V1.3版\r\n\r\n更新日期：2010/12/25日"
                                u"\r\n\r\n下载网站：www.suichuan.test\r\n"_qs);
        auto *link = window->findChild<HyperlinkBox *>(u"超级链接框1"_qs);
        QVERIFY(link);
        QCOMPARE(link->text(), u"访问官方网站"_qs);
        QCOMPARE(link->linkAddress(), u"www.suichuan.test"_qs);
        QCOMPARE(link->currentColour(), QColor(255, 0, 0));

        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(browser.opened, QList<QUrl>{QUrl(u"http://www.suichuan.test"_qs)});
        QCOMPARE(link->currentColour(), QColor(128, 0, 0));
    });
}

QTEST_MAIN(TestInfoWindows)
#include "test_infowindows.moc"
