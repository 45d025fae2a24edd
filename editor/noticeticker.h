#pragma once
// The notice ticker on the main window: 超级链接框1 scrolls the notice text leftwards in steps of
// 5 pixels every 150 ms (timer 时钟1), jumps back at the main window's screen position and takes a
// new colour at every step.

#include "editor/tickermotion.h"

#include <QObject>

class HyperlinkBox;
class QTimer;

class NoticeTicker : public QObject
{
    Q_OBJECT
public:
    // `box` is the ticker (超级链接框1), `window` the main window whose screen position sets the
    // jump-back point. The ticker is a child of the window; its timer 时钟1 is a child of this object.
    NoticeTicker(HyperlinkBox *box, QWidget *window);

    // Makes the box a web link to the site, shows `notice` (the base address shows when it is
    // empty) and starts 时钟1.
    void startNoticeTicker(const QString &notice);
    void onTickerTimer();

    QTimer *timer() const { return m_timer; }

private:
    HyperlinkBox *m_box;
    QWidget *m_window;
    QTimer *m_timer;
    TickerColours m_colours;
};
