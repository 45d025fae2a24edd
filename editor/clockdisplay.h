#pragma once
// The clock at the bottom right of the main window: 标签7 shows the local date and time, refreshed
// every second by timer 时钟2, which runs from the moment this object is made.

#include <QObject>

class QLabel;
class QTimer;

class ClockDisplay : public QObject
{
    Q_OBJECT
public:
    explicit ClockDisplay(QLabel *label7); // the label is left empty until the first tick
    void onClockTimer();
    QTimer *timer() const { return m_timer; }

private:
    QLabel *m_label;
    QTimer *m_timer;
};
