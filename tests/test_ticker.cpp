// The notice ticker, the hyperlink box it is made of, and the clock.
#include "app/site.h"
#include "editor/clockdisplay.h"
#include "editor/clocktext.h"
#include "editor/hyperlinkbox.h"
#include "editor/noticeticker.h"
#include "editor/tickermotion.h"

#include <QDesktopServices>
#include <QEnterEvent>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QTimer>

// Receives the addresses the desktop is asked to open, in place of a browser.
class Browser : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

class TestTicker : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void clockText_data();
    void clockText();
    void clockTicks();
    void tickerPositions_data();
    void tickerPositions();
    void tickerFollowsAMovedWindow();
    void coloursStayWithinTheirBounds();
    void linkKindIsClamped_data();
    void linkKindIsClamped();
    void colourOfTheMoment();
    void drawsTextCentredOnOneLine();
    void drawsTheAddressWhenTextIsEmpty();

private:
    Browser m_browser;
};

void TestTicker::initTestCase()
{
    for (const char *scheme : {"http", "mailto"})
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &m_browser, "open");
}

void TestTicker::cleanupTestCase()
{
    for (const char *scheme : {"http", "mailto"})
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
}

void TestTicker::clockText_data()
{
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<QString>("text");
    const QDate march5(2011, 3, 5);
    const auto row = [](const char *name, QDate date, QTime time, const char *text) {
        QTest::newRow(name) << QDateTime(date, time) << QString::fromUtf8(text);
    };
    row("seconds", march5, {20, 56, 8}, "2011年3月5日20时56分8秒");
    row("whole minute", march5, {20, 5, 0}, "2011年3月5日20时5分");
    row("whole hour", march5, {20, 0, 0}, "2011年3月5日20时");
    row("midnight", march5, {0, 0, 0}, "2011年3月5日");
    row("seconds after midnight", march5, {0, 0, 5}, "2011年3月5日0时0分5秒");
    row("noon", march5, {12, 0, 0}, "2011年3月5日12时");
    row("half a minute after noon", march5, {12, 0, 30}, "2011年3月5日12时0分30秒");
    row("two-digit month and day", QDate(2024, 12, 31), {23, 59, 59}, "2024年12月31日23时59分59秒");
}

void TestTicker::clockText()
{
    QFETCH(QDateTime, moment);
    QFETCH(QString, text);
    QCOMPARE(::clockText(moment), text);
}

void TestTicker::clockTicks()
{
    QLabel label7;
    ClockDisplay clock(&label7);
    QCOMPARE(clock.timer()->objectName(), QStringLiteral("时钟2"));
    QVERIFY(clock.timer()->isActive());
    QCOMPARE(clock.timer()->interval(), 1000);
    QCOMPARE(label7.text(), QString()); // empty until the first tick

    const QDateTime before = QDateTime::currentDateTime();
    QTRY_VERIFY_WITH_TIMEOUT(!label7.text().isEmpty(), 3000);
    const QDateTime after = QDateTime::currentDateTime();
    QStringList possible; // the text of every second the tick may have come in
    for (QDateTime t = before.addMSecs(-before.time().msec()); t <= after; t = t.addSecs(1))
        possible << ::clockText(t);
    QVERIFY2(possible.contains(label7.text()), qPrintable(label7.text() + QStringLiteral(" not in ") + possible.join(u',')));
}

void TestTicker::tickerPositions_data()
{
    QTest::addColumn<int>("windowLeft");
    QTest::addColumn<int>("start");
    QTest::addColumn<QList<int>>("positions"); // after each tick

    QList<int> cycle; // window at 50: 21 positions, never −55
    for (int left = 35; left >= -50; left -= 5)
        cycle << left;
    cycle << 50 << 45 << 40;
    QTest::newRow("window at 50") << 50 << 40 << cycle;
    QTest::newRow("window at 0 comes to rest at 0") << 0 << 12 << QList<int>{7, 2, 0, 0, 0};
    QTest::newRow("window left of the screen rests at its x") << -30 << 40 << QList<int>{35, 30, -30, -30, -30};
}

void TestTicker::tickerPositions()
{
    QFETCH(int, windowLeft);
    QFETCH(int, start);
    QFETCH(QList<int>, positions);
    int left = start;
    QList<int> seen;
    for (qsizetype i = 0; i < positions.size(); ++i)
        seen << (left = nextTickerLeft(left, windowLeft));
    QCOMPARE(seen, positions);
}

void TestTicker::tickerFollowsAMovedWindow()
{
    QWidget window;
    window.resize(618, 683);
    window.move(50, 30);
    auto *box = new HyperlinkBox(&window);
    box->setObjectName(QStringLiteral("超级链接框1"));
    box->setGeometry(40, 2, 1072, 37);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.frameGeometry().x(), 50);

    NoticeTicker ticker(box, &window);
    QCOMPARE(ticker.timer()->objectName(), QStringLiteral("时钟1"));
    ticker.startNoticeTicker(QStringLiteral("通知"));
    QCOMPARE(ticker.timer()->interval(), 150);
    ticker.timer()->stop(); // the ticks are driven by hand below

    TickerColours expectedColours;
    for (int i = 0; i < 18; ++i) { // 40 → −50
        ticker.onTickerTimer();
        QCOMPARE(box->normalColour(), expectedColours.next());
    }
    QCOMPARE(box->left(), -50);
    QCOMPARE(box->y(), 2);

    window.move(20, 30); // from the next tick on, the jump-back point is the window's new x
    ticker.onTickerTimer();
    QCOMPARE(box->left(), 20);
    ticker.onTickerTimer();
    QCOMPARE(box->left(), 15);
}

