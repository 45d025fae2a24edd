// The editor core: the script box keeps scripts byte for byte, the file operations never lose a
// script, and the keyword buttons insert exactly their texts.
#include "app/site.h"
#include "editor/keywordtable.h"
#include "editor/mainwindow.h"
#include "editor/presslabel.h"
#include "editor/scriptbox.h"
#include "editor/scriptfileactions.h"
#include "platform/gbkcodec.h"

#include "modalanswerer.h"
#include "testfiles.h"
#include "tmpfsmount.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMenuBar>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Unlike readFile(), an unreadable file never equals an empty script.
QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

QString g(const char *utf8) { return QString::fromUtf8(utf8); }

} // namespace

class TestEditor : public QObject
{
    Q_OBJECT
    MainWindow *window = nullptr;
    ScriptBox *box = nullptr;
    LowerCaseBox *explanation = nullptr;
    ScriptFileActions *files = nullptr;
    std::unique_ptr<QTemporaryDir> dir; // a fresh folder for every test

    QString path(const QString &name) const { return dir->filePath(name); }
    QPushButton *button(int number) const
    {
        return window->findChild<QPushButton *>(QStringLiteral("按钮%1").arg(number));
    }

private slots:
    void init();
    void cleanup();

    void fileRoundTrip_data();
    void fileRoundTrip();
    void everyTwoBytePairThroughTheBox();
    void randomBytesThroughTheBox();
    void lineEndsFollowEdits();
    void capitalsBecomeSmallOnEveryPath_data();
    void capitalsBecomeSmallOnEveryPath();

    void unreadableFileKeepsTheBox_data();
    void unreadableFileKeepsTheBox();
    void failedSaveLeavesTheFile_data();
    void failedSaveLeavesTheFile();
    void zeroByteEndsTheTextAndIsReported();
    void charactersGbkCannotHoldAreNamedAndNothingIsWritten();
    void saveDialogAddsTxtAsksBeforeReplacingAndRemembers();
    void cancelledDialogsChangeNothing();
    void dialogsKeepTheCurrentDirectory();

    void keywordButtons_data();
    void keywordButtons();
    void keywordKeepsTheTextShowsTheStartAndEmptiesUndo();
    void placeholdersAreDisabled();
    void saveLabelAnswersBothMouseButtons();
    void clearEmptiesBothBoxesThenGreets();
    void closingAsksOnlyWhenThereAreUnsavedChanges_data();
    void closingAsksOnlyWhenThereAreUnsavedChanges();
    void layoutTitleAndCaptions();
    void bannerShowsTheSiteThenOpensIt();
};

void TestEditor::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    window = new MainWindow;
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->show();
    box = window->scriptBox();
    explanation = window->explanationBox();
    files = window->fileActions();
}

void TestEditor::cleanup()
{
    box->document()->setModified(false);
    delete window;
    window = nullptr;
}

void TestEditor::fileRoundTrip_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("saved");
    QTest::newRow("gbk") << QByteArray("\xC4\xE3\xBA\xC3\r\n") << QByteArray("\xC4\xE3\xBA\xC3\r\n");
    QTest::newRow("trail bytes A-Z stay, letters go small")
        << QByteArray("\x81\x41\x81\x5A #IF") << QByteArray("\x81\x41\x81\x5A #if");
    QTest::newRow("stray 0x80 and 0xFF") << QByteArray("a\x80\xFFz") << QByteArray("a\x80\xFFz");
    QTest::newRow("lead byte at end") << QByteArray("give\xC4") << QByteArray("give\xC4");
    QTest::newRow("utf-8") << QByteArray("\xE4\xBD\xA0\xE5\xA5\xBD\r\n") << QByteArray("\xE4\xBD\xA0\xE5\xA5\xBD\r\n");
    QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QByteArray("a\r\nb\r\n");
    QTest::newRow("lone lf") << QByteArray("a\nb\n") << QByteArray("a\nb\n");
    QTest::newRow("lone cr") << QByteArray("a\rb\r") << QByteArray("a\rb\r");
    QTest::newRow("all three mixed") << QByteArray("a\r\nb\nc\rd\n\r\n\r\re") << QByteArray("a\r\nb\nc\rd\n\r\n\r\re");
    QTest::newRow("empty") << QByteArray() << QByteArray();
}

