#pragma once

#include "data/ServerSessions.h"
#include "core/Maker.h"
#include "support/RecordingMessages.h"

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QStandardPaths>
#include <QTableView>

// What the area tests read back: the messages shown, a list's entries, a
// grid's rows, a printed line built from its columns, a PDF file as text.
namespace checks {

// Every message shown, as "i caption: text" (i information, ? question, ! error).
inline QStringList told(const RecordingMessages& messages)
{
    QStringList all;
    for (const RecordingMessages::Shown& s : messages.shown) {
        const char* kind = s.kind == RecordingMessages::Kind::Information ? "i"
            : s.kind == RecordingMessages::Kind::Question ? "?" : "!";
        all << QString("%1 %2: %3").arg(QLatin1String(kind), s.caption, s.text);
    }
    return all;
}

// The database connections of this thread open for a use (not kept for reuse: data/ServerSessions.h).
inline int connectionsInUse()
{
    return int(QSqlDatabase::connectionNames().size()) - serversessions::keptCount();
}

inline QStringList entries(const QComboBox* list)
{
    QStringList all;
    for (int i = 0; i < list->count(); ++i)
        all << list->itemText(i);
    return all;
}

// The rows of a model as shown, fields joined with '|'.
inline QStringList rows(const QAbstractItemModel* model)
{
    QStringList all;
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList fields;
        for (int c = 0; c < model->columnCount(); ++c)
            fields << model->index(r, c).data().toString();
        all << fields.join('|');
    }
    return all;
}

// What a screen shows: the text of every box, list and label, and every grid's rows.
inline QStringList shownTexts(const QWidget* screen)
{
    QStringList all;
    for (const QLineEdit* box : screen->findChildren<QLineEdit*>())
        all << box->objectName() + '=' + box->text();
    for (const QComboBox* list : screen->findChildren<QComboBox*>())
        all << list->objectName() + '=' + list->currentText();
    for (const QLabel* label : screen->findChildren<QLabel*>())
        all << label->text();
    for (const QTableView* grid : screen->findChildren<QTableView*>())
        if (grid->model())
            all << rows(grid->model());
    return all;
}

inline QStringList sorted(QStringList lines) { return (lines.sort(), lines); }

// A printed line: each text starting at its column (from 1).
inline QString placed(std::initializer_list<std::pair<int, QString>> items)
{
    QString line;
    for (const auto& [column, text] : items)
        line = line.leftJustified(column - 1, ' ') + text;
    return line;
}

// --- printed documents, as a reader sees them ---

// The letterhead of rows::ShopHeader, and the rules the documents draw.
const QString Rule(76, '-');
const QStringList Letterhead{"THE CORNER SHOP", "12 MARKET ROAD", "NEAR BUS STAND", "MYSORE", "Mobile : 9845012345", Rule};
const QString Dashes(17, '-');

inline QString grandTotal(const QString& total) { return placed({{22, "Grand Total :"}, {49, total}}); }

// A receipt: the letterhead, the document's texts, its lines, the grand total and the maker's footer.
inline QString receiptLine(const QString& item, const QString& q, const QString& a, const QString& d, const QString& t)
{
    return placed({{1, item}, {32, " " + q}, {39, " " + a}, {46, " " + d}, {53, " " + t}});
}
inline QStringList receipt(const QStringList& document, const QStringList& lines, const QString& total)
{
    return Letterhead + document + QStringList{Rule, placed({{1, "Item"}, {32, "Qty"}, {39, "Amt"}, {46, "Dis"}, {53, "Total"}}), Rule} + lines
        + QStringList{Rule, grandTotal(total), Rule, "Software Designed By :", maker::Name, maker::EmailLine,
                      maker::WebLine, Rule};
}

inline bool havePdfToText() { return !QStandardPaths::findExecutable("pdftotext").isEmpty(); }

