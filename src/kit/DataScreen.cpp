#include "kit/DataScreen.h"

#include "core/TypedKeys.h"
#include "kit/BoxNames.h"
#include "kit/DateTyping.h"
#include "kit/TabOrder.h"
#include "kit/Twips.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>


namespace {
// Set while a rewritten key is on its way to its control, so that it is not
// looked at a second time.
bool forwardingRewrittenKey = false;

// The editor open on the view's current cell: the cell being typed into.
// (A widget kept on a cell for good, a persistent editor, is found too;
// closing it below only hands the focus back to the view.)
QWidget* openCellEditor(const QAbstractItemView* view)
{
    const QModelIndex current = view->currentIndex();
    return current.isValid() ? view->indexWidget(current) : nullptr;
}

// Closes the cell editor as its delegate does for Esc: what was typed is
// dropped and the cell shows its stored value again.
void dropTyping(QAbstractItemView* view, QWidget* editor)
{
    emit view->itemDelegateForIndex(view->currentIndex())
        ->closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}
}  // namespace

DataScreen::DataScreen(const QString& name, const QString& caption, int widthTwips,
                       int heightTwips, QWidget* parent)
    : QWidget(parent), m_widthTwips(widthTwips), m_heightTwips(heightTwips)
{
    setObjectName(name);
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose);
    // The screen must see keys before its controls; a widget filter would only
    // see what the focused control ignores, so watch the whole application.
    qApp->installEventFilter(this);
    // File > Close leaves the event loop without closing any window; the
    // windows are only taken down afterwards.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &DataScreen::dropOpenTyping);
}

DataScreen::~DataScreen()
{
    qApp->removeEventFilter(this);
    // A screen deleted without being closed: its derived part is gone
    // already, so nothing its controls tell as they are closed (a typed list
    // tells its text on losing the focus) and nothing typed may reach it now.
    for (QObject* control : findChildren<QObject*>())
        control->disconnect(this);
    dropOpenTyping();
}

QSize DataScreen::sizeHint() const
{
    return twips::toPixels(m_widthTwips, m_heightTwips, this);
}

void DataScreen::closeScreen()
{
    if (auto* subWindow = qobject_cast<QMdiSubWindow*>(parentWidget()))
        subWindow->close();
    else
        close();
}

void DataScreen::showEvent(QShowEvent* event)
{
    // Every screen is built by then, its hidden parts included.
    if (!m_tabOrderSet) {
        taborder::chainInReadingOrder(this);
        reorderTab();
        boxnames::fromCaptions(this);
        followTypingRulesOnPaste();
        m_tabOrderSet = true;
    }
    QWidget::showEvent(event);
}

// The key rules see typed keys only; a paste (Ctrl+V, the box's menu, the
// middle button) or an input method would bring in lower case, apostrophes,
// tabs and line breaks the box shows as blanks. Each is ruled as it comes
// in (eventFilter), so the box never holds it unruled; what the program puts
// into a box (an imported O'NEIL) stays as it is.
void DataScreen::followTypingRulesOnPaste()
{
    for (QLineEdit* box : findChildren<QLineEdit*>()) {
        if (qobject_cast<QAbstractSpinBox*>(box->parentWidget()))
            continue;  // a date's own digits
        m_ruledBoxes.insert(box);
        box->setAcceptDrops(false);  // text dragged in would go past the rules
    }
}

QLineEdit* DataScreen::ruledBox(QObject* object) const
{
    auto* box = qobject_cast<QLineEdit*>(object);
    if (auto* list = qobject_cast<QComboBox*>(object))
        box = list->lineEdit();
    return box && m_ruledBoxes.contains(box) && !box->isReadOnly() ? box : nullptr;
}

namespace {

// Ends the box's undo step, as Qt's own paste does around what it pastes:
// the box ends one where its cursor moves, or where it is cleared (an empty
// box, which has nowhere to move; clearing it changes nothing else).
void endUndoStep(QLineEdit* box)
{
    if (box->text().isEmpty()) {
        box->clear();
        return;
    }
    const int cursor = box->cursorPosition();
    const int aside = cursor > 0 ? cursor - 1 : cursor + 1;
    const int start = box->selectionStart();
    const int length = int(box->selectedText().size());
    box->setCursorPosition(aside);
    if (length == 0)
        box->setCursorPosition(cursor);
    else if (cursor == start)
        box->setSelection(start + length, -length);
    else
        box->setSelection(start, length);
}

}  // namespace