void TestEditor::fileRoundTrip()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, saved);
    writeFile(path("in.txt"), bytes);
    QVERIFY(files->openScriptFile(path("in.txt")));
    QVERIFY(files->saveScriptFile(path("out.txt")));
    QCOMPARE(readBytes(path("out.txt")), saved);
    QVERIFY(!files->hasUnsavedChanges());
}

void TestEditor::everyTwoBytePairThroughTheBox()
{
    QByteArray all;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail != 0x7F)
                all.append(char(lead)).append(char(trail)).append("\r\n");
        }
    }
    QCOMPARE(all.size(), 23940 * 4);
    writeFile(path("pairs.txt"), all);
    QVERIFY(files->openScriptFile(path("pairs.txt")));
    QVERIFY(files->saveScriptFile(path("pairs-out.txt")));
    QVERIFY(readBytes(path("pairs-out.txt")) == all);
}

void TestEditor::randomBytesThroughTheBox()
{
    // No zero bytes (a file ends there) and no A-Z (the box makes them small); CR and LF often.
    QRandomGenerator random(42);
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes(int(random.bounded(1, 400)), Qt::Uninitialized);
        for (char &b : bytes) {
            const int roll = int(random.bounded(20));
            b = roll == 0 ? '\r' : roll == 1 ? '\n' : char(random.bounded(1, 256));
            if (b >= 'A' && b <= 'Z')
                b = char(b | 0x80);
        }
        box->setScriptText(gbk::decode(bytes));
        QCOMPARE(gbk::encode(box->scriptText()), bytes);
    }
}

void TestEditor::lineEndsFollowEdits()
{
    box->setScriptText(QStringLiteral("ab\ncd\ref\r\ngh"));
    // Enter in the middle of the line that ends in a lone LF: the new break is "\r\n", the LF
    // stays at the end of what was the line.
    QTextCursor c(box->document());
    c.setPosition(1);
    box->setTextCursor(c);
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(box->scriptText(), QStringLiteral("a\r\nb\ncd\ref\r\ngh"));
    // Joining a line with the next keeps the line end of the next.
    c = box->textCursor();
    c.movePosition(QTextCursor::EndOfBlock);
    c.setPosition(c.position() + 1);
    c.deletePreviousChar(); // the LF line joins the CR line
    QCOMPARE(box->scriptText(), QStringLiteral("a\r\nbcd\ref\r\ngh"));
    // Pasted text, snippets and keywords bring "\r\n" whatever they held.
    box->moveCursor(QTextCursor::End);
    QMimeData paste;
    paste.setText(QStringLiteral("x\ny"));
    QApplication::clipboard()->setMimeData(new QMimeData);
    QApplication::clipboard()->setText(QStringLiteral("x\ny"));
    box->paste();
    box->appendSnippet(u"s\r\n");
    box->appendKeywordLine(u"#if");
    QCOMPARE(box->scriptText(), QStringLiteral("a\r\nbcd\ref\r\nghx\r\nys\r\n\r\n#if"));
    // Shift+Enter makes an ordinary line end too.
    box->moveCursor(QTextCursor::End);
    QTest::keyClick(box, Qt::Key_Return, Qt::ShiftModifier);
    QVERIFY(box->scriptText().endsWith(QStringLiteral("#if\r\n")));
}

void TestEditor::capitalsBecomeSmallOnEveryPath_data()
{
    QTest::addColumn<QString>("path");
    for (const char *p : {"typing", "input method", "paste", "drop", "program", "file", "explanation"})
        QTest::newRow(p) << QString::fromLatin1(p);
}

