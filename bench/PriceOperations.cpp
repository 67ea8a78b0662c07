// The letterhead and the selling prices: Shop Details' Save, Selling Prices
// opened and a batch's MRP typed over in its grid.

#include "Runner.h"
#include "Shop.h"
#include "data/SqlText.h"
#include "stores/SellingPriceStore.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

namespace bench {

namespace {

const QString SellingPrices = QStringLiteral("SellingPrices");
const QString PricesEntry = QStringLiteral("mnuSellingPrices");
const QString ShopDetails = QStringLiteral("ShopDetails");
const QString ShopEntry = QStringLiteral("mnuShopDetails");

QWidget* ensureOpen(const QString& menuEntry, const QString& screenName)
{
    QWidget* screen = openScreen(screenName);
    return screen ? screen : openFromMenu(menuEntry, screenName);
}

Group sellingPrices(Shop& shop)
{
    const int batches = shop.size().stockBatches;
    constexpr int Mrp = stores::SellingPriceStore::Mrp;
    // The first row's batch, its price as made, and the one typed over it.
    auto number = std::make_shared<QString>();
    auto stored = std::make_shared<QString>();
    const QString typed = QStringLiteral("77.5");

    Group group;
    group.title = QStringLiteral("Selling Prices");
    group.tearDown = [] { closeScreen(SellingPrices); };

    Operation open{QStringLiteral("Selling Prices opens"), Goal::ScreenOpen};
    open.prepare = [] { closeScreen(SellingPrices); };
    open.act = [] { openFromMenu(PricesEntry, SellingPrices); };
    open.check = [batches]() -> QString {
        const int rows = allRows(control<QTableView>(openScreen(SellingPrices), QStringLiteral("DGG")));
        return rows == batches ? QString() : QStringLiteral("%1 batches listed").arg(rows);
    };
    group.operations << open;

    // The price is typed into the first row's MRP (not timed); Enter stores it.
    Operation price{QStringLiteral("Selling Prices stores a price")};
    auto cell = std::make_shared<QWidget*>(nullptr);
    price.prepare = [&shop, number, stored, typed, cell] {
        auto* view = control<QTableView>(ensureOpen(PricesEntry, SellingPrices), QStringLiteral("DGG"));
        const QModelIndex first = view->model()->index(0, Mrp);
        *number = view->model()->index(0, 0).data().toString();
        *stored = shop.value(QStringLiteral("select MRP from Stock where BillNumber = ") + *number).toString();
        view->setFocus();
        view->setCurrentIndex(first);
        view->edit(first);
        *cell = view->indexWidget(first);
        if (auto* box = qobject_cast<QLineEdit*>(*cell))
            box->setText(typed);
    };
    price.act = [cell] {
        if (*cell)
            QTest::keyClick(*cell, Qt::Key_Return);
    };
    price.check = [&shop, number, typed]() -> QString {
        const QString now = shop.value(QStringLiteral("select MRP from Stock where BillNumber = ") + *number).toString();
        return now.toDouble() == typed.toDouble() ? QString() : QStringLiteral("the MRP is %1").arg(now);
    };
    // Typed back on the screen, as the operator puts a price right: a change
    // made beside the screen would have it read its grid again at the next Enter.
    price.restore = [stored] {
        auto* view = control<QTableView>(ensureOpen(PricesEntry, SellingPrices), QStringLiteral("DGG"));
        const QModelIndex first = view->model()->index(0, Mrp);
        view->setCurrentIndex(first);
        view->edit(first);
        if (auto* box = qobject_cast<QLineEdit*>(view->indexWidget(first))) {
            box->setText(*stored);
            QTest::keyClick(box, Qt::Key_Return);
        }
    };
    group.operations << price;
    return group;
}

Group shopDetails(Shop& shop, AnsweringMessages& messages)
{
    auto before = std::make_shared<QStringList>();
    Group group;
    group.title = QStringLiteral("Shop Details");
    group.setUp = [&shop, before] {
        for (const char* column : {"ShopName", "ShopAddress1", "ShopAddress2", "ShopCity", "ShopPhone"})
            *before << shop.value(QStringLiteral("select %1 from ShopHeader").arg(QLatin1String(column))).toString();
    };
    group.tearDown = [&shop, before] {
        closeScreen(ShopDetails);
        QStringList values;
        for (const QString& value : *before)
            values << sql::text(value);
        shop.exec(QStringLiteral("delete from ShopHeader"));
        shop.exec(QStringLiteral("insert into ShopHeader values(%1)").arg(values.join(QLatin1Char(','))));
    };

    Operation save{QStringLiteral("Shop Details Save")};
    save.prepare = [&messages] {
        messages.last.clear();
        QWidget* screen = ensureOpen(ShopEntry, ShopDetails);
        control<QLineEdit>(screen, QStringLiteral("txtShopName"))->setText(QStringLiteral("BENCH SHOP"));
    };
    save.act = [] {
        QTest::mouseClick(control<QPushButton>(openScreen(ShopDetails), QStringLiteral("CmdSave")), Qt::LeftButton);
    };
    save.check = [&messages]() -> QString { return messages.last == QLatin1String("Saved") ? QString() : messages.last; };
    group.operations << save;
    return group;
}

}  // namespace

QVector<Group> priceGroups(Shop& shop, AnsweringMessages& messages)
{
    return {sellingPrices(shop), shopDetails(shop, messages)};
}

}  // namespace bench
