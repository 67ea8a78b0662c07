#include "shell/Pictures.h"

#include "core/Maker.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace pictures {

namespace {

const QColor Navy(24, 54, 96);
const QColor Teal(32, 128, 140);
const QColor Paper(252, 250, 240);
const QColor Ink(60, 60, 70);

QPixmap blank(QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QFont font(int pixelSize, bool bold, bool italic = false)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(qMax(6, pixelSize));
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

// A slip of paper with printed lines and a total, as the shop hands out.
void drawReceipt(QPainter& p, const QRectF& r, const QColor& line)
{
    const double tooth = r.width() / 8;
    QPainterPath slip;
    slip.moveTo(r.topLeft());
    slip.lineTo(r.topRight());
    slip.lineTo(r.right(), r.bottom() - tooth / 2);
    // a torn edge
    for (int i = 8; i > 0; --i) {
        const double x = r.left() + i * tooth;
        slip.lineTo(x - tooth / 2, r.bottom());
        slip.lineTo(x - tooth, r.bottom() - tooth / 2);
    }
    slip.closeSubpath();
    p.setPen(QPen(line.darker(130), qMax(1.0, r.width() / 60)));
    p.setBrush(Paper);
    p.drawPath(slip);

    const double margin = r.width() * 0.14;
    const double step = r.height() / 9;
    p.setPen(QPen(line, qMax(1.0, r.height() / 45), Qt::SolidLine, Qt::RoundCap));
    // header line, item lines of different lengths, rule, total
    p.drawLine(QPointF(r.left() + r.width() * 0.3, r.top() + step), QPointF(r.right() - r.width() * 0.3, r.top() + step));
    const double lengths[] = {0.55, 0.4, 0.5, 0.35};
    for (int i = 0; i < 4; ++i) {
        const double y = r.top() + step * (2.2 + i);
        p.drawLine(QPointF(r.left() + margin, y), QPointF(r.left() + margin + (r.width() - 2 * margin) * lengths[i], y));
        p.drawLine(QPointF(r.right() - margin - r.width() * 0.15, y), QPointF(r.right() - margin, y));
    }
    const double ruleY = r.top() + step * 6.4;
    p.drawLine(QPointF(r.left() + margin, ruleY), QPointF(r.right() - margin, ruleY));
    p.setPen(QPen(line, qMax(1.5, r.height() / 30), Qt::SolidLine, Qt::RoundCap));
    const double totalY = r.top() + step * 7.3;
    p.drawLine(QPointF(r.right() - margin - r.width() * 0.3, totalY), QPointF(r.right() - margin, totalY));
}

}  // namespace

QPixmap banner(QSize size)
{
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF all(QPointF(0, 0), QSizeF(size));

    QLinearGradient sky(all.topLeft(), all.topRight());
    sky.setColorAt(0, Navy);
    sky.setColorAt(1, Teal);
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRoundedRect(all.adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);

    // a few light stripes for movement
    p.setBrush(QColor(255, 255, 255, 18));
    for (int i = 0; i < 3; ++i) {
        const double x = all.width() * (0.55 + i * 0.12);
        QPolygonF stripe;
        stripe << QPointF(x, 0) << QPointF(x + all.width() * 0.05, 0)
               << QPointF(x - all.width() * 0.05, all.height()) << QPointF(x - all.width() * 0.1, all.height());
        p.drawPolygon(stripe);
    }

    const double h = all.height();
    const QRectF slip(h * 0.25, h * 0.14, h * 0.52, h * 0.72);
    drawReceipt(p, slip, Navy);

    const double textLeft = slip.right() + h * 0.3;
    p.setPen(Qt::white);
    p.setFont(font(int(h * 0.36), true));
    p.drawText(QRectF(textLeft, h * 0.08, all.width() - textLeft, h * 0.5), Qt::AlignLeft | Qt::AlignBottom,
               QStringLiteral("Bill Software"));
    p.setPen(QColor(220, 236, 240));
    p.setFont(font(int(h * 0.16), false, true));
    p.drawText(QRectF(textLeft, h * 0.6, all.width() - textLeft, h * 0.3), Qt::AlignLeft | Qt::AlignTop,
               maker::WebAddress);
    return pixmap;
}

QPixmap loginPicture(QSize size, const QPalette& button)
{
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width();
    const double h = size.height();

    // a key lying across the left part
    const double ring = h * 0.42;
    const QRectF bow(w * 0.06, (h - ring) / 2, ring, ring);
    QPen metal(QColor(176, 132, 28), h * 0.1);
    p.setPen(metal);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(bow);
    const double shaftY = h / 2;
    p.setPen(QPen(QColor(176, 132, 28), h * 0.1, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(bow.right(), shaftY), QPointF(bow.right() + ring * 1.2, shaftY));
    p.drawLine(QPointF(bow.right() + ring * 0.8, shaftY), QPointF(bow.right() + ring * 0.8, shaftY + h * 0.14));
    p.drawLine(QPointF(bow.right() + ring * 1.1, shaftY), QPointF(bow.right() + ring * 1.1, shaftY + h * 0.1));

    const double textLeft = bow.right() + ring * 1.4;
    const bool darkButton = button.color(QPalette::Button).lightness() < 128;
    p.setPen(darkButton ? button.color(QPalette::ButtonText) : Navy);
    p.setFont(font(int(h * 0.42), true));
    p.drawText(QRectF(textLeft, 0, w - textLeft, h), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Login"));
    return pixmap;
}

QPixmap receipt(QSize size)
{
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width() * 0.8;
    const double h = size.height() * 0.9;
    drawReceipt(p, QRectF((size.width() - w) / 2, (size.height() - h) / 2, w, h), Teal.darker(120));
    return pixmap;
}

QPixmap programIconPicture(int side)
{
    QPixmap pixmap = blank(QSize(side, side));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Navy);
    p.drawRoundedRect(QRectF(0, 0, side, side), side / 6.0, side / 6.0);
    drawReceipt(p, QRectF(side * 0.22, side * 0.12, side * 0.56, side * 0.76), Navy);
    return pixmap;
}

QIcon programIcon()
{
    QIcon icon;
    for (const int side : {16, 32, 64})
        icon.addPixmap(programIconPicture(side));
    return icon;
}

void paintLoginBackground(QPainter& painter, const QRect& area)
{
    QLinearGradient light(area.topLeft(), area.bottomLeft());
    light.setColorAt(0, QColor(236, 242, 248));
    light.setColorAt(1, QColor(205, 220, 235));
    painter.fillRect(area, light);
}

void paintMainBackground(QPainter& painter, const QRect& area)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient light(area.topLeft(), area.bottomRight());
    light.setColorAt(0, QColor(70, 110, 150));
    light.setColorAt(1, QColor(30, 60, 95));
    painter.fillRect(area, light);

    // the product's name and a large faint receipt in the lower right corner
    const double h = qMin(area.width(), area.height()) * 0.35;
    const QRectF slip(area.right() - h * 0.9, area.bottom() - h * 1.1, h * 0.7, h * 0.95);
    painter.setOpacity(0.12);
    drawReceipt(painter, slip, QColor(20, 40, 70));
    painter.setOpacity(0.25);
    painter.setPen(Qt::white);
    painter.setFont(font(int(h * 0.22), true));
    painter.drawText(QRectF(area.left(), slip.top(), slip.left() - area.left() - h * 0.15, slip.height()),
                     Qt::AlignRight | Qt::AlignBottom, QStringLiteral("Bill Software"));
    painter.restore();
}

}  // namespace pictures
