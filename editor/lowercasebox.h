#pragma once
// A multi-line box that turns every capital letter A-Z entering it into a small letter, whichever
// way the text comes in: typing, input-method commit, paste, drop, or the program.

#include <QPlainTextEdit>

class LowerCaseBox : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit LowerCaseBox(QWidget *parent = nullptr);

    // Replaces the whole text; the undo history is emptied, as after opening a file.
    void setBoxText(QString text);
    QString boxText() const { return toPlainText(); }

    // Hides the selection while the box has no focus (the explanation box does; the script box not).
    void hideSelectionWithoutFocus();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
};
