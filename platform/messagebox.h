#pragma once
// The program's message boxes: owned by no window, modal for the whole program, titled "信息："
// unless a title is given.

#include <QMessageBox>
#include <QString>

inline const QString kDefaultMessageTitle = QStringLiteral("信息：");

// Shows the box and returns the button pressed (QMessageBox::NoButton when it was closed otherwise).
QMessageBox::StandardButton showMessage(const QString &text,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                        QMessageBox::Icon icon = QMessageBox::NoIcon,
                                        const QString &title = kDefaultMessageTitle);

// Yes and No with the question icon; true only for Yes.
bool askYesNo(const QString &text, const QString &title = kDefaultMessageTitle);
