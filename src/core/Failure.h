#pragma once

#include <QString>
#include <stdexcept>

// Any failure an operation can meet (database, printer, conversion), carrying
// the description the operator is shown.
class Failure : public std::runtime_error {
public:
    // unavailable: the failure is not the operation's own but the state of
    // what it needs (the database busy, read-only, full or out of reach). The
    // operator is then always told, even by an operation that otherwise fails
    // silently (see FailureStyles.h).
    explicit Failure(const QString& description, bool unavailable = false)
        : std::runtime_error(description.toStdString()), m_description(description), m_unavailable(unavailable) {}
    const QString& description() const { return m_description; }
    bool unavailable() const { return m_unavailable; }

private:
    QString m_description;
    bool m_unavailable;
};