// The pages of a PDF file as pdftotext lays out a fixed pitch (10 point DejaVu
// Sans Mono advances 6.02 points, 7 point 4.214), without blank lines and
// margins: column n is at index n-1.
inline QList<QStringList> pdfPages(const QString& path, const QString& pitch = "6.02")
{
    QProcess process;
    process.start(QStandardPaths::findExecutable("pdftotext"), {"-fixed", pitch, path, "-"});
    if (!process.waitForFinished(10000) || process.exitCode() != 0)
        return {};
    QList<QStringList> pages;
    for (const QString& page : QString::fromUtf8(process.readAllStandardOutput()).split('\f', Qt::SkipEmptyParts)) {
        QStringList lines;
        qsizetype margin = page.size();
        for (const QString& line : page.split('\n')) {
            const QString text = line.trimmed();
            if (!text.isEmpty()) {
                margin = std::min(margin, line.indexOf(text.front()));
                lines << line.left(line.indexOf(text.front())) + text;
            }
        }
        for (QString& line : lines)
            line.remove(0, margin);
        if (!lines.isEmpty())
            pages << lines;
    }
    return pages;
}

// Where each word of a PDF file starts across its page (points from the
// left), for every time the word stands there, in the order of its lines.
inline QMap<QString, QVector<double>> pdfWordStarts(const QString& path)
{
    QProcess process;
    process.start(QStandardPaths::findExecutable("pdftotext"), {"-bbox", path, "-"});
    QMap<QString, QVector<double>> starts;
    if (!process.waitForFinished(10000) || process.exitCode() != 0)
        return starts;
    const QRegularExpression word(R"re(<word xMin="([0-9.]+)"[^>]*>([^<]*)</word>)re");
    for (auto match = word.globalMatch(QString::fromUtf8(process.readAllStandardOutput())); match.hasNext();) {
        const QRegularExpressionMatch found = match.next();
        starts[found.captured(2)] << found.captured(1).toDouble();
    }
    return starts;
}

// The newest whole PDF file in the folder written since the moment; empty when there is none (yet).
inline QString newestPdf(const QString& folder, const QDateTime& since)
{
    const QFileInfoList files = QDir(folder).entryInfoList({"*.pdf"}, QDir::Files, QDir::Time);
    if (files.isEmpty() || files.first().lastModified() < since)
        return {};
    QFile file(files.first().filePath());
    if (!file.open(QIODevice::ReadOnly) || file.size() < 6)
        return {};
    file.seek(file.size() - 6);
    return file.readAll().contains("%%EOF") ? file.fileName() : QString();
}

// How far the characters of a PDF reach, in points, on its pages' width and height.
struct PdfReach {
    double pageWidth = 0, pageHeight = 1e9;
    double left = 1e9;
    double right = 0, bottom = 0;
};
inline PdfReach pdfReach(const QString& path)
{
    QProcess process;
    process.start(QStandardPaths::findExecutable("pdftotext"), {"-bbox", path, "-"});
    PdfReach reach;
    if (!process.waitForFinished(10000) || process.exitCode() != 0)
        return reach;
    const QString boxes = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression page(R"re(<page width="([0-9.]+)" height="([0-9.]+)")re");
    static const QRegularExpression word(R"re(<word xMin="([0-9.]+)" yMin="[0-9.]+" xMax="([0-9.]+)" yMax="([0-9.]+)")re");
    for (const QRegularExpressionMatch& match : page.globalMatch(boxes)) {
        reach.pageWidth = std::max(reach.pageWidth, match.captured(1).toDouble());
        reach.pageHeight = std::min(reach.pageHeight, match.captured(2).toDouble());
    }
    for (const QRegularExpressionMatch& match : word.globalMatch(boxes)) {
        reach.left = std::min(reach.left, match.captured(1).toDouble());
        reach.right = std::max(reach.right, match.captured(2).toDouble());
        reach.bottom = std::max(reach.bottom, match.captured(3).toDouble());
    }
    return reach;
}

}  // namespace checks