// A paste goes in as typing the same would: one edit, which undo takes back.
void DataScreen::pasteUnderTypingRules(QLineEdit* box, QClipboard::Mode mode)
{
    QString pasted = QGuiApplication::clipboard()->text(mode);
    // A cell or a line copied elsewhere ends with its line break: no part of the text.
    while (pasted.endsWith(QLatin1Char('\n')) || pasted.endsWith(QLatin1Char('\r')))
        pasted.chop(1);
    endUndoStep(box);
    box->insert(underTypingRules(pasted));
    endUndoStep(box);
}

void DataScreen::showMenuPastingUnderTypingRules(QLineEdit* box, const QPoint& at)
{
    QMenu* menu = box->createStandardContextMenu();
    // The menu's Paste: the action named with the paste keys, as the box
    // names it.
    const QString pasteKeys = QLatin1Char('\t') + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    for (QAction* action : menu->actions())
        if (action->text().endsWith(pasteKeys) && QObject::disconnect(action, &QAction::triggered, box, nullptr))
            connect(action, &QAction::triggered, box, [this, box] { pasteUnderTypingRules(box, QClipboard::Clipboard); });
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(at);
}

QString DataScreen::underTypingRules(const QString& text) const
{
    QString ruled = typedkeys::asOneLine(text);
    if (m_rules.dropApostrophe)
        ruled.remove(QLatin1Char('\''));
    return m_rules.upperCase ? typedkeys::capitals(ruled) : ruled;
}

QLabel* DataScreen::addTitleBand(const QString& title, int widthTwips)
{
    auto* band = new QLabel(title, this);
    band->setObjectName(QStringLiteral("Label1"));
    band->setAlignment(Qt::AlignCenter);
    band->setAutoFillBackground(true);
    QPalette colours = band->palette();
    colours.setColor(QPalette::Window, QColor(0, 0, 128));
    colours.setColor(QPalette::WindowText, Qt::white);
    band->setPalette(colours);
    QFont font = band->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.2);
    band->setFont(font);
    twips::place(band, 0, 0, widthTwips, 315);
    return band;
}

// A cell editor hands its text to the grid whenever it loses the focus, and
// a closing screen takes the focus from it: typing is dropped first. What is
// typed is stored only on an open screen (Enter, Tab, another cell or control
// picked).
void DataScreen::dropOpenTyping()
{
    for (QAbstractItemView* view : findChildren<QAbstractItemView*>()) {
        if (QWidget* editor = openCellEditor(view))
            dropTyping(view, editor);
    }
}

QAbstractItemView* DataScreen::viewTypedIn(QObject* object) const
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    for (QAbstractItemView* view : findChildren<QAbstractItemView*>()) {
        QWidget* editor = openCellEditor(view);
        if (editor && (editor == widget || editor->isAncestorOf(widget)))
            return view;
    }
    return nullptr;
}

bool DataScreen::dropTypingAt(QWidget* focused)
{
    if (dates::dropTyping(focused))
        return true;
    QAbstractItemView* view = viewTypedIn(focused);
    if (view)
        dropTyping(view, openCellEditor(view));
    return view != nullptr;
}

void DataScreen::handCellFocusToItsGrid(QObject* object)
{
    auto* cell = qobject_cast<QWidget*>(object);
    if (!cell || !isAncestorOf(cell) || cell->window()->focusWidget() != cell || !cell->parentWidget())
        return;
    if (auto* view = qobject_cast<QAbstractItemView*>(cell->parentWidget()->parentWidget());
        view && cell->parentWidget() == view->viewport())
        view->setFocus();
}

bool DataScreen::isOwnWidget(QObject* object) const
{
    // A key also reaches the QWindow first; only widget receivers count.
    auto* widget = qobject_cast<QWidget*>(object);
    return widget && (widget == this || isAncestorOf(widget));
}

