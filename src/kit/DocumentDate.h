#pragma once

#include <QObject>

class QDateEdit;

// The date box of a document screen. The screen dates a new document today
// on its own, until the operator chooses another date: by typing in the box
// (even the day it shows), by picking from its calendar, or by recalling a
// voucher. Before the next document a date the screen put there moves on to
// today (a screen left open past midnight, or for days); a chosen one stays.
class DocumentDate : public QObject {
public:
    explicit DocumentDate(QDateEdit* box);

    // Today, as the screen dates a document on its own.
    void dateToday();
    // Before the next document: today, unless the operator chose the date.
    void keepDatingToday();
    // The date the box shows is the operator's choice (a voucher they recalled).
    void keepTheDateShown() { m_chosen = true; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchTheCalendar();

    QDateEdit* m_box;
    bool m_calendarWatched = false;
    bool m_datingToday = false;  // while dateToday() sets the box
    bool m_chosen = false;       // since the screen last dated the box
};