void TestTicker::coloursStayWithinTheirBounds()
{
    TickerColours colours;
    TickerColours again;
    std::array<int, 3> highest{0, 0, 0};
    for (int i = 0; i < 20000; ++i) {
        const QColor c = colours.next();
        QCOMPARE(again.next(), c); // never seeded: the same sequence in every run
        const std::array<int, 3> parts{c.red(), c.green(), c.blue()};
        for (int p = 0; p < 3; ++p) {
            QVERIFY(parts[p] >= 0 && parts[p] <= kTickerColourBounds[p]);
            highest[p] = std::max(highest[p], parts[p]);
        }
    }
    // Both bounds are included: each upper bound is reached.
    QCOMPARE(highest, kTickerColourBounds);
}

void TestTicker::linkKindIsClamped_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("stored");
    QTest::newRow("5 is a web address") << 5 << 1;
    QTest::newRow("1") << 1 << 1;
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("-3 is an e-mail address") << -3 << 0;
}

void TestTicker::linkKindIsClamped()
{
    QFETCH(int, kind);
    QFETCH(int, stored);
    HyperlinkBox box;
    box.setLinkKind(kind);
    QCOMPARE(box.linkKind(), stored);
}

void TestTicker::colourOfTheMoment()
{
    QWidget window;
    window.resize(400, 200);
    auto *box = new HyperlinkBox(&window);
    box->setGeometry(0, 100, 300, 37); // away from where the pointer rests
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    box->setWebAddress(QStringLiteral("http://127.0.0.1:8631"));
    QCOMPARE(box->currentColour(), QColor(0, 0, 255));
    QCOMPARE(box->hoverColour(), QColor(49, 106, 197));
    QCOMPARE(box->visitedColour(), QColor(128, 0, 0));

    box->setNormalColour(QColor(10, 20, 30));
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(box, &enter);
    QCOMPARE(box->currentColour(), box->hoverColour());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(box, &leave);
    QCOMPARE(box->currentColour(), QColor(10, 20, 30));

    m_browser.opened.clear();
    QTest::mousePress(box, Qt::RightButton);
    QVERIFY(m_browser.opened.isEmpty());
    QVERIFY(!box->isVisited());
    QTest::mousePress(box, Qt::LeftButton);
    QCOMPARE(m_browser.opened, QList<QUrl>{QUrl(QStringLiteral("http://127.0.0.1:8631"))});
    QVERIFY(box->isVisited());
    box->setNormalColour(QColor(200, 0, 200)); // the ticks go on setting it, unseen
    QCOMPARE(box->currentColour(), box->visitedColour());
    QApplication::sendEvent(box, &enter);
    QCOMPARE(box->currentColour(), box->hoverColour()); // hover wins over visited

    box->setLinkKind(0);
    box->setEmailAddress(QStringLiteral("admin@example.com"));
    m_browser.opened.clear();
    QTest::mousePress(box, Qt::LeftButton);
    QCOMPARE(m_browser.opened, QList<QUrl>{QUrl(QStringLiteral("mailto:admin@example.com"))});
}

namespace {

QImage render(HyperlinkBox &box)
{
    QImage image(box.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    box.render(&image, {}, {}, QWidget::DrawChildren);
    return image;
}

// The rectangle of every pixel that is not white.
QRect ink(const QImage &image)
{
    QRect area;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                area |= QRect(x, y, 1, 1);
    return area;
}

} // namespace

void TestTicker::drawsTextCentredOnOneLine()
{
    HyperlinkBox box;
    box.resize(400, 37);
    box.setText(QStringLiteral("通知通知"));
    const QRect shortInk = ink(render(box));
    QVERIFY(!shortInk.isEmpty());
    QVERIFY2(qAbs(shortInk.center().x() - box.rect().center().x()) <= 2, qPrintable(QString::number(shortInk.center().x())));
    QVERIFY2(qAbs(shortInk.center().y() - box.rect().center().y()) <= 3, qPrintable(QString::number(shortInk.center().y())));

    // Text wider than the box stays on one line and runs past both edges, centred.
    box.setText(QString(60, QChar(u'通')));
    const QRect longInk = ink(render(box));
    QCOMPARE(longInk.left(), 0);
    QCOMPARE(longInk.right(), box.width() - 1);
    QVERIFY(longInk.height() <= shortInk.height() + 1);
}

void TestTicker::drawsTheAddressWhenTextIsEmpty()
{
    const QString address = QStringLiteral("http://127.0.0.1:8631");
    HyperlinkBox empty;
    empty.resize(400, 37);
    empty.setLinkKind(5);
    empty.setWebAddress(address);
    HyperlinkBox withText;
    withText.resize(400, 37);
    withText.setText(address);
    const QImage shown = render(empty);
    QVERIFY(!ink(shown).isEmpty());
    QCOMPARE(shown, render(withText));
}

QTEST_MAIN(TestTicker)
#include "test_ticker.moc"
