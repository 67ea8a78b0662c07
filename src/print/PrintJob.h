#pragma once

#include "core/Failure.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>

// The page model of every printed document: text placed at character columns
// counted from 1, line by line, continuing on a new page when one is full.
namespace print {

class PrintError : public Failure {
public:
    using Failure::Failure;
};

// One item of a printed line: text starting at a character column (from 1).
struct PlacedText {
    int column;
    QString text;
};
using PrintedLine = QVector<PlacedText>;

// Where finished pages go: a printer, a PDF file, or a text capture. A job
// hands its pages over when it ends: first the width of its widest line,
// then the pages, then finish().
class PageDevice {
public:
    virtual ~PageDevice() = default;
    // The widest line of the job, in columns, told before the first page: a
    // device of paper chooses its font so that the line fits the page.
    virtual void fitColumns(int columns) { (void)columns; }
    // Lines that fit on one page.
    virtual int linesPerPage() const = 0;
    // Throws PrintError.
    virtual void addPage(const QVector<PrintedLine>& lines) = 0;
    // Ends the job (the printer ejects the last page). Throws PrintError.
    virtual void finish() = 0;
};

class PrintJob {
public:
    // The device is opened by the factory at the first output; a failure to
    // open it is thrown there and again at every later output.
    explicit PrintJob(std::function<std::unique_ptr<PageDevice>()> openDevice);
    // A job that was not ended is dropped: nothing is printed.
    ~PrintJob();
    PrintJob(PrintJob&&) noexcept;

    // Moves to the column and writes the text. When the line already reaches
    // past that column, the text goes to that column of the next line.
    void text(int column, const QString& text);
    // A number in its plain text with one blank before (the sign's place) and one after.
    void number(int column, double value);
    // A stored value: numbers as number(), anything else as its text.
    void value(int column, const QVariant& value);
    // Ends the current line.
    void endLine();
    // text() then endLine().
    void line(int column, const QString& text);
    // Ends the job: a line in progress is ended, the device is told the widest
    // line, the pages go out and the device finishes (also when nothing was
    // printed: then with no page). Throws PrintError; so does any output after it.
    void end();

private:
    struct State;
    std::unique_ptr<State> m_state;
};

// True for a stored value that value() prints as a number, with its blanks.
bool printsAsNumber(const QVariant& value);

// The line as printed: each item at its column, blanks before it, no blanks at its end.
QString lineText(const PrintedLine& line);

// The destination of print jobs: the system's default printer unless one is
// installed (a PDF file, a text capture in tests).
void installDestination(std::function<std::unique_ptr<PageDevice>()> openDevice);
void restoreDefaultDestination();
PrintJob startJob();

}  // namespace print
