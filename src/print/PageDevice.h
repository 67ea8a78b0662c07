#pragma once

#include "core/Failure.h"

#include <QString>
#include <QVector>

// What a print job hands to the paper: lines of text placed at character
// columns counted from 1, a text taking the columns TextColumns.h counts.
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

// The line as printed: each item at its column, blanks before it, no blanks at its end.
QString lineText(const PrintedLine& line);

// Where finished pages go: a printer, a PDF file, or a text capture. A job
// hands its pages over when it ends: first the width of its widest line,
// then the pages, then finish().
class PageDevice {
public:
    virtual ~PageDevice() = default;
    // The columns a line of a receipt roll holds; 0 on a page, where every
    // document keeps its page layout.
    virtual int rollColumns() const { return 0; }
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

}  // namespace print
