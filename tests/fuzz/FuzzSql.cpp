// libFuzzer target for the text that goes into SQL (scripts/fuzz); a broken property aborts with the
// input described. Nothing crashes; a number's text reads back the same, with a decimal point or comma;
// every quoted literal of a statement (its code made well formed) comes out of the dialect rewrite
// unchanged (SQLite may spell a character beyond the BMP with char(), which the next covers); a quoted
// text reads back through the data layer and SQLite as sql::storable keeps it.

#include "core/Failure.h"
#include "core/NumericText.h"
#include "data/Connection.h"
#include "data/Dialect.h"
#include "data/RecordSet.h"
#include "data/SqlText.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

[[noreturn]] void broken(const char* property, const QString& detail)
{
    std::fprintf(stderr, "property broken: %s\n%s\n", property, detail.toUtf8().constData());
    std::abort();
}

QString shown(const QString& text)
{
    return QStringLiteral("[%1] %2").arg(QString::fromLatin1(text.toUtf8().toHex(' ')), text);
}

void numbers(const QString& text)
{
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::German)}) {
        QLocale::setDefault(locale);
        const bool numeric = numeric::isNumeric(text);
        try {
            const double value = numeric::toDouble(text);
            if (!numeric || !std::isfinite(value))
                broken("toDouble reads only what isNumeric accepts, as a finite number", shown(text));
            const QString written = numeric::numberText(value);
            if (!numeric::isNumeric(written) || numeric::numberText(numeric::toDouble(written)) != written)
                broken("a number's text reads back to the same text", shown(text) + " -> " + written);
            numeric::toInt16(value);
        } catch (const Failure& failure) {
            if (numeric && failure.description() == QLatin1String("Type mismatch"))
                broken("isNumeric text is no type mismatch", shown(text));
        }
    }
    QLocale::setDefault(QLocale::c());
}

// Without apostrophes, and with a quoted name or a comment left open closed at its end.
QString wellFormed(QString code)
{
    code.remove(QLatin1Char('\''));
    enum { Code, Name, Block, Line } state = Code;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code.at(i);
        const QChar next = i + 1 < code.size() ? code.at(i + 1) : QChar();
        if (state == Code && c == QLatin1Char('"'))
            state = Name;
        else if (state == Code && c == QLatin1Char('/') && next == QLatin1Char('*'))
            state = Block, ++i;
        else if (state == Code && c == QLatin1Char('-') && next == QLatin1Char('-'))
            state = Line, ++i;
        else if ((state == Name && c == QLatin1Char('"')) || (state == Line && c == QLatin1Char('\n')))
            state = Code;
        else if (state == Block && c == QLatin1Char('*') && next == QLatin1Char('/'))
            state = Code, ++i;
    }
    const char* const closing[] = {"", "\"", "*/", "\n"};
    return code + QLatin1String(closing[state]);
}

// The input as a statement: pieces separated by '\x01' are, by turns, code and texts for sql::text.
QString statementOf(const QString& input, QStringList& literals)
{
    QString statement;
    const QStringList pieces = input.split(QChar(1));
    for (int i = 0; i < pieces.size(); ++i) {
        if (i % 2 == 1) {
            literals << sql::text(pieces.at(i));
            statement += literals.last();
        } else {
            statement += wellFormed(pieces.at(i));
        }
    }
    return statement;
}

bool beyondThePlane(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isSurrogate(); });
}

void rewrites(const QString& input)
{
    QStringList literals;
    const QString statement = statementOf(input, literals);
    for (const auto& dialect : {Dialect::forEngine(QString()), Dialect::forEngine(QStringLiteral("SQLite"))}) {
        QString rewritten;
        try {
            rewritten = dialect->rewrite(statement);
        } catch (const Failure&) {
            continue;  // a date between '#' signs that is none
        }
        qsizetype from = 0;
        for (const QString& literal : literals) {
            if (dialect->engine() == QLatin1String("SQLite") && beyondThePlane(literal))
                continue;
            const qsizetype at = rewritten.indexOf(literal, from);
            if (at < 0)
                broken("every quoted literal survives the rewrite", shown(statement) + "\n-> " + shown(rewritten)
                                                                          + "\nlost " + shown(literal));
            from = at + literal.size();
        }
    }
}

void readsBack(const QString& text)
{
    static Connection* connection = [] {
        auto* opened = new Connection;
        opened->open(QStringLiteral("DRIVER=SQLite3;Database=:memory:"));
        return opened;
    }();
    RecordSet row;
    try {
        row.open(QStringLiteral("select ") + sql::text(text) + QStringLiteral(" as t"), *connection);
    } catch (const Failure& failure) {
        broken("a quoted text is a statement's one value", shown(text) + "\n" + failure.description());
    }
    if (row.recordCount() != 1 || row.fieldCount() != 1)
        broken("a quoted text is a statement's one value", shown(text));
    const QString back = row.field(0).toString();
    if (back != sql::storable(text))
        broken("a quoted text reads back as typed", shown(text) + "\nread " + shown(back));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static std::unique_ptr<QCoreApplication> application = std::make_unique<QCoreApplication>(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    const QString input = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    numbers(input);
    rewrites(input);
    readsBack(input);
    return 0;
}
