// The operations of a line-document screen, each in the order the operator
// meets its steps.

#include "families/LineDocumentScreen.h"

#include "core/NumericText.h"
#include "data/Connection.h"
#include "families/DocumentReceipt.h"
#include "kit/Controls.h"
#include "kit/DatabaseChange.h"
#include "kit/DocumentDate.h"
#include "kit/FailureStyles.h"
#include "kit/Grid.h"
#include "kit/HeldUpInput.h"
#include "kit/Messages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

LineDocumentScreen::LineDocumentScreen(families::LineDocumentKind kind, QWidget* parent)
    : DataScreen(kind.name, kind.captions.window, 11895, 9120, parent), m_store(kind.document), m_kind(std::move(kind))
{
    buildControls();
    setFixedSize(sizeHint());

    KeyRules rules;
    rules.onEnter = [this] { printDocument(); };
    setKeyRules(rules);
    setProperty(HeldUpInput::EnterPressesProperty, QVariant::fromValue<QObject*>(CndPrintBill));
    connectOperations();
}

LineDocumentScreen::~LineDocumentScreen() = default;

void LineDocumentScreen::connectOperations()
{
    connect(CMBMEMBERNUM, &QComboBox::activated, this, [this] { pickPartyNumber(); });
    connect(txtphone, &QLineEdit::textChanged, this, [this] {
        const TypingScope typing;
        lookUpPhone();
    });
    connect(cmbbillnumber, &QComboBox::activated, this, [this] { pickDocumentNumber(); });
    // Qt tells the operator's choice by textActivated after activated; the
    // screen's own loads (lists::pick) by activated alone.
    connect(cmbbillnumber, &QComboBox::textActivated, this, [this] { showRecalledDocumentsDate(); });
    connect(CmbAdd, &QPushButton::clicked, this, [this] { addItem(); });
    connect(cmdDelSerial, &QPushButton::clicked, this, [this] { deleteSerial(); });
    connect(cmdDELET, &QPushButton::clicked, this, [this] { deleteDocument(); });
    connect(CmdNewBill, &QPushButton::clicked, this, [this] { newDocument(); });
    connect(CndPrintBill, &QPushButton::clicked, this, [this] { printDocument(); });
    m_documentDate = new DocumentDate(DTP);
}

void LineDocumentScreen::openScreen()
{
    const OperationScope operation;
    if (m_kind.fillsPartyAscendingFirst)
        FillMemberNum(CMBMEMBERNUM);
    fillList(cmbitem, [this] { return m_store.itemNames(m_kind.itemNames); }, AfterFill::Empty);
    // Selecting the newest document loads it; what follows overrides most of what that shows.
    FillBillN(cmbbillnumber);
    if (m_kind.listsItemCodes)
        fillList(CmbCode, [this] { return m_store.itemCodes(); }, AfterFill::Empty);
    if (m_kind.openingKeepsNewestLines) {
        m_grandTotal = 0;
        lblGrandTotal->setText(QStringLiteral("0"));
    } else {
        showEmptyDocument();
    }
    // The loaded document's party is not the new document's.
    clearParty();
    Fill(CMBMEMBERNUM);
    showNextNumber(true);
    m_documentDate->dateToday();
}

void LineDocumentScreen::pickPartyNumber()
{
    if (FindPersonnelDetails(CMBMEMBERNUM->currentText()))
        AssignToObject(txtname, txtaddress, txtphone);
}

void LineDocumentScreen::lookUpPhone()
{
    if (!chkph->isChecked())
        return;
    txtname->clear();
    txtaddress->clear();
    const QString phone = txtphone->text();
    if (phone.isEmpty())
        return;

    SkipFailing skip;
    std::optional<stores::Party> found;
    skip([&] { found = m_store.partyByPhone(phone); });
    if (!found)
        return;
    controls::showWhole(txtname, found->name.toString());
    controls::showWhole(txtaddress, found->address.toString());
}