void TestEditor::capitalsBecomeSmallOnEveryPath()
{
    QFETCH(QString, path);
    const QString capitals = QStringLiteral("#IF Give 圣战戒指");
    const QString small = QStringLiteral("#if give 圣战戒指");
    box->setFocus();
    if (path == u"typing") {
        QTest::keyClicks(box, QStringLiteral("#IF Give "));
        box->insertPlainText(QStringLiteral("圣战戒指")); // Chinese arrives by input method, below
        QCOMPARE(box->scriptText(), small);
    } else if (path == u"input method") {
        QInputMethodEvent commit;
        commit.setCommitString(capitals);
        QApplication::sendEvent(box, &commit);
        QCOMPARE(box->scriptText(), small);
    } else if (path == u"paste") {
        QApplication::clipboard()->setText(capitals);
        box->paste();
        QCOMPARE(box->scriptText(), small);
    } else if (path == u"drop") {
        QMimeData data;
        data.setText(capitals);
        const QPoint at = box->viewport()->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box->viewport(), &enter);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box->viewport(), &drop);
        QCOMPARE(box->scriptText(), small);
    } else if (path == u"program") {
        box->setScriptText(capitals);
        QCOMPARE(box->scriptText(), small);
        box->appendSnippet(u"[@HeroNGLevelUp]\r\n");
        QCOMPARE(box->scriptText(), small + QStringLiteral("[@heronglevelup]\r\n"));
    } else if (path == u"file") {
        writeFile(this->path("caps.txt"), gbk::encode(capitals));
        QVERIFY(files->openScriptFile(this->path("caps.txt")));
        QCOMPARE(box->scriptText(), small);
    } else if (path == u"explanation") {
        explanation->setBoxText(capitals);
        QCOMPARE(explanation->boxText(), small);
    }
}

void TestEditor::unreadableFileKeepsTheBox_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("missing file") << QStringLiteral("missing.txt");
    QTest::newRow("a folder") << QStringLiteral("folder.txt");
}

void TestEditor::unreadableFileKeepsTheBox()
{
    QFETCH(QString, name);
    QDir(dir->path()).mkdir(QStringLiteral("folder.txt"));
    box->setScriptText(QStringLiteral("[@main]\r\n我的脚本"));
    ModalAnswerer answers(QStringList{});
    answers.plan(QStringLiteral("Ok"));
    QVERIFY(!files->openScriptFile(path(name)));
    QVERIFY(answers.finished());
    QCOMPARE(box->scriptText(), QStringLiteral("[@main]\r\n我的脚本"));
    QVERIFY2(answers.seen().value(0).contains(name), qPrintable(answers.seen().join('#')));
}

void TestEditor::failedSaveLeavesTheFile_data()
{
    QTest::addColumn<bool>("readOnly");
    QTest::newRow("read-only folder") << true;
    QTest::newRow("full disk") << false;
}

void TestEditor::failedSaveLeavesTheFile()
{
    QFETCH(bool, readOnly);
    TmpfsMount mount(64 * 1024);
    if (!mount.isMounted())
        QSKIP(qPrintable(QStringLiteral("cannot mount a small tmpfs here: ") + mount.reason()));
    const QString target = mount.path() + QStringLiteral("/script.txt");
    const QByteArray old("old script\r\n");
    QVERIFY(writeFile(target, old));
    if (readOnly) {
        QVERIFY2(mount.remountReadOnly(), qPrintable(mount.reason()));
        box->setScriptText(QStringLiteral("new"));
    } else {
        // Bigger than what is left on the 64 KiB disk.
        box->setScriptText(QString(200 * 1024, u'x'));
    }
    ModalAnswerer answers(QStringList{});
    answers.plan(QStringLiteral("Ok"));
    QVERIFY(!files->saveScriptFile(target));
    QVERIFY(answers.finished());
    QCOMPARE(readBytes(target), old);
    QVERIFY(answers.seen().value(0).contains(QStringLiteral("script.txt")));
    QCOMPARE(QDir(mount.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("script.txt")});
}

void TestEditor::zeroByteEndsTheTextAndIsReported()
{
    writeFile(path("zero.txt"), QByteArray("ab\0cd", 5));
    ModalAnswerer answers(QStringList{});
    answers.plan(QStringLiteral("Ok"));
    QVERIFY(files->openScriptFile(path("zero.txt")));
    QVERIFY(answers.finished());
    QCOMPARE(box->scriptText(), QStringLiteral("ab"));
    QVERIFY(answers.seen().value(0).contains(QStringLiteral("第 3 个字节")));
}