bool DataScreen::eventFilter(QObject* watched, QEvent* event)
{
    // Closing: this screen (its own close, or its MDI window's) or the main
    // window it is on. The close event comes before anything is hidden.
    if (event->type() == QEvent::Close && (watched == this || watched == window()))
        dropOpenTyping();
    // The cell's delegate stores the typing on any loss of focus. Only what
    // the operator does on this screen stores it; focus taken elsewhere (the
    // frame of its MDI window, another screen, another program) is not told
    // to the delegate, and the cell stays open with its typing.
    if (event->type() == QEvent::FocusOut) {
        const QWidget* focused = QApplication::focusWidget();
        return !(focused && isAncestorOf(focused)) && viewTypedIn(watched);
    }
    // A cell closed while a message box has the focus (a note on what its
    // typing stored) was its window's focus: the grid takes that over, so
    // that the window comes back to the grid and not to another screen's box.
    if (event->type() == QEvent::Hide)
        handCellFocusToItsGrid(watched);
    // Pasted by the box's menu or the middle button: under the typing rules.
    if (event->type() == QEvent::ContextMenu) {
        if (QLineEdit* box = ruledBox(watched); box && isOwnWidget(box)) {
            showMenuPastingUnderTypingRules(box, static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton
        && QGuiApplication::clipboard()->supportsSelection()) {
        if (QLineEdit* box = ruledBox(watched); box && isOwnWidget(box)) {
            box->deselect();
            pasteUnderTypingRules(box, QClipboard::Selection);
            return true;
        }
    }
    // Text an input method commits: under the rules before the box takes it.
    if (event->type() == QEvent::InputMethod) {
        if (QLineEdit* box = ruledBox(watched); box && isOwnWidget(box)) {
            auto* composed = static_cast<QInputMethodEvent*>(event);
            composed->setCommitString(underTypingRules(composed->commitString()), composed->replacementStart(),
                                      composed->replacementLength());
        }
    }
    if (event->type() != QEvent::KeyPress || forwardingRewrittenKey || !isOwnWidget(watched))
        return false;
    auto* key = static_cast<QKeyEvent*>(event);

    if (key->matches(QKeySequence::Paste)) {
        if (QLineEdit* box = ruledBox(watched)) {
            pasteUnderTypingRules(box, QClipboard::Clipboard);
            return true;
        }
    }

    // Esc in a cell being typed into drops the typing; the next Esc closes.
    if (m_rules.closeOnEsc && key->key() == Qt::Key_Escape) {
        if (!dropTypingAt(static_cast<QWidget*>(watched)))
            closeScreen();
        return true;
    }
    if (m_rules.onEnter && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
        if (key->isAutoRepeat())
            return true;  // held down, it prints once
        // A button still held down by Space (a fast typist's keys overlap)
        // is clicked first, as its release would: Add Item before the print.
        // One held by the mouse is left to the mouse.
        if (auto* button = qobject_cast<QAbstractButton*>(watched);
            button && button->isDown() && QGuiApplication::mouseButtons() == Qt::NoButton) {
            button->setDown(false);  // the release then clicks nothing
            button->click();
        }
        dates::finishTyping(static_cast<QWidget*>(watched));  // the date typed before the print
        m_rules.onEnter();
        return true;
    }
    // Where Enter means nothing of the screen's own, it presses the focused
    // button, as Space does and as desktops do (Qt leaves Enter to a dialog's
    // default button). Held down, it presses once: a Save is not repeated.
    if (!m_rules.onEnter && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
        if (auto* button = qobject_cast<QPushButton*>(watched); button && button->isEnabled()) {
            if (!key->isAutoRepeat())
                button->click();
            return true;
        }
    }
    const QString text = key->text();
    if (!typedkeys::isTypedCharacter(text))
        return false;
    if (m_rules.dropApostrophe && text == QLatin1String("'"))
        return true;
    const QString capital = typedkeys::capitalOf(text);
    if (!m_rules.upperCase || capital == text)
        return false;
    QKeyEvent rewritten(key->type(), key->key(), key->modifiers(), capital, key->isAutoRepeat(), key->count());
    forwardingRewrittenKey = true;
    QCoreApplication::sendEvent(watched, &rewritten);
    forwardingRewrittenKey = false;
    return true;
}
