#include "kit/Controls.h"

#include "kit/Lists.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace controls {

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
    box->setMaxLength(maxLength);
    // setText puts the cursor at the end, and the box shows the cursor. The
    // box the screen's focus is in (active or not) is the one typed into.
    const auto fromTheStart = [box] {
        if (box->cursorPosition() != 0 && box->window()->focusWidget() != box)
            box->setCursorPosition(0);
    };
    QObject::connect(box, &QLineEdit::textChanged, box, fromTheStart);
    QObject::connect(box, &QLineEdit::cursorPositionChanged, box, fromTheStart);  // the same text again
    return box;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption)
{
    auto* push = new QPushButton(caption, parent);
    push->setObjectName(name);
    push->setAutoDefault(false);
    return push;
}

}  // namespace controls
