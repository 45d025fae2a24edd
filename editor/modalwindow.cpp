#include "editor/modalwindow.h"

#include <QDialog>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

namespace {
constexpr int FRAME_BORDER = 3;
constexpr int CAPTION_HEIGHT = 26;
} // namespace

QSize clientSizeForOuterSize(QSize outerSize)
{
    return outerSize - QSize(2 * FRAME_BORDER, 2 * FRAME_BORDER + CAPTION_HEIGHT);
}

void prepareModalWindow(QDialog &window, const QString &title, QSize outerSize)
{
    window.setWindowTitle(title);
    window.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    window.setWindowModality(Qt::ApplicationModal);
    window.setFixedSize(clientSizeForOuterSize(outerSize));
    // The outer frame is centred, the remainder of an odd difference dropped.
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        window.move(area.left() + (area.width() - outerSize.width()) / 2,
                    area.top() + (area.height() - outerSize.height()) / 2);
    }
}

void runModalWindow(QDialog *window)
{
    const QPointer<QDialog> guard(window);
    window->exec();
    delete guard.data(); // null when the parent was destroyed while the window was open
}

void paintRedOnBlack(QWidget &widget)
{
    // Selected by class, so that the rule reaches the widget but not its scroll bars.
    widget.setStyleSheet(QStringLiteral("%1 { color: rgb(255, 0, 0); background-color: rgb(0, 0, 0); border: none; }")
                             .arg(QLatin1StringView(widget.metaObject()->className())));
}