void TestEditor::charactersGbkCannotHoldAreNamedAndNothingIsWritten()
{
    writeFile(path("kept.txt"), "kept");
    box->setScriptText(QStringLiteral("give 😀"));
    ModalAnswerer answers(QStringList{});
    answers.plan(QStringLiteral("Ok"));
    QVERIFY(!files->saveScriptFile(path("kept.txt")));
    QVERIFY(answers.finished());
    QVERIFY(answers.seen().value(0).contains(QStringLiteral("😀")));
    QCOMPARE(readBytes(path("kept.txt")), QByteArray("kept"));
}

void TestEditor::saveDialogAddsTxtAsksBeforeReplacingAndRemembers()
{
    box->setScriptText(QStringLiteral("#if"));
    ModalAnswerer answers(QStringList{});
    answers.plan(QStringLiteral("file:") + path("noext"));
    QVERIFY(files->saveScript());
    QVERIFY(answers.finished());
    QCOMPARE(readBytes(path("noext.txt")), QByteArray("#if"));

    // The second time the dialog opens with that path, and replacing asks first.
    box->setScriptText(QStringLiteral("#act"));
    QString offered;
    answers.plan([&offered](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        QVERIFY(dialog);
        QCOMPARE(dialog->nameFilters(), QStringList{QStringLiteral("*.txt")});
        offered = dialog->selectedFiles().value(0);
        QTest::keyClick(dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")), Qt::Key_Return);
    });
    answers.plan(QStringLiteral("Yes")); // "already exists, replace?"
    QVERIFY(files->saveScript());
    QVERIFY(answers.finished());
    QCOMPARE(offered, path("noext.txt"));
    QCOMPARE(readBytes(path("noext.txt")), QByteArray("#act"));

    // The open dialog keeps its own path: it has none yet.
    answers.plan([&offered](QWidget *modal) {
        offered = qobject_cast<QFileDialog *>(modal)->selectedFiles().value(0);
        qobject_cast<QFileDialog *>(modal)->reject();
    });
    files->openScript();
    QVERIFY(answers.finished());
    QVERIFY(!offered.endsWith(QStringLiteral("noext.txt")));
}

void TestEditor::cancelledDialogsChangeNothing()
{
    writeFile(path("a.txt"), "file");
    box->setScriptText(QStringLiteral("box"));
    ModalAnswerer answers(QStringList{});
    answers.plan(QStringLiteral("close"));
    files->openScript();
    answers.plan(QStringLiteral("close"));
    QVERIFY(!files->saveScript());
    QVERIFY(answers.finished());
    QCOMPARE(box->scriptText(), QStringLiteral("box"));
    QCOMPARE(readBytes(path("a.txt")), QByteArray("file"));
}

void TestEditor::dialogsKeepTheCurrentDirectory()
{
    const QString before = QDir::currentPath();
    writeFile(path("in.txt"), "x");
    ModalAnswerer answers(QStringList{});
    answers.plan(QStringLiteral("file:") + path("in.txt"));
    files->openScript();
    answers.plan(QStringLiteral("file:") + path("out.txt"));
    files->saveScript();
    QVERIFY(answers.finished());
    QCOMPARE(QDir::currentPath(), before);
    QCOMPARE(readBytes(path("out.txt")), QByteArray("x"));
}

void TestEditor::keywordButtons_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("explained");
    QTest::newRow("empty box") << QString() << QList<int>{8} << QStringLiteral("\r\n#if") << g("判断命令和检查命令");
    QTest::newRow("twice") << QString() << QList<int>{8, 8} << QStringLiteral("\r\n#if\r\n#if") << g("判断命令和检查命令");
    QTest::newRow("text ending in a line break")
        << QStringLiteral("x\r\n") << QList<int>{10} << QStringLiteral("x\r\n\r\n#act") << g("执行命令");
    QTest::newRow("capitals and backslashes")
        << QString() << QList<int>{16}
        << g("\r\naddnamelist ..\\questdiary\\会员系统\\帐号名单.txt") << g("把人物名字加入账号名单中 ");
    QTest::newRow("explanation made small")
        << QString() << QList<int>{22} << QStringLiteral("\r\n#call")
        << g("执行某个脚本命令\r\n比如：#call [\\\\天下第一\\男战士.txt] @天下第一战男");
    QTest::newRow("link") << QString() << QList<int>{13} << g("\r\n<关闭/@exit>") << g("关闭对话框窗口");
}

