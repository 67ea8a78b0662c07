// The procedures of a line-document screen: numbering, lists, the party,
// the grid, and the statements that store and remove lines with their stock.

#include "billing/LineDocumentScreen.h"

#include "billing/LineStore.h"
#include "data/SqlText.h"
#include "kit/BillArithmetic.h"
#include "kit/DatabaseChange.h"
#include "kit/FailureStyles.h"
#include "kit/Grid.h"
#include "kit/Lists.h"
#include "kit/NumericText.h"
#include "kit/Twips.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

using billing::StockMove;

void LineDocumentScreen::connectx()
{
    ::connectx(m_connection);
}

LineDocumentScreen::NextNumber LineDocumentScreen::FindLastBillNumber()
{
    connectx();
    return readNextNumber();
}

LineDocumentScreen::NextNumber LineDocumentScreen::readNextNumber()
{
    return numbering::afterMaximum(QStringLiteral("Select max(BillNumber) from ") + m_kind.lineTable, m_rs,
                                   m_connection);
}

LineDocumentScreen::NextNumber LineDocumentScreen::FindLastSerialNumber(qint16 number)
{
    connectx();
    return numbering::afterMaximum(QStringLiteral("Select max(Serial) from ") + m_kind.lineTable
                                       + QStringLiteral(" where BillNumber = ") + sql::number(number),
                                   m_rs, m_connection);
}

double LineDocumentScreen::FindGrandTotal(qint16 number)
{
    connectx();
    m_rs.open(QStringLiteral("Select * from ") + m_kind.lineTable + QStringLiteral(" where BillNumber = ")
                  + sql::number(number),
              m_connection);
    return arithmetic::roundedOnceTotal(arithmetic::lineTotals(m_rs));
}

// ---------------------------------------------------------------- lists

void LineDocumentScreen::fillList(QComboBox* list, const QString& statement, AfterFill after)
{
    list->clear();
    // A text that is no entry outlives clear(); its change handler sees it go, as typing would.
    list->clearEditText();
    connectx();
    QStringList entries;
    stopAtFirstError([&] { entries = lists::readEntries(statement, m_connection); });
    lists::setEntries(list, entries, lists::Chosen::None);
    if (after == AfterFill::PickFirst)
        lists::pick(list, 0);
}

void LineDocumentScreen::FillBillN(QComboBox* list)
{
    fillList(list,
             QStringLiteral("Select distinct(BillNumber) AS Item from ") + m_kind.lineTable
                 + QStringLiteral(" ORDER BY BillNumber desc"),
             AfterFill::PickFirst);
}

void LineDocumentScreen::FillMemberNum(QComboBox* list)
{
    fillList(list, QStringLiteral("Select Distinct(SN) from ") + m_kind.partyTable + QStringLiteral("  ORDER BY SN ASC"),
             AfterFill::PickFirst);
}

void LineDocumentScreen::Fill(const QString& column, const QString& table, const QString& orderColumn,
                              const QString& direction, QComboBox* list)
{
    lists::fillDistinct(list, column, table, orderColumn, direction, m_connection);
}

// ---------------------------------------------------------------- the party

bool LineDocumentScreen::FindPersonnelDetails(const QString& partyNumber)
{
    SkipFailing skip;
    connectx();
    // The three values are taken together: a party that cannot be read
    // leaves the found values, and so the boxes, as they were.
    const bool found = skip([&] {
        m_rs.open(QStringLiteral("Select  SN, ITEM, PARTNO,REMARK from ") + m_kind.partyTable
                      + QStringLiteral(" where sn = ") + sql::number(numeric::toInt16(partyNumber)),
                  m_connection);
        const QVariant name = m_rs.field(QStringLiteral("ITEM"));
        const QVariant address = m_rs.field(QStringLiteral("PARTNO"));
        const QString phone = m_rs.field(QStringLiteral("REMARK")).toString();
        m_foundName = name;
        m_foundAddress = address;
        m_foundPhone = phone;
    });
    m_connection.close();
    return found;
}

