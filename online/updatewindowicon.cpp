#include "online/updatewindowicon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <array>

namespace {

constexpr std::array kSizes{16, 24, 32, 48, 128};

// A blue tile with a white arrow pointing down onto a bar: "fetch the new version".
QPixmap paintIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(30, 100, 200));
    painter.drawRoundedRect(QRectF(0, 0, s, s), s * 0.18, s * 0.18);

    QPainterPath arrow;
    arrow.moveTo(s * 0.40, s * 0.16);
    arrow.lineTo(s * 0.60, s * 0.16);
    arrow.lineTo(s * 0.60, s * 0.46);
    arrow.lineTo(s * 0.78, s * 0.46);
    arrow.lineTo(s * 0.50, s * 0.72);
    arrow.lineTo(s * 0.22, s * 0.46);
    arrow.lineTo(s * 0.40, s * 0.46);
    arrow.closeSubpath();
    painter.setBrush(Qt::white);
    painter.drawPath(arrow);
    painter.drawRect(QRectF(s * 0.20, s * 0.78, s * 0.60, s * 0.08));
    return pixmap;
}

} // namespace

QIcon updateWindowIcon()
{
    static const QIcon icon = [] {
        QIcon built;
        for (int size : kSizes)
            built.addPixmap(paintIcon(size));
        return built;
    }();
    return icon;
}
