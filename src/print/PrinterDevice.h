#pragma once

#include "print/PageDevice.h"

#include <QFont>
#include <QString>
#include <memory>

class QPainter;
class QPrinter;

namespace print {

// Pages on paper or in a PDF file, in a fixed-pitch font so that character
// columns line up as they do on a line printer. The font is 10 point, or as
// much smaller as the job's widest line needs to fit the printable width of
// the paper in use: a document's columns stay where they are, all of them
// on the page.
//
// Paper no wider than a receipt roll (a printable width of up to 80 mm) is
// a roll: its lines hold as many columns as a 7 point font puts across it,
// 32 at the least (as much smaller a font as that needs), and a document
// laid out for the roll fits them at that size.
//
// Pages are kept until finish() and only then drawn: a job dropped before its
// end leaves no sheet and no file (a print run that has begun cannot be
// withdrawn from every printer system). A job without pages prints nothing
// and writes no file.
class PrinterDevice : public PageDevice {
public:
    // The system's default printer, on the paper its queue uses. Throws
    // PrintError when there is none.
    static std::unique_ptr<PrinterDevice> forDefaultPrinter();
    // A PDF file, on the system's paper: the one PAPERSIZE or else
    // /etc/papersize names ("a4", "letter", "a5", ...), as for every program
    // that prints through libpaper; A4 when neither does. Written at
    // finish(), and checked whole there (Qt's writer does not report a full
    // disk); a file that is no PDF is never written over.
    static std::unique_ptr<PrinterDevice> forPdfFile(const QString& path);
    // A PDF file of a receipt roll `widthMm` wide (20 to 80 mm), a page a job
    // as long as its lines (a very long job goes on over pages 2 m long).
    // Throws PrintError for another width.
    static std::unique_ptr<PrinterDevice> forPdfRoll(const QString& path, double widthMm);

    ~PrinterDevice() override;

    int rollColumns() const override { return m_rollColumns; }
    void fitColumns(int columns) override;
    int linesPerPage() const override { return m_linesPerPage; }
    void addPage(const QVector<PrintedLine>& lines) override;
    // Draws every page. Throws PrintError when the printer or file cannot be opened.
    void finish() override;

    // Where a column starts, in device pixels from the printable area's left edge.
    double columnX(int column) const;
    const QFont& font() const { return m_font; }

private:
    explicit PrinterDevice(std::unique_ptr<QPrinter> printer, bool pagesFitTheirLines = false);
    void useFont(const QFont& font);
    // Points: the font size a document prints at when its widest line fits.
    double preferredSize() const;
    // The page made as long as `lines` lines (a roll's PDF).
    void fitPageTo(int lines);
    // Each item of the line at its column, the line's top `top` pixels down
    // the page; `cut`: each text kept from the next one's and from the edge.
    void drawByItem(QPainter& painter, const PrintedLine& line, double top, bool cut);

    std::unique_ptr<QPrinter> m_printer;
    bool m_pagesFitTheirLines;
    int m_rollColumns = 0;
    QFont m_font;
    int m_linesPerPage = 1;
    QVector<QVector<PrintedLine>> m_pages;
    mutable QVector<double> m_columnX;  // by column; negative until measured
};

}  // namespace print
