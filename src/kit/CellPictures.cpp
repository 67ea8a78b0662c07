#include "kit/CellPictures.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCache>
#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <cmath>

namespace {

// Enough for every cell of a few screens' grids (a cell is about 10 KB).
constexpr qsizetype PictureBytes = 8 * 1024 * 1024;

QCache<QString, QPixmap>& pictures()
{
    static QCache<QString, QPixmap> cache(PictureBytes);
    return cache;
}

// The cells painted once: a picture is made when a cell is painted again,
// so that a grid of cells never seen before costs no more than it did.
QCache<QString, bool>& seen()
{
    static QCache<QString, bool> cache(20000);
    return cache;
}

// A number for each font a view has had: its description is long, and the
// same for every cell the view draws in it.
quint64 fontNumber(const QFont& font)
{
    static QHash<QString, quint64> numbers;
    static QFont last;
    static quint64 lastNumber = 0;
    if (lastNumber == 0 || font != last) {
        const QString description = font.key();
        auto known = numbers.constFind(description);
        if (known == numbers.cend())
            known = numbers.insert(description, quint64(numbers.size()) + 1);
        last = font;
        lastNumber = *known;
    }
    return lastNumber;
}

// Everything the stock delegate's picture of a plain text cell depends on,
// each number as four characters of its own.
QString keyOf(const QStyleOptionViewItem& cell, const QAbstractItemView* view, qreal ratio)
{
    const bool viewsFont = cell.font == view->font();
    QString key;
    key.reserve(cell.text.size() + 64);
    const auto add = [&key](quint64 value) {
        for (int part = 0; part < 4; ++part, value >>= 16)
            key += QChar(ushort(value & 0xffff));
    };
    add(quint64(cell.rect.width()) << 32 | quint64(cell.rect.height()));
    add(quint64(cell.state) << 32 | quint64(cell.features));
    add(quint64(cell.displayAlignment) << 32 | quint64(cell.textElideMode) << 16 | quint64(cell.viewItemPosition) << 8
        | quint64(cell.direction) << 4 | quint64(cell.showDecorationSelected) << 1 | quint64(viewsFont));
    add(cell.backgroundBrush.style() == Qt::NoBrush ? 0 : 1ULL << 32 | cell.backgroundBrush.color().rgba());
    add(view->palette().cacheKey());
    add(view->viewport()->palette().cacheKey());
    add(quintptr(view->style()));
    add(quint64(ratio));
    add(viewsFont ? fontNumber(view->font()) : 0);
    // The text last, after the font's own description when it is not the view's.
    if (!viewsFont)
        key += cell.font.key() + QChar(0);
    key += cell.text;
    return key;
}

constexpr auto TextOnly = QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::Alternate
    | QStyleOptionViewItem::WrapText;

QCache<QString, QSize>& sizes()
{
    static QCache<QString, QSize> cache(20000);
    return cache;
}

// Brushes drawn under a cell's text: a picture copied elsewhere would move
// anything but a plain colour against the window.
bool plainGrounds(const QPalette& palette)
{
    for (const QPalette::ColorRole role : {QPalette::Base, QPalette::AlternateBase, QPalette::Highlight})
        if (palette.brush(role).style() != Qt::SolidPattern)
            return false;
    return true;
}

// Text drawn into a picture is measured at a picture's resolution: a view
// on a screen of another resolution is drawn afresh.
bool resolutionOfAPicture(const QPaintDevice* device)
{
    static const QPixmap picture(1, 1);
    return device->logicalDpiX() == picture.logicalDpiX() && device->logicalDpiY() == picture.logicalDpiY();
}

// A cell whose picture can be kept: text only, in the view's own colours
// (a cell given its own text colour has a palette of its own at every
// paint), on plain backgrounds, painted at whole pixels and fully opaque.
// The focused cell is drawn afresh: its focus frame is smoothed by where it
// lies, not only by its size.
bool keepable(const QStyleOptionViewItem& cell, const QPainter* painter, const QAbstractItemView* view)
{
    const QWidget* viewport = view->viewport();
    const QBrush ground = viewport->palette().brush(viewport->backgroundRole());
    const QTransform& place = painter->transform();
    const qreal ratio = painter->device()->devicePixelRatio();
    const Qt::BrushStyle cellGround = cell.backgroundBrush.style();
    return !(cell.state & QStyle::State_HasFocus) && (cell.features & ~TextOnly) == 0
        && (cellGround == Qt::NoBrush || cellGround == Qt::SolidPattern)
        && cell.palette.cacheKey() == view->palette().cacheKey() && plainGrounds(cell.palette)
        && viewport->autoFillBackground()
        && ground.style() == Qt::SolidPattern && place.type() <= QTransform::TxTranslate
        && place.dx() == std::round(place.dx()) && place.dy() == std::round(place.dy()) && ratio == std::round(ratio)
        && painter->opacity() == 1 && painter->compositionMode() == QPainter::CompositionMode_SourceOver
        && !cell.rect.isEmpty() && qsizetype(cell.rect.width()) * cell.rect.height() <= 512 * 64
        && resolutionOfAPicture(painter->device());
}

}  // namespace

// As the stock delegate paints: the cell's options read from the model once,
// then drawn by the style.
void CellPictures::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    if (!view || !keepable(cell, painter, view)) {
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, option.widget);
        return;
    }
    const qreal ratio = painter->device()->devicePixelRatio();
    const QString key = keyOf(cell, view, ratio);
    if (const QPixmap* kept = pictures().object(key)) {
        painter->drawPixmap(option.rect.topLeft(), *kept);
        return;
    }
    if (!seen().contains(key)) {
        seen().insert(key, new bool(true));
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, option.widget);
        return;
    }

    // What is under the cell when the view paints it: the viewport's own
    // background and the row's panel, which the view drew before asking.
    const QWidget* viewport = view->viewport();
    QPixmap picture(option.rect.size() * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(viewport->palette().brush(viewport->backgroundRole()).color());
    {
        QPainter on(&picture);
        on.setFont(painter->font());
        on.setPen(painter->pen());
        on.setRenderHints(painter->renderHints());
        QStyleOptionViewItem row = option;
        row.rect.moveTopLeft(QPoint(0, 0));
        style->drawPrimitive(QStyle::PE_PanelItemViewRow, &row, &on, option.widget);
        cell.rect.moveTopLeft(QPoint(0, 0));
        style->drawControl(QStyle::CE_ItemViewItem, &cell, &on, option.widget);
    }
    painter->drawPixmap(option.rect.topLeft(), picture);
    pictures().insert(key, new QPixmap(picture), qsizetype(picture.width()) * picture.height() * 4);
}

QSize CellPictures::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QVariant given = index.data(Qt::SizeHintRole);
    if (given.isValid())
        return given.toSize();
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    if (!view || (cell.features & ~TextOnly) != 0)
        return style->sizeFromContents(QStyle::CT_ItemViewItem, &cell, QSize(), option.widget);
    const QString key = keyOf(cell, view, 1);
    if (const QSize* known = sizes().object(key))
        return *known;
    const QSize size = style->sizeFromContents(QStyle::CT_ItemViewItem, &cell, QSize(), option.widget);
    sizes().insert(key, new QSize(size));
    return size;
}
