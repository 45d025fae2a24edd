// The category windows: built from their tables at each opening, modal over the main window, and a
// click puts exactly its snippets at the end of the script without touching the rest.
#include "catalogue/catalogue.h"
#include "catalogue/categorywindow.h"
#include "editor/mainwindow.h"
#include "editor/presslabel.h"
#include "editor/scriptbox.h"
#include "editor/tabletext.h"

#include "modalanswerer.h"

#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

namespace {

// Through the window system, as a user clicks: a disabled button, a button hidden under another
// control or a window blocked by a modal one takes nothing (QTest's widget overload would hand the
// event straight to the widget).
void pressAsUser(QWidget *widget, Qt::MouseButton button = Qt::LeftButton)
{
    QWidget *top = widget->window();
    QTest::mousePress(top->windowHandle(), button, {}, widget->mapTo(top, widget->rect().center()));
    QTest::mouseRelease(top->windowHandle(), button, {}, widget->mapTo(top, widget->rect().center()));
}

QPushButton *button(QWidget *window, int number)
{
    return window->findChild<QPushButton *>(QStringLiteral("按钮%1").arg(number));
}

// The rows of pixels that hold the caption's strokes, inside the button's frame.
std::pair<int, int> inkRows(QWidget *widget)
{
    const QImage image = widget->grab().toImage();
    const QRect inside = widget->rect().adjusted(3, 3, -3, -3);
    int first = -1;
    int last = -1;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (QColor(image.pixel(x, y)).lightness() < 100) {
                first = first < 0 ? y : first;
                last = y;
                break;
            }
        }
    }
    return {first, last};
}

} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT
    MainWindow *mainWindow = nullptr;
    ScriptBox *box = nullptr;
    LowerCaseBox *explanation = nullptr;

    // Opens category `index` and hands its window to `act`; the window is closed afterwards as with
    // its close button, whatever `act` did.
    void inCategory(int index, const std::function<void(QDialog *)> &act)
    {
        ModalAnswerer answerer({[&act](QWidget *window) { act(qobject_cast<QDialog *>(window)); },
                                ModalAnswerer::action(QStringLiteral("close"))});
        openCategory(kCatalogue[index], *box, *explanation);
        QCOMPARE(answerer.actionsLeft(), 0);
        QCOMPARE(answerer.unexpected(), 0);
    }

private slots:
    void init();
    void cleanup();

    void windowBuiltFromItsTable_data();
    void windowBuiltFromItsTable();
    void clicksAppendAtTheEnd_data();
    void clicksAppendAtTheEnd();
    void captionsWrapInsideTheirButtons_data();
    void captionsWrapInsideTheirButtons();
    void mainWindowTakesNoInputWhileOpen_data();
    void mainWindowTakesNoInputWhileOpen();
    void labelsOpenTheirWindows_data();
    void labelsOpenTheirWindows();
    void reopeningBuildsAnew();
};

void TestCatalogue::init()
{
    mainWindow = new MainWindow;
    mainWindow->setAttribute(Qt::WA_DeleteOnClose, false);
    openCategoriesFromLabels(*mainWindow);
    mainWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(mainWindow));
    box = mainWindow->scriptBox();
    explanation = mainWindow->explanationBox();
}

void TestCatalogue::cleanup()
{
    delete mainWindow;
    mainWindow = nullptr;
}

void TestCatalogue::windowBuiltFromItsTable_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < int(kCatalogue.size()); ++i)
        QTest::newRow(kCatalogue[i].openingLabel.data()) << i;
}

