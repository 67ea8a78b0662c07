// The procedures of a line-document screen: numbering, lists, the party,
// the grid, and storing and removing lines with their stock (through the
// screen's store).

#include "families/LineDocumentScreen.h"
#include "families/LinesMaybeStored.h"
#include "kit/Connectx.h"

#include "core/NumericText.h"
#include "data/DbError.h"
#include "kit/Controls.h"
#include "kit/DatabaseChange.h"
#include "kit/FailureStyles.h"
#include "kit/Grid.h"
#include "kit/Lists.h"
#include "kit/Messages.h"
#include "kit/Twips.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

void LineDocumentScreen::connectx()
{
    ::connectx(m_store.connection());
}

LineDocumentScreen::NextNumber LineDocumentScreen::FindLastBillNumber()
{
    connectx();
    return readNextNumber();
}

// A maximum that cannot be read leaves the number unknown: no number is safe.
LineDocumentScreen::NextNumber LineDocumentScreen::readNextNumber()
{
    NextNumber next;
    stopAtFirstError([&] { next = m_store.nextNumber(); });
    return next;
}

LineDocumentScreen::NextNumber LineDocumentScreen::FindLastSerialNumber(qint16 number)
{
    connectx();
    NextNumber next;
    stopAtFirstError([&] { next = m_store.nextSerial(number); });
    return next;
}

double LineDocumentScreen::FindGrandTotal(qint16 number)
{
    connectx();
    return m_store.grandTotal(number);
}

// ---------------------------------------------------------------- lists

void LineDocumentScreen::fillList(QComboBox* list, const std::function<QStringList()>& read, AfterFill after)
{
    list->clear();
    // A text that is no entry outlives clear(); its change handler sees it go, as typing would.
    list->clearEditText();
    connectx();
    QStringList entries;
    stopAtFirstError([&] { entries = read(); });
    lists::setEntries(list, entries, lists::Chosen::None);
    if (after == AfterFill::PickFirst)
        lists::pick(list, 0);
}

void LineDocumentScreen::FillBillN(QComboBox* list, AfterFill after)
{
    fillList(list, [this] { return m_store.documentNumbers(); }, after);
}

void LineDocumentScreen::FillMemberNum(QComboBox* list)
{
    fillList(list, [this] { return m_store.partyNumbers(stores::Order::LowestFirst); }, AfterFill::PickFirst);
}

void LineDocumentScreen::Fill(QComboBox* list)
{
    lists::fillAndPickFirst(list, m_store.connection(), [this] { return m_store.partyNumbers(stores::Order::HighestFirst); });
}

// ---------------------------------------------------------------- the party

bool LineDocumentScreen::FindPersonnelDetails(const QString& partyNumber)
{
    SkipFailing skip;
    connectx();
    // The three values are taken together: a party that cannot be read
    // leaves the found values, and so the boxes, as they were.
    const bool found = skip([&] {
        const stores::Party party = m_store.party(numeric::toInt16(partyNumber));
        m_foundName = party.name;
        m_foundAddress = party.address;
        m_foundPhone = party.phone;
    });
    m_store.close();
    return found;
}

void LineDocumentScreen::AssignToObject(QLineEdit* name, QLineEdit* address, QLineEdit* phone)
{
    controls::showWhole(name, m_foundName.toString());
    controls::showWhole(address, m_foundAddress.toString());
    controls::showWhole(phone, m_foundPhone);
}

void LineDocumentScreen::clearKeptParty()
{
    m_line.partyName.clear();
    m_line.partyAddress.clear();
    m_line.partyPhone.clear();
    m_line.remark.clear();
}

void LineDocumentScreen::clearParty()
{
    txtname->clear();
    txtaddress->clear();
    txtphone->clear();
    clearKeptParty();
}

// ---------------------------------------------------------------- the grid

void LineDocumentScreen::unbindGrid()
{
    grid::unbind(DGG);
    m_gridDocument.reset();
}

void LineDocumentScreen::FillGrid(qint16 number)
{
    m_gridDocument.reset();
    grid::refill(DGG, [&] { return m_store.gridRows(number); });
    SetGridWidths();
    if (!m_kind.gridListsDocuments)
        m_gridDocument = number;
}

void LineDocumentScreen::SetGridWidths()
{
    twips::setColumnWidths(DGG, m_kind.gridWidths);
}

void LineDocumentScreen::showEmptyDocument()
{
    SkipFailing skip;
    skip([&] { FillGrid(NoDocument); });
    m_grandTotal = 0;
    lblGrandTotal->setText(QStringLiteral("0"));
}

