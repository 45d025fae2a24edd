#include "editor/presslabel.h"

#include <QMouseEvent>

void PressLabel::mousePressEvent(QMouseEvent *event)
{
    QLabel::mousePressEvent(event);
    emit pressed(event->button());
}
