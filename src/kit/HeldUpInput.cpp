#include "kit/HeldUpInput.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

namespace {

constexpr int BeatMs = 200;
// A stretch that ended longer ago than this cannot hold input still arriving.
constexpr qint64 StretchKeptMs = 120000;
constexpr int StretchesKept = 16;
// A stamp further from our clock than this means the window system's clock
// started again (it wraps after 49 days): the gap is measured afresh.
constexpr qint64 ClocksParted = 600000;
// The two clocks may drift apart by up to this share of the time passed.
constexpr qint64 DriftDivisor = 1000;

enum class Kind { None, Press, Release };

Kind kindOf(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
        return Kind::Press;
    case QEvent::MouseButtonRelease:
    case QEvent::KeyRelease:
        return Kind::Release;
    default:
        return Kind::None;
    }
}

bool isKey(const QInputEvent& input)
{
    return input.type() == QEvent::KeyPress || input.type() == QEvent::KeyRelease;
}

// The key or mouse button a press and its release share.
int pressedOf(const QInputEvent& input)
{
    if (isKey(input))
        return static_cast<const QKeyEvent&>(input).key();
    return -int(static_cast<const QMouseEvent&>(input).button());
}

}  // namespace

void HeldUpInput::install()
{
    QCoreApplication* application = QCoreApplication::instance();
    application->installEventFilter(new HeldUpInput(LimitMs, application));
}

HeldUpInput::HeldUpInput(int limitMs, QObject* parent) : QObject(parent), m_limitMs(limitMs)
{
    m_clock.start();
    m_heartbeat.setInterval(BeatMs);
    connect(&m_heartbeat, &QTimer::timeout, this, [this] { beat(); });
    m_heartbeat.start();
}

void HeldUpInput::beat()
{
    const qint64 now = m_clock.elapsed();
    if (now - m_lastBeat > m_limitMs)
        m_stretches.append({m_lastBeat, now});
    m_lastBeat = now;
    while (!m_stretches.isEmpty()
           && (m_stretches.size() > StretchesKept || m_stretches.first().to < now - StretchKeptMs))
        m_stretches.removeFirst();
}

bool HeldUpInput::eventFilter(QObject* receiver, QEvent* event)
{
    // Input reaches a window first, and from there its widgets.
    if (!receiver->isWindowType())
        return false;
    if (event->type() == QEvent::Wheel) {
        noteWheeledBox(static_cast<const QWheelEvent&>(*event).globalPosition().toPoint());
        return false;
    }
    const Kind kind = kindOf(event->type());
    if (kind == Kind::None)
        return false;
    const auto& input = static_cast<const QInputEvent&>(*event);
    // A key held down repeats as it would have: what it does then is its own
    // (kit/KeyRepeats), and its last release ends the press that went through.
    if (isKey(input) && static_cast<const QKeyEvent&>(input).isAutoRepeat())
        return false;

    bool drop = false;
    if (kind == Kind::Release) {
        drop = m_droppedPresses.remove(pressedOf(input));
    } else if (event->type() == QEvent::MouseButtonDblClick) {
        // Made of the press just before it: goes as that press went.
        drop = m_droppedPresses.contains(pressedOf(input));
    } else {
        const std::optional<qint64> made = madeAt(input);
        const std::optional<qint64> heldUpFrom = made ? heldUpSince(*made) : std::nullopt;
        const Pressed pressed = pressedBy(input);
        // The wheel picked another item or day since: work in between, after
        // which the same click is no repeat.
        if (std::any_of(m_wheeled.cbegin(), m_wheeled.cend(),
                        [](const Wheeled& wheeled) { return wheeled.box && shownValue(wheeled.box) != wheeled.before; }))
            m_lastPressed = {};
        m_wheeled.clear();
        // The press before counts from when it was taken: one typed ahead
        // in an earlier hold-up was taken as that one ended, and its work
        // may have begun this one.
        drop = heldUpFrom && pressed.on && pressed.on == m_lastPressed.on
               && pressed.enterInBox == m_lastPressed.enterInBox && m_lastPressTaken >= *heldUpFrom - m_limitMs;
        m_lastPressed = pressed;
        m_lastPressTaken = m_clock.elapsed();
        // A press that goes through ends one dropped before (its release
        // may have gone to another program's window).
        if (drop)
            m_droppedPresses.insert(pressedOf(input));
        else
            m_droppedPresses.remove(pressedOf(input));
    }
    if (drop)
        event->accept();
    return drop;
}

QString HeldUpInput::shownValue(const QWidget* box)
{
    if (const auto* list = qobject_cast<const QComboBox*>(box))
        return list->currentText();
    return static_cast<const QAbstractSpinBox*>(box)->text();
}

void HeldUpInput::noteWheeledBox(const QPoint& at)
{
    // The wheel turns a list box or a date box (a spin box) under it, if
    // any; whether it picked anything is seen at the next press.
    for (QWidget* under = QApplication::widgetAt(at); under; under = under->parentWidget()) {
        if (qobject_cast<QComboBox*>(under) || qobject_cast<QAbstractSpinBox*>(under)) {
            const bool noted = std::any_of(m_wheeled.cbegin(), m_wheeled.cend(),
                                           [under](const Wheeled& wheeled) { return wheeled.box == under; });
            if (!noted)
                m_wheeled.append({under, shownValue(under)});
            return;
        }
    }
}

HeldUpInput::Pressed HeldUpInput::pressedBy(const QInputEvent& input)
{
    // A click or key while a list or calendar is open goes to it: it picks
    // or closes it, and presses nothing else (the list is a child of its
    // box, so Enter there would read as the screen's Enter).
    if (QApplication::activePopupWidget())
        return {};
    if (!isKey(input)) {
        QWidget* widget = QApplication::widgetAt(static_cast<const QMouseEvent&>(input).globalPosition().toPoint());
        for (QWidget* in = widget; in; in = in->parentWidget()) {
            if (qobject_cast<QAbstractItemView*>(in))
                return {};
        }
        return {widget};
    }
    QWidget* focused = QApplication::focusWidget();
    const int key = pressedOf(input);
    const bool onButton = qobject_cast<QAbstractButton*>(focused) != nullptr;
    if (key == Qt::Key_Space)
        return {onButton ? focused : nullptr};
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return {};
    for (QWidget* in = focused; in; in = in->parentWidget()) {
        if (auto* button = in->property(EnterPressesProperty).value<QObject*>())
            return {button};
    }
    // Elsewhere Enter presses the focused button, or means what its box makes of it.
    return {focused, !onButton};
}

std::optional<qint64> HeldUpInput::madeAt(const QInputEvent& input)
{
    const qint64 stamp = qint64(input.timestamp());
    if (stamp == 0)
        return std::nullopt;  // made by the program, not the operator
    const qint64 now = m_clock.elapsed();
    const qint64 gap = now - stamp;
    if (!m_calibrated || gap < m_offset || gap - m_offset > ClocksParted) {
        m_offset = gap;
        m_calibrated = true;
    } else {
        m_offset = std::min(gap, m_offset + (now - m_lastDelivery) / DriftDivisor);
    }
    m_lastDelivery = now;
    return stamp + m_offset;
}

std::optional<qint64> HeldUpInput::heldUpSince(qint64 made) const
{
    // Still held up: the next beat has not come since.
    if (m_clock.elapsed() - m_lastBeat > m_limitMs && made >= m_lastBeat)
        return m_lastBeat;
    for (const Stretch& stretch : m_stretches) {
        if (made > stretch.from && made <= stretch.to)
            return stretch.from;
    }
    return std::nullopt;
}
