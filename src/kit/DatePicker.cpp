#include "kit/DatePicker.h"

#include "core/Dates.h"
#include "kit/DateTyping.h"

#include <QCalendarWidget>
#include <QCoreApplication>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTimer>

namespace dates {

namespace {

// The box's calendar, as a list's drop-down behaves: Alt+Down, Alt+Up and F4
// open it (the spin box took Alt+Down for Down, a day back); the arrows move
// through the days, Enter or a click takes one, and Esc (or a click outside)
// leaves the date as it was, though the calendar showed each day in the box
// as the arrows reached it.
class CalendarBehaviour : public QObject {
public:
    explicit CalendarBehaviour(QDateEdit* picker) : QObject(picker), m_picker(picker) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_picker) {
            if (event->type() == QEvent::Show) {
                m_before = m_picker->date();
                m_picked = false;
            } else if (event->type() == QEvent::Hide) {
                // After the calendar's own signals of this close, which tell a pick.
                QTimer::singleShot(0, this, [this] {
                    // Qt leaves its cursor inside a part, which takes nothing typed.
                    m_picker->setSelectedSection(m_picker->sectionAt(0));
                    if (m_picked)
                        return;
                    const QSignalBlocker quiet(m_picker);
                    m_picker->setDate(m_before);
                });
            }
            return false;
        }
        if (event->type() == QEvent::MouseButtonPress) {
            watchTheCalendar();
            return false;
        }
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool alt = key->modifiers() & Qt::AltModifier;
        const bool opens = (key->key() == Qt::Key_F4 && !alt)
            || (alt && (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up));
        if (!opens)
            return false;
        watchTheCalendar();
        pressArrow();
        return true;
    }

private:
    // The calendar is made when first wanted: made with the box, it would
    // cost every screen's opening a few milliseconds.
    void watchTheCalendar()
    {
        if (m_watching)
            return;
        m_watching = true;
        QCalendarWidget* calendar = m_picker->calendarWidget();
        // Its own date editor, opened by a figure typed on it, reads month
        // before day and takes 1752.
        calendar->setDateEditEnabled(false);
        calendar->window()->installEventFilter(this);
        connect(calendar, &QCalendarWidget::clicked, this, [this] { m_picked = true; });
        connect(calendar, &QCalendarWidget::activated, this, [this] { m_picked = true; });
    }

    // The calendar opens only from the box's arrow, so the arrow is pressed.
    void pressArrow()
    {
        QStyleOptionComboBox box;
        box.initFrom(m_picker);
        box.editable = true;
        box.subControls = QStyle::SC_All;
        const QPointF arrow =
            m_picker->style()->subControlRect(QStyle::CC_ComboBox, &box, QStyle::SC_ComboBoxArrow, m_picker).center();
        const QPointF screen = m_picker->mapToGlobal(arrow);
        QMouseEvent press(QEvent::MouseButtonPress, arrow, screen, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_picker, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, arrow, screen, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_picker, &release);
    }

    QDateEdit* m_picker;
    bool m_watching = false;
    bool m_picked = false;
    QDate m_before;
};

}  // namespace

void setUpPicker(QDateEdit* picker)
{
    picker->setLocale(english());
    picker->setDisplayFormat(ShownFormat);
    picker->setCalendarPopup(true);
    picker->installEventFilter(new CalendarBehaviour(picker));
    letTypeWholeDates(picker);
}

bool calendarIsOpen(const QDateEdit* picker)
{
    const QCalendarWidget* calendar = picker->calendarPopup() ? picker->findChild<QCalendarWidget*>() : nullptr;
    return calendar && calendar->isVisible();
}

}  // namespace dates
