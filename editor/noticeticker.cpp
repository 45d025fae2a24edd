#include "editor/noticeticker.h"

#include "app/site.h"
#include "editor/hyperlinkbox.h"

#include <QTimer>

NoticeTicker::NoticeTicker(HyperlinkBox *box, QWidget *window)
    : QObject(window), m_box(box), m_window(window), m_timer(new QTimer(this))
{
    m_timer->setObjectName(QStringLiteral("时钟1"));
    connect(m_timer, &QTimer::timeout, this, &NoticeTicker::onTickerTimer);
}

void NoticeTicker::startNoticeTicker(const QString &notice)
{
    m_box->setLinkKind(5); // any kind above 1 is a web address
    m_box->setText(notice);
    m_box->setWebAddress(currentSite().baseAddress);
    m_timer->start(kTickerPeriodMs);
}

void NoticeTicker::onTickerTimer()
{
    // The window's outer left edge on the screen, not its width: the jump-back point follows the window.
    const int windowLeft = m_window->frameGeometry().x();
    m_box->setLeft(nextTickerLeft(m_box->left(), windowLeft));
    m_box->setNormalColour(m_colours.next());
}
