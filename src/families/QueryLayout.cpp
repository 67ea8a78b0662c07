// How a query screen lays out its controls: the title band, one frame with a
// row of controls and buttons per selection, the sums, and the grid below.

#include "families/QueryScreen.h"
#include "kit/DatePicker.h"

#include "core/Dates.h"
#include "kit/Controls.h"
#include "kit/Grid.h"
#include "kit/ScreenGrid.h"
#include "kit/Lists.h"
#include "kit/Twips.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

using query::Selector;

namespace {

using query::ClientHeight;
using query::ClientWidth;
constexpr int Left = 120;
constexpr int InnerWidth = ClientWidth - 2 * Left;
constexpr int FrameTop = 420;
constexpr int RowHeight = 480;
constexpr int AmountsHeight = 480;
constexpr int Gap = 120;

const QString ListTip = QStringLiteral("Do not write while entry. Used only for View / Update / Delete");

QLabel* caption(const QString& text, QWidget* parent, const QString& name)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QComboBox* list(QWidget* parent, const QString& name)
{
    QComboBox* box = controls::editableList(parent, name, lists::MaxTextLength);
    // The row's layout gives the list its width; measuring every entry for
    // it would cost more than reading them. The entries have no icons: with
    // no room for one the list keeps a text line's height.
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setIconSize(QSize(0, 0));
    box->setMaxVisibleItems(15);
    box->setToolTip(ListTip);
    return box;
}

QDateEdit* picker(QWidget* parent, const QString& name)
{
    auto* date = new QDateEdit(parent);
    date->setObjectName(name);
    dates::setUpPicker(date);
    return date;
}

}  // namespace

QPushButton*& QueryScreen::memberFor(const char* buttonName)
{
    const QString name = QString::fromLatin1(buttonName);
    QPushButton** members[] = {&CmdShow, &cmdprin, &Cnddate, &Condate, &ComShowTotal,
                               &ComPrintTotal, &cmdName, &cmdpringname, &cmdAll, &cmdprintall};
    const char* names[] = {"CmdShow", "cmdprin", "Cnddate", "Condate", "ComShowTotal",
                           "ComPrintTotal", "cmdName", "cmdpringname", "cmdAll", "cmdprintall"};
    for (size_t i = 0; i < std::size(names); ++i)
        if (name == QLatin1String(names[i]))
            return *members[i];
    qFatal("QueryScreen: no member for the button %s", buttonName);
}

void QueryScreen::buildControls()
{
    Label1 = addTitleBand(m_design.title, ClientWidth);

    const int frameHeight = Gap + int(m_design.rows.size()) * RowHeight + Gap;
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    twips::place(Frame1, Left, FrameTop, InnerWidth, frameHeight);
    auto* rows = new QGridLayout(Frame1);
    rows->setContentsMargins(8, 6, 8, 6);
    rows->setHorizontalSpacing(8);
    for (int i = 0; i < m_design.rows.size(); ++i)
        buildRow(m_design.rows.at(i), i);
    // Buttons keep to the right; a list across both places of a row is as
    // wide as the two pickers of another row with their caption between.
    // The second caption's place is no wider than "Bill Date To :" needs, so
    // that a row of two pickers and four buttons fits the frame.
    rows->setColumnStretch(4, 1);
    rows->setColumnMinimumWidth(1, twips::toPixelsX(1680, Frame1));
    rows->setColumnMinimumWidth(2, twips::toPixelsX(1200, Frame1));
    rows->setColumnMinimumWidth(3, twips::toPixelsX(1680, Frame1));

    int gridTop = FrameTop + frameHeight + Gap;
    if (m_design.hasAmounts) {
        frmamount = new QGroupBox(this);
        frmamount->setObjectName(QStringLiteral("frmamount"));
        twips::place(frmamount, Left, gridTop, InnerWidth, AmountsHeight);
        auto* sums = new QHBoxLayout(frmamount);
        sums->setContentsMargins(8, 2, 8, 2);
        const auto sum = [&](const QString& name) {
            auto* label = new QLabel(frmamount);
            label->setObjectName(name);
            QFont bold = label->font();
            bold.setBold(true);
            label->setFont(bold);
            sums->addWidget(label, 1);
            return label;
        };
        lblamount = sum(QStringLiteral("lblamount"));
        lbldiscount = sum(QStringLiteral("lbldiscount"));
        lbltax = sum(QStringLiteral("lbltax"));
        lblGrandTotal = sum(QStringLiteral("lblGrandTotal"));
        frmamount->hide();  // shown by the operations that fill it
        gridTop += AmountsHeight + Gap;
    }

    DGG = new QTableView(this);
    DGG->setObjectName(QStringLiteral("DGG"));
    grid::setUp(DGG);
    twips::place(DGG, Left, gridTop, InnerWidth, ClientHeight - Gap - gridTop);
}

// Columns of the frame's grid: 0 first label, 1 first control, 2 second
// label, 3 second control, 4 a stretch, 5 on the buttons.
void QueryScreen::buildRow(const query::QueryRow& row, int line)
{
    auto* rows = static_cast<QGridLayout*>(Frame1->layout());
    const QString first = row.labels.value(0);
    const QString second = row.labels.value(1);
    // Two captioned controls, or one captioned control across both places.
    const auto pair = [&](QLabel* firstLabel, QWidget* firstControl, QLabel* secondLabel, QWidget* secondControl) {
        rows->addWidget(firstLabel, line, 0);
        rows->addWidget(firstControl, line, 1);
        rows->addWidget(secondLabel, line, 2);
        rows->addWidget(secondControl, line, 3);
    };
    const auto wide = [&](QLabel* label, QWidget* control) {
        rows->addWidget(label, line, 0);
        rows->addWidget(control, line, 1, 1, 3);
    };
    switch (row.selector) {
    case Selector::Numbers:
        pair(Label3 = caption(first, Frame1, QStringLiteral("Label3")), CmbFrom = list(Frame1, QStringLiteral("CmbFrom")),
             Label4 = caption(second, Frame1, QStringLiteral("Label4")), cmbTo = list(Frame1, QStringLiteral("cmbTo")));
        break;
    case Selector::Dates:
        pair(Label5 = caption(first, Frame1, QStringLiteral("Label5")), DTP1 = picker(Frame1, QStringLiteral("DTP1")),
             Label2 = caption(second, Frame1, QStringLiteral("Label2")), DTP2 = picker(Frame1, QStringLiteral("DTP2")));
        break;
    case Selector::Head:
        wide(Label6 = caption(first, Frame1, QStringLiteral("Label6")), cmbhead = list(Frame1, QStringLiteral("cmbhead")));
        break;
    case Selector::Name:
        wide(Label2 = caption(first, Frame1, QStringLiteral("Label2")), cmbname = list(Frame1, QStringLiteral("cmbname")));
        break;
    case Selector::All:
        break;
    }

    int column = 5;
    for (const query::QueryButton& button : row.buttons) {
        QPushButton* pressed = controls::button(Frame1, QString::fromLatin1(button.name), button.caption);
        pressed->setMinimumWidth(twips::toPixelsX(1080, pressed));
        memberFor(button.name) = pressed;
        rows->addWidget(pressed, line, column++);
        connect(pressed, &QPushButton::clicked, this, [this, &row, &button] { run(row.selector, button); });
    }
}