void TestEditor::keywordButtons()
{
    QFETCH(QString, before);
    QFETCH(QList<int>, clicks);
    QFETCH(QString, after);
    QFETCH(QString, explained);
    box->setScriptText(before);
    for (int number : clicks)
        QTest::mouseClick(button(number), Qt::LeftButton);
    QCOMPARE(box->scriptText(), after);
    QCOMPARE(explanation->boxText(), explained);
}

void TestEditor::keywordKeepsTheTextShowsTheStartAndEmptiesUndo()
{
    QString lines;
    for (int i = 0; i < 500; ++i)
        lines += QStringLiteral("line %1 with some width to scroll sideways too\r\n").arg(i);
    box->setScriptText(lines);
    QTextCursor c(box->document());
    c.setPosition(100);
    c.setPosition(120, QTextCursor::KeepAnchor);
    box->setTextCursor(c);
    box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
    QTest::mouseClick(button(24), Qt::LeftButton);
    QCOMPARE(box->scriptText(), lines + QStringLiteral("\r\nbreak"));
    QCOMPARE(box->textCursor().position(), 0);
    QVERIFY(!box->textCursor().hasSelection());
    QCOMPARE(box->verticalScrollBar()->value(), 0);
    QVERIFY(!box->document()->isUndoAvailable());
    QVERIFY(files->hasUnsavedChanges());
}

void TestEditor::placeholdersAreDisabled()
{
    int placeholders = 0;
    for (const KeywordButton &row : kKeywordButtons) {
        QPushButton *b = button(row.number);
        QVERIFY2(b, qPrintable(QString::number(row.number)));
        QCOMPARE(b->isEnabled(), !row.isPlaceholder());
        QCOMPARE(b->size(), QSize(80, 32));
        QCOMPARE(b->mapTo(window->centralWidget(), QPoint(0, 0)), row.place.topLeft());
        if (row.isPlaceholder()) {
            ++placeholders;
            QCOMPARE(b->text(), QStringLiteral("暂无"));
        }
    }
    QCOMPARE(placeholders, 4);
    QTest::mouseClick(button(23), Qt::LeftButton);
    QCOMPARE(box->scriptText(), QString());
    QCOMPARE(button(16)->text(), QStringLiteral("人物名字\n加入文本"));
}

void TestEditor::saveLabelAnswersBothMouseButtons()
{
    box->setScriptText(QStringLiteral("#say"));
    ModalAnswerer answers(QStringList{});
    answers.plan(QStringLiteral("file:") + path("left.txt"));
    QTest::mousePress(window->label(u"标签6"), Qt::LeftButton);
    QVERIFY(answers.finished());
    answers.plan(QStringLiteral("file:") + path("right.txt"));
    QTest::mousePress(window->label(u"标签6"), Qt::RightButton);
    QVERIFY(answers.finished());
    QCOMPARE(readBytes(path("left.txt")), QByteArray("#say"));
    QCOMPARE(readBytes(path("right.txt")), QByteArray("#say"));
}

void TestEditor::clearEmptiesBothBoxesThenGreets()
{
    box->setScriptText(QStringLiteral("x"));
    explanation->setBoxText(QStringLiteral("y"));
    QString scriptWhileShown = QStringLiteral("?"), explanationWhileShown = QStringLiteral("?");
    ModalAnswerer answers(QStringList{});
    answers.plan([&](QWidget *modal) {
        scriptWhileShown = box->scriptText();
        explanationWhileShown = explanation->boxText();
        qobject_cast<QMessageBox *>(modal)->button(QMessageBox::Ok)->click();
    });
    QTest::mousePress(window->label(u"标签5"), Qt::LeftButton);
    QVERIFY(answers.finished());
    QCOMPARE(scriptWhileShown, QString());
    QCOMPARE(explanationWhileShown, QString());
    QCOMPARE(explanation->boxText(), QStringLiteral("欢迎使用本燧川脚本编辑器\r\n") + currentSite().domain);
    QVERIFY(!files->hasUnsavedChanges());
}

