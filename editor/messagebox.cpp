#include "editor/messagebox.h"

namespace {

QMessageBox::StandardButton run(const QString &text, const QString &title, QMessageBox::Icon icon,
                                QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, title, screenText(text), buttons);
    box.setWindowModality(Qt::ApplicationModal);
    return QMessageBox::StandardButton(box.exec());
}

} // namespace

QString screenText(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

void showMessage(const QString &text, const QString &title, QMessageBox::Icon icon)
{
    run(text, title, icon, QMessageBox::Ok);
}

bool askYesNo(const QString &text, const QString &title, QMessageBox::Icon icon)
{
    return run(text, title, icon, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

QMessageBox::StandardButton askYesNoCancel(const QString &text, const QString &title)
{
    return run(text, title, QMessageBox::Question,
               QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
}
