#include "core/FigureColumns.h"

namespace figures {

namespace {

// The printed lines' total: net + tax, with the net written out.
QString printedTotal()
{
    return QLatin1Char('(') + amount() + QStringLiteral(") - ") + discount() + QStringLiteral(" + (") + tax()
        + QLatin1Char(')');
}

}  // namespace

QString amount()
{
    return QStringLiteral("Amount * Quantity");
}

QString discount()
{
    return QStringLiteral("(Amount * Quantity * DiscountinPercentage / 100)");
}

QString net()
{
    return QStringLiteral("((") + amount() + QStringLiteral(") - (") + discount() + QStringLiteral("))");
}

QString tax()
{
    return net() + QStringLiteral(" * TaxInPercentage / 100");
}

QString total()
{
    return net() + QStringLiteral(" + ") + tax();
}

QString gridColumns()
{
    return amount() + QStringLiteral(" as Amount_, ") + discount() + QStringLiteral(" As Discount , ") + tax()
        + QStringLiteral(" as Tax, ") + total() + QStringLiteral("  as Total");
}

QString printedColumns()
{
    return QStringLiteral("Amount *  Quantity, (Amount * DiscountinPercentage / 100)  * Quantity As Discount , ")
        + tax() + QStringLiteral(" as Tax, ") + printedTotal() + QStringLiteral("  as Total");
}

QString sumColumns()
{
    return QStringLiteral("Sum(") + printedTotal() + QStringLiteral(") as Total, Sum(") + amount()
        + QStringLiteral(") as Amount_, Sum(") + discount() + QStringLiteral(") as Discount, Sum((") + tax()
        + QStringLiteral(")) as Tax");
}

}  // namespace figures