bool LineDocumentScreen::entryIsComplete() const
{
    return !cmbitem->currentText().trimmed().isEmpty() && (!txtAmount || numeric::isNumeric(txtAmount->text()))
        && numeric::isNumeric(txtquantity->text()) && numeric::isNumeric(cmbbillnumber->currentText());
}

void LineDocumentScreen::readEntry()
{
    m_line.item = cmbitem->currentText();
    m_line.itemCode = CmbCode->currentText();
    m_line.batch = batchText();
    // A receipt names the batch its stock goes to: blanks around a name are
    // no part of it ("B1 " would be a batch beside "B1", and "SOAP " an item
    // with no price), as a master's Save takes them off. Sales take the
    // names as stored.
    if (m_kind.document == stores::Document::GoodsReceipt) {
        m_line.item = m_line.item.trimmed();
        m_line.itemCode = m_line.itemCode.trimmed();
        m_line.batch = m_line.batch.trimmed();
    }
    m_line.tax = numeric::toAmount(txttax->text());
    m_line.discount = numeric::toAmount(txtDiscount->text());
    m_line.partyName = txtname->text();
    m_line.partyAddress = txtaddress->text();
    m_line.partyPhone = txtphone->text();
    m_line.remark = txtRemark->text();
    m_line.date = DTP->date();
}

// The line and what it does to the stock are stored together or not at all;
// the box shows the number the line went under.
void LineDocumentScreen::storeLineWithStock()
{
    const auto store = [&] {
        changeShownDocument([&] { change::together(m_store.connection(), [&] { insertLine(); }); });
    };
    if (numberUse() == stores::NumberUse::Joins)
        store();  // a line lost this way is looked for by the refusal of the next (its lines not shown)
    else
        storeStartingLine(store);
    // The screen is on the document the line went under: its next lines join
    // it, whatever number was offered or emptied, until New offers one again.
    m_offeredNumber.reset();
    m_emptiedNumber.reset();
    cmbbillnumber->setEditText(QString::number(m_line.number));
}

void LineDocumentScreen::addItem()
{
    const OperationScope operation;
    connectx();
    // The operator stays on this document until New / Refresh.
    cmbbillnumber->setEnabled(false);
    // Nothing is stored by a till that was told it cannot reach the database.
    if (!m_store.connection().isOpen())
        return;
    if (!lineMaybeStoredIsNotStored())
        return;
    // New found no number while the database was out of reach: it is read
    // now, or every Add Item stored nothing, without a word, until New.
    if (m_nextNumber.state == Numbering::Unknown && cmbbillnumber->currentText().trimmed().isEmpty())
        showNextNumber(true);
    if (m_nextNumber.state == Numbering::UsedUp && cmbbillnumber->currentText().trimmed().isEmpty()) {
        tellUsedUp();
        return;
    }

    stopAtFirstError([&] {
        if (!entryIsComplete())
            return;
        if (!numeric::isNumeric(txttax->text()))
            txttax->setText(QStringLiteral("0"));
        if (!numeric::isNumeric(txtDiscount->text()))
            txtDiscount->setText(QStringLiteral("0"));
        if (m_kind.codeDefaultsToItem) {
            // An item without a code is coded by its name.
            if (CmbCode->currentText().trimmed().isEmpty())
                CmbCode->setEditText(cmbitem->currentText());
            if (batchText().trimmed().isEmpty())
                setBatchText(QStringLiteral("-"));
        }

        m_line.number = boxDocumentNumber();
        m_line.quantity = numeric::toInt16(txtquantity->text());
        const NextNumber serial = FindLastSerialNumber(m_line.number);
        if (serial.state == Numbering::UsedUp) {
            Messages::instance().inform(numbering::fullDocumentMessage(m_store.documentName(), m_line.number),
                                        QStringLiteral("Information"));
            return;
        }
        if (serial.state != Numbering::Free)
            return;  // the document's lines could not be read: no number is safe
        // The document shown, which the line would join, was deleted
        // meanwhile: it is not made again under its number. (Lines another
        // till has made under the number since are found as the line is
        // stored: the screen then shows them, and the next line joins them.)
        if (serial.number == 1 && gridDocument() == m_line.number && numberUse() == stores::NumberUse::Joins) {
            showDocumentAsStored();
            Messages::instance().inform(
                numbering::goneMessage(m_store.documentName(), m_line.number, m_kind.captions.newDocument),
                QStringLiteral("Information"));
            return;
        }
        m_line.serial = serial.number;
        // A new document is dated the day its first line is added (under the
        // number offered, which may hold another till's lines by now: this
        // line then starts the next one). One this screen emptied (its last
        // line deleted) keeps the date it was recalled with.
        const stores::NumberUse use = numberUse();
        if (use == stores::NumberUse::Claims || (m_line.serial == 1 && use == stores::NumberUse::Joins))
            m_documentDate->keepDatingToday();
        readEntry();
        m_line.amount = unitPrice();

        storeLineWithStock();
        m_store.close();

        showLines(m_line.number);
    });
}

