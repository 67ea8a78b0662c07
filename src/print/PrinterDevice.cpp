#include "print/PrinterDevice.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>

namespace print {

namespace {

QFont fixedPitchFont()
{
    QFont font = QFontDatabase::families().contains(QStringLiteral("DejaVu Sans Mono"))
        ? QFont(QStringLiteral("DejaVu Sans Mono"))
        : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(10);
    return font;
}

// Appended to every failure to reach the printer: the way out for a shop
// without a working printer.
QString withPdfAdvice(const QString& failure)
{
    return failure
        + QStringLiteral(" To print into a PDF file instead, start the program with BILL_PRINT_PDF=/path/file.pdf set.");
}

}  // namespace

std::unique_ptr<PrinterDevice> PrinterDevice::forDefaultPrinter()
{
    // Checked here: a QPrinter without a printer quietly becomes a PDF
    // printer without a file, and fails later with no useful message.
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        throw PrintError(withPdfAdvice(QStringLiteral(
            "No printer is installed. Install a printer, or set one as the default printer.")));
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    if (!printer->isValid())
        throw PrintError(withPdfAdvice(QStringLiteral("The printer %1 is not available.").arg(info.printerName())));
    return std::unique_ptr<PrinterDevice>(new PrinterDevice(std::move(printer)));
}

std::unique_ptr<PrinterDevice> PrinterDevice::forPdfFile(const QString& path)
{
    // Checked now so that the first statement of the job reports it, not the last.
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    if (file.isDir() || !folder.isDir() || !(file.exists() ? file.isWritable() : folder.isWritable()))
        throw PrintError(QStringLiteral("The file %1 cannot be written.").arg(path));
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    return std::unique_ptr<PrinterDevice>(new PrinterDevice(std::move(printer)));
}

PrinterDevice::PrinterDevice(std::unique_ptr<QPrinter> printer)
    : m_printer(std::move(printer)), m_font(fixedPitchFont())
{
    const QFontMetricsF metrics(m_font, m_printer.get());
    const double pageHeight =
        m_printer->pageLayout().paintRectPixels(m_printer->resolution()).height();
    m_linesPerPage = std::max(1, int(pageHeight / metrics.lineSpacing()));
}

PrinterDevice::~PrinterDevice() = default;

double PrinterDevice::columnX(int column) const
{
    // The advance of a run of characters, not a multiple of one character's
    // width: the rounded average width drifts by a column across a line.
    const QFontMetricsF metrics(m_font, m_printer.get());
    return metrics.horizontalAdvance(QString(std::max(column, 1) - 1, QLatin1Char('0')));
}

void PrinterDevice::addPage(const QVector<PrintedLine>& lines)
{
    m_pages.append(lines);
}

void PrinterDevice::finish()
{
    if (m_pages.isEmpty())
        return;
    QPainter painter;
    if (!painter.begin(m_printer.get())) {
        m_pages.clear();
        const QString file = m_printer->outputFileName();
        throw PrintError(file.isEmpty()
            ? withPdfAdvice(QStringLiteral("The printer %1 cannot be used.").arg(m_printer->printerName()))
            : QStringLiteral("The file %1 cannot be written.").arg(file));
    }
    painter.setFont(m_font);
    const QFontMetricsF metrics(m_font, m_printer.get());
    // In a font of one pitch a line drawn as one text puts every character
    // where its column is, and drawing text is what takes the time.
    const bool onePitch = metrics.horizontalAdvance(QLatin1Char('i')) == metrics.horizontalAdvance(QLatin1Char('M'))
        && metrics.horizontalAdvance(QLatin1Char(' ')) == metrics.horizontalAdvance(QLatin1Char('M'));
    for (int pageIndex = 0; pageIndex < m_pages.size(); ++pageIndex) {
        if (pageIndex > 0 && !m_printer->newPage()) {
            m_pages.clear();
            throw PrintError(QStringLiteral("The printer could not start a new page."));
        }
        const QVector<PrintedLine>& page = m_pages.at(pageIndex);
        for (int row = 0; row < page.size(); ++row) {
            const double baseline = row * metrics.lineSpacing() + metrics.ascent();
            if (onePitch) {
                const QString text = lineText(page.at(row));
                if (!text.isEmpty())
                    painter.drawText(QPointF(0, baseline), text);
                continue;
            }
            for (const PlacedText& item : page.at(row))
                painter.drawText(QPointF(columnX(item.column), baseline), item.text);
        }
    }
    m_pages.clear();
    if (!painter.end())
        throw PrintError(QStringLiteral("The print job could not be completed."));
}

}  // namespace print
