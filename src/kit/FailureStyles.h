#pragma once

#include "core/Failure.h"
#include "data/DbError.h"
#include "kit/Messages.h"

#include <QString>
#include <utility>

// The three ways an operation meets a failure.
//
//   stopAtFirstError([&] { ...whole operation... });   // ends silently, keeps what was sent
//   SkipFailing skip;  skip([&] { ...one statement... });  // passes over a failing step
//   CollectErrors errors;  errors([&] { ... });  ...  errors.report();  // tells once, at the end
//
// Whatever the style, a failure that is unavailable() (the database busy,
// read-only, full, out of reach) is shown to the operator: once per
// operation, when the outermost of these helpers returns. So is a change
// that the database refuses (kit/DatabaseChange.h).

namespace failurestyles {

// Lives for the run of one helper, or of one whole operation (see
// OperationScope); the outermost one shows the first unavailable failure
// noted while it ran.
class NoticeScope {
public:
    // What started the operation. One run by each key typed into a box that
    // looks up as the operator types (an item code, a search) tells a
    // failure once: the keys after it, typed on while the database is still
    // out of reach, say nothing more until one of them goes through or an
    // operation of another kind runs.
    enum class Started { Otherwise, ByTyping };

    explicit NoticeScope(Started started = Started::Otherwise);
    ~NoticeScope();
    NoticeScope(const NoticeScope&) = delete;
    NoticeScope& operator=(const NoticeScope&) = delete;

    // Keeps the failure for the operator when it is unavailable() and
    // nothing has been kept yet in this operation.
    static void note(const Failure& failure);
    // Keeps the notice for the operator when nothing has been kept yet in
    // this operation.
    static void tell(const QString& notice);
    // A change of this operation landed: a later failure to read is told
    // as the screen not showing it, never as nothing changed.
    static void noteStoredChange();
    // Whether an operation is running: a notice is then told once, as it ends.
    static bool inOperation();
    static QString storedButNotShown();
};

}  // namespace failurestyles

// An operation that runs several of the helpers below declares one at its
// start, so that a database out of reach is told once, when it ends, and not
// by each helper.
using OperationScope = failurestyles::NoticeScope;
// The same, for a look-up run by a key typed (NoticeScope::Started::ByTyping).
struct TypingScope : OperationScope {
    TypingScope() : OperationScope(Started::ByTyping) {}
};

// How stopAtFirstError ended: true when the operation ran to its end.
struct Outcome {
    bool completed = false;
    // It ended on an unavailable failure, which the operator is told about.
    bool unavailable = false;
    operator bool() const { return completed; }
};

// Runs the operation; the first failure ends it without a word (unless it
// is unavailable: see above).
template <class Operation>
Outcome stopAtFirstError(Operation&& operation)
{
    const failurestyles::NoticeScope scope;
    try {
        std::forward<Operation>(operation)();
        return {true, false};
    } catch (const Failure& failure) {
        failurestyles::NoticeScope::note(failure);
        return {false, failure.unavailable()};
    } catch (const std::exception&) {
        return {false, false};
    }
}

// Runs each step on its own; a failing step is passed over and the next one runs.
class SkipFailing {
public:
    SkipFailing() = default;

    template <class Step>
    bool operator()(Step&& step)
    {
        const failurestyles::NoticeScope scope;
        try {
            std::forward<Step>(step)();
            return true;
        } catch (const Failure& failure) {
            m_lastError = failure.description();
            const auto* database = dynamic_cast<const DbError*>(&failure);
            m_lostTheDatabase = m_lostTheDatabase
                || (failure.unavailable() && !(database && database->kind() == DbError::Kind::Damaged));
            if (failure.unavailable() && m_firstUnavailable.isEmpty()) {
                m_firstUnavailable = failure.description();
                if (!m_reportsAtEnd)
                    failurestyles::NoticeScope::note(failure);
            }
        } catch (const std::exception& other) {
            m_lastError = QString::fromStdString(other.what());
        }
        m_failed = true;
        return false;
    }

    bool failed() const { return m_failed; }
    const QString& lastError() const { return m_lastError; }
    // A step met the database out of reach or busy: the steps after it read
    // nothing either. (A damaged page spoils only the rows it holds.)
    bool lostTheDatabase() const { return m_lostTheDatabase; }

protected:
    // reportsAtEnd: an unavailable failure waits for the caller's report
    // instead of being shown when its step fails.
    explicit SkipFailing(bool reportsAtEnd) : m_reportsAtEnd(reportsAtEnd) {}
    const QString& firstUnavailable() const { return m_firstUnavailable; }

private:
    bool m_reportsAtEnd = false;
    bool m_failed = false;
    bool m_lostTheDatabase = false;
    QString m_lastError;
    QString m_firstUnavailable;
};

// Like SkipFailing, and report() shows one failure's description, at the
// end: the first unavailable one when there was one, else the last.
class CollectErrors : public SkipFailing {
public:
    CollectErrors() : SkipFailing(true) {}

    void report() const
    {
        if (failed())
            Messages::instance().showError(firstUnavailable().isEmpty() ? lastError() : firstUnavailable());
    }
};