void LineDocumentScreen::showLines(qint16 number, TotalForm form)
{
    FillGrid(number);
    m_grandTotal = FindGrandTotal(number);
    lblGrandTotal->setText(numeric::numberText(m_grandTotal)
                           + (form == TotalForm::Recalled ? QStringLiteral(".00") : QString()));
}

void LineDocumentScreen::pickDocumentNumber()
{
    const OperationScope operation;
    lblGrandTotal->clear();
    m_grandTotal = 0;
    SkipFailing skip;
    qint16 number = NoDocument;
    if (!numeric::isNumeric(cmbbillnumber->currentText()) || !skip([&] { number = boxDocumentNumber(); }))
        return;

    skip([&] { FillGrid(number); });
    connectx();
    stores::LoadedDocument loaded;
    skip([&] { loaded = m_store.load(number); });
    m_grandTotal = loaded.grandTotal;
    lblGrandTotal->setText(numeric::numberText(m_grandTotal) + QStringLiteral(".00"));
    if (!loaded.party)
        return;
    controls::showWhole(txtname, loaded.party->name.toString());
    controls::showWhole(txtaddress, loaded.party->address.toString());
    controls::showWhole(txtphone, loaded.party->phone);
}

void LineDocumentScreen::showRecalledDocumentsDate()
{
    QDate date;
    stopAtFirstError([&] {
        const qint16 number = boxDocumentNumber();
        connectx();
        date = m_store.documentDate(number);
    });
    m_store.close();
    if (date.isValid())
        m_documentDate->showDocumentsDate(date);
}

void LineDocumentScreen::deleteSerial()
{
    const OperationScope operation;  // a refusal is told over the document as stored now
    if (!numeric::isNumeric(cmbbillnumber->currentText()))
        return;
    // Beside a new number the grid shows the newest document's lines: the
    // press would delete nothing, so the operator hears which to choose.
    if (const std::optional<qint16> shown = gridDocument();
        shown && grid::rowCount(DGG) > 0 && cmbbillnumber->currentText().trimmed().toDouble() != *shown) {
        Messages::instance().inform(QStringLiteral("The lines shown are those of %1 %2. Choose %2 from the list to "
                                                   "delete one of them.")
                                        .arg(m_store.documentName())
                                        .arg(*shown),
                                    QStringLiteral("Delete"));
        return;
    }
    qint16 number = NoDocument;
    qint16 serial = 0;
    if (!stopAtFirstError([&] { readGridLine(number, serial); }))
        return;
    if (!Messages::instance().ask(
            m_kind.deleteSerialQuestion.arg(QString::number(serial), cmbbillnumber->currentText()),
            QStringLiteral("Delete")))
        return;

    stopAtFirstError([&] {
        connectx();
        removeLine(number, serial, m_kind.serialDelete);
        // The screen stays on the document: the newest one may be another
        // party's (another till's, or the one before when this was the last
        // line), and the box may be locked on this one.
        FillBillN(cmbbillnumber, AfterFill::Empty);
        cmbbillnumber->setEditText(QString::number(number));
        pickDocumentNumber();
        SetGridWidths();
        Messages::instance().inform(QStringLiteral("Data Deleted"), QStringLiteral("Deleted"));
    });
}

