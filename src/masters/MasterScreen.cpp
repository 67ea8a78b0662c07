#include "masters/MasterScreen.h"

#include "core/NumericText.h"
#include "data/Tables.h"
#include "kit/Connectx.h"
#include "kit/Controls.h"
#include "kit/DatabaseChange.h"
#include "kit/FailureStyles.h"
#include "kit/Grid.h"
#include "kit/ScreenGrid.h"
#include "kit/GridSelection.h"
#include "kit/Lists.h"
#include "kit/Messages.h"
#include "kit/Twips.h"
#include "masters/MasterListings.h"

#include <QComboBox>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTableView>
#include <algorithm>

using masters::MasterInstance;

namespace {

// The inside of the 11895 x 9120 twips window: the layout below fills it.
constexpr int ClientWidth = 11655;
constexpr int ClientHeight = 8640;

// The search frame is taller than designed, so that its second row (the
// search on the second column) shows; the grid starts below it.
constexpr int FrameTop = 2760;
constexpr int FrameHeight = 1560;
constexpr int GridTop = FrameTop + FrameHeight + 120;
constexpr int GridBottom = 8415;

QLabel* label(const QString& text, QWidget* parent, const QString& name)
{
    auto* shown = new QLabel(text, parent);
    shown->setObjectName(name);
    return shown;
}

}  // namespace

MasterScreen::MasterScreen(const MasterInstance& instance, QWidget* parent)
    : DataScreen(instance.name, instance.caption, ClientWidth, ClientHeight, parent)
    , m_instance(instance)
    , m_store(instance.table)
{
    setKeyRules(KeyRules{});  // Esc closes, no apostrophe, capitals; Enter does nothing
    buildControls();
    setFixedSize(sizeHint());
    load();
}

