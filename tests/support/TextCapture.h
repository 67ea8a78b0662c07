#pragma once

#include "print/Destination.h"

#include <QStringList>
#include <QVector>
#include <memory>

// Print jobs kept as the text a reader would see on paper, for tests.
namespace print {

// One page: its lines, blanks up to each item's column, no trailing blanks.
using CapturedPage = QStringList;
using CapturedJob = QVector<CapturedPage>;

// Every finished job, oldest first. A job dropped without end() leaves
// nothing here, as it leaves nothing on paper.
struct CaptureLog {
    QVector<CapturedJob> jobs;

    int finishedJobs() const { return int(jobs.size()); }
    // The pages of every job, in order.
    QVector<CapturedPage> pages() const;
    // The lines of every page of every job, in order.
    QStringList allLines() const;
    void clear() { jobs.clear(); }
};

class TextCapture : public PageDevice {
public:
    explicit TextCapture(std::shared_ptr<CaptureLog> log, int linesPerPage = 60);

    int linesPerPage() const override { return m_linesPerPage; }
    void addPage(const QVector<PrintedLine>& lines) override;
    void finish() override;

private:
    std::shared_ptr<CaptureLog> m_log;
    int m_linesPerPage;
    CapturedJob m_pages;
};

// Sends every later job to a new capture log, until another destination is
// installed or restoreDefaultDestination().
std::shared_ptr<CaptureLog> installCapture(int linesPerPage = 60);

}  // namespace print