void LineDocumentScreen::deleteDocument()
{
    const OperationScope operation;  // a refusal is told over the document as stored now
    const QString boxText = cmbbillnumber->currentText();
    const bool questionNamesNumber = m_kind.deleteDocumentQuestion.contains(QLatin1String("%1"));
    if (questionNamesNumber && !numeric::isNumeric(boxText))
        return;
    const QString question =
        questionNamesNumber ? m_kind.deleteDocumentQuestion.arg(boxText) : m_kind.deleteDocumentQuestion;
    if (!Messages::instance().ask(question, QStringLiteral("Delete")))
        return;

    stopAtFirstError([&] {
        if (!numeric::isNumeric(boxText))
            return;
        const qint16 number = boxDocumentNumber();
        // Only lines the screen shows are deleted.
        const stores::ShownRows shown = shownLines(number);
        connectx();
        removeDocument(number, m_kind.documentDelete, shown);
        showAfterDocumentDelete();
    });
}

// The document in hand is gone: the next line starts a new one under the
// next free number, as after New, and never joins the newest remaining
// document, which is another party's.
void LineDocumentScreen::showAfterDocumentDelete()
{
    FillBillN(cmbbillnumber, AfterFill::Empty);
    unbindGrid();
    SetGridWidths();
    clearParty();
    CMBMEMBERNUM->setCurrentIndex(-1);  // no party number beside the emptied boxes
    m_grandTotal = 0;
    lblGrandTotal->setText(QStringLiteral("0"));
    showNextNumber(true);
    m_documentDate->keepDatingToday();
    Messages::instance().inform(QStringLiteral("Data Deleted"), QStringLiteral("Deleted"));
}

void LineDocumentScreen::newDocument()
{
    const OperationScope operation;
    cmbbillnumber->setEnabled(true);
    showNextNumber(true);
    warnWhenRunningOut();
    clearParty();
    // Refilled below, the grid keeps its columns meanwhile (and is painted
    // once). Lines kept from the newest document are not shown should it
    // fail to load.
    if (m_kind.newDocumentKeepsNewestLines) {
        grid::emptyRows(DGG);
        m_gridDocument.reset();
    }
    lblGrandTotal->setText(QStringLiteral("0"));

    fillList(cmbitem, [this] { return m_store.itemNames(m_kind.itemNames); }, AfterFill::Empty);
    // Selecting the newest document loads it; the new number is shown again below.
    FillBillN(cmbbillnumber);

    if (m_kind.newDocumentKeepsNewestLines) {
        if (!m_gridDocument)
            unbindGrid();  // no document loaded: an empty grid, without columns
        m_grandTotal = 0;
        lblGrandTotal->setText(QStringLiteral("0"));
    } else {
        showEmptyDocument();
    }
    cmbbillnumber->setEditText(m_nextNumber.state == Numbering::Free ? QString::number(m_nextNumber.number)
                                                                     : QString());
    clearParty();

    Fill(CMBMEMBERNUM);
    showNextNumber(false);
    m_documentDate->keepDatingToday();
}

void LineDocumentScreen::printDocument()
{
    families::PrintDocument(m_store, cmbbillnumber->currentText());
    // The screen shows what was printed: another till or screen may have
    // added to the document since it was shown. Its total keeps the form
    // it had: a recalled document's ends in ".00", as on paper.
    if (m_gridDocument && cmbbillnumber->currentText().trimmed() == QString::number(*m_gridDocument)) {
        const TotalForm form =
            lblGrandTotal->text().endsWith(QLatin1String(".00")) ? TotalForm::Recalled : TotalForm::Added;
        SkipFailing()([&] { showLines(*m_gridDocument, form); });
    }
}
