#pragma once

#include "core/Failure.h"

// A failure reported by the database or its driver.
class DbError : public Failure {
public:
    // What kind of failure it was (data/ErrorKinds.h tells them apart).
    enum class Kind {
        Other,        // the statement's own: syntax, a missing row, a wrong value
        Constraint,   // a check or a rule of the database refused the row (a value out of range)
        Duplicate,    // a unique key refused the row: one with the same key is stored
        Busy,         // another program holds the database longer than the wait allows
        ReadOnly,     // the database cannot be written
        Full,         // the database or its disk is full
        Unreachable,  // the file or the server cannot be read or written (I/O, connection lost)
        Damaged,      // the file is not a sound database
    };

    // detail: the driver's own words, when the description is more than them.
    explicit DbError(const QString& description, Kind kind = Kind::Other, const QString& detail = {})
        : Failure(description, isUnavailable(kind)), m_kind(kind), m_detail(detail.isEmpty() ? description : detail) {}

    Kind kind() const { return m_kind; }
    const QString& detail() const { return m_detail; }

    // The kinds that are the database's state rather than the statement's:
    // the operator is always told of them.
    static bool isUnavailable(Kind kind)
    {
        return kind != Kind::Other && kind != Kind::Constraint && kind != Kind::Duplicate;
    }

private:
    Kind m_kind;
    QString m_detail;
};

// A commit that went out to a server whose answer never came (the link lost
// on the way): the server may have stored the change or not.
class CommitOutcomeUnknown : public DbError {
public:
    using DbError::DbError;
};