void TestCatalogue::windowBuiltFromItsTable()
{
    QFETCH(int, index);
    const CommandCategory &category = kCatalogue[index];
    const QSize outer(category.outerWidth, category.outerHeight);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    mainWindow->move(5, 7); // the category window is centred on the screen, not over the main window
    box->setScriptText(QStringLiteral("#if\r\n"));
    explanation->setBoxText(QStringLiteral("说明"));

    inCategory(index, [&](QDialog *window) {
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), fromTable(category.title));
        QCOMPARE(window->parentWidget(), nullptr);
        QCOMPARE(window->windowModality(), Qt::ApplicationModal);
        QCOMPARE(window->frameGeometry().size(), outer);
        QCOMPARE(window->minimumSize(), window->maximumSize()); // a fixed border
        const Qt::WindowFlags flags = window->windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(window->frameGeometry().topLeft(),
                 QPoint((screen.width() - outer.width()) / 2, (screen.height() - outer.height()) / 2));

        QCOMPARE(window->findChildren<QPushButton *>().size(), qsizetype(category.entries.size()));
        for (const CatalogueEntry &entry : category.entries) {
            QPushButton *b = button(window, entry.number);
            QVERIFY2(b, qPrintable(QString::number(entry.number)));
            QCOMPARE(b->geometry(), entry.place);
            QCOMPARE(b->text(), captionText(entry.caption));
            QCOMPARE(b->isEnabled(), !entry.isInert());
            if (entry.isInert())
                pressAsUser(b); // greyed: takes no click
        }
        for (const Decoration &decoration : category.decorations) {
            QWidget *control = window->findChild<QWidget *>(fromTable(decoration.name));
            QVERIFY2(control, decoration.name.data());
            QCOMPARE(control->geometry(), decoration.place);
            if (decoration.kind == Decoration::Kind::GroupBox) {
                QVERIFY(qobject_cast<QGroupBox *>(control));
                QCOMPARE(qobject_cast<QGroupBox *>(control)->title(), fromTable(decoration.caption));
            } else {
                QVERIFY(qobject_cast<QLabel *>(control));
                QCOMPARE(qobject_cast<QLabel *>(control)->text(), captionText(decoration.caption));
            }
        }
    });
    // Neither box changed through an inert button.
    QCOMPARE(box->scriptText(), QStringLiteral("#if\r\n"));
    QCOMPARE(explanation->boxText(), QStringLiteral("说明"));
}

void TestCatalogue::clicksAppendAtTheEnd_data()
{
    QTest::addColumn<QString>("before");      // the script box's text, set as by opening a file
    QTest::addColumn<QString>("typed");       // then typed at its end, so that there is something to undo
    QTest::addColumn<int>("selected");        // then this many characters selected from the start
    QTest::addColumn<int>("category");
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("shown");       // the explanation box afterwards; it held "上一个说明"

    const QString give = QStringLiteral("give 物品名字 数量\r\n");
    const QString giveExplained = QStringLiteral("如：take 圣战戒指 1\r\n");
    QTest::newRow("empty box: the snippet is the whole text")
        << QString() << QString() << 0 << 0 << QList<int>{2} << give << giveExplained;
    QTest::newRow("selection kept, snippet after the last character")
        << QStringLiteral("[@main]\r\n#if\r\n") << QStringLiteral("#act\r") << 7 << 0 << QList<int>{2}
        << QStringLiteral("[@main]\r\n#if\r\n#act\r\n") + give << giveExplained;
    QTest::newRow("text without a final line break is continued")
        << QString() << QStringLiteral("#ACT") << 0 << 0 << QList<int>{11}
        << QStringLiteral("#actchangeexp + 20000\r\n") << QStringLiteral("可用在任务中\r\n根据自己服的情况而设置");
    QTest::newRow("two clicks append twice")
        << QStringLiteral("#act\r\n") << QStringLiteral("x") << 2 << 0 << QList<int>{2, 2}
        << QStringLiteral("#act\r\nx") + give + give << giveExplained;
    QTest::newRow("four snippets in their order, capitals small")
        << QString() << QStringLiteral("a") << 1 << 0 << QList<int>{14}
        << QStringLiteral("aparam1 地图\r\nparam2 x坐标\r\nparam3 y坐标\r\nmongen  怪物名称 数量 时间\r\n")
        << QStringLiteral("mongen  稻草人 20 1\r\n单位分钟，在触发地图随机坐标刷怪");
    QTest::newRow("a button framed by a group box takes the click")
        << QString() << QStringLiteral("#if\r") << 0 << 1 << QList<int>{16}
        << QStringLiteral("#if\r\nclearheroskill\r\n") << QStringLiteral("#if\r\nclearheroskill\r\n#act\r\n");
    QTest::newRow("trigger label and section")
        << QString() << QStringLiteral("\r") << 0 << 2 << QList<int>{17}
        << QStringLiteral("\r\n[@playnglevelup]\r\n#if\r\n") << QStringLiteral("人物内功升级后触发事件\r\n");
    const QString equipment = QStringLiteral(
        "autotakeonitem 物品名字 1\r\nautotakeonitem 衣服名字 0\r\nautotakeonitem 头盔名字 4\r\n"
        "autotakeonitem 项链名字 3\r\nautotakeonitem 戒指名字 7\r\nautotakeonitem 戒指名字 8\r\n"
        "autotakeonitem 手镯名字 5\r\nautotakeonitem 手镯名字 6\r\nautotakeonitem 勋章名字 2\r\n"
        "autotakeonitem 符文之类 9\r\nautotakeonitem 腰带名字 10\r\nautotakeonitem 鞋子之类 11\r\n"
        "autotakeonitem 宝石之类 12\r\n");
    QTest::newRow("no explanation: the last one stays on view")
        << QString() << QStringLiteral("[@main]\r") << 0 << 2 << QList<int>{21}
        << QStringLiteral("[@main]\r\n") + equipment << QStringLiteral("上一个说明");
    QTest::newRow("after an explanation, none keeps it")
        << QString() << QString() << 0 << 2 << QList<int>{17, 21}
        << QStringLiteral("[@playnglevelup]\r\n#if\r\n") + equipment << QStringLiteral("人物内功升级后触发事件\r\n");
    QString longScript;
    for (int i = 0; i < 400; ++i)
        longScript += QStringLiteral("#say 第%1行\r\n").arg(i);
    QTest::newRow("a long script scrolls to its new end")
        << longScript << QStringLiteral("break") << 10 << 0 << QList<int>{2}
        << longScript + QStringLiteral("break") + give << giveExplained;
}

