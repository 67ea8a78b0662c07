#pragma once

#include <QDate>
#include <QString>
#include <QVector>
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

    // The names of a result's columns as the screens read them, from the
    // names the driver gives for the statement (as sent).
    virtual QVector<QString> resultNames(const QString& statement, const QVector<QString>& driverNames) const
    {
        (void)statement;
        return driverNames;
    }

    // The statement that makes a transaction the only one handing out new
    // numbers of the table until it ends; empty when the engine's first
    // write of a transaction does that already.
    virtual QString numberingLock(const QString& table) const
    {
        (void)table;
        return {};
    }

    // An aggregate joining the texts of an expression's values with ','
    // (nulls left out), in the order the rows come.
    virtual QString joinedTexts(const QString& expression) const
    {
        return QStringLiteral("group_concat(") + expression + QLatin1Char(')');
    }

    // By the engine's own name (ODBC's DBMS name): "SQLite", "PostgreSQL".
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
    // A closed literal right after Like, whose '%' and '_' are the only
    // wildcards and every other character stands for itself: here as
    // rewriteLiteral writes it.
    virtual QString rewritePattern(const QString& literal) const { return rewriteLiteral(literal); }
    // A date as a literal of the engine: here 'yyyy-MM-dd'.
    virtual QString dateLiteral(const QDate& date) const;
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

// PostgreSQL: DATE literals; Like on a number column compares the number's
// text (5 for 5, 10.5 for 10.5); text columns are citext, so comparisons and
// Like ignore case by themselves; a backslash in a Like pattern is a
// backslash, as on SQLite, not the server's escape character. The server
// folds unquoted names to lower case: result columns get back the names the
// statement and the tables spell (resultNames). New numbers are handed out under an advisory lock
// of the table, as SQLite's database-wide write lock does on the file.
class PostgresDialect : public StandardDialect {
public:
    QString engine() const override { return QStringLiteral("PostgreSQL"); }
    QString rewrite(const QString& statement) const override;
    QVector<QString> resultNames(const QString& statement, const QVector<QString>& driverNames) const override;
    QString numberingLock(const QString& table) const override;
    QString joinedTexts(const QString& expression) const override;

protected:
    QString rewriteCode(const QString& code, bool atStatementStart) const override;
    QString rewritePattern(const QString& literal) const override;
    QString dateLiteral(const QDate& date) const override;
};
