#include "kit/DocumentDate.h"

#include "core/Dates.h"
#include "core/TypedKeys.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QKeyEvent>

DocumentDate::DocumentDate(QDateEdit* box) : QObject(box), m_box(box)
{
    box->installEventFilter(this);
    connect(box, &QDateEdit::dateChanged, this, [this] {
        if (!m_datingToday)
            m_chosen = true;
    });
}

void DocumentDate::dateToday()
{
    m_datingToday = true;
    m_box->setDate(dates::today());
    m_datingToday = false;
    m_chosen = false;
}

void DocumentDate::keepDatingToday()
{
    if (!m_chosen)
        dateToday();
}

bool DocumentDate::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress) {
        // Typed as the box showed it already: yesterday's bills, typed in the
        // morning on a screen left open overnight.
        if (event->type() == QEvent::KeyPress && typedkeys::isTypedCharacter(static_cast<QKeyEvent*>(event)->text()))
            m_chosen = true;
        watchTheCalendar();
    }
    return false;
}

// A day picked from the calendar, the day shown too. The calendar is made
// only when first wanted (a press on the box, or a key that opens it):
// made with the box, it would cost every screen's opening a few milliseconds.
void DocumentDate::watchTheCalendar()
{
    if (m_calendarWatched)
        return;
    m_calendarWatched = true;
    const auto picked = [this] { m_chosen = true; };
    connect(m_box->calendarWidget(), &QCalendarWidget::clicked, this, picked);
    connect(m_box->calendarWidget(), &QCalendarWidget::activated, this, picked);
}
