#include "shell/MDIForm1.h"

#include "kit/DataScreen.h"
#include "shell/ArchiveMode.h"
#include "shell/Backups.h"
#include "shell/Pictures.h"
#include "shell/ProgramEnd.h"
#include "shell/ScreenCatalog.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <algorithm>

namespace {

QPointer<MDIForm1> theMainWindow;

// The area behind the child windows, with the program's own background.
class MainArea : public QMdiArea {
public:
    explicit MainArea(QWidget* parent) : QMdiArea(parent)
    {
        fitScreens();
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { scrollToFocus(now); });
    }

    // The arrow keys move a grid's current row, maybe out of sight of the
    // area: followed once the grid has moved it (Delete Serial deletes it).
    // The area watches its screens and its viewport as well, for Qt's own.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && qobject_cast<QAbstractItemView*>(watched))
            QMetaObject::invokeMethod(
                this, [this, grid = QPointer<QWidget>(static_cast<QWidget*>(watched))] {
                    if (grid && grid->hasFocus())
                        scrollToFocus(grid);
                },
                Qt::QueuedConnection);
        return QMdiArea::eventFilter(watched, event);
    }

    QMdiSubWindow* addScreen(QWidget* screen)
    {
        QMdiSubWindow* child = addSubWindow(screen);
        // Once Qt has done with the change, not inside it.
        connect(child, &QMdiSubWindow::windowStateChanged, this, &MainArea::fitScreens, Qt::QueuedConnection);
        connect(child, &QObject::destroyed, this, &MainArea::fitScreens, Qt::QueuedConnection);
        QMetaObject::invokeMethod(this, &MainArea::measureScrolling, Qt::QueuedConnection);
        return child;
    }

private:
    // A screen larger than the area (a 1024 x 600 laptop, a large scale
    // factor) is scrolled to, not cut off. A maximised one fills the area
    // and has nothing to scroll to; one that cannot shrink to the area (the
    // screens keep their size) is shown at its size instead, so that the
    // area scrolls to its foot.
    void fitScreens()
    {
        bool maximised = false;
        for (QMdiSubWindow* screen : subWindowList()) {
            if (!screen->isMaximized())
                continue;
            if (screen->width() > viewport()->width() || screen->height() > viewport()->height()) {
                // Qt's own restore moves the focus on a box: the next figure
                // typed would go into the box after the one the operator was in.
                const QPointer<QWidget> typingIn = QApplication::focusWidget();
                screen->showNormal();
                if (typingIn)
                    typingIn->setFocus();
            } else
                maximised = true;
        }
        if (maximised) {
            horizontalScrollBar()->setValue(0);
            verticalScrollBar()->setValue(0);
        }
        // Set only when it changes: setting it lays the area out and paints
        // its background again, at every screen opened.
        const Qt::ScrollBarPolicy policy = maximised ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
        if (verticalScrollBarPolicy() != policy) {
            setHorizontalScrollBarPolicy(policy);
            setVerticalScrollBarPolicy(policy);
        }
    }

    // Qt measures how far the area scrolls when the area changes size, not
    // when a screen opened in it takes its own: the foot of the first
    // screen opened could not be scrolled to until the window was resized.
    void measureScrolling()
    {
        QResizeEvent unchanged(viewport()->size(), viewport()->size());
        QCoreApplication::sendEvent(viewport(), &unchanged);
    }

    // The control the focus moves onto (Tab, a shortcut, a box the screen
    // puts it in) is scrolled into sight: an operator typing at the keyboard
    // sees where the next keys go. Of a grid, its current cell; of another
    // control larger than the area, its start. A control pressed with the
    // mouse is in sight already, and moving it from under the pointer would
    // lose the click.
    void scrollToFocus(QWidget* focused)
    {
        if (!focused || !viewport()->isAncestorOf(focused))
            return;
        if (qobject_cast<QAbstractItemView*>(focused))
            focused->installEventFilter(this);  // once: installed again, it replaces itself
        if (QGuiApplication::mouseButtons() != Qt::NoButton)
            return;
        constexpr int Margin = 8;
        const QRect control = focusedPart(focused).adjusted(-Margin, -Margin, Margin, Margin);
        const auto shift = [](int start, int end, int length) {
            if (start < 0)
                return start;
            return end <= length ? 0 : std::min(start, end - length);
        };
        const int right = shift(control.left(), control.right() + 1, viewport()->width());
        const int down = shift(control.top(), control.bottom() + 1, viewport()->height());
        if (right != 0)
            horizontalScrollBar()->setValue(horizontalScrollBar()->value() + right);
        if (down != 0)
            verticalScrollBar()->setValue(verticalScrollBar()->value() + down);
    }

    // Where the focus is in the area: a grid's current cell, else the control.
    QRect focusedPart(QWidget* focused) const
    {
        if (auto* grid = qobject_cast<QAbstractItemView*>(focused); grid && grid->currentIndex().isValid()) {
            const QRect cell = grid->visualRect(grid->currentIndex()).intersected(grid->viewport()->rect());
            if (!cell.isEmpty())
                return QRect(grid->viewport()->mapTo(viewport(), cell.topLeft()), cell.size());
        }
        return QRect(focused->mapTo(viewport(), QPoint()), focused->size());
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QMdiArea::resizeEvent(event);
        QMetaObject::invokeMethod(this, &MainArea::fitScreens, Qt::QueuedConnection);
    }
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(viewport());
        pictures::paintMainBackground(painter, viewport()->rect());
    }
    // The background stands still while the screens scroll over it: drawn
    // whole again rather than moved with them.
    void scrollContentsBy(int dx, int dy) override
    {
        QMdiArea::scrollContentsBy(dx, dy);
        if (dx != 0 || dy != 0)
            viewport()->update();
    }
};

