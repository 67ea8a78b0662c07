#pragma once

#include "kit/Messages.h"

#include <QList>
#include <QStringList>
#include <functional>

// Stands in for the message boxes while it lives: records every message, answers from a queue (else No).
class RecordingMessages : public Messages {
public:
    enum class Kind { Information, Question, Error };
    struct Shown {
        Kind kind;
        QString caption;
        QString text;
    };

    RecordingMessages() { Messages::install(this); }
    ~RecordingMessages() override { Messages::install(nullptr); }

    void inform(const QString& text, const QString& caption) override
    {
        shown << Shown{Kind::Information, caption, text};
        if (whileInformed)
            whileInformed();
    }
    bool ask(const QString& text, const QString& caption) override
    {
        shown << Shown{Kind::Question, caption, text};
        return answers.isEmpty() ? false : answers.takeFirst();
    }
    void showError(const QString& description) override
    {
        shown << Shown{Kind::Error, applicationTitle(), description};
        if (whileAnError)
            whileAnError();
    }

    // The texts of everything shown, in order.
    QStringList texts() const
    {
        QStringList all;
        for (const Shown& s : shown)
            all << s.text;
        return all;
    }
    void clear() { shown.clear(); }

    QList<Shown> shown;
    QList<bool> answers;  // true answers Yes
    std::function<void()> whileAnError;  // runs while an error is on the screen, before its OK
    std::function<void()> whileInformed;  // the same for an information (a box's own event loop, say)
};
