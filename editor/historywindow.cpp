#include "editor/historywindow.h"

#include "app/site.h"
#include "editor/historytext.h"
#include "editor/modalwindow.h"

#include <QDialog>
#include <QPlainTextEdit>

void openHistoryWindow(QWidget *mainWindow)
{
    auto *window = new QDialog(mainWindow);
    prepareModalWindow(*window, QStringLiteral("更新版本历史"), {330, 194});

    // A plain text box: it never changes letter case, and the window is built anew at each opening,
    // so the history always starts at its first line.
    auto *box = new QPlainTextEdit(window);
    box->setObjectName(QStringLiteral("编辑框1"));
    box->setGeometry(8, 8, 312, 144);
    box->setReadOnly(true);
    box->setFrameShape(QFrame::NoFrame);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    paintRedOnBlack(*box);
    box->setPlainText(updateHistoryText(currentSite().domain));

    runModalWindow(window);
}