void TestEditor::closingAsksOnlyWhenThereAreUnsavedChanges_data()
{
    QTest::addColumn<bool>("edit");
    QTest::addColumn<int>("answer"); // 0: no question expected
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("saved");
    QTest::newRow("nothing changed") << false << 0 << true << false;
    QTest::newRow("changed, save") << true << int(QMessageBox::Yes) << true << true;
    QTest::newRow("changed, do not save") << true << int(QMessageBox::No) << true << false;
    QTest::newRow("changed, cancel") << true << int(QMessageBox::Cancel) << false << false;
}

void TestEditor::closingAsksOnlyWhenThereAreUnsavedChanges()
{
    QFETCH(bool, edit);
    QFETCH(int, answer);
    QFETCH(bool, closes);
    QFETCH(bool, saved);
    if (edit)
        QTest::keyClicks(box, QStringLiteral("give"));
    ModalAnswerer answers(QStringList{});
    if (answer) {
        answers.plan(ModalAnswerer::action(answer == QMessageBox::Yes ? QStringLiteral("Yes")
                                           : answer == QMessageBox::No ? QStringLiteral("No")
                                                                       : QStringLiteral("Cancel")));
        if (answer == QMessageBox::Yes)
            answers.plan(QStringLiteral("file:") + path("onclose.txt"));
    }
    QCOMPARE(window->close(), closes);
    QVERIFY(answers.finished());
    QCOMPARE(answers.seen().size(), answer ? (answer == QMessageBox::Yes ? 2 : 1) : 0);
    QCOMPARE(QFile::exists(path("onclose.txt")), saved);
}

void TestEditor::layoutTitleAndCaptions()
{
    QCOMPARE(window->windowTitle(),
             QStringLiteral("燧川脚本编辑器 V1.5版  官方网站:%1提供下载").arg(currentSite().host));
    QCOMPARE(window->centralWidget()->size(), QSize(612, 672));
    QCOMPARE(window->label(u"标签10")->text(), QStringLiteral("合计版脚本\n命令"));
    QCOMPARE(window->label(u"标签4")->text(), QStringLiteral("V1.4"));
    QCOMPARE(window->label(u"标签6")->geometry(), QRect(0, 57, 112, 34));
    QCOMPARE(box->geometry(), QRect(121, 155, 488, 264));
    QCOMPARE(box->lineWrapMode(), QPlainTextEdit::NoWrap);
    QVERIFY(explanation->isReadOnly());
    QCOMPARE(explanation->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QStringList menus;
    for (QAction *menu : window->menuBar()->actions()) {
        QStringList items;
        for (QAction *item : menu->menu()->actions())
            items << item->text();
        menus << menu->text() + u':' + items.join(u',');
    }
    QCOMPARE(menus, (QStringList{QStringLiteral("文件:打开,保存,退出"), QStringLiteral("关于:关于本软件,作者信息"),
                                 QStringLiteral("历史更新:历史版本,在线远程更新")}));
}

// Receives what the program hands to the browser.
class BrowserStandIn : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

void TestEditor::bannerShowsTheSiteThenOpensIt()
{
    BrowserStandIn browser;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &browser, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "open");
    ModalAnswerer answers({QStringLiteral("Ok")});
    QTest::mousePress(window->findChild<QWidget *>(QStringLiteral("图片框1")), Qt::LeftButton);
    QVERIFY(answers.finished());
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QVERIFY(answers.seen().value(0).contains(QStringLiteral("官方网站:") + currentSite().host));
    QCOMPARE(browser.opened, QList<QUrl>{QUrl(currentSite().baseAddress + u'/')});
}

QTEST_MAIN(TestEditor)
#include "test_editor.moc"
