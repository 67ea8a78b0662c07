#include "kit/DateTyping.h"

#include "core/NumericText.h"
#include "core/TypedDate.h"

#include <QApplication>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLineEdit>

namespace dates {

namespace {

// Longer than any date's text; what more is typed is no date.
constexpr int MostTyped = 24;

bool isPlainKey(const QKeyEvent* key)
{
    return !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

bool isModifierAlone(const QKeyEvent* key)
{
    switch (key->key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
        return true;
    default:
        return false;
    }
}

// One key's character of a typed date (core/TypedDate.h).
bool typesDateCharacter(const QString& text)
{
    return text.size() == 1 && isDateCharacter(text.front());
}

class DateTyping : public QObject {
public:
    static inline const QString Name = QStringLiteral("dateTyping");

    explicit DateTyping(QDateEdit* picker) : QObject(picker), m_picker(picker)
    {
        setObjectName(Name);
        picker->installEventFilter(this);
        // A click on the text goes to the box's own editor.
        m_text = picker->findChild<QLineEdit*>(QStringLiteral("qt_spinbox_lineedit"), Qt::FindDirectChildrenOnly);
        if (m_text)
            m_text->installEventFilter(this);
    }

    bool typing() const { return m_typing; }
    void whenDropped(std::function<void()> dropped) { m_dropped = std::move(dropped); }

    void finish()
    {
        const QDate typed = typedDate(m_typed, m_before, Typed::Whole);
        if (fits(typed)) {
            m_picker->setDate(typed);
            end();
        } else {
            QApplication::beep();
            drop();
        }
    }

    void drop()
    {
        m_picker->setDate(m_before);
        end();
        if (m_dropped)
            m_dropped();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_picker) {
            if (watched == m_text)
                clickedOnTheText(event->type());
            return false;
        }
        switch (event->type()) {
        case QEvent::KeyPress:
            return keyPressed(static_cast<QKeyEvent*>(event));
        case QEvent::FocusIn:
            comeInOnTheDay(static_cast<QFocusEvent*>(event)->reason());
            return false;
        case QEvent::FocusOut:
            if (m_typing)
                finish();
            // Left on the year by Tab, a wheel turned over the box later stepped years.
            m_picker->setCurrentSection(QDateTimeEdit::DaySection);
            return false;
        case QEvent::MouseButtonPress:
        case QEvent::Wheel:
        case QEvent::Hide:
            if (m_typing)
                finish();
            return false;
        default:
            return false;
        }
    }

private:
    // A click ends the typing and takes the part clicked on whole, so that
    // what is typed next replaces it (Qt's cursor in it took no figure). A
    // selection dragged or clicked thrice stays as the operator made it.
    void clickedOnTheText(QEvent::Type type)
    {
        if (type == QEvent::MouseButtonPress && m_typing)
            finish();
        if (type == QEvent::MouseButtonRelease)
            QMetaObject::invokeMethod(this, [this] { selectThePartAtTheCursor(); }, Qt::QueuedConnection);
    }

    void selectThePartAtTheCursor()
    {
        if (m_text && !m_text->hasSelectedText())
            m_picker->setSelectedSection(m_picker->currentSection());
    }

    // Typed on the day, or over a selection that holds it or more than one
    // part (the whole text, the month and the year), a figure starts a whole
    // date: Qt's parts took it into one of them, or dropped it.
    bool startsOnTheDay() const
    {
        return m_picker->currentSection() == QDateTimeEdit::DaySection
            || (m_text && m_text->hasSelectedText()
                && (m_text->selectionStart() == 0 || m_text->selectedText().contains(QLatin1Char('/'))));
    }

    // Qt selects the year when Shift+Tab comes in: a date typed there went into the year.
    void comeInOnTheDay(Qt::FocusReason reason)
    {
        if (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason)
            return;
        QMetaObject::invokeMethod(
            m_picker, [picker = m_picker] { picker->setSelectedSection(picker->sectionAt(0)); }, Qt::QueuedConnection);
    }

    bool keyPressed(const QKeyEvent* key)
    {
        // Out of the box, as from any other (Qt's Tab steps through the date's parts first).
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            if (m_typing)
                finish();
            m_picker->setSelectedSection(m_picker->sectionAt(key->key() == Qt::Key_Tab ? m_picker->sectionCount() - 1 : 0));
            return false;
        }
        const QString text = numeric::asciiDigits(key->text());  // a keyboard of another script's digits
        if (!m_typing) {
            const bool digit = text.size() == 1 && isFigure(text.front());
            if (!digit || !isPlainKey(key) || m_picker->isReadOnly() || !startsOnTheDay())
                return false;
            start();
        }
        if (key->key() == Qt::Key_Backspace) {
            m_typed.chop(1);
            if (m_typed.isEmpty())
                drop();
            else
                show();
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            drop();
            return true;
        }
        if (isModifierAlone(key))
            return false;  // the Shift of a capital, say
        if (isPlainKey(key) && typesDateCharacter(text)) {
            if (m_typed.size() < MostTyped)
                m_typed += text;
            show();
            return true;
        }
        finish();  // and the key does what it does
        return false;
    }

