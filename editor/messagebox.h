#pragma once
// The program's message boxes: owned by no window, modal for all of the program's windows, titled
// "信息：" unless a title is given.

#include <QMessageBox>
#include <QString>

inline const QString kDefaultMessageTitle = QStringLiteral("信息：");

// Texts keep "\r\n" as the program writes them; on screen it is one line break.
QString screenText(QString text);

void showMessage(const QString &text, const QString &title = kDefaultMessageTitle,
                 QMessageBox::Icon icon = QMessageBox::NoIcon);
bool askYesNo(const QString &text, const QString &title = kDefaultMessageTitle,
              QMessageBox::Icon icon = QMessageBox::Question);
QMessageBox::StandardButton askYesNoCancel(const QString &text,
                                           const QString &title = kDefaultMessageTitle);
