#include "editor/hyperlinkbox.h"

#include "platform/shell.h"

#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

#include <algorithm>

HyperlinkBox::HyperlinkBox(QWidget *parent) : QWidget(parent)
{
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
}

void HyperlinkBox::setText(const QString &text)
{
    m_text = text;
    update();
}

void HyperlinkBox::setLinkKind(int kind)
{
    m_kind = std::clamp(kind, int(EmailAddress), int(WebAddress));
    update();
}

void HyperlinkBox::setWebAddress(const QString &address)
{
    m_webAddress = address;
    update();
}

void HyperlinkBox::setEmailAddress(const QString &address)
{
    m_emailAddress = address;
    update();
}

QString HyperlinkBox::linkAddress() const { return m_kind == WebAddress ? m_webAddress : m_emailAddress; }

void HyperlinkBox::setNormalColour(const QColor &colour)
{
    m_normal = colour;
    update();
}

void HyperlinkBox::setHoverColour(const QColor &colour)
{
    m_hover = colour;
    update();
}

void HyperlinkBox::setVisitedColour(const QColor &colour)
{
    m_visited = colour;
    update();
}

QColor HyperlinkBox::currentColour() const
{
    if (m_isHovered)
        return m_hover;
    return m_isVisited ? m_visited : m_normal;
}

void HyperlinkBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(currentColour());
    // One line, centred both ways; text wider than the box runs past both edges rather than wrapping.
    const QString shown = m_text.isEmpty() ? linkAddress() : m_text;
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip, shown);
}

void HyperlinkBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QString address = linkAddress();
    if (address.isEmpty())
        return;
    const bool isMailto = address.startsWith(QStringLiteral("mailto:"), Qt::CaseInsensitive);
    const QUrl url = m_kind == WebAddress || isMailto ? QUrl::fromUserInput(address)
                                                      : QUrl(QStringLiteral("mailto:") + address);
    if (openAddress(url)) {
        m_isVisited = true;
        update();
    }
}

void HyperlinkBox::enterEvent(QEnterEvent *event)
{
    m_isHovered = true;
    update();
    QWidget::enterEvent(event);
}

void HyperlinkBox::leaveEvent(QEvent *event)
{
    m_isHovered = false;
    update();
    QWidget::leaveEvent(event);
}
