#include "stock/SellingPrices.h"

#include "core/Failure.h"
#include "core/NumericText.h"
#include "kit/Connectx.h"
#include "kit/Controls.h"
#include "kit/DatabaseChange.h"
#include "kit/FailureStyles.h"
#include "kit/GridSelection.h"
#include "kit/Messages.h"
#include "kit/ScreenGrid.h"
#include "kit/Twips.h"
#include "stock/SellingPriceGrid.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

using Column = stores::SellingPriceStore::Column;

namespace {

constexpr int ClientWidth = 11655;
constexpr int ClientHeight = 8640;
const QString Caption = QStringLiteral("Info");

QLabel* label(const QString& text, QWidget* parent, const char* name, int left, int top, int width, int height)
{
    auto* shown = new QLabel(text, parent);
    twips::place(shown, name, left, top, width, height);
    return shown;
}

}  // namespace

SellingPrices::SellingPrices(QWidget* parent)
    : DataScreen(QStringLiteral("SellingPrices"), QStringLiteral("Selling Prices"), ClientWidth, ClientHeight, parent)
{
    setKeyRules(KeyRules{});  // Esc closes, no apostrophe, capitals; Enter ends a typed MRP
    buildControls();
    setFixedSize(sizeHint());
    FillGrid();
}

void SellingPrices::buildControls()
{
    Label1 = addTitleBand(QStringLiteral(": Selling Prices :"), ClientWidth);

    Label2 = label(QStringLiteral("Item Code / Name :"), this, "Label2", 120, 480, 1900, 375);
    txtfind = new QLineEdit(this);
    txtfind->setToolTip(QStringLiteral("The batches whose item code or item name contains the text"));
    twips::place(txtfind, "txtfind", 2040, 480, 3600, 375);
    lblhint = label(QStringLiteral("Type a batch's MRP on its row (or double-click it) and press Enter. "
                                   "Batches in colour have no MRP yet: the simple bill sells them at 0."),
                    this, "lblhint", 120, 960, 5520, 660);
    lblhint->setWordWrap(true);

    Frame1 = new QGroupBox(QStringLiteral("Every Batch Of The Item Code"), this);
    twips::place(Frame1, "Frame1", 5880, 420, 5655, 1200);
    Label3 = label(QStringLiteral("Item Code :"), Frame1, "Label3", 120, 330, 1100, 375);
    lblcode = label(QString(), Frame1, "lblcode", 1260, 330, 2200, 375);
    lblcode->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Label4 = label(QStringLiteral("MRP :"), Frame1, "Label4", 120, 750, 1100, 375);
    txtmrp = new QLineEdit(Frame1);
    twips::place(txtmrp, "txtmrp", 1260, 750, 2200, 375);
    cmdsetcode = controls::button(Frame1, QStringLiteral("cmdsetcode"), QStringLiteral("Set MRP"));
    twips::place(cmdsetcode, 3600, 330, 1900, 795);

    // The model first: the kit's grid set-up keeps a grid model it is given.
    DGG = new QTableView(this);
    DGG->setObjectName(QStringLiteral("DGG"));
    m_rows = new SellingPriceGrid(
        Column::Mrp, [this](int row, const QString& typed) { return storeRowPrice(row, typed); }, DGG);
    DGG->setModel(m_rows);
    grid::setUp(DGG);
    DGG->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                         | QAbstractItemView::AnyKeyPressed);
    DGG->horizontalHeader()->setStretchLastSection(true);
    twips::place(DGG, 120, 1740, 11415, 6675);

    // Whichever cell of a row is picked, what is typed goes into its MRP.
    connect(DGG->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        if (current.isValid() && current.column() != Column::Mrp)
            DGG->setCurrentIndex(current.siblingAtColumn(Column::Mrp));
        showChosenCode();
    });
    connect(txtfind, &QLineEdit::textChanged, this, [this] {
        const TypingScope typing;
        FillGrid();
    });
    connect(cmdsetcode, &QPushButton::clicked, this, [this] { setCodePrice(); });
    connect(txtmrp, &QLineEdit::returnPressed, cmdsetcode, &QPushButton::click);
}

// Every change of the text shows the batches whose code or name contains it.
void SellingPrices::FillGrid()
{
    m_shownVersion.reset();
    stopAtFirstError([&] {
        connectx(m_store.connection());
        m_shownVersion = m_store.stockVersion();  // before the rows: a change between is read again
        grid::show(DGG, m_store.batches(txtfind->text()));
    });
    m_store.close();
    // The MRP, last, takes the rest of the width.
    twips::setColumnWidths(DGG, {700, 1500, 3600, 1500, 1100, 1100});
    showChosenCode();
}

// A price typed over a batch's MRP: stored for that batch alone, or refused
// and the stored one kept.
bool SellingPrices::storeRowPrice(int row, const QString& typed)
{
    bool readAgain = false;
    const bool stored = storeTypedPrice(row, typed, readAgain);
    // Posted once every message is told, the failure's too (whose own event
    // loop ran it under the cell being closed, and the program ended): shown
    // again once the typing has ended.
    if (readAgain) {
        const QString number = QString::number(numeric::toInt16(m_rows->value(row, Column::Number)));
        QMetaObject::invokeMethod(this, [this, number] {
            FillGrid();
            stopAtFirstError([&] { grid::selectRowWhere(DGG, Column::Number, number); });
        }, Qt::QueuedConnection);
    }
    return stored;
}

