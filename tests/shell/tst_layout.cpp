// Every screen at the default font: Tab visits the boxes in reading order
// before any button, and no caption or box is clipped or covered.

#include "core/Dates.h"
#include "kit/DataScreen.h"
#include "shell/LOGIN.h"
#include "shell/ScreenCatalog.h"
#include "support/Names.h"
#include "support/RecordingMessages.h"
#include "support/TestDatabase.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTableView>
#include <QtTest>

namespace {

const QStringList HeaderBoxes{ui::PartyNumber, ui::PartyName, ui::Address, ui::Phone, ui::ByPhone, ui::Remark, ui::Number, ui::Date};
const QStringList ItemBoxes{ui::Item, ui::Quantity, ui::Tax, ui::Discount};
const QStringList CodeBoxes{ui::Code, ui::Batch};
const QStringList MasterBoxes{ui::Sn, ui::PartyName, ui::Second};
const QStringList RangeBoxes{ui::From, ui::To, ui::FromDate, ui::ToDate};

std::unique_ptr<QWidget> openScreen(const QString& name)
{
    std::unique_ptr<QWidget> screen(name == ui::Login ? static_cast<QWidget*>(new LOGIN) : catalog::createScreen(name, nullptr));
    screen->setAttribute(Qt::WA_DeleteOnClose, false);
    screen->show();
    return screen;
}

// A list's or a picker's own line edit stands for the list or the picker.
QWidget* control(QWidget* focused)
{
    while (focused && (qobject_cast<QComboBox*>(focused->parentWidget()) || qobject_cast<QAbstractSpinBox*>(focused->parentWidget())))
        focused = focused->parentWidget();
    return focused;
}

int advance(const QWidget* widget, const QString& text)
{
    return widget->fontMetrics().horizontalAdvance(text);
}

// A control whose caption or shown text does not fit it: what it needs and has.
QString clipped(QWidget* widget)
{
    QString text;
    QSize needed;
    QSize has = widget->size();
    if (auto* label = qobject_cast<QLabel*>(widget); label && !label->wordWrap()) {
        text = label->text();
        needed = label->minimumSizeHint();
    } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
        text = box->text();
        needed = box->sizeHint();
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
        // The caption and its picture within the button's frame.
        QStyleOptionButton option;
        option.initFrom(button);
        text = button->text();
        has = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).size();
        needed = QSize((button->icon().isNull() ? 0 : button->iconSize().width() + 4) + advance(button, text), 0);
    } else if (auto* picker = qobject_cast<QDateEdit*>(widget)) {
        // The widest date of a year; a line edit keeps 2 pixels clear each side and one for the cursor.
        for (int month = 1; month <= 12; ++month) {
            const QString shown = picker->locale().toString(QDate(2026, month, 28), picker->displayFormat());
            if (advance(picker, shown) > advance(picker, text))
                text = shown;
        }
        has = picker->findChild<QLineEdit*>()->size();
        needed = QSize(advance(picker, text) + 2 * 2 + 1, 0);
    }
    if (text.isEmpty() || (needed.width() <= has.width() && needed.height() <= has.height()))
        return {};
    return QString("%1 \"%2\" needs %3x%4, has %5x%6")
        .arg(widget->objectName(), text)
        .arg(needed.width()).arg(needed.height()).arg(has.width()).arg(has.height());
}

bool isContainer(const QWidget* widget)
{
    return qobject_cast<const QGroupBox*>(widget) || widget->metaObject() == &QFrame::staticMetaObject
        || widget->metaObject() == &QWidget::staticMetaObject;
}

QStringList covered(QWidget* frame)
{
    QStringList problems;
    // Rows that need more than the frame has push their controls into each other.
    if (const QLayout* rows = frame->layout(); rows && rows->minimumSize().width() > frame->width())
        problems << QString("%1 needs %2, has %3").arg(frame->objectName()).arg(rows->minimumSize().width()).arg(frame->width());
    QList<QWidget*> shown;
    for (QWidget* child : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isWindow() && child->isVisibleTo(frame))
            shown << child;
    for (int i = 0; i < shown.size(); ++i) {
        if (!frame->rect().contains(shown[i]->geometry()))
            problems << QString("%1 sticks out of %2").arg(shown[i]->objectName(), frame->objectName());
        for (int j = i + 1; j < shown.size(); ++j)
            if (shown[i]->geometry().intersects(shown[j]->geometry()))
                problems << QString("%1 and %2 overlap").arg(shown[i]->objectName(), shown[j]->objectName());
        if (isContainer(shown[i]))
            problems += covered(shown[i]);
    }
    return problems;
}

