// The five master screens: open, Save, Delete, the first keystroke of a
// search, an SN picked from the list and a grid row clicked.

#include "Runner.h"
#include "Shop.h"
#include "kit/Lists.h"
#include "masters/MasterInstances.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

namespace bench {

namespace {

struct MasterScreenEntry {
    const char* screen;
    const char* menuEntry;
};

const MasterScreenEntry Screens[] = {
    {"CustomerEnty", "mnuCustomerEntry"},
    {"ItemEntry", "mnuItemEntry"},
    {"Supplier", "mnuSupplier"},
    {"ExpenditurePersonnelEntry", "mnuPersonnelEntry"},
    {"Expenditure_Head", "mnuExpenditureHead"},
};

QString rowValues(const masters::MasterInstance& instance, int sn)
{
    if (instance.table == QLatin1String("Customer"))
        return ceiling::customerValues(sn);
    return instance.isParty() ? ceiling::partyValues(sn, instance.table)
                              : ceiling::pricedNameValues(sn, instance.table);
}

Group groupOf(const MasterScreenEntry& entry, Shop& shop, AnsweringMessages& messages)
{
    const masters::MasterInstance& instance = *masters::findMasterInstance(QLatin1String(entry.screen));
    const QString name = instance.name;
    const QString menu = QLatin1String(entry.menuEntry);
    const QString table = instance.table;
    const int rows = table == QLatin1String("Customer") ? shop.size().customers : shop.size().masterRows;
    // The highest SN is taken out for the group, so that Save has a number to give.
    const int highest = rows;
    const int middle = rows / 2;
    const QString searchLetter = instance.isParty() ? QStringLiteral("a") : QStringLiteral("e");
    const QString title = instance.caption;

    Group group;
    group.title = title;
    group.setUp = [&shop, table, highest] {
        shop.exec(QStringLiteral("delete from ") + table + QStringLiteral(" where SN = ") + QString::number(highest));
    };
    group.tearDown = [&shop, instance, table, highest, name] {
        closeScreen(name);
        shop.exec(QStringLiteral("delete from ") + table + QStringLiteral(" where SN = ") + QString::number(highest));
        shop.exec(QStringLiteral("insert into ") + table + QStringLiteral(" values(") + rowValues(instance, highest)
                  + QLatin1Char(')'));
    };

    const auto screen = [name] { return openScreen(name); };
    const auto ensureOpen = [name, menu] {
        if (!openScreen(name))
            openFromMenu(menu, name);
    };

    Operation open{title + QStringLiteral(" opens"), Goal::ScreenOpen};
    open.prepare = [name] { closeScreen(name); };
    open.act = [name, menu] { openFromMenu(menu, name); };
    open.check = [screen, rows]() -> QString {
        const auto* list = control<QComboBox>(screen(), QStringLiteral("CmbSN"));
        if (list->count() != rows - 1)
            return QStringLiteral("%1 SNs listed").arg(list->count());
        if (control<QTableView>(screen(), QStringLiteral("DGG"))->model()->rowCount() < 1)
            return QStringLiteral("empty grid");
        return {};
    };
    group.operations << open;

    Operation save{title + QStringLiteral(" Save"), Goal::Change};
    save.prepare = [screen, ensureOpen, &messages, party = instance.isParty()] {
        ensureOpen();
        messages.last.clear();
        control<QLineEdit>(screen(), QStringLiteral("txtname"))->setText(QStringLiteral("BENCH NEW ONE"));
        control<QLineEdit>(screen(), QStringLiteral("txtpn"))->setText(party ? QStringLiteral("1 NEW ROAD")
                                                                               : QStringLiteral("12.5"));
        control<QLineEdit>(screen(), QStringLiteral("txtremark"))->setText(QStringLiteral("5550001"));
    };
    save.act = [screen] { QTest::mouseClick(control<QPushButton>(screen(), QStringLiteral("CmdSave")), Qt::LeftButton); };
    save.check = [&messages]() -> QString { return messages.last == QLatin1String("Saved") ? QString() : messages.last; };
    save.restore = [&shop, table, highest] {
        shop.exec(QStringLiteral("delete from ") + table + QStringLiteral(" where SN = ") + QString::number(highest));
    };
    group.operations << save;

    Operation remove{title + QStringLiteral(" Delete"), Goal::Change};
    remove.prepare = [screen, ensureOpen, &messages, middle] {
        ensureOpen();
        messages.last.clear();
        control<QComboBox>(screen(), QStringLiteral("CmbSN"))->setEditText(QString::number(middle));
    };
    remove.act = [screen] {
        QTest::mouseClick(control<QPushButton>(screen(), QStringLiteral("cmddelete")), Qt::LeftButton);
    };
    remove.check = [&messages]() -> QString { return messages.last == QLatin1String("Deleted") ? QString() : messages.last; };
    remove.restore = [&shop, instance, table, middle] {
        shop.exec(QStringLiteral("insert into ") + table + QStringLiteral(" values(") + rowValues(instance, middle)
                  + QLatin1Char(')'));
    };
    group.operations << remove;

    Operation search{title + QStringLiteral(" search, first keystroke"), Goal::Change};
    search.prepare = [screen, ensureOpen] {
        ensureOpen();
        auto* box = control<QLineEdit>(screen(), QStringLiteral("txtone"));
        box->clear();
        box->setFocus();
    };
    search.act = [screen, searchLetter] {
        QTest::keyClicks(control<QLineEdit>(screen(), QStringLiteral("txtone")), searchLetter);
    };
    search.check = [screen]() -> QString {
        return control<QTableView>(screen(), QStringLiteral("DGG"))->model()->rowCount() > 0 ? QString()
                                                                                           : QStringLiteral("no rows found");
    };
    search.restore = [screen] { control<QLineEdit>(screen(), QStringLiteral("txtone"))->clear(); };
    group.operations << search;

    Operation drop{title + QStringLiteral(" SN list dropped down")};
    drop.prepare = ensureOpen;
    drop.act = [screen] { control<QComboBox>(screen(), QStringLiteral("CmbSN"))->showPopup(); };
    drop.check = [screen]() -> QString {
        return control<QComboBox>(screen(), QStringLiteral("CmbSN"))->view()->isVisible() ? QString()
                                                                                         : QStringLiteral("no list shown");
    };
    drop.restore = [screen] { control<QComboBox>(screen(), QStringLiteral("CmbSN"))->hidePopup(); };
    group.operations << drop;

    Operation pick{title + QStringLiteral(" SN picked from the list")};
    pick.prepare = ensureOpen;
    pick.act = [screen] {
        auto* list = control<QComboBox>(screen(), QStringLiteral("CmbSN"));
        lists::pickAsOperator(list, list->count() / 3);
    };
    pick.check = [screen]() -> QString {
        return control<QLineEdit>(screen(), QStringLiteral("txtname"))->text().isEmpty() ? QStringLiteral("no record loaded")
                                                                                          : QString();
    };
    group.operations << pick;

    Operation click{title + QStringLiteral(" grid row clicked")};
    click.prepare = ensureOpen;
    click.act = [screen] {
        auto* view = control<QTableView>(screen(), QStringLiteral("DGG"));
        const QRect cell = view->visualRect(view->model()->index(2, 1));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    };
    click.check = [screen]() -> QString {
        auto* view = control<QTableView>(screen(), QStringLiteral("DGG"));
        const QString sn = view->model()->index(2, 0).data().toString();
        return control<QComboBox>(screen(), QStringLiteral("CmbSN"))->currentText() == sn
            ? QString() : QStringLiteral("SN %1 not loaded").arg(sn);
    };
    group.operations << click;
    return group;
}

}  // namespace

QVector<Group> masterGroups(Shop& shop, AnsweringMessages& messages)
{
    QVector<Group> groups;
    for (const MasterScreenEntry& entry : Screens)
        groups << groupOf(entry, shop, messages);
    return groups;
}

}  // namespace bench