enum class Action { Close, Show, Print, OpenClosedYear, BackUp };

struct Entry {
    const char* name;
    const char* caption;
    Action action;
    const char* target;  // screen or listing name
};

struct TopMenu {
    const char* name;
    const char* caption;
    std::initializer_list<Entry> entries;
};

const std::initializer_list<TopMenu> MenuTree = {
    {"mnuFile", "&File",
     {{"mnuClose", "&Close", Action::Close, ""},
      {"mnuOpenClosedYear", "&Open Closed Year...", Action::OpenClosedYear, ""},
      {"mnuBackUp", "&Back Up...", Action::BackUp, ""}}},
    {"mnuItem", "&Item",
     {{"mnuItemEntry", "&Item Entry", Action::Show, "ItemEntry"},
      {"mnuPrintItemData", "&Print Item Data", Action::Print, "Item"}}},
    {"mnuCustomer", "&Customer",
     {{"mnuCustomerEntry", "&Customer Entry", Action::Show, "CustomerEnty"},
      {"mnuPrintCustomerData", "&Print Cutomer Data", Action::Print, "Customer"}}},
    {"mnuSupplier_", "&Supplier",
     {{"mnuSupplier", "&Supplier Entry", Action::Show, "Supplier"},
      {"mnuPrintSupplierData", "&Print Supplier Data", Action::Print, "Supplier"}}},
    {"mnuReceive", "&Receive",
     {{"mnuItemReceive", "&Item Receive", Action::Show, "ItemInFrm"},
      {"mnuItemReceiveQuery", "&Item Receive Query", Action::Show, "ReceiveItemQuery"}}},
    {"mnuStock", "&Stock",
     {{"mnuStockQuery", "&Stock Query", Action::Show, "StockQuery"},
      {"mnuSellingPrices", "Selling &Prices", Action::Show, "SellingPrices"}}},
    {"mnuBill_", "&Bill",
     {{"mnuMakeBill", "&Make Bill Simple", Action::Show, "BillOne"},
      {"mnuMakeBillWithDetails", "&Make Bill With Details", Action::Show, "BillTwo"},
      {"mnuBill", "&BillQuery", Action::Show, "PrintAll"}}},
    {"mnuExpenditure", "&Expenditure",
     {{"mnuExpenditureHead", "&Expenditure Head Entry", Action::Show, "Expenditure_Head"},
      {"mnuPersonnelEntry", "&Personnel Entry", Action::Show, "ExpenditurePersonnelEntry"},
      {"mnuExpenditur_Detail", "&Expenditure Detail Entry", Action::Show, "Expenditure"},
      {"mnuExpenditureQuery", "&Expenditure Query", Action::Show, "ExpenditureQuery"}}},
    {"mnuAdmin", "&Admin",
     {{"mnuChangePassword", "&Change Password", Action::Show, "ChangePwd"},
      {"mnuAbout", "&About", Action::Show, "About"},
      {"mnuShopDetails", "&Shop Details", Action::Show, "ShopDetails"}}},
    {"mnuHelp", "&Help", {}},
};

}  // namespace

MDIForm1* MDIForm1::instance()
{
    if (!theMainWindow)
        theMainWindow = new MDIForm1;
    return theMainWindow;
}

MDIForm1* MDIForm1::existing()
{
    return theMainWindow;
}

