#include "print/PrinterDevice.h"

#include "data/RunDatabase.h"
#include "print/PrinterQueue.h"
#include "print/RollReceipt.h"
#include "print/TextColumns.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>
#include <cmath>

namespace print {

namespace {

// Points: the size documents print at when their widest line fits.
constexpr double HouseSize = 10;
// Points: no smaller, however wide a line is; nothing real is that wide.
constexpr double SmallestSize = 2;

// A receipt roll: paper whose printable width is at most 80 mm (with room
// for the rounding of a queue's sizes in whole points).
constexpr double WidestRollMm = 81;
// Points: the roll's font, a character about 1.5 mm wide as a thermal
// printer's own font is: 32 columns on 58 mm paper, 48 on 80 mm.
constexpr double RollSize = 7;
// A roll's PDF: the widths it takes, the edges a thermal head leaves
// unprinted, and the longest page before a job goes on over the next.
constexpr double NarrowestPdfRollMm = 20, WidestPdfRollMm = 80;
constexpr double RollEdgeMm = 4;
constexpr double LongestRollPageMm = 2000;

QFont fixedPitchFont(double size = HouseSize)
{
    QFont font = QFontDatabase::families().contains(QStringLiteral("DejaVu Sans Mono"))
        ? QFont(QStringLiteral("DejaVu Sans Mono"))
        : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(size);
    return font;
}

double printableWidth(const QPrinter& printer)
{
    return printer.pageLayout().paintRectPixels(printer.resolution()).width();
}

// The columns of the printer's paper when it is a receipt roll, 0 when it is not.
int rollColumnsOf(QPrinter& printer)
{
    if (printer.pageLayout().paintRect(QPageLayout::Millimeter).width() > WidestRollMm)
        return 0;
    const QFontMetricsF metrics(fixedPitchFont(RollSize), &printer);
    const double printable = printableWidth(printer);
    int columns = int(printable / metrics.horizontalAdvance(QLatin1Char('0')));
    while (columns > NarrowestRollLine && metrics.horizontalAdvance(QString(columns, QLatin1Char('0'))) > printable)
        --columns;
    return std::max(columns, NarrowestRollLine);
}

// A printer into the PDF file; the caller sets its paper.
std::unique_ptr<QPrinter> pdfPrinter(const QString& path)
{
    // Checked now so that the first statement of the job reports it, not the last.
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    if (file.isDir() || !folder.isDir() || !(file.exists() ? file.isWritable() : folder.isWritable()))
        throw PrintError(QStringLiteral("The file %1 cannot be written.").arg(path));
    // A file that is something else (the shop's database, a letter) is never replaced by a print.
    // The database is told by its name: read here, it would lose the locks this program holds on it.
    if (const QString ownFile = rundatabase::ownFileOf(path); !ownFile.isEmpty())
        throw PrintError(QStringLiteral("The file %1 is %2: it is left as it is. Print into another file.").arg(path, ownFile));
    QFile existing(path);
    if (file.isFile() && file.size() > 0 && (!existing.open(QIODevice::ReadOnly) || !existing.read(5).startsWith("%PDF-")))
        throw PrintError(QStringLiteral("The file %1 is no PDF file: it is left as it is. Print into another file.").arg(path));
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    return printer;
}

// Qt's PDF writer does not report a disk that fills: a file it wrote is
// whole when it ends with the PDF's last line. (Not synced to the disk: a
// print is made again, and a large report's sync would cost the operator.)
bool writtenWhole(const QString& path)
{
    QFile written(path);
    if (!QFileInfo(path).isFile())
        return true;  // a pipe or a device takes what it is given
    return written.open(QIODevice::ReadOnly) && written.size() > 16 && written.seek(written.size() - 16)
        && written.read(16).contains("%%EOF");
}

QPageSize rollPage(double widthMm, double lengthMm)
{
    return QPageSize(QSizeF(widthMm, lengthMm), QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
}

// The paper's name as libpaper finds it: PAPERSIZE, else the first word of
// /etc/papersize that is not a comment.
QString systemPaperName()
{
    const QString named = qEnvironmentVariable("PAPERSIZE").trimmed();
    if (!named.isEmpty())
        return named;
    QFile file(QStringLiteral("/etc/papersize"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            return line.section(QLatin1Char(' '), 0, 0);
    }
    return {};
}

QPageSize systemPaper()
{
    const QString name = systemPaperName();
    for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
        const auto size = QPageSize::PageSizeId(id);
        if (QPageSize::key(size).compare(name, Qt::CaseInsensitive) == 0)
            return QPageSize(size);
    }
    return QPageSize(QPageSize::A4);
}

// True when the line drawn as one text puts every character in its column:
// each is drawn one pitch wide, left to right. A character the font lacks is
// drawn in a fallback font of another width (inFontUcs4() counts fallbacks
// too, so the width is what tells), and so are the blanks and digits after
// it in the same run of shaping; a right-to-left name turns the figures after
// it round with it. Either moves figures from their columns, or past the edge
// of the paper. Printable ASCII is in every fixed-pitch font.
bool drawnInColumns(const PrintedLine& line, const QFontMetricsF& metrics, double pitch)
{
    for (const PlacedText& item : line) {
        for (qsizetype at = 0; at < item.text.size();) {
            const char32_t character = nextCharacter(item.text, at);
            if (character >= 0x20 && character < 0x7F)
                continue;
            switch (QChar::direction(character)) {
            case QChar::DirR:
            case QChar::DirAL:
            case QChar::DirAN:
                return false;
            default:
                break;
            }
            if (characterColumns(character) != 1 || !metrics.inFontUcs4(character)
                || metrics.horizontalAdvance(QString::fromUcs4(&character, 1)) != pitch)
                return false;
        }
    }
    return true;
}

// The column of the item's first character that is not a blank (a number
// starts with the blank of its sign).
int inkColumn(const PlacedText& item)
{
    qsizetype blanks = 0;
    while (blanks < item.text.size() && item.text.at(blanks) == QLatin1Char(' '))
        ++blanks;
    return item.column + int(blanks);
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
    if (const QString refused = printerqueue::refusal(info.printerName(), printerqueue::attributes(info.printerName()));
        !refused.isEmpty())
        throw PrintError(withPdfAdvice(refused));
    // A printer starts on Qt's own default paper, not on the one its queue
    // is set up with (a receipt roll, a shop's Letter paper).
    if (info.defaultPageSize().isValid())
        printer->setPageSize(info.defaultPageSize());
    return std::unique_ptr<PrinterDevice>(new PrinterDevice(std::move(printer)));
}

std::unique_ptr<PrinterDevice> PrinterDevice::forPdfFile(const QString& path)
{
    std::unique_ptr<QPrinter> printer = pdfPrinter(path);
    printer->setPageSize(systemPaper());
    return std::unique_ptr<PrinterDevice>(new PrinterDevice(std::move(printer)));
}

std::unique_ptr<PrinterDevice> PrinterDevice::forPdfRoll(const QString& path, double widthMm)
{
    if (!(widthMm >= NarrowestPdfRollMm && widthMm <= WidestPdfRollMm))
        throw PrintError(QStringLiteral("A receipt roll is %1 to %2 mm wide, not %3 mm.")
                             .arg(NarrowestPdfRollMm).arg(WidestPdfRollMm).arg(widthMm));
    std::unique_ptr<QPrinter> printer = pdfPrinter(path);
    printer->setPageLayout(QPageLayout(rollPage(widthMm, LongestRollPageMm), QPageLayout::Portrait,
                                       QMarginsF(RollEdgeMm, RollEdgeMm, RollEdgeMm, RollEdgeMm),
                                       QPageLayout::Millimeter));
    return std::unique_ptr<PrinterDevice>(new PrinterDevice(std::move(printer), true));
}

PrinterDevice::PrinterDevice(std::unique_ptr<QPrinter> printer, bool pagesFitTheirLines)
    : m_printer(std::move(printer)), m_pagesFitTheirLines(pagesFitTheirLines)
{
    m_rollColumns = rollColumnsOf(*m_printer);
    useFont(fixedPitchFont(preferredSize()));
}

double PrinterDevice::preferredSize() const
{
    return m_rollColumns > 0 ? RollSize : HouseSize;
}

PrinterDevice::~PrinterDevice() = default;

void PrinterDevice::useFont(const QFont& font)
{
    m_font = font;
    m_columnX.clear();
    const QFontMetricsF metrics(m_font, m_printer.get());
    const double pageHeight = m_printer->pageLayout().paintRectPixels(m_printer->resolution()).height();
    m_linesPerPage = std::max(1, int(pageHeight / metrics.lineSpacing()));
}

void PrinterDevice::fitColumns(int columns)
{
    QFont font = fixedPitchFont();
    const QString widest(std::max(columns, 0), QLatin1Char('0'));
    const auto widthAt = [&](double size) {
        font.setPointSizeF(size);
        return QFontMetricsF(font, m_printer.get()).horizontalAdvance(widest);
    };
    const double printable = printableWidth(*m_printer);
    const double preferred = preferredSize();
    const double preferredWidth = widthAt(preferred);
    if (preferredWidth > printable && printable > 0) {
        // Widths grow almost in proportion to the size (glyphs snap to the
        // printer's pixels): from the proportional size, a tenth of a point
        // down at a time until the line fits.
        double size = std::floor(preferred * printable / preferredWidth * 10) / 10;
        while (size > SmallestSize && widthAt(size) > printable)
            size -= 0.1;
        font.setPointSizeF(std::max(size, SmallestSize));
    } else {
        font.setPointSizeF(preferred);
    }
    useFont(font);
}

void PrinterDevice::fitPageTo(int lines)
{
    const QPageLayout layout = m_printer->pageLayout();
    const QMarginsF margins = layout.margins(QPageLayout::Millimeter);
    const double lineMm = QFontMetricsF(m_font, m_printer.get()).lineSpacing() / m_printer->resolution() * 25.4;
    m_printer->setPageSize(rollPage(layout.fullRect(QPageLayout::Millimeter).width(),
                                    margins.top() + lines * lineMm + margins.bottom()));
}

double PrinterDevice::columnX(int column) const
{
    // The advance of a run of characters, not a multiple of one character's
    // width: the rounded average width drifts by a column across a line.
    // Measured once per column: a long listing places each column many times.
    column = std::max(column, 1);
    if (column >= m_columnX.size())
        m_columnX.resize(column + 1, -1);
    double& x = m_columnX[column];
    if (x < 0) {
        const QFontMetricsF metrics(m_font, m_printer.get());
        x = metrics.horizontalAdvance(QString(column - 1, QLatin1Char('0')));
    }
    return x;
}

void PrinterDevice::addPage(const QVector<PrintedLine>& lines)
{
    m_pages.append(lines);
}

void PrinterDevice::drawByItem(QPainter& painter, const PrintedLine& line, double top, bool cut)
{
    const QFontMetricsF metrics(m_font, m_printer.get());
    const double baseline = top + metrics.ascent();
    for (qsizetype i = 0; i < line.size(); ++i) {
        const PlacedText& item = line.at(i);
        const QPointF at(columnX(item.column), baseline);
        if (!cut) {
            painter.drawText(at, item.text);
            continue;
        }
        // A text in a fallback font takes the room that font gives it (with
        // no font for its script, a box a character): it is cut where the
        // next item's first character stands, so that a figure after a name
        // stays readable, or at the paper's edge.
        const double right = i + 1 < line.size() ? columnX(inkColumn(line.at(i + 1))) : printableWidth(*m_printer);
        painter.save();
        painter.setClipRect(QRectF(0, top - metrics.lineSpacing(), right, 3 * metrics.lineSpacing()));
        painter.drawText(at, item.text);
        painter.restore();
    }
}

void PrinterDevice::finish()
{
    if (m_pages.isEmpty())
        return;
    if (m_pagesFitTheirLines)
        fitPageTo(int(m_pages.first().size()));
    const QString pdfFile = m_printer->outputFileName();
    const auto failed = [&](const QString& printerWords, const QString& fileWords) {
        m_pages.clear();
        return PrintError(pdfFile.isEmpty() ? printerWords : fileWords.arg(pdfFile));
    };
    QPainter painter;
    if (!painter.begin(m_printer.get()))
        throw failed(withPdfAdvice(QStringLiteral("The printer %1 cannot be used.").arg(m_printer->printerName())),
                     QStringLiteral("The file %1 cannot be written."));
    const QString notWhole = QStringLiteral("The file %1 could not be written whole: is the disk full? Print it again.");
    painter.setFont(m_font);
    const QFontMetricsF metrics(m_font, m_printer.get());
    // In a font of one pitch a line drawn as one text puts every character
    // where its column is, and drawing text is what takes the time; but only
    // while the font draws every character itself (see drawnInColumns()).
    const double pitch = metrics.horizontalAdvance(QLatin1Char('M'));
    const bool onePitch = metrics.horizontalAdvance(QLatin1Char('i')) == pitch && metrics.horizontalAdvance(QLatin1Char(' ')) == pitch;
    for (int pageIndex = 0; pageIndex < m_pages.size(); ++pageIndex) {
        if (pageIndex > 0 && m_pagesFitTheirLines)
            fitPageTo(int(m_pages.at(pageIndex).size()));
        if (pageIndex > 0 && !m_printer->newPage())
            throw failed(QStringLiteral("The printer could not start a new page."), notWhole);
        const QVector<PrintedLine>& page = m_pages.at(pageIndex);
        for (int row = 0; row < page.size(); ++row) {
            const PrintedLine& line = page.at(row);
            const double top = row * metrics.lineSpacing();
            const double baseline = top + metrics.ascent();
            const bool inColumns = drawnInColumns(line, metrics, pitch);
            if (onePitch && inColumns) {
                const QString text = lineText(line);
                if (!text.isEmpty())
                    painter.drawText(QPointF(0, baseline), text);
                continue;
            }
            drawByItem(painter, line, top, !inColumns);
        }
    }
    m_pages.clear();
    if (!painter.end() || (!pdfFile.isEmpty() && !writtenWhole(pdfFile)))
        throw failed(QStringLiteral("The print job could not be completed."), notWhole);
}

}  // namespace print
