#pragma once

#include "kit/Failure.h"
#include "kit/Messages.h"

#include <QString>
#include <utility>

// The three ways an operation meets a failure.
//
//   stopAtFirstError([&] { ...whole operation... });   // ends silently, keeps what was sent
//   SkipFailing skip;  skip([&] { ...one statement... });  // passes over a failing step
//   CollectErrors errors;  errors([&] { ... });  ...  errors.report();  // tells once, at the end

// Runs the operation; the first failure ends it without a word.
// Returns true when the operation ran to its end.
template <class Operation>
bool stopAtFirstError(Operation&& operation)
{
    try {
        std::forward<Operation>(operation)();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

// Runs each step on its own; a failing step is passed over and the next one runs.
class SkipFailing {
public:
    template <class Step>
    bool operator()(Step&& step)
    {
        try {
            std::forward<Step>(step)();
            return true;
        } catch (const Failure& failure) {
            m_lastError = failure.description();
        } catch (const std::exception& other) {
            m_lastError = QString::fromStdString(other.what());
        }
        m_failed = true;
        return false;
    }

    bool failed() const { return m_failed; }
    const QString& lastError() const { return m_lastError; }

private:
    bool m_failed = false;
    QString m_lastError;
};

// Like SkipFailing, and report() shows the last failure's description once.
class CollectErrors : public SkipFailing {
public:
    void report() const
    {
        if (failed())
            Messages::instance().showError(lastError());
    }
};