    bool fits(const QDate& date) const
    {
        return date.isValid() && date >= m_picker->minimumDate() && date <= m_picker->maximumDate();
    }

    void start()
    {
        m_typing = true;
        m_before = m_picker->date();
        m_typed.clear();
        if (!m_shown) {
            // Over the box's own text, which takes only what its parts allow.
            const QLineEdit* own = m_text;
            m_shown = new QLineEdit(m_picker);
            m_shown->setObjectName(QStringLiteral("typedDate"));
            m_shown->setFrame(false);
            m_shown->setFocusPolicy(Qt::NoFocus);
            m_shown->setAttribute(Qt::WA_TransparentForMouseEvents);
            if (own) {
                m_shown->setGeometry(own->geometry());
                m_shown->setAlignment(own->alignment());
            }
        }
    }

    // The typing as typed, and the date it makes so far in the box.
    void show()
    {
        m_shown->setText(m_typed);
        if (const QLineEdit* own = m_text)
            m_shown->setGeometry(own->geometry());
        m_shown->show();
        m_shown->raise();
        const QDate soFar = typedDate(m_typed, m_before, Typed::SoFar);
        if (fits(soFar) && soFar != m_picker->date())
            m_picker->setDate(soFar);
    }

    void end()
    {
        m_typing = false;
        m_typed.clear();
        if (m_shown)
            m_shown->hide();
    }

    QDateEdit* m_picker;
    QLineEdit* m_text = nullptr;  // the box's own editor
    QLineEdit* m_shown = nullptr;
    bool m_typing = false;
    QString m_typed;
    QDate m_before;
    std::function<void()> m_dropped;
};

DateTyping* typingOf(QWidget* box)
{
    auto* picker = qobject_cast<QDateEdit*>(box);
    // Found by its name: a class without meta-object of its own is no type findChild tells apart.
    return picker ? static_cast<DateTyping*>(picker->findChild<QObject*>(DateTyping::Name, Qt::FindDirectChildrenOnly))
                  : nullptr;
}

// The box's typing, while a date is being typed into it.
DateTyping* typingIn(QWidget* box)
{
    DateTyping* typing = typingOf(box);
    return typing && typing->typing() ? typing : nullptr;
}

}  // namespace

void letTypeWholeDates(QDateEdit* picker)
{
    new DateTyping(picker);
}

bool isTyping(QWidget* box)
{
    return typingIn(box) != nullptr;
}

void whenTypingDropped(QDateEdit* picker, std::function<void()> dropped)
{
    if (DateTyping* typing = typingOf(picker))
        typing->whenDropped(std::move(dropped));
}

bool finishTyping(QWidget* box)
{
    DateTyping* typing = typingIn(box);
    if (typing)
        typing->finish();
    return typing != nullptr;
}

bool dropTyping(QWidget* box)
{
    DateTyping* typing = typingIn(box);
    if (typing)
        typing->drop();
    return typing != nullptr;
}

}  // namespace dates