// ---------------------------------------------------------------- numbers

qint16 LineDocumentScreen::boxDocumentNumber() const
{
    const qint16 number = numeric::toInt16(cmbbillnumber->currentText());
    if (number < 1)
        throw Failure(QStringLiteral("Document numbers start at 1."));
    return number;
}

void LineDocumentScreen::readGridLine(qint16& number, qint16& serial) const
{
    number = boxDocumentNumber();
    // The serial is read off the grid: it must be a line of the document in the box.
    if (gridDocument() != number)
        throw Failure(QStringLiteral("The grid does not show document %1.").arg(number));
    serial = numeric::toInt16(grid::currentText(DGG, 0));
}

void LineDocumentScreen::showNextNumber(bool tellWhenUsedUp)
{
    m_nextNumber = FindLastBillNumber();
    m_offeredNumber.reset();
    m_emptiedNumber.reset();
    // No entry chosen under the new number: the arrow keys start from the newest.
    cmbbillnumber->setCurrentIndex(-1);
    if (m_nextNumber.state == Numbering::Free) {
        m_line.number = m_nextNumber.number;
        m_offeredNumber = m_line.number;
        cmbbillnumber->setEditText(QString::number(m_line.number));
        return;
    }
    // No number to offer: Add Item has nothing to add to.
    cmbbillnumber->setEditText(QString());
    if (tellWhenUsedUp && m_nextNumber.state == Numbering::UsedUp)
        tellUsedUp();
}

void LineDocumentScreen::tellUsedUp()
{
    Messages::instance().inform(m_store.usedUpMessage(), QStringLiteral("Information"));
}

void LineDocumentScreen::warnWhenRunningOut()
{
    const QString warning = m_store.runningOutMessage(m_nextNumber);
    if (!warning.isEmpty())
        Messages::instance().inform(warning, QStringLiteral("Information"));
}

// ---------------------------------------------------------------- lines and stock

void LineDocumentScreen::insertLine()
{
    const stores::NumberUse use = numberUse();
    std::optional<stores::ShownRows> shown;
    if (use == stores::NumberUse::Joins)
        shown = shownLines(m_line.number);
    m_line = m_store.storeLine(m_line, use, shown);
    if (use != stores::NumberUse::Joins)
        noteStartingTransaction();
}

void LineDocumentScreen::storeStartingLine(const std::function<void()>& change)
{
    m_startingTransaction.reset();
    try {
        change();
    } catch (const CommitOutcomeUnknown&) {
        // The line was stored under m_line's number, had the commit landed.
        if (m_startingTransaction) {
            linesmaybestored::note(screenKind(), {*m_startingTransaction, m_line.number});
            settleLineMaybeStored();
        }
        throw;
    }
}

QString LineDocumentScreen::screenKind() const
{
    return QString::fromLatin1(metaObject()->className());
}

void LineDocumentScreen::settleLineMaybeStored()
{
    const auto line = linesmaybestored::of(screenKind());
    using Outcome = stores::LineDocumentStore::Outcome;
    Outcome outcome = Outcome::Unknown;
    try {
        outcome = m_store.outcome(line->transaction);
    } catch (const Failure&) {
        return;  // asked again by the next Add
    }
    if (outcome == Outcome::Unknown)
        return;  // told by the next Add
    linesmaybestored::forget(screenKind());
    // Committed after the screen read the document back, maybe.
    if (outcome == Outcome::Committed)
        showFoundDocument(line->number);
}

void LineDocumentScreen::noteStartingTransaction()
{
    m_startingTransaction = m_store.serverTransaction();
}

bool LineDocumentScreen::lineMaybeStoredIsNotStored()
{
    const auto line = linesmaybestored::of(screenKind());
    if (!line)
        return true;
    using Outcome = stores::LineDocumentStore::Outcome;
    Outcome outcome = Outcome::Unknown;
    if (!stopAtFirstError([&] { outcome = m_store.outcome(line->transaction); }))
        return false;
    linesmaybestored::forget(screenKind());
    switch (outcome) {
    case Outcome::Aborted:
        return true;
    case Outcome::Unknown:
        Messages::instance().inform(QStringLiteral("The line added as the connection was lost cannot be looked for: the "
                                                   "server no longer knows the change that stored it. Look at the last "
                                                   "%1s to see whether it is there before adding it again. Nothing was "
                                                   "added.")
                                        .arg(m_store.documentName()),
                                    QStringLiteral("Information"));
        return false;
    case Outcome::Committed:
        break;
    }
    showFoundDocument(line->number);
    Messages::instance().inform(QStringLiteral("The line added as the connection was lost had been stored, in %1 %2, "
                                               "which is shown now. Nothing more was added.")
                                    .arg(m_store.documentName())
                                    .arg(line->number),
                                QStringLiteral("Information"));
    return false;
}

