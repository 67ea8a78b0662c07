#pragma once

#include <QString>
#include <memory>

// The statements the screens send are written in one dialect: "Delete * from",
// dates between '#' signs, Like on numeric columns. Each engine gets a Dialect
// that rewrites them into what it accepts. Text between quotes (literals and
// identifiers) and comments are never rewritten; an engine may only spell a
// literal's characters differently (rewriteLiteral), keeping its value.
class Dialect {
public:
    virtual ~Dialect() = default;

    virtual QString engine() const = 0;
    // Throws Failure for a date literal it cannot read.
    virtual QString rewrite(const QString& statement) const = 0;

    // By the engine's own name (ODBC's DBMS name): "SQLite", later others.
    static std::unique_ptr<Dialect> forEngine(const QString& engineName);
};

// Plain SQL: DELETE FROM, ISO date literals in quotes.
class StandardDialect : public Dialect {
public:
    QString engine() const override { return QStringLiteral("standard"); }
    QString rewrite(const QString& statement) const override;

protected:
    // Rewrites one stretch of statement text that lies outside quotes and comments.
    virtual QString rewriteCode(const QString& code, bool atStatementStart) const;
    // One closed literal, quotes included: here as it stands.
    virtual QString rewriteLiteral(const QString& literal) const;
};

// SQLite also needs Like on a REAL column to match the number's plain text
// (45.5, 100), not SQLite's own (100.0).
class SqliteDialect : public StandardDialect {
public:
    QString engine() const override { return QStringLiteral("SQLite"); }

protected:
    QString rewriteCode(const QString& code, bool atStatementStart) const override;
    QString rewriteLiteral(const QString& literal) const override;
};