bool SellingPrices::storeTypedPrice(int row, const QString& typed, bool& readAgain)
{
    const OperationScope operation;
    const QString stored = m_rows->data(m_rows->index(row, Column::Mrp), Qt::DisplayRole).toString();
    const std::optional<double> price =
        typedPrice(typed, QStringLiteral("the MRP stays %1.").arg(stored));
    if (!price)
        return false;
    // The batch as the row shows it: a restore may have given its stock
    // number to another batch since.
    const qint16 number = numeric::toInt16(m_rows->value(row, Column::Number));
    const auto shown = [&](Column column) -> std::optional<QString> {
        const QVariant value = m_rows->value(row, column);
        return value.isNull() ? std::nullopt : std::optional<QString>(value.toString());  // "= NULL" matches nothing
    };
    stores::SellingPriceStore::StockVersions versions;
    const std::optional<int> count =
        storePrice({number, shown(Column::Code), shown(Column::Item), shown(Column::Batch)}, *price, &versions);
    if (count == 0)
        Messages::instance().inform(
            QStringLiteral("Stock batch %1 is no longer there: nothing was changed.").arg(number), Caption);
    if (count.value_or(0) > 0 && shown(Column::Item))
        if (const QString note = simpleBillsPrice(*shown(Column::Item), *price); !note.isEmpty())
            Messages::instance().inform(QStringLiteral("Stored. ") + note, Caption);
    // The batch gone, or another program's change since the grid was read:
    // the grid shows what is stored. (Not stored, the row keeps the MRP it showed.)
    readAgain = count == 0 || (count && versions.before != m_shownVersion);
    if (count && !readAgain)
        m_shownVersion = versions.after;
    return count.value_or(0) > 0;
}

// The simple bill prices an item at its first batch alone. A price stored on
// another batch (the one with the stock, beside a batch a mistyped receipt
// left behind, or of another item code) would leave its bills at the first
// batch's price unawares.
QString SellingPrices::simpleBillsPrice(const QString& item, double price)
{
    std::optional<stores::SellingPriceStore::PricedBatch> first;
    stopAtFirstError([&] {
        connectx(m_store.connection());
        first = m_store.simpleBillBatch(item);
    });
    m_store.close();
    // Compared as written: a price typed with more decimals is stored rounded.
    if (!first || numeric::asWritten(first->mrp) == numeric::asWritten(price))
        return {};
    return QStringLiteral("The simple bill prices %1 at the MRP of its first batch, stock number %2 of item code "
                          "%3, which is %4: set that batch's MRP as well.")
        .arg(item)
        .arg(first->number)
        .arg(first->code, numeric::numberText(first->mrp));
}

// One price for every batch of the item code of the highlighted row, as
// billdb mrp --code sets it.
void SellingPrices::setCodePrice()
{
    const OperationScope operation;
    const QString code = lblcode->text();
    if (!DGG->currentIndex().isValid())
        return;
    const std::optional<double> price = typedPrice(txtmrp->text(), QStringLiteral("no MRP was changed."));
    if (!price)
        return;
    const QString number = grid::currentText(DGG, Column::Number);
    const std::optional<int> count = storePrice({{}, code, {}, {}}, *price);
    if (!count)
        return;
    // The new prices in the grid behind the news.
    FillGrid();
    stopAtFirstError([&] { grid::selectRowWhere(DGG, Column::Number, number); });
    const QString batches = *count == 1 ? QStringLiteral("1 batch") : QStringLiteral("%1 batches").arg(*count);
    const QString item = grid::currentText(DGG, Column::Item);
    const QString note = item.isEmpty() ? QString() : simpleBillsPrice(item, *price);
    // Ready for the next code, typed or scanned: a scan after this one would
    // otherwise be added to the price.
    txtmrp->clear();
    txtfind->setFocus();
    txtfind->selectAll();
    Messages::instance().inform(
        QStringLiteral("The MRP of %1 of item code %2 is now %3.").arg(batches, code, numeric::numberText(*price))
            + (note.isEmpty() ? QString() : QLatin1Char(' ') + note),
        Caption);
}

void SellingPrices::showChosenCode()
{
    lblcode->setText(grid::currentText(DGG, Column::Code));
}

std::optional<double> SellingPrices::typedPrice(const QString& typed, const QString& instead)
{
    if (typed.trimmed().isEmpty())
        return std::nullopt;
    try {
        return stores::SellingPriceStore::priceOf(typed);
    } catch (const Failure& refused) {
        Messages::instance().inform(QStringLiteral("Not stored: %1; %2").arg(refused.description(), instead), Caption);
        return std::nullopt;
    }
}

std::optional<int> SellingPrices::storePrice(const stores::Batches& which, double price,
                                             stores::SellingPriceStore::StockVersions* versions)
{
    std::optional<int> count;
    stopAtFirstError([&] {
        connectx(m_store.connection());
        int set = 0;
        change::together(m_store.connection(), [&] { set = m_store.setPrice(which, price, versions); });
        count = set;  // once committed: a commit lost on the way stored nothing that can be told
    });
    m_store.close();
    return count;
}
