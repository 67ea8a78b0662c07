#include "kit/GridExport.h"

#include "core/CsvText.h"
#include "core/WholeFile.h"
#include "data/RunDatabase.h"
#include "data/SqliteFile.h"
#include "kit/DataScreen.h"
#include "kit/FailureStyles.h"
#include "kit/FileDialogs.h"
#include "kit/Grid.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QProgressDialog>
#include <QTableView>
#include <algorithm>

namespace grid {

namespace {

// Rows handled between two reports of progress: a cancel is seen at once,
// and the dialog costs next to nothing beside the rows.
constexpr int Step = 4096;
// A save shorter than this shows no progress dialog.
constexpr int ProgressAfterMs = 400;

const QString CsvFilter = QStringLiteral("CSV files (*.csv)");

// How a table is written as text.
struct TextTable {
    QChar separator;
    QString lineEnd;
};
const TextTable Tabs{QLatin1Char('\t'), QStringLiteral("\n")};
const TextTable Csv{QLatin1Char(','), QStringLiteral("\r\n")};  // RFC 4180

void appendHeadings(QString& out, const QAbstractItemModel* model, const TextTable& table)
{
    for (int column = 0; column < model->columnCount(); ++column) {
        if (column > 0)
            out += table.separator;
        csv::appendField(out, model->headerData(column, Qt::Horizontal).toString(), table.separator);
    }
    out += table.lineEnd;
}

void appendRow(QString& out, const QAbstractItemModel* model, int row, const TextTable& table)
{
    for (int column = 0; column < model->columnCount(); ++column) {
        if (column > 0)
            out += table.separator;
        csv::appendField(out, model->index(row, column).data().toString(), table.separator);
    }
    out += table.lineEnd;
}

// Whether the row is there, reading the result up to it first (throws Failure).
bool haveRow(QAbstractItemModel* model, int row)
{
    if (auto* rows = qobject_cast<GridModel*>(model))
        return rows->ensureRow(row);
    while (row >= model->rowCount() && model->canFetchMore({}))
        model->fetchMore({});
    return row < model->rowCount();
}

// Hands every row of the result to `take`, Step rows at a time, reading the
// rows not read yet as it goes; progress is told of none done first. Each
// step is read before any of it is taken: a grid that shows the first page
// of a result replaces that page when the table has changed since, which
// happens on the first read past it (a grid read by stretches is read again
// whole first). Returns false when progress stops it.
bool eachRow(QAbstractItemModel* model, const ExportProgress& progress,
             const std::function<void(int first, int end)>& take)
{
    if (progress && !progress(0))
        return false;
    if (auto* rows = qobject_cast<GridModel*>(model)) {
        rows->readWholeResultAtOnce();
        // What was read before the failure would go out as the whole result.
        if (rows->readStopped())
            throw Failure(QStringLiteral("The grid holds only the %L1 rows read before its database failed: show them "
                                         "again, then copy or save them.")
                              .arg(rows->rowCount()));
    }
    for (int row = 0;;) {
        haveRow(model, row + Step - 1);
        const int end = std::min(model->rowCount(), row + Step);
        if (row >= end)
            return true;
        take(row, end);
        row = end;
        if (progress && !progress(row))
            return false;
    }
}

// The selected rows in the grid's order; none when nothing is selected.
QVector<int> selectedRows(const QTableView* view)
{
    QVector<int> rows;
    if (const QItemSelectionModel* selection = view->selectionModel())
        for (const QModelIndex& index : selection->selectedRows())
            rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

// A progress dialog with Cancel, shown when the work takes a while, and at
// its start when the grid's result is still to be read: the first part of
// that can take a second before a row is done. It holds the operator's other
// input back meanwhile, since the work reads the grid's result between its
// steps.
class ProgressDialog {
public:
    ProgressDialog(QTableView* view, const QString& rowsDoneText)
        : m_dialog(rowsDoneText.arg(0), QStringLiteral("Cancel"), 0, 0, view), m_rowsDoneText(rowsDoneText),
          m_readsFirst(view->model() && view->model()->canFetchMore({}))
    {
        m_dialog.setWindowTitle(applicationTitle());
        m_dialog.setWindowModality(Qt::ApplicationModal);
        m_dialog.setAutoReset(false);
        m_dialog.setMinimumDuration(ProgressAfterMs);
        m_dialog.setValue(0);  // the time to showing starts now
    }

    ExportProgress progress()
    {
        return [this](int rowsDone) {
            if (rowsDone == 0 && m_readsFirst) {
                m_dialog.show();
                QCoreApplication::processEvents();
            } else if (rowsDone > 0) {
                m_dialog.setLabelText(m_rowsDoneText.arg(rowsDone));
                m_dialog.setValue(rowsDone);
            }
            return !m_dialog.wasCanceled();
        };
    }

private:
    QProgressDialog m_dialog;
    QString m_rowsDoneText;
    bool m_readsFirst;
};

// The folder a save first offers: the documents folder (the home folder on
// an account without one), then the one last saved into.
QString& lastFolder()
{
    static QString folder = FileDialogs::documentsFolder();
    return folder;
}

// Where a grid's CSV file is first offered: under the caption of the grid's screen.
QString suggestedFile(const QTableView* view)
{
    QString name = QStringLiteral("Grid");
    for (const QWidget* widget = view; widget; widget = widget->parentWidget())
        if (qobject_cast<const DataScreen*>(widget) && !widget->windowTitle().isEmpty()) {
            name = widget->windowTitle();
            break;
        }
    return QDir(lastFolder()).filePath(name + QStringLiteral(".csv"));
}

void copyToClipboard(QTableView* view)
{
    CollectErrors errors;
    {  // gone before a failure is told, not shown over it
        ProgressDialog dialog(view, QStringLiteral("%L1 rows copied"));
        errors([&] {
            const QString text = copiedText(view, dialog.progress());
            if (!text.isEmpty())
                QApplication::clipboard()->setText(text);
        });
    }
    errors.report();
}

void saveAsCsv(QTableView* view)
{
    const QString fileName =
        FileDialogs::instance().saveFileName(view, QStringLiteral("Save as CSV"), suggestedFile(view), CsvFilter);
    if (fileName.isEmpty())
        return;
    CollectErrors errors;
    {  // gone before a failure is told, not shown over it
        ProgressDialog dialog(view, QStringLiteral("%L1 rows saved"));
        errors([&] {
            if (saveCsv(view, fileName, dialog.progress()))
                lastFolder() = QFileInfo(fileName).absolutePath();
        });
    }
    errors.report();
}

}  // namespace

QString copiedText(QTableView* view, const ExportProgress& progress)
{
    QAbstractItemModel* model = view->model();
    if (!model)
        return {};
    QString text;
    appendHeadings(text, model, Tabs);
    const QVector<int> selected = selectedRows(view);
    if (!selected.isEmpty()) {
        for (int row : selected)
            appendRow(text, model, row, Tabs);
        return text;
    }
    const bool whole = eachRow(model, progress, [&](int first, int end) {
        for (int row = first; row < end; ++row)
            appendRow(text, model, row, Tabs);
    });
    return whole ? text : QString();
}

bool saveCsv(QTableView* view, const QString& fileName, const ExportProgress& progress)
{
    QString ownFile = rundatabase::ownFileOf(fileName);
    if (ownFile.isEmpty())
        ownFile = sqlitefile::databaseFileKind(fileName);  // a backup's or an archive's place
    if (!ownFile.isEmpty())
        throw Failure(QStringLiteral("%1 is %2; the rows go into another file").arg(QDir::toNativeSeparators(fileName), ownFile));
    WholeFile file(fileName);
    const auto fail = [&] {
        throw Failure(QStringLiteral("%1 could not be saved: %2")
                          .arg(QDir::toNativeSeparators(fileName), file.errorString()));
    };
    if (!file.open())
        fail();
    QAbstractItemModel* model = view->model();
    bool written = file.write(csv::FileStart);
    QString text;
    if (model)
        appendHeadings(text, model, Csv);
    const bool whole = !model || eachRow(model, progress, [&](int first, int end) {
        for (int row = first; row < end; ++row)
            appendRow(text, model, row, Csv);
        written = written && file.write(text.toUtf8());
        text.clear();
    });
    if (!whole) {
        file.cancel();
        return false;
    }
    if (!written || !file.write(text.toUtf8()) || !file.commit())
        fail();
    return true;
}

void addExportMenu(QTableView* view)
{
    auto* copy = new QAction(QStringLiteral("Copy"), view);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    QObject::connect(copy, &QAction::triggered, view, [view] { copyToClipboard(view); });
    auto* save = new QAction(QStringLiteral("Save as CSV..."), view);
    QObject::connect(save, &QAction::triggered, view, [view] { saveAsCsv(view); });
    view->addActions({copy, save});
    view->setContextMenuPolicy(Qt::ActionsContextMenu);
}

}  // namespace grid