void TestCatalogue::clicksAppendAtTheEnd()
{
    QFETCH(QString, before);
    QFETCH(QString, typed);
    QFETCH(int, selected);
    QFETCH(int, category);
    QFETCH(QList<int>, clicks);
    QFETCH(QString, after);
    QFETCH(QString, shown);

    box->setScriptText(before);
    explanation->setBoxText(QStringLiteral("上一个说明"));
    box->moveCursor(QTextCursor::End);
    box->setFocus();
    QTest::keyClicks(box, typed); // "\r" is Enter
    QTextCursor selection = box->textCursor();
    selection.setPosition(0);
    selection.setPosition(selected, QTextCursor::KeepAnchor);
    box->setTextCursor(selection);
    box->verticalScrollBar()->setValue(0);

    inCategory(category, [&](QDialog *window) {
        for (int number : clicks)
            pressAsUser(button(window, number));
    });

    QCOMPARE(box->scriptText(), after);
    QCOMPARE(explanation->boxText(), shown);
    // The caret stands after the snippet, nothing selected, and the box shows it.
    const QTextCursor caret = box->textCursor();
    QVERIFY(!caret.hasSelection());
    QVERIFY(caret.atEnd());
    QVERIFY(box->viewport()->rect().contains(box->cursorRect()));
    // Undo restores nothing: neither the snippet nor what was typed before.
    QVERIFY(!box->document()->isUndoAvailable());
    box->undo();
    QCOMPARE(box->scriptText(), after);
}

void TestCatalogue::captionsWrapInsideTheirButtons_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("lines");
    QTest::newRow("short caption, one line") << 0 << 2 << 1;           // "给予物品"
    QTest::newRow("line break in the caption") << 0 << 14 << 2;        // "指定地图\r\n刷怪"
    QTest::newRow("caption wider than its button wraps") << 2 << 21 << 2; // "自动换装备代码"
}

void TestCatalogue::captionsWrapInsideTheirButtons()
{
    QFETCH(int, category);
    QFETCH(int, number);
    QFETCH(int, lines);
    inCategory(category, [&](QDialog *window) {
        QPushButton *b = button(window, number);
        QVERIFY(b);
        const auto [first, last] = inkRows(b);
        QVERIFY2(first >= 0, "no caption drawn");
        const int lineSpacing = b->fontMetrics().lineSpacing();
        const int height = last - first + 1;
        QVERIFY2(height > (lines - 1) * lineSpacing && height <= lines * lineSpacing,
                 qPrintable(QStringLiteral("caption %1 pixels high, line spacing %2").arg(height).arg(lineSpacing)));
    });
}

