#include "platform/windowframe.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

QMargins frameOf(const QWidget *window)
{
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    if (window->isVisible() && outer != inner)
        return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                outer.bottom() - inner.bottom()};
    return kNominalFrame;
}

} // namespace

void setFixedOuterSize(QWidget *window, QSize outer)
{
    const QMargins frame = frameOf(window);
    window->setFixedSize(outer.width() - frame.left() - frame.right(),
                         outer.height() - frame.top() - frame.bottom());
}

void centreOnPrimaryScreen(QWidget *window)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QMargins frame = frameOf(window);
    const QSize outer = window->size().grownBy(frame);
    const QRect area = screen->geometry();
    // move() places the outer top-left corner of a top-level window.
    window->move(area.left() + (area.width() - outer.width()) / 2, area.top() + (area.height() - outer.height()) / 2);
}
