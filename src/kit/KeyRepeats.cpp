#include "kit/KeyRepeats.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>

void KeyRepeats::install()
{
    QCoreApplication* application = QCoreApplication::instance();
    application->installEventFilter(new KeyRepeats(application));
}

bool KeyRepeats::eventFilter(QObject* receiver, QEvent* event)
{
    // Keys reach a window first, and from there the focused widget.
    if (!receiver->isWindowType() || (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease))
        return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (key.timestamp() == 0 || key.isAutoRepeat())
        return false;
    if (event->type() == QEvent::KeyRelease) {
        m_releasedKey = key.key();
        m_releasedAt = key.timestamp();
        return false;
    }
    const bool repeat = key.key() == m_releasedKey && key.timestamp() == m_releasedAt;
    m_releasedKey = 0;
    const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    if (!repeat || !(enter || qobject_cast<QAbstractButton*>(QApplication::focusWidget())))
        return false;
    event->accept();
    return true;
}
