#include "families/QueryScreen.h"

#include "core/Dates.h"
#include "core/NumericText.h"
#include "families/QueryReport.h"
#include "kit/Connectx.h"
#include "kit/FailureStyles.h"
#include "kit/Grid.h"
#include "kit/Lists.h"
#include "kit/Twips.h"
#include "stores/QueryStore.h"

#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QGroupBox>
#include <QTableView>

using query::Bounds;
using query::QueryButton;
using query::Selector;

QueryScreen::QueryScreen(const query::QueryDesign& design, QWidget* parent)
    : DataScreen(design.name, design.caption, query::ClientWidth, query::ClientHeight, parent), m_design(design)
{
    setKeyRules(KeyRules{});  // Esc closes, no apostrophe, capitals; Enter does nothing
    buildControls();
    setFixedSize(sizeHint());
    load();
}

QueryScreen::~QueryScreen() = default;

void QueryScreen::load()
{
    // The first selection takes what the operator types first.
    if (QWidget* first = CmbFrom ? static_cast<QWidget*>(CmbFrom) : cmbhead)
        first->setFocus();
    const QDate today = dates::today();
    for (QDateEdit* date : {DTP1, DTP2})
        if (date)
            date->setDate(today);
    for (const query::QueryRow& row : m_design.rows) {
        if (row.selector == Selector::Numbers)
            fillList({CmbFrom, cmbTo}, row.listStatement);
        else if (row.selector == Selector::Head)
            fillList({cmbhead}, row.listStatement);
        else if (row.selector == Selector::Name)
            fillList({cmbname}, row.listStatement);
    }
}

// Every list of the family is filled here, on the shared connection, with
// nothing chosen. A list that cannot be read stays empty.
void QueryScreen::fillList(const QVector<QComboBox*>& filled, const QString& statement)
{
    const stores::QueryStore query;
    connectx(query.connection());
    QStringList entries;
    stopAtFirstError([&] { entries = query.listEntries(statement); });
    query.close();
    for (QComboBox* list : filled)
        lists::setEntries(list, entries, lists::Chosen::None);
}

void QueryScreen::run(Selector selector, const QueryButton& button)
{
    // Every Show hides the sums, which only Show Total shows; a print leaves
    // them as they are, beside the rows they sum.
    if (button.does == QueryButton::Does::Show)
        showAmounts(false);
    const std::optional<Bounds> selected = bounds(selector, button.strict);
    if (!selected)
        return;
    switch (button.does) {
    case QueryButton::Does::Show:
        fillGrid(query::withBounds(button.rows, *selected));
        break;
    case QueryButton::Does::Print:
        families::printQueryReport(query::withBounds(button.rows, *selected),
                                  query::withBounds(button.total, *selected), m_design.reportFooter);
        break;
    case QueryButton::Does::Own:
        runOwn(button, *selected);
        break;
    }
}

// The guards: numbers must be numbers (compared as numbers), a strict
// selection refuses reversed bounds and an empty text.
std::optional<Bounds> QueryScreen::bounds(Selector selector, bool strict) const
{
    switch (selector) {
    case Selector::Numbers: {
        const QString from = CmbFrom->currentText();
        const QString to = cmbTo->currentText();
        if (!numeric::isNumeric(from) || !numeric::isNumeric(to))
            return std::nullopt;
        double first = 0;
        double second = 0;
        if (!stopAtFirstError([&] {
                first = numeric::toDouble(from);
                second = numeric::toDouble(to);
            }))
            return std::nullopt;
        if (strict && first > second)
            return std::nullopt;
        return Bounds::numbers(first, second);
    }
    case Selector::Dates:
        if (strict && DTP1->date() > DTP2->date())
            return std::nullopt;
        return Bounds::dates(DTP1->date(), DTP2->date());
    case Selector::Head:
    case Selector::Name: {
        const QString text = (selector == Selector::Head ? cmbhead : cmbname)->currentText();
        if (strict && text.isEmpty())
            return std::nullopt;
        return Bounds::text(text);
    }
    case Selector::All:
        break;
    }
    return Bounds{};
}

void QueryScreen::runOwn(const QueryButton&, const Bounds&)
{
}

// The grid shows what the statement gives; a failure leaves it empty and is told.
void QueryScreen::fillGrid(const QString& statement)
{
    CollectErrors errors;
    errors([&] { grid::refill(DGG, [&] { return stores::QueryStore().gridRows(statement); }); });
    twips::setColumnWidths(DGG, m_design.gridWidths);
    errors.report();
}

void QueryScreen::fillGrid(const QVector<QString>& headers, QVector<QVector<QVariant>> rows,
                           const QVector<int>& widths)
{
    grid::bind(DGG, headers, std::move(rows));
    twips::setColumnWidths(DGG, widths);
}

void QueryScreen::showAmounts(bool shown)
{
    if (frmamount)
        frmamount->setVisible(shown);
}
