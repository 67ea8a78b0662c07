#include "kit/DocumentDate.h"

#include "core/Dates.h"
#include "core/TypedKeys.h"
#include "kit/DatePicker.h"
#include "kit/DateTyping.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QKeyEvent>

DocumentDate::DocumentDate(QDateEdit* box) : QObject(box), m_box(box)
{
    box->installEventFilter(this);
    // A typing taken back was no choice: the box goes on as before it.
    dates::whenTypingDropped(box, [this] {
        if (!m_beforeTyping)
            return;
        m_chosen = m_beforeTyping->chosen;
        m_chosenOn = m_beforeTyping->chosenOn;
        m_beforeRecall = m_beforeTyping->beforeRecall;
        m_beforeTyping.reset();
    });
    connect(box, &QDateEdit::dateChanged, this, [this] {
        if (!m_settingBox && !dates::calendarIsOpen(m_box))
            operatorChose();
    });
}

void DocumentDate::setBox(const QDate& date)
{
    m_settingBox = true;
    m_box->setDate(date);
    m_settingBox = false;
}

void DocumentDate::operatorChose()
{
    m_chosen = true;
    m_chosenOn = dates::today();
    m_beforeRecall.reset();
}

void DocumentDate::dateToday()
{
    setBox(dates::today());
    m_chosen = false;
    m_beforeRecall.reset();
}

void DocumentDate::keepDatingToday()
{
    if (m_beforeRecall) {
        const QDate chosen = *m_beforeRecall;
        if (!chosen.isValid()) {
            dateToday();
            return;
        }
        setBox(chosen);
        m_chosen = true;  // on the day it was chosen on, before the recall
        m_beforeRecall.reset();
    }
    if (!m_chosen || m_box->date() == m_chosenOn)
        dateToday();
}

void DocumentDate::showDocumentsDate(const QDate& date)
{
    if (!m_beforeRecall)
        m_beforeRecall = m_chosen ? m_box->date() : QDate();
    setBox(date);
    m_chosen = false;
}

bool DocumentDate::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress) {
        // Typed as the box showed it already: yesterday's bills, typed in the
        // morning on a screen left open overnight.
        if (event->type() == QEvent::KeyPress && typedkeys::isTypedCharacter(static_cast<QKeyEvent*>(event)->text())) {
            if (!dates::isTyping(m_box))
                m_beforeTyping = Choice{m_chosen, m_chosenOn, m_beforeRecall};
            operatorChose();
        }
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
    const auto picked = [this] { operatorChose(); };
    connect(m_box->calendarWidget(), &QCalendarWidget::clicked, this, picked);
    connect(m_box->calendarWidget(), &QCalendarWidget::activated, this, picked);
}