void MasterScreen::buildControls()
{
    const bool party = m_instance.isParty();

    Label1 = addTitleBand(m_instance.title, ClientWidth);

    Label3 = label(QStringLiteral("SN :"), this, QStringLiteral("Label3"));
    twips::place(Label3, 120, 480, 1395, 360);
    CmbSN = controls::editableList(this, QStringLiteral("CmbSN"), controls::NoLengthLimit);
    CmbSN->setToolTip(QStringLiteral("Do not write while entry. Used only for View / Update / Delete"));
    twips::place(CmbSN, 1680, 480, 1215, 360);

    Label4 = label(m_instance.nameLabel, this, QStringLiteral("Label4"));
    twips::place(Label4, 120, 1080, 1395, 360);
    txtname = controls::textBox(this, QStringLiteral("txtname"), schema::TextWidth);
    twips::place(txtname, 1680, 1080, 8280, 375);

    cmddelete = controls::button(this, QStringLiteral("cmddelete"), QStringLiteral("Delete"));
    twips::place(cmddelete, 10080, 1080, 1455, 975);

    Label22 = label(m_instance.secondLabel, this, QStringLiteral("Label22"));
    twips::place(Label22, 120, 1680, 1395, 375);
    txtpn = controls::textBox(this, QStringLiteral("txtpn"), schema::TextWidth);
    twips::place(txtpn, 1680, 1680, 8280, 375);

    // The phone is a party record's third column; the priced names have none,
    // so there the box is kept out of sight under the grid.
    const int remarkTop = party ? 2280 : 4800;
    Label2 = label(QStringLiteral("Phone :"), this, QStringLiteral("Label2"));
    twips::place(Label2, 120, remarkTop, 1395, 375);
    txtremark = controls::textBox(this, QStringLiteral("txtremark"), schema::TextWidth);
    twips::place(txtremark, 1680, remarkTop, 8280, 375);
    Label2->setVisible(party);
    txtremark->setVisible(party);

    CmdSave = controls::button(this, QStringLiteral("CmdSave"), QStringLiteral("Save"));
    twips::place(CmdSave, 1680, 2760, 1455, 975);
    cmdprintstatus = controls::button(this, QStringLiteral("cmdprintstatus"), QStringLiteral("Print"));
    twips::place(cmdprintstatus, 3480, 2760, 1455, 975);
    cmdprintstatus->setEnabled(!m_instance.listing.isEmpty());

    Frame1 = new QGroupBox(QStringLiteral("Search"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    twips::place(Frame1, 5160, FrameTop, 6375, FrameHeight);
    Label13 = label(QStringLiteral("Name :"), Frame1, QStringLiteral("Label13"));
    twips::place(Label13, 120, 360, 800, 375);
    txtone = controls::textBox(Frame1, QStringLiteral("txtone"));
    twips::place(txtone, 960, 360, 2880, 375);
    txtphone = controls::textBox(Frame1, QStringLiteral("txtphone"));
    txtphone->setToolTip(QStringLiteral("Phone No"));
    txtphone->setPlaceholderText(QStringLiteral("Phone No"));
    twips::place(txtphone, 3960, 360, 2280, 375);
    txtphone->setVisible(party);  // nothing to search on the priced names
    if (party)
        txtone->setToolTip(QStringLiteral("Name"));
    Label12 = label(QStringLiteral("Part N :"), Frame1, QStringLiteral("Label12"));
    twips::place(Label12, 120, 1080, 1180, 375);
    txttwo = controls::textBox(Frame1, QStringLiteral("txttwo"));
    twips::place(txttwo, 1320, 1080, 2880, 375);

    DGG = new QTableView(this);
    DGG->setObjectName(QStringLiteral("DGG"));
    grid::setUp(DGG);
    DGG->horizontalHeader()->setStretchLastSection(true);
    twips::place(DGG, 120, GridTop, 11415, GridBottom - GridTop);

    // A record is loaded when the SN's text changes and when one is picked.
    connect(CmbSN, &QComboBox::editTextChanged, this, [this] {
        const TypingScope typing;
        loadRecord();
    });
    connect(CmbSN, &QComboBox::activated, this, [this] { loadRecord(); });
    connect(DGG, &QTableView::clicked, this, [this] { gridClicked(); });
    for (const masters::SearchBox& search : m_instance.searches()) {
        auto* searchBox = Frame1->findChild<QLineEdit*>(search.box);
        const stores::SearchBy column = search.column;
        connect(searchBox, &QLineEdit::textChanged, this,
                [this, column](const QString& text) {
                    const TypingScope typing;
                    this->search(column, text);
                });
    }
    connect(CmdSave, &QPushButton::clicked, this, [this] { save(); });
    connect(cmddelete, &QPushButton::clicked, this, [this] { remove(); });
    connect(cmdprintstatus, &QPushButton::clicked, this, [this] { print(); });
}

// Opening: the whole table, newest first, and the record with the highest SN.
void MasterScreen::load()
{
    const OperationScope operation;
    FillGrid();
    Fill(stores::Order::HighestFirst, CmbSN);
}

// The SN's text changed or an SN was picked: its record goes into the boxes
// and its grid row is highlighted. A text that is no SN of a record leaves
// the boxes as they are.
void MasterScreen::loadRecord()
{
    stopAtFirstError([&] {
        FindPersonnelDetails(CmbSN->currentText());
        AssignToObject(txtname, txtpn, txtremark);
        m_recordShown = true;
        highlightShownRecord();
    });
}

// The highlighted grid row is the record the boxes show, or none when that
// record is not in the grid: an operator going by the highlight deletes the
// record he sees. Only the rows read are searched (a large table's first
// page): the record's row is highlighted when the operator scrolls to it.
void MasterScreen::highlightShownRecord(grid::Scroll scroll)
{
    const QScopedValueRollback<bool> own(m_screenMovesHighlight, true);
    // No record shown (none loaded yet, or the shown one deleted): no row to
    // look for, through every row of a large table.
    if (!m_recordShown) {
        if (QItemSelectionModel* selection = DGG->selectionModel())
            selection->clear();
        return;
    }
    grid::highlightReadRowWhere(DGG, 0, QString::number(m_loadedSN), scroll);
}

void MasterScreen::gridClicked()
{
    // Ctrl+click took the highlight off (so that Copy takes every row): it
    // stays off, and the boxes keep their record.
    if (DGG->selectionModel() && !DGG->selectionModel()->hasSelection())
        return;
    stopAtFirstError([&] {
        CmbSN->setEditText(grid::currentText(DGG, 0));
        loadRecord();
    });
}

// The operator moved the highlight (the arrow keys, a page, a drag): the
// record under it is loaded, as a click loads it, so that Delete removes
// the record highlighted.
void MasterScreen::highlightMoved()
{
    if (m_screenMovesHighlight)
        return;
    stopAtFirstError([&] {
        if (m_recordShown && grid::currentText(DGG, 0) == QString::number(m_loadedSN))
            return;
        gridClicked();
    });
}

// Every change of a search box's text shows the rows whose column contains it.
void MasterScreen::search(stores::SearchBy column, const QString& text)
{
    showInGrid([&] { return m_store.search(column, text); });
    SetGridWidths();
}

// Always adds a new record with the next SN; afterwards the SN list is
// ascending and the lowest SN's record is shown.
void MasterScreen::save()
{
    const OperationScope operation;
    // Blanks around a value are no part of it: "SOAP " would stand beside
    // "SOAP" as another item, and " 98450" beside "98450" as another phone.
    const QString name = txtname->text().trimmed();
    if (name.isEmpty())
        return;
    // Nothing stored: the boxes keep what was typed, to be put right and saved again.
    if (!SaveItem(name, txtpn->text().trimmed(), txtremark->text().trimmed()))
        return;
    FillGrid();
    Fill(stores::Order::LowestFirst, CmbSN);
}

void MasterScreen::remove()
{
    const OperationScope operation;
    // Only a whole number in range names a record: "3.5" would otherwise be
    // rounded to 4 and delete a record other than the one shown.
    const QString text = CmbSN->currentText();
    if (!numeric::isNumeric(text))
        return;
    const double number = numeric::toDouble(text);
    if (number != numeric::roundHalfEven(number) || number < -32768 || number > 32767)
        return;
    if (!Messages::instance().ask(QStringLiteral("Confirm Delete ?"), QStringLiteral("Delete")))
        return;
    // The record shown, when it is the one named: it alone is deleted.
    const bool shown = m_recordShown && numeric::toInt16(number) == m_loadedSN;
    if (!deleteItem(numeric::toInt16(number),
                    shown ? std::optional<stores::MasterRecord>({m_loadedSN, m_first, m_second, m_third}) : std::nullopt)) {
        // Refused, for another till's record under the SN or for a record
        // another till deleted: the screen shows what is stored now, that
        // record, or, the SN empty, the list as after a Delete (boxes left
        // showing the gone record would store it again at Save).
        if (shown) {
            const QString sn = QString::number(m_loadedSN);
            m_recordShown = false;
            FillGrid();
            Fill(stores::Order::HighestFirst, CmbSN);
            if (CmbSN->findText(sn) >= 0)
                CmbSN->setEditText(sn);
            if (!m_recordShown) {  // no record left to show
                txtname->clear();
                txtpn->clear();
                txtremark->clear();
            }
        }
        return;
    }
    if (numeric::toInt16(number) == m_loadedSN)
        m_recordShown = false;
    if (m_instance.clearNameAfterDelete)
        txtname->clear();
    FillGrid();
    Fill(stores::Order::HighestFirst, CmbSN);
}

void MasterScreen::print()
{
    if (!m_instance.listing.isEmpty())
        masters::printMasterListing(m_instance.listing);
}

void MasterScreen::Fill(stores::Order order, QComboBox* target)
{
    lists::fillAndPickFirst(target, m_store.connection(), [&] { return m_store.numbers(order); });
}

void MasterScreen::FillGrid()
{
    showInGrid([&] { return m_store.allRecords(); });
    SetGridWidths();
}

void MasterScreen::showInGrid(const std::function<PagedRows()>& read)
{
    stopAtFirstError([&] {
        {
            const QScopedValueRollback<bool> own(m_screenMovesHighlight, true);
            grid::show(DGG, read());
        }
        if (!m_highlightFollowsArrivals) {
            connect(DGG->model(), &QAbstractItemModel::rowsInserted, this,
                    [this] { highlightShownRecord(grid::Scroll::Stay); });
            connect(DGG->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                    [this] { highlightMoved(); });
            m_highlightFollowsArrivals = true;
        }
        highlightShownRecord();
    });
}

void MasterScreen::SetGridWidths()
{
    twips::setColumnWidths(DGG, {700, m_instance.gridNameWidth});
    // The columns after the name fit their contents (at least 3000 twips);
    // the last one reaches to the grid's edge.
    const int least = twips::toPixelsX(3000, DGG);
    const int columns = DGG->model()->columnCount();
    for (int column = 2; column < columns; ++column) {
        const int width = std::max(grid::fittedWidth(DGG, column), least);
        if (column == columns - 1)
            grid::setLastColumnWidth(DGG, width);
        else
            DGG->setColumnWidth(column, width);
    }
}

bool MasterScreen::SaveItem(const QString& first, const QString& second, const QString& third)
{
    // A record Save cannot store (a priced name without a numeric price, say): nothing happens.
    if (!m_store.problemWith({0, first, second, third}).isEmpty())
        return false;

    bool saved = false;
    stopAtFirstError([&] {
        connectx(m_store.connection());
        const std::optional<qint16> sn = m_store.nextNumber();
        if (!sn) {
            Messages::instance().inform(stores::MasterStore::usedUpMessage(), QStringLiteral("Info"));
            return;
        }
        // Under the next free number when another till saved under sn first.
        // Only a record the database refuses as a duplicate gets the screen's
        // own message; anything else is told as what it is.
        change::together(
            m_store.connection(), [&] { m_store.save(*sn, first, second, third); },
            [&] { Messages::instance().inform(m_instance.saveFailureMessage, QStringLiteral("Info")); });
        saved = true;
        Messages::instance().inform(QStringLiteral("Saved"), QStringLiteral("Info"));
        m_store.close();
    });
    return saved;
}

// True when the statement went through; a failure is told (change::together),
// and a connection that cannot be opened has been reported by connectx.
bool MasterScreen::deleteItem(qint16 sn, const std::optional<stores::MasterRecord>& shown)
{
    return stopAtFirstError([&] {
        connectx(m_store.connection());
        change::together(m_store.connection(), [&] { m_store.remove(sn, shown); });
        Messages::instance().inform(QStringLiteral("Deleted"), QStringLiteral("Info"));
        m_store.close();
    });
}

// Reads the record with that SN into the working values; throws when there is none.
void MasterScreen::FindPersonnelDetails(const QString& sn)
{
    connectx(m_store.connection());
    const stores::MasterRecord record = m_store.record(numeric::toDouble(sn));
    m_loadedSN = record.sn;
    m_first = record.first;
    m_second = record.second;
    m_third = record.third;
    m_store.close();
}

void MasterScreen::AssignToObject(QLineEdit* first, QLineEdit* second, QLineEdit* third)
{
    first->setText(m_first);
    second->setText(m_second);
    third->setText(m_third);
}

namespace masters {

MasterScreen* createMasterScreen(const QString& name, QWidget* parent)
{
    const MasterInstance* instance = findMasterInstance(name);
    return instance ? new MasterScreen(*instance, parent) : nullptr;
}

}  // namespace masters