void LineDocumentScreen::showFoundDocument(qint16 number)
{
    // The screen is on it: its next lines join it.
    m_offeredNumber.reset();
    m_emptiedNumber.reset();
    cmbbillnumber->setEditText(QString::number(number));
    showDocumentAsStored();
}

stores::NumberUse LineDocumentScreen::numberUse() const
{
    if (m_offeredNumber == m_line.number)
        return stores::NumberUse::Claims;
    // Emptied here: another screen's new document may have taken the number since.
    if (m_emptiedNumber == m_line.number)
        return stores::NumberUse::Retakes;
    return stores::NumberUse::Joins;
}

void LineDocumentScreen::removeLine(qint16 number, qint16 serial, stores::StockMove move)
{
    const QStringList shown = shownRow(DGG->currentIndex().row());
    bool linesLeft = true;
    changeShownDocument(
        [&] { change::together(m_store.connection(), [&] { linesLeft = m_store.removeLine(number, serial, move, shown); }); });
    if (!linesLeft)
        m_emptiedNumber = number;
}

void LineDocumentScreen::removeDocument(qint16 number, stores::StockMove move, const stores::ShownRows& shownLines)
{
    changeShownDocument(
        [&] { change::together(m_store.connection(), [&] { m_store.removeDocument(number, move, shownLines); }); });
}

void LineDocumentScreen::changeShownDocument(const std::function<void()>& change)
{
    try {
        change();
    } catch (const stores::ChangedSinceShown&) {
        showDocumentAsStored();
        throw;
    } catch (const CommitOutcomeUnknown&) {
        showDocumentAsStored();  // with the line, when the server took it
        throw;
    }
}

void LineDocumentScreen::showDocumentAsStored()
{
    SkipFailing skip;
    if (m_kind.gridListsDocuments)
        skip([&] { FillGrid(NoDocument); });
    pickDocumentNumber();
    // With its date, which the next line takes, as when the number is chosen.
    showRecalledDocumentsDate();
}

stores::ShownRows LineDocumentScreen::shownLines(qint16 number) const
{
    if (m_gridDocument == number) {
        stores::ShownRows lines;
        for (int row = 0, rows = grid::rowCount(DGG); row < rows; ++row)
            lines << shownRow(row);
        return lines;
    }
    // In a grid of every document, its current row, or the one recalled into
    // the boxes while the arrow keys moved the current row elsewhere.
    if (m_kind.gridListsDocuments && DGG->currentIndex().isValid() && grid::currentText(DGG, 0) == QString::number(number))
        return stores::ShownRows{shownRow(DGG->currentIndex().row())};
    if (m_kind.gridListsDocuments && m_recalledDocument && m_recalledDocument->first == number)
        return stores::ShownRows{m_recalledDocument->second};
    // Any other number (offered by New, typed, beside another document's
    // lines) is shown empty: lines there are another till's, or ones the
    // operator has not seen.
    return stores::ShownRows{};
}

void LineDocumentScreen::noteRecalledDocument(qint16 number)
{
    m_recalledDocument.reset();
    if (DGG->currentIndex().isValid() && grid::currentText(DGG, 0) == QString::number(number))
        m_recalledDocument.emplace(number, shownRow(DGG->currentIndex().row()));
}

QStringList LineDocumentScreen::shownRow(int row) const
{
    const QAbstractItemModel* model = DGG->model();
    QStringList shown;
    for (int column = 0; model && column < model->columnCount(); ++column)
        shown << model->index(row, column).data().toString();
    return shown;
}

// ---------------------------------------------------------------- the batch box

QComboBox* LineDocumentScreen::batchList() const
{
    return qobject_cast<QComboBox*>(txtBatch);
}

QString LineDocumentScreen::batchText() const
{
    if (QComboBox* list = batchList())
        return list->currentText();
    return static_cast<QLineEdit*>(txtBatch)->text();
}

void LineDocumentScreen::setBatchText(const QString& text)
{
    if (QComboBox* list = batchList())
        controls::showWhole(list, text);
    else
        controls::showWhole(static_cast<QLineEdit*>(txtBatch), text);
}
