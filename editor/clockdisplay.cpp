#include "editor/clockdisplay.h"

#include "editor/clocktext.h"

#include <QLabel>
#include <QTimer>

ClockDisplay::ClockDisplay(QLabel *label7) : QObject(label7), m_label(label7), m_timer(new QTimer(this))
{
    m_timer->setObjectName(QStringLiteral("时钟2"));
    connect(m_timer, &QTimer::timeout, this, &ClockDisplay::onClockTimer);
    m_timer->start(1000);
}

void ClockDisplay::onClockTimer() { m_label->setText(clockText(QDateTime::currentDateTime())); }
