#pragma once
// A label that acts when a mouse button goes down on it, not on a completed click.

#include <QLabel>

class PressLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void pressed(Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent *event) override;
};
