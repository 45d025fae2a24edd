#pragma once
// The script box: holds the script being written. Besides turning capitals into small letters it
// remembers each line's own line end ("\r\n", "\n" or "\r") so that a script saved unchanged is
// written back byte for byte; Enter and every inserted text make "\r\n".

#include "editor/lowercasebox.h"

class ScriptBox : public LowerCaseBox
{
    Q_OBJECT
public:
    explicit ScriptBox(QWidget *parent = nullptr);

    // The whole text with every line's own line end; what a save writes.
    QString scriptText() const;
    // Replaces the whole text, keeping the line ends it holds; the undo history is emptied.
    void setScriptText(QString text);

    // The text T becomes T + "\r\n" + keyword; the view and the caret go back to the start.
    void appendKeywordLine(QStringView keyword);
    // Appends at the very end without touching the rest: the caret stands after the snippet, the
    // snippet is in view, nothing selected is replaced, and the undo history is emptied.
    void appendSnippet(QStringView snippet);

private:
    void keepLineEndsAcrossEdit(int position, int charsRemoved, int charsAdded);
};