MDIForm1::MDIForm1() : m_area(new MainArea(this))
{
    setObjectName(QStringLiteral("MDIForm1"));
    setWindowTitle(shell::captionOf(QStringLiteral("Bill Software")));
    // Whatever window is in front, the operator sees that this is a closed year.
    if (const QString note = shell::archiveNote(); !note.isEmpty())
        statusBar()->addPermanentWidget(new QLabel(note));
    setCentralWidget(m_area);
    m_area->setObjectName(QStringLiteral("MDIClient"));
    buildMenu();

    // Room for a full-size screen, within the display. A display without room
    // for that and the window's title bar (a 1366 x 768 laptop) is filled, as
    // its window manager frames a window that fills it.
    QSize size(1060, 780);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        constexpr int TitleBar = 40;
        const bool roomy = available.width() >= size.width() && available.height() >= size.height() + TitleBar;
        size = size.boundedTo(available.size());
        resize(size);
        move(available.center() - rect().center());
        if (!roomy)
            setWindowState(windowState() | Qt::WindowMaximized);
    } else {
        resize(size);
    }
}

MDIForm1::~MDIForm1() = default;

void MDIForm1::buildMenu()
{
    for (const TopMenu& top : MenuTree) {
        // A menu whose every entry the run leaves out is left out too.
        const bool offersAny = std::any_of(top.entries.begin(), top.entries.end(), [](const Entry& entry) {
            return shell::menuOffers(QString::fromLatin1(entry.name));
        });
        if (top.entries.size() > 0 && !offersAny)
            continue;
        QMenu* menu = menuBar()->addMenu(QString::fromLatin1(top.caption));
        menu->setObjectName(QString::fromLatin1(top.name));
        menu->menuAction()->setObjectName(QString::fromLatin1(top.name));
        for (const Entry& entry : top.entries) {
            if (!shell::menuOffers(QString::fromLatin1(entry.name)))
                continue;
            QAction* action = menu->addAction(QString::fromLatin1(entry.caption));
            action->setObjectName(QString::fromLatin1(entry.name));
            const QString target = QString::fromLatin1(entry.target);
            switch (entry.action) {
            case Action::Close:
                connect(action, &QAction::triggered, this, [] { shell::endProgram(); });
                break;
            case Action::Show:
                connect(action, &QAction::triggered, this, [this, target] { showScreen(target); });
                break;
            case Action::Print:
                connect(action, &QAction::triggered, this, [target] { catalog::printListing(target); });
                break;
            case Action::OpenClosedYear:
                connect(action, &QAction::triggered, this, [this] { shell::openClosedYear(this); });
                break;
            case Action::BackUp:
                connect(action, &QAction::triggered, this, [this] { shell::backUpDatabase(this); });
                break;
            }
        }
        // Help has nothing in it yet: shown, but greyed.
        if (top.entries.size() == 0)
            menu->menuAction()->setEnabled(false);
    }
}

QMdiSubWindow* MDIForm1::openWindow(const QString& screenName) const
{
    for (QMdiSubWindow* child : m_area->subWindowList()) {
        if (child->widget() && child->widget()->objectName() == screenName)
            return child;
    }
    return nullptr;
}

QMdiSubWindow* MDIForm1::showScreen(const QString& screenName)
{
    if (QMdiSubWindow* open = openWindow(screenName)) {
        if (open->isMinimized())
            open->showNormal();
        // Dragged out of sight, or left there by a smaller main window: back
        // at its place, where its title bar shows.
        const QRect titleBar(open->pos(), QSize(qMin(open->width(), m_area->viewport()->width()),
                                                   open->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, open)));
        if (!open->isMaximized() && !m_area->viewport()->rect().contains(titleBar))
            placeChild(open);
        m_area->setActiveSubWindow(open);
        open->raise();
        return open;
    }

    DataScreen* screen = catalog::createScreen(screenName, nullptr);
    if (!screen)  // every menu entry names a screen of the catalog (tst_shell)
        return nullptr;
    QMdiSubWindow* child = static_cast<MainArea*>(m_area)->addScreen(screen);
    placeChild(child);
    child->show();
    m_area->setActiveSubWindow(child);
    return child;
}

// At its own size, top edge at 0, centred across the area.
void MDIForm1::placeChild(QMdiSubWindow* child)
{
    // From the area's start: placed at 0 while the area is scrolled on, the
    // screen would stand where the area takes it for scrolled past, and its
    // foot could not be scrolled to.
    m_area->horizontalScrollBar()->setValue(0);
    m_area->verticalScrollBar()->setValue(0);
    child->resize(child->sizeHint());
    const int left = qMax(0, (m_area->viewport()->width() - child->width()) / 2);
    child->move(left, 0);
}
