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
// So does a value that a spreadsheet would read as a number and save back
// changed: one starting with '+' (a phone +919845012345) without its '+',
// digits with a leading 0 (09845012345) without it, twelve digits or more
// (919845012345) as 9.19845E+11.
void appendField(QString& out, const QString& text, QChar separator = QLatin1Char(','));

// What a CSV file starts with: UTF-8's byte order mark, by which Excel
// reads it as UTF-8 (a file without one as the system's code page, "É" as
// "Ã‰"). Other spreadsheets read it too, and so does billdb import.
constexpr char FileStart[] = "\xEF\xBB\xBF";

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

// The length of the line end at `at` (a LF, a CR and LF, or a CR alone as
// Excel for the Mac writes one), 0 where none is: in the text, or in its
// bytes before they are read as UTF-8.
template <typename Text>
qsizetype lineEndAt(const Text& text, qsizetype at)
{
    if (text.at(at) == u'\n')
        return 1;
    if (text.at(at) != u'\r')
        return 0;
    return at + 1 < text.size() && text.at(at + 1) == u'\n' ? 2 : 1;
}

// Every record of the text, blank lines skipped. Takes CRLF, LF or CR line ends,
// and a last line with or without one. A value's ' put in front by
// appendField is taken off.
QVector<Record> records(const QString& text);

}  // namespace csv