void TestCatalogue::mainWindowTakesNoInputWhileOpen_data()
{
    QTest::addColumn<bool>("enabledBefore");
    QTest::newRow("enabled before: enabled again after") << true;
    QTest::newRow("disabled before: stays disabled") << false;
}

void TestCatalogue::mainWindowTakesNoInputWhileOpen()
{
    QFETCH(bool, enabledBefore);
    mainWindow->setEnabled(enabledBefore);
    box->setScriptText(QStringLiteral("#if\r\n"));

    inCategory(0, [&](QDialog *window) {
        QVERIFY(!mainWindow->isEnabled());
        QVERIFY(!box->isEnabled());
        // A press on another opening label or on a keyword button does nothing.
        pressAsUser(mainWindow->label(u"标签10"));
        pressAsUser(button(mainWindow, 8));
        QCOMPARE(QApplication::activeModalWidget(), window);
        // The main window still shows what a click appends.
        pressAsUser(button(window, 2));
        QCOMPARE(box->scriptText(), QStringLiteral("#if\r\ngive 物品名字 数量\r\n"));
    });
    QCOMPARE(mainWindow->isEnabled(), enabledBefore);
    QCOMPARE(box->isEnabled(), enabledBefore);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

void TestCatalogue::labelsOpenTheirWindows_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("title");
    QTest::newRow("标签9") << QStringLiteral("标签9") << QStringLiteral("执行脚本命令代码");
    QTest::newRow("标签10") << QStringLiteral("标签10") << QStringLiteral("合计版脚本命令");
    QTest::newRow("标签11") << QStringLiteral("标签11") << QStringLiteral("触发脚本命令代码");
    QTest::newRow("标签12") << QStringLiteral("标签12") << QStringLiteral("判断脚本命令代码");
    QTest::newRow("标签13") << QStringLiteral("标签13") << QStringLiteral("信息提示");
    QTest::newRow("标签14") << QStringLiteral("标签14") << QStringLiteral("经典脚本和介绍");
}

void TestCatalogue::labelsOpenTheirWindows()
{
    QFETCH(QString, label);
    QFETCH(QString, title);
    PressLabel *opener = mainWindow->label(label);
    QVERIFY(opener);
    {
        // The right button opens nothing: a window would be closed as unexpected.
        ModalAnswerer answerer(QStringList{});
        pressAsUser(opener, Qt::RightButton);
        QCOMPARE(answerer.unexpected(), 0);
    }
    ModalAnswerer answerer(QStringList{QStringLiteral("close")});
    QTest::mousePress(mainWindow->windowHandle(), Qt::LeftButton, {},
                      opener->mapTo(mainWindow, opener->rect().center()));
    // The press alone opened the window; it was closed before the press returned.
    QCOMPARE(answerer.actionsLeft(), 0);
    QCOMPARE(answerer.seen().value(0).section(u'|', 0, 0), title);
    QTest::mouseRelease(mainWindow->windowHandle(), Qt::LeftButton, {},
                        opener->mapTo(mainWindow, opener->rect().center()));
    QVERIFY(mainWindow->isEnabled());
}

void TestCatalogue::reopeningBuildsAnew()
{
    inCategory(0, [&](QDialog *window) {
        window->setProperty("opening", 1);
        button(window, 2)->setText(QStringLiteral("改了"));
        button(window, 3)->setEnabled(false);
        delete button(window, 4);
    });
    // Closed means destroyed.
    for (QWidget *top : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<QDialog *>(top));

    inCategory(0, [&](QDialog *window) {
        QVERIFY(!window->property("opening").isValid());
        QCOMPARE(button(window, 2)->text(), QStringLiteral("给予物品"));
        QVERIFY(button(window, 3)->isEnabled());
        QVERIFY(button(window, 4));
    });
}

QTEST_MAIN(TestCatalogue)
#include "test_catalogue.moc"
