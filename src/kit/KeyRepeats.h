#pragma once

#include <QObject>

// A key held down repeats. Under X11, Qt tells a repeat by the press that
// comes at the same moment as the release before it; when the program was
// still busy with that release (a click on Add Item), the press had not come
// yet, and the repeat is taken for a new press. On a button that is one more
// click each time: Space held on Add Item stored a line per repeat, Enter held
// on a bill screen printed per repeat. This filter drops such a press of Enter
// anywhere, and of any key on a focused button: a press stamped with the
// moment the same key was released. Other keys in boxes are left alone: a
// scanner may type a digit twice within one millisecond.
class KeyRepeats : public QObject {
public:
    // Filters the keys of every window of the application from now on.
    static void install();

    using QObject::QObject;

    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    int m_releasedKey = 0;
    quint64 m_releasedAt = 0;
};
