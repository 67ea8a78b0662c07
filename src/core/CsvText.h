#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// Tables as text a spreadsheet reads and writes: CSV after RFC 4180 (commas,
// CRLF line ends, values with a comma, a quote or a line break between
// double quotes, a quote inside written twice), and tab-separated text.
namespace csv {

// Appends one value: between quotes, with its quotes doubled, when it holds
// the separator, a quote or a line break, or starts or ends with a blank
// that a reader could trim; as it is otherwise. A value a spreadsheet would
// run as a formula (first '=', '+', '-', '@', a TAB or a CR, and not a plain
// number such as -5.5: a name "=HYPERLINK(...)", a phone "+91 98450") gets a
// ' in front, which spreadsheets show as text; records() takes it off again.
// So does any value starting with '+' (a phone +919845012345), which a
// spreadsheet would read as a number and keep without its '+'.
void appendField(QString& out, const QString& text, QChar separator = QLatin1Char(','));

// One row of values, comma-separated and ended by CRLF.
QString line(const QStringList& fields);

// A record read from CSV text: its values, and the line of the text it
// starts on (1 for the first). A record that is not well formed (a quote
// left open, text after a closing quote) carries what is wrong with it.
struct Record {
    int line = 0;
    QStringList fields;
    QString problem;
};

// Every record of the text, blank lines skipped. Takes CRLF or LF line ends,
// and a last line with or without one. A value's ' put in front by
// appendField is taken off.
QVector<Record> records(const QString& text);

}  // namespace csv
