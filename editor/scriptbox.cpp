#include "editor/scriptbox.h"

#include "platform/gbkcodec.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

namespace {

// A block's user state holds the line end that follows it. Blocks start with -1, which is "\r\n".
enum LineEnd : int { CrLf = -1, Lf = 1, Cr = 2 };

QStringView lineEndText(int state)
{
    switch (state) {
    case Lf:
        return u"\n";
    case Cr:
        return u"\r";
    default:
        return u"\r\n";
    }
}

} // namespace

ScriptBox::ScriptBox(QWidget *parent) : LowerCaseBox(parent)
{
    connect(document(), &QTextDocument::contentsChange, this, &ScriptBox::keepLineEndsAcrossEdit);
}

// When an edit splits a block, Qt leaves the old block's state on the first part, though the old
// line end now follows the last part, and the new parts start with -1; a join keeps the state of
// the last block, which is already right. So after an insertion that spans blocks, the first
// block's line end moves to the last one and the new line ends before it are "\r\n".
void ScriptBox::keepLineEndsAcrossEdit(int position, int /*charsRemoved*/, int charsAdded)
{
    if (charsAdded <= 0)
        return;
    QTextDocument *doc = document();
    QTextBlock first = doc->findBlock(position);
    QTextBlock last = doc->findBlock(position + charsAdded);
    if (!last.isValid())
        last = doc->lastBlock();
    if (!first.isValid() || first == last)
        return;
    const int moved = first.userState();
    if (moved == CrLf)
        return;
    last.setUserState(moved);
    first.setUserState(CrLf);
}

QString ScriptBox::scriptText() const
{
    const QTextDocument *doc = document();
    const QString raw = doc->toRawText(); // blocks separated by U+2029
    QString out;
    out.reserve(raw.size() + doc->blockCount());
    qsizetype from = 0;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        const qsizetype length = block.length() - 1; // without the separator
        out.append(QStringView(raw).mid(from, length));
        from += length + 1;
        if (block.next().isValid())
            out.append(lineEndText(block.userState()));
    }
    return out;
}

void ScriptBox::setScriptText(QString text)
{
    gbk::lowerAscii(text);
    // Note the lines whose end is not "\r\n" before the widget turns every line end into a block.
    std::vector<std::pair<int, LineEnd>> otherEnds;
    int line = 0;
    const qsizetype n = text.size();
    const char16_t *s = reinterpret_cast<const char16_t *>(text.constData());
    for (qsizetype i = 0; i < n; ++i) {
        if (s[i] == u'\r') {
            if (i + 1 < n && s[i + 1] == u'\n')
                ++i;
            else
                otherEnds.emplace_back(line, Cr);
            ++line;
        } else if (s[i] == u'\n') {
            otherEnds.emplace_back(line, Lf);
            ++line;
        }
    }
    setPlainText(text);
    QTextDocument *doc = document();
    QTextBlock block = doc->begin();
    int blockNumber = 0;
    for (const auto &[lineNumber, end] : otherEnds) {
        while (blockNumber < lineNumber && block.isValid()) {
            block = block.next();
            ++blockNumber;
        }
        block.setUserState(end);
    }
}

void ScriptBox::appendKeywordLine(QStringView keyword)
{
    QString addition = QStringLiteral("\r\n") + keyword.toString();
    gbk::lowerAscii(addition);
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(addition);
    // The whole text counts as replaced: no undo back into it, caret and view at the start.
    document()->clearUndoRedoStacks();
    QTextCursor start(document());
    setTextCursor(start);
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

void ScriptBox::appendSnippet(QStringView snippet)
{
    QString addition = snippet.toString();
    gbk::lowerAscii(addition);
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::End); // only deselects; nothing selected is replaced
    setTextCursor(cursor);
    ensureCursorVisible();
    cursor.insertText(addition);
    setTextCursor(cursor);
    document()->clearUndoRedoStacks();
    ensureCursorVisible();
}
