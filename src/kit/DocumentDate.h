#pragma once

#include <QDate>
#include <QObject>
#include <optional>

class QDateEdit;

// The date box of a document screen. The screen dates a new document today
// on its own, until the operator chooses another date: by typing in the box
// (even the day it shows), by picking from its calendar, or by recalling a
// voucher. Before the next document a date the screen put there moves on to
// today (a screen left open past midnight, or for days); a chosen one stays,
// unless it is the day it was chosen on: that is today, which moves on too.
// A bill or receipt the operator recalls shows its own date while it is in
// hand, so that the lines added to it take that date too.
class DocumentDate : public QObject {
public:
    explicit DocumentDate(QDateEdit* box);

    // Today, as the screen dates a document on its own.
    void dateToday();
    // Before the next document: today, unless the operator chose the date.
    void keepDatingToday();
    // The date the box shows is the operator's choice (a voucher they recalled).
    void keepTheDateShown() { operatorChose(); }
    // The date of the document the operator recalled, until the next document,
    // which is dated as it would have been without the recall.
    void showDocumentsDate(const QDate& date);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchTheCalendar();
    void operatorChose();
    void setBox(const QDate& date);

    QDateEdit* m_box;
    bool m_calendarWatched = false;
    bool m_settingBox = false;  // while the screen sets the box
    bool m_chosen = false;      // since the screen last dated the box
    QDate m_chosenOn;           // the day the operator last chose a date
    // While a recalled document is shown: the date the operator had chosen
    // before it (invalid when they had chosen none).
    std::optional<QDate> m_beforeRecall;
    // As it stood before the operator began typing a date, which they may take back.
    struct Choice {
        bool chosen;
        QDate chosenOn;
        std::optional<QDate> beforeRecall;
    };
    std::optional<Choice> m_beforeTyping;
};