// How far the widget's most distant pixel lies in lightness from its most
// common one, its background: a caption drawn in a colour close to the
// background it stands on barely shows.
int contrastIn(const QImage& picture)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            ++counts[picture.pixel(x, y)];
    QRgb ground = 0;
    int most = 0;
    for (auto count = counts.cbegin(); count != counts.cend(); ++count)
        if (count.value() > most)
            std::tie(ground, most) = std::make_pair(count.key(), count.value());
    int farthest = 0;
    for (auto count = counts.cbegin(); count != counts.cend(); ++count)
        farthest = std::max(farthest, std::abs(qGray(count.key()) - qGray(ground)));
    return farthest;
}

// A desktop theme of light text on dark grounds.
QPalette darkDesktop()
{
    QPalette dark;
    for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button, QPalette::AlternateBase})
        dark.setColor(role, QColor(45, 45, 48));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(role, QColor(238, 238, 236));
    return dark;
}

}  // namespace

class LayoutTest : public QObject {
    Q_OBJECT

    TestDatabase db;
    RecordingMessages messages;

private slots:
    void init() { db.reset(); }

    void tabVisitsTheBoxesInReadingOrderBeforeAnyButton_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("login") << ui::Login << QStringList{ui::User, ui::Password};
        QTest::newRow("bill") << ui::BillOne << HeaderBoxes + ItemBoxes;
        // The code picks the item: from the code (typed, or scanned with a Tab) straight to the quantity.
        QTest::newRow("bill with details") << ui::BillTwo << HeaderBoxes + QStringList{ui::Batch, ui::Item, ui::Code}
                                                                 + ItemBoxes.mid(1);
        QTest::newRow("receipt") << ui::ItemInFrm << HeaderBoxes + ItemBoxes + CodeBoxes + QStringList{ui::Amount};
        // The voucher's tax and discount boxes are shut.
        QTest::newRow("voucher") << ui::Expenditure << HeaderBoxes + ItemBoxes.mid(0, 2);
        // One screen of each layout stands for the others built alike (a column of boxes: the login).
        QTest::newRow("party") << ui::Customers << MasterBoxes + QStringList{ui::MasterPhone, ui::SearchName, ui::SearchPhone, ui::SearchSecond};
        QTest::newRow("bill query") << ui::BillQuery << RangeBoxes;
        QTest::newRow("stock query") << ui::StockQuery << QStringList{ui::Head, ui::StockName};
        QTest::newRow("selling prices") << ui::SellingPrices << QStringList{ui::Find, ui::CodeMrp};
    }
    void tabVisitsTheBoxesInReadingOrderBeforeAnyButton()
    {
        QFETCH(QString, screen);
        QFETCH(QStringList, boxes);
        auto shown = openScreen(screen);
        QApplication::setActiveWindow(shown.get());
        QVERIFY(QTest::qWaitForWindowActive(shown.get()));

        shown->findChild<QWidget*>(boxes.first())->setFocus(Qt::TabFocusReason);
        QStringList visited{control(QApplication::focusWidget())->objectName()};
        // A date's day, month and year take a Tab each: at most three presses a box.
        for (int presses = 0; visited.size() <= boxes.size() && presses < 3 * boxes.size(); ++presses) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* focused = control(QApplication::focusWidget());
            const QString name = qobject_cast<QPushButton*>(focused) ? QString("a button") : focused->objectName();
            if (name != visited.last())
                visited << name;
        }
        QCOMPARE(visited, boxes + QStringList{"a button"});
    }

    void noCaptionOrBoxIsClippedOrCovered_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::newRow(qPrintable(ui::Login)) << ui::Login;
        for (const auto& [entry, screen] : ui::MenuScreens)
            QTest::newRow(qPrintable(screen)) << screen;
    }
    void noCaptionOrBoxIsClippedOrCovered()
    {
        QFETCH(QString, screen);
        auto shown = openScreen(screen);
        QVERIFY(QTest::qWaitForWindowExposed(shown.get()));

        QStringList problems = covered(shown.get());
        for (QWidget* widget : shown->findChildren<QWidget*>())
            if (widget->isVisibleTo(shown.get()))
                if (const QString problem = clipped(widget); !problem.isEmpty())
                    problems << problem;
        // Nor a grid's date, whose year would be cut off ("13/Apr/...").
        for (QTableView* grid : shown->findChildren<QTableView*>())
            for (int column = 0; grid->model() && column < grid->model()->columnCount(); ++column)
                if (grid->model()->headerData(column, Qt::Horizontal).toString() == "Date_"
                    && grid->columnWidth(column) < grid->fontMetrics().horizontalAdvance(dates::shown(QDate(2026, 9, 28))) + 4)
                    problems << QString("%1's dates are cut").arg(grid->objectName());
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }

    // A screen reader names every box the operator types into or picks from by the caption before it.
    void everyBoxIsNamedByItsCaption_data() { noCaptionOrBoxIsClippedOrCovered_data(); }
    void everyBoxIsNamedByItsCaption()
    {
        QFETCH(QString, screen);
        auto shown = openScreen(screen);
        QVERIFY(QTest::qWaitForWindowExposed(shown.get()));

        QStringList unnamed;
        for (QWidget* box : shown->findChildren<QWidget*>()) {
            const bool ownPart = qobject_cast<QComboBox*>(box->parentWidget()) || qobject_cast<QAbstractSpinBox*>(box->parentWidget());
            const bool typedOrPicked = qobject_cast<QLineEdit*>(box) || qobject_cast<QComboBox*>(box) || qobject_cast<QAbstractSpinBox*>(box);
            if (!typedOrPicked || ownPart || !box->isVisibleTo(shown.get()))
                continue;
            // A list's or a date's name is read from its caption (a label relation); a text box's is its own.
            QAccessibleInterface* read = QAccessible::queryAccessibleInterface(box);
            QStringList captions;
            for (const auto& [other, relation] : read->relations(QAccessible::Label))
                if (qobject_cast<QLabel*>(other->object()))
                    captions << other->text(QAccessible::Name);
            const bool ownName = qobject_cast<QLineEdit*>(box);
            const QString name = ownName ? read->text(QAccessible::Name) : captions.value(0);
            if (name.isEmpty() || (ownName && name.endsWith(':')) || name.size() > 40)
                unnamed << box->objectName() + " \"" + name + "\"";
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join('\n')));
        // A box after another box on its row is not named by the first one's caption.
        if (screen == ui::Customers)
            QCOMPARE(shown->findChild<QLineEdit*>(ui::SearchPhone)->accessibleName() + '|'
                         + shown->findChild<QLabel*>("Label13")->buddy()->objectName(),
                     QString("Phone No|") + ui::SearchName);
    }

    // On a dark desktop the captions on the program's own light grounds, and the rows Selling Prices
    // colours, are drawn dark: none vanishes into its ground.
    void everyCaptionShowsOnADarkDesktop_data() { noCaptionOrBoxIsClippedOrCovered_data(); }
    void everyCaptionShowsOnADarkDesktop()
    {
        QFETCH(QString, screen);
        const QPalette desktop = QApplication::palette();
        QApplication::setPalette(darkDesktop());
        const auto lightAgain = qScopeGuard([&] { QApplication::setPalette(desktop); });
        for (const QString batch : {"1,0,'TEA',7,40,0,0,'S','','','','-',0,#2026-12-01#,'T1','B1',0",
                                    "2,0,'SUGAR',9,42,0,0,'S','','','','-',0,#2026-12-01#,'S1','B1',0"})
            db.exec("insert into Stock values(" + batch + ")");
        auto shown = openScreen(screen);
        QVERIFY(QTest::qWaitForWindowExposed(shown.get()));

        const QImage window = shown->grab().toImage();
        QStringList faint;
        for (QLabel* caption : shown->findChildren<QLabel*>())
            if (caption->isVisibleTo(shown.get()) && !caption->text().isEmpty()
                && contrastIn(window.copy(QRect(caption->mapTo(shown.get(), QPoint()), caption->size()))) < 100)
                faint << caption->objectName() + ": " + caption->text();
        // A button whose caption is drawn into its picture, the key's right.
        for (QPushButton* button : shown->findChildren<QPushButton*>())
            if (button->text().isEmpty() && !button->icon().isNull()) {
                const QRect word(button->mapTo(shown.get(), QPoint(button->width() * 2 / 5, 6)),
                                 QSize(button->width() * 3 / 5 - 6, button->height() - 12));
                if (contrastIn(window.copy(word)) < 100)
                    faint << button->objectName() + ": the word in its picture";
            }
        for (QTableView* grid : shown->findChildren<QTableView*>())
            for (int row = 0; grid->model() && row < grid->model()->rowCount(); ++row)
                if (grid->model()->index(row, 0).data(Qt::BackgroundRole).isValid()) {
                    const QRect cell = grid->visualRect(grid->model()->index(row, 1));
                    if (contrastIn(window.copy(QRect(grid->viewport()->mapTo(shown.get(), cell.topLeft()), cell.size()))) < 100)
                        faint << grid->objectName() + " row " + QString::number(row);
                }
        QVERIFY2(faint.isEmpty(), qPrintable(faint.join('\n')));
    }
};

QTEST_MAIN(LayoutTest)
#include "tst_layout.moc"
