#include "support/TextCapture.h"

namespace print {

QVector<CapturedPage> CaptureLog::pages() const
{
    QVector<CapturedPage> all;
    for (const CapturedJob& job : jobs)
        all += job;
    return all;
}

QStringList CaptureLog::allLines() const
{
    QStringList all;
    for (const CapturedJob& job : jobs)
        for (const CapturedPage& page : job)
            all += page;
    return all;
}

TextCapture::TextCapture(std::shared_ptr<CaptureLog> log, int linesPerPage)
    : m_log(std::move(log)), m_linesPerPage(linesPerPage)
{
}

void TextCapture::addPage(const QVector<PrintedLine>& lines)
{
    CapturedPage page;
    for (const PrintedLine& line : lines)
        page.append(lineText(line));
    m_pages.append(page);
}

void TextCapture::finish()
{
    m_log->jobs.append(m_pages);
    m_pages.clear();
}

std::shared_ptr<CaptureLog> installCapture(int linesPerPage)
{
    auto log = std::make_shared<CaptureLog>();
    installDestination([log, linesPerPage] {
        return std::make_unique<TextCapture>(log, linesPerPage);
    });
    return log;
}

}  // namespace print
