#pragma once

#include "print/PageDevice.h"

#include <QString>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>

// The page model of every printed document: text placed at character columns
// counted from 1, line by line, continuing on a new page when one is full.
namespace print {

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
    // The columns of the device's receipt roll, 0 when it prints on pages
    // (PageDevice::rollColumns()). Opens the device as an output does.
    int rollColumns();
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

}  // namespace print
