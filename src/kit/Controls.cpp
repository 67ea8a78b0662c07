#include "kit/Controls.h"

#include "kit/Lists.h"
#include "kit/TypingLimit.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace controls {

namespace {

// Keeps a box's text shown from its start whenever the operator is not
// typing in it. setText puts the cursor at the end, and so does focus given
// by Tab or by a screen maximised (the whole text selected), and the box
// shows where its cursor is.
class FromItsStart : public QObject {
public:
    explicit FromItsStart(QLineEdit* box) : QObject(box), m_box(box)
    {
        box->installEventFilter(this);
        connect(box, &QLineEdit::textChanged, this, &FromItsStart::unlessTypedIn);
        connect(box, &QLineEdit::cursorPositionChanged, this, &FromItsStart::unlessTypedIn);  // the same text again
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        // Left without typing; not for a context menu (its Paste goes to the
        // cursor) nor for another window (the box keeps the screen's focus).
        if (event->type() == QEvent::FocusOut && !m_box->isModified()) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
                m_box->setCursorPosition(0);
        }
        return false;
    }

private:
    // The box the screen's focus is in (active or not) is the one typed into.
    void unlessTypedIn()
    {
        if (m_box->cursorPosition() != 0 && m_box->window()->focusWidget() != m_box)
            m_box->setCursorPosition(0);
    }

    QLineEdit* m_box;
};

}  // namespace

QComboBox* editableList(QWidget* parent, const QString& name, int maxLength)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setCompleter(nullptr);
    lists::limitLength(list, maxLength);
    return list;
}

QLineEdit* textBox(QWidget* parent, const QString& name, int maxLength)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    typinglimit::set(box, maxLength);
    new FromItsStart(box);
    return box;
}

void showWhole(QLineEdit* box, const QString& text)
{
    typinglimit::fit(box, text.size());
    box->setText(text);
}

void showWhole(QComboBox* list, const QString& text)
{
    if (QLineEdit* edit = list->lineEdit())
        typinglimit::fit(edit, text.size());
    list->setEditText(text);
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption)
{
    auto* push = new QPushButton(caption, parent);
    push->setObjectName(name);
    push->setAutoDefault(false);
    return push;
}

// Each caption's own style sheet: the children of a widget with a style
// sheet take the desktop's palette, not their parent's, and a style sheet
// on the ground would reach the message boxes shown over it too.
void captionsOnLightGround(QWidget* ground)
{
    for (QLabel* caption : ground->findChildren<QLabel*>())
        if (caption->styleSheet().isEmpty())
            caption->setStyleSheet(QStringLiteral("color: #000000;"));
}

}  // namespace controls