void LineDocumentScreen::AssignToObject(QLineEdit* name, QLineEdit* address, QLineEdit* phone)
{
    name->setText(m_foundName.toString());
    address->setText(m_foundAddress.toString());
    phone->setText(m_foundPhone);
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

void LineDocumentScreen::showInGrid(const QString& statement)
{
    unbindGrid();
    grid::show(DGG, statement);
    SetGridWidths();
}

void LineDocumentScreen::FillGrid(qint16 number)
{
    if (m_kind.gridListsDocuments) {
        showInGrid(m_kind.gridQuery);
        return;
    }
    showInGrid(m_kind.gridQuery + sql::number(number) + QStringLiteral(" order by Serial asc"));
    m_gridDocument = number;
}

bool LineDocumentScreen::showsLinesOf(qint16 number) const
{
    return m_gridDocument == number && DGG->model() && DGG->model()->rowCount() > 0;
}

void LineDocumentScreen::SetGridWidths()
{
    int column = 0;
    for (int width : m_kind.gridWidths)
        DGG->setColumnWidth(column++, twips::toPixelsX(width, DGG));
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
    if (m_nextNumber.state == Numbering::Free) {
        m_line.number = m_nextNumber.number;
        m_offeredNumber = m_line.number;
        cmbbillnumber->setEditText(QString::number(m_line.number));
        return;
    }
    // No number to offer: Add Item has nothing to add to.
    cmbbillnumber->setEditText(QString());
    if (tellWhenUsedUp && m_nextNumber.state == Numbering::UsedUp)
        numbering::tellUsedUp(m_kind.documentName);
}

// ---------------------------------------------------------------- lines and stock

void LineDocumentScreen::insertLine()
{
    const billing::NumberUse use =
        m_offeredNumber == m_line.number ? billing::NumberUse::Claims : billing::NumberUse::Joins;
    m_line = billing::storeLine(m_kind, m_line, use, m_connection);
}

void LineDocumentScreen::moveStock(StockMove move, qint16 quantity, const QString& itemCode, const QString& item,
                                   const QString& batch)
{
    billing::moveStock(move, quantity, itemCode, item, batch, m_connection);
}

void LineDocumentScreen::removeLine(qint16 number, qint16 serial, StockMove move)
{
    const QString line = QStringLiteral(" where BillNumber = ") + sql::number(number)
        + QStringLiteral(" and Serial = ") + sql::number(serial);
    change::together(m_connection, [&] {
        m_rs.open(QStringLiteral("Select * from ") + m_kind.lineTable + line, m_connection);
        moveStock(move, numeric::toInt16(m_rs.field(QStringLiteral("Quantity"))),
                  m_rs.field(QStringLiteral("ItemCode")).toString(), m_rs.field(QStringLiteral("Item")).toString(),
                  m_rs.field(QStringLiteral("Batch_Number")).toString());
        m_rs.open(QStringLiteral("Delete * from ") + m_kind.lineTable + line, m_connection);
    });
}

void LineDocumentScreen::removeDocument(qint16 number, StockMove move)
{
    const QString document = QStringLiteral(" where BillNumber = ") + sql::number(number);
    change::together(m_connection, [&] {
        if (move != StockMove::None) {
            m_rs.open(QStringLiteral("Select * from ") + m_kind.lineTable + document
                          + QStringLiteral(" order by BillNumber asc , serial asc"),
                      m_connection);
            for (; !m_rs.eof(); m_rs.moveNext())
                moveStock(move, numeric::toInt16(m_rs.field(QStringLiteral("Quantity"))),
                          m_rs.field(QStringLiteral("ItemCode")).toString(),
                          m_rs.field(QStringLiteral("Item")).toString(),
                          m_rs.field(QStringLiteral("Batch_Number")).toString());
        }
        m_rs.open(QStringLiteral("Delete * from ") + m_kind.lineTable + document, m_connection);
    });
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
        list->setEditText(text);
    else
        static_cast<QLineEdit*>(txtBatch)->setText(text);
}
