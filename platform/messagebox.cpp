#include "platform/messagebox.h"

QMessageBox::StandardButton showMessage(const QString &text, QMessageBox::StandardButtons buttons,
                                        QMessageBox::Icon icon, const QString &title)
{
    QMessageBox box(icon, title, text, buttons);
    box.setWindowModality(Qt::ApplicationModal);
    const int answer = box.exec();
    return buttons.testFlag(QMessageBox::StandardButton(answer)) ? QMessageBox::StandardButton(answer)
                                                                 : QMessageBox::NoButton;
}

bool askYesNo(const QString &text, const QString &title)
{
    return showMessage(text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Question, title) == QMessageBox::Yes;
}
