#include "kit/DatePicker.h"

#include "core/Dates.h"

#include <QCoreApplication>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionComboBox>

namespace dates {

namespace {

// Alt+Down, Alt+Up and F4 open the calendar, as they open a list on the same
// screens; the spin box would take Alt+Down for Down and move the date back
// a day. The calendar opens only from its arrow, so the arrow is pressed.
class CalendarKeys : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool alt = key->modifiers() & Qt::AltModifier;
        const bool opens = (key->key() == Qt::Key_F4 && !alt)
            || (alt && (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up));
        if (!opens)
            return false;
        pressArrow(static_cast<QDateEdit*>(watched));
        return true;
    }

private:
    static void pressArrow(QDateEdit* picker)
    {
        QStyleOptionComboBox box;
        box.initFrom(picker);
        box.editable = true;
        box.subControls = QStyle::SC_All;
        const QPointF arrow =
            picker->style()->subControlRect(QStyle::CC_ComboBox, &box, QStyle::SC_ComboBoxArrow, picker).center();
        const QPointF screen = picker->mapToGlobal(arrow);
        QMouseEvent press(QEvent::MouseButtonPress, arrow, screen, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(picker, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, arrow, screen, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(picker, &release);
    }
};

}  // namespace

void setUpPicker(QDateEdit* picker)
{
    picker->setLocale(english());
    picker->setDisplayFormat(ShownFormat);
    picker->setCalendarPopup(true);
    picker->installEventFilter(new CalendarKeys(picker));
}

}  // namespace dates
