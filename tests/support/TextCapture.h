#pragma once

#include "print/Destination.h"

#include <QStringList>
#include <QVector>
#include <memory>
#include <utility>

// Print jobs kept as the text a reader would see on paper, for tests.
namespace print {

// One page: its lines, blanks up to each item's column, no trailing blanks.
using CapturedPage = QStringList;
using CapturedJob = QVector<CapturedPage>;

// Every finished job, oldest first (a job dropped without end() leaves nothing).
struct CaptureLog {
    QVector<CapturedJob> jobs;
    int fittedColumns = -1;  // the widest line, as the last job told its device

    int finishedJobs() const { return int(jobs.size()); }
    // The pages of every job, in order.
    QVector<CapturedPage> pages() const
    {
        QVector<CapturedPage> all;
        for (const CapturedJob& job : jobs)
            all += job;
        return all;
    }
    // The lines of every page of every job, in order.
    QStringList allLines() const
    {
        QStringList all;
        for (const CapturedPage& page : pages())
            all += page;
        return all;
    }
    void clear() { jobs.clear(); }
};

class TextCapture : public PageDevice {
public:
    TextCapture(std::shared_ptr<CaptureLog> log, int linesPerPage) : m_log(std::move(log)), m_linesPerPage(linesPerPage) {}

    void fitColumns(int columns) override { m_log->fittedColumns = columns; }
    int linesPerPage() const override { return m_linesPerPage; }
    void addPage(const QVector<PrintedLine>& lines) override
    {
        CapturedPage page;
        for (const PrintedLine& line : lines)
            page.append(lineText(line));
        m_pages.append(page);
    }
    void finish() override { m_log->jobs.append(std::exchange(m_pages, {})); }

private:
    std::shared_ptr<CaptureLog> m_log;
    int m_linesPerPage;
    CapturedJob m_pages;
};

// Sends every later job to a new capture log, until another destination is installed.
inline std::shared_ptr<CaptureLog> installCapture(int linesPerPage = 60)
{
    auto log = std::make_shared<CaptureLog>();
    installDestination([log, linesPerPage] { return std::make_unique<TextCapture>(log, linesPerPage); });
    return log;
}

}  // namespace print
