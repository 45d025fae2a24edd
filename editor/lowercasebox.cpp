#include "editor/lowercasebox.h"

#include "platform/gbkcodec.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

LowerCaseBox::LowerCaseBox(QWidget *parent) : QPlainTextEdit(parent) {}

void LowerCaseBox::setBoxText(QString text)
{
    gbk::lowerAscii(text);
    setPlainText(text);
}

void LowerCaseBox::keyPressEvent(QKeyEvent *event)
{
    // Shift+Enter would make a line break inside a line (U+2028), which a script file cannot hold:
    // it starts a new line like Enter.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && (event->modifiers() & Qt::ShiftModifier)) {
        QKeyEvent plain(event->type(), event->key(), event->modifiers() & ~Qt::ShiftModifier,
                        event->text(), event->isAutoRepeat(), ushort(event->count()));
        QPlainTextEdit::keyPressEvent(&plain);
        event->setAccepted(plain.isAccepted());
        return;
    }
    if (!gbk::hasUpperAscii(event->text())) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    QString text = event->text();
    gbk::lowerAscii(text);
    QKeyEvent lowered(event->type(), event->key(), event->modifiers(), text, event->isAutoRepeat(),
                      ushort(event->count()));
    QPlainTextEdit::keyPressEvent(&lowered);
    event->setAccepted(lowered.isAccepted());
}

void LowerCaseBox::inputMethodEvent(QInputMethodEvent *event)
{
    if (!gbk::hasUpperAscii(event->commitString())) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QString commit = event->commitString();
    gbk::lowerAscii(commit);
    QInputMethodEvent lowered(event->preeditString(), event->attributes());
    lowered.setCommitString(commit, event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&lowered);
}

bool LowerCaseBox::canInsertFromMimeData(const QMimeData *source) const
{
    return !isReadOnly() && source->hasText();
}

void LowerCaseBox::insertFromMimeData(const QMimeData *source)
{
    if (isReadOnly() || !source->hasText())
        return;
    // Only the plain text enters; line breaks inside a line become ordinary line ends.
    QString text = source->text();
    text.replace(QChar::LineSeparator, u'\n');
    text.replace(QChar::ParagraphSeparator, u'\n');
    gbk::lowerAscii(text);
    textCursor().insertText(text);
    ensureCursorVisible();
}

void LowerCaseBox::hideSelectionWithoutFocus()
{
    // The selection is kept, only drawn like the rest of the text while another control has focus.
    QPalette p = palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Inactive, QPalette::Base));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Inactive, QPalette::Text));
    setPalette(p);
}
