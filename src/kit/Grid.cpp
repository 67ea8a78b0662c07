#include "kit/Grid.h"

#include "core/Dates.h"
#include "core/Failure.h"
#include "core/NumericText.h"
#include "core/ShownText.h"
#include "data/QueryRows.h"
#include "kit/Messages.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QTableView>
#include <algorithm>

namespace {

// Any model that fetches on demand: rows up to this one are read.
void fetchUpTo(QAbstractItemModel* model, int row)
{
    while (model->rowCount() <= row && model->canFetchMore({}))
        model->fetchMore({});
}

// Whether the value shows as the text, without making its text where the
// type allows: a search through a large result compares many values.
class ShownText {
public:
    explicit ShownText(const QString& text) : m_text(text)
    {
        bool isNumber = false;
        m_number = text.toInt(&isNumber);
        m_isWholeNumber = isNumber && QString::number(m_number) == text;
    }

    bool isShownBy(const QVariant& value) const
    {
        if (value.isNull())
            return m_text.isEmpty();
        switch (value.typeId()) {
        case QMetaType::QString:
            return *static_cast<const QString*>(value.constData()) == m_text;
        case QMetaType::Int:
            return m_isWholeNumber && *static_cast<const int*>(value.constData()) == m_number;
        default:
            return shown::text(value) == m_text;
        }
    }

private:
    const QString& m_text;
    int m_number = 0;
    bool m_isWholeNumber = false;
};

}  // namespace

GridModel::GridModel(QObject* parent) : QAbstractTableModel(parent) {}

GridModel::~GridModel()
{
    releaseSource();
}

void GridModel::setRows(QVector<QString> headers, QVector<QVector<QVariant>> rows)
{
    beginResetModel();
    releaseSource();
    m_headers = std::move(headers);
    m_rows = std::move(rows);
    endResetModel();
}

void GridModel::setFirstPage(QVector<QString> headers, QVector<QVector<QVariant>> rows, WholeResult whole,
                             std::shared_ptr<void> keepAlive)
{
    beginResetModel();
    releaseSource();
    m_headers = std::move(headers);
    m_rows = std::move(rows);
    m_whole = std::move(whole);
    m_keepAlive = std::move(keepAlive);
    endResetModel();
}

void GridModel::clear()
{
    setRows({}, {});
}

// The result goes before what keeps it readable: a statement outliving its
// connection would be left dangling.
void GridModel::releaseSource()
{
    m_source.reset();
    m_whole = {};
    m_keepAlive.reset();
}

bool GridModel::hasMore() const
{
    return m_whole || (m_source && !m_source->atEnd());
}

bool GridModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && hasMore();
}

// Each fetch reads as many rows as are there already: a caller going through
// every row (a search for a row) reads a large result in a few steps. The
// view scrolling cannot take a failure: it is told, and the rows shown stay.
void GridModel::fetchMore(const QModelIndex& parent)
{
    if (!canFetchMore(parent))
        return;
    try {
        append(std::max(BatchSize, int(m_rows.size())));
    } catch (const Failure& failure) {
        releaseSource();
        Messages::instance().showError(failure.description());
    }
}

// The whole result takes over from the first page. Its first rows are
// compared with the shown ones as the grid shows them: when the table has
// changed since, the grid shows the whole result as it now is.
void GridModel::takeWholeResult()
{
    WholeResult whole = std::move(m_whole);
    m_whole = {};
    std::shared_ptr<QueryRows> rows;
    try {
        rows = whole();
    } catch (...) {
        releaseSource();
        throw;
    }
    const int shown = int(m_rows.size());
    QVector<QVector<QVariant>> again = rows->fetch(shown);
    bool same = again.size() == shown;
    for (int row = 0; same && row < shown; ++row)
        for (int column = 0; same && column < m_headers.size(); ++column)
            same = shown::text(again.at(row).value(column)) == shown::text(m_rows.at(row).at(column));
    m_source = std::move(rows);
    if (!same) {
        beginResetModel();
        m_rows = std::move(again);
        endResetModel();
    }
}

void GridModel::append(int count)
{
    if (m_whole)
        takeWholeResult();
    if (!m_source)
        return;
    QVector<QVector<QVariant>> more = m_source->fetch(count);
    if (!more.isEmpty()) {
        beginInsertRows({}, int(m_rows.size()), int(m_rows.size() + more.size()) - 1);
        m_rows << more;
        endInsertRows();
    }
    if (m_source->atEnd())
        releaseSource();
}

bool GridModel::ensureRow(int row)
{
    while (row >= m_rows.size() && hasMore())
        append(std::max(BatchSize, int(m_rows.size())));
    return row >= 0 && row < m_rows.size();
}

void GridModel::fetchAll()
{
    if (hasMore())
        append(-1);
}

int GridModel::findRow(int column, const QString& text, int from)
{
    const ShownText shown(text);
    for (int row = std::max(from, 0); ensureRow(row); ++row)
        if (shown.isShownBy(m_rows.at(row).value(column)))
            return row;
    return -1;
}

int GridModel::findReadRow(int column, const QString& text, int from) const
{
    const ShownText shown(text);
    for (int row = std::max(from, 0); row < m_rows.size(); ++row)
        if (shown.isShownBy(m_rows.at(row).value(column)))
            return row;
    return -1;
}

QVariant GridModel::value(int row, int column) const
{
    if (row < 0 || row >= m_rows.size())
        return {};
    return m_rows.at(row).value(column);
}

// The whole row is told changed: how a row looks may follow any of its cells.
void GridModel::setValue(int row, int column, const QVariant& value)
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_headers.size())
        return;
    m_rows[row][column] = value;
    emit dataChanged(index(row, 0), index(row, int(m_headers.size()) - 1));
}

int GridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int GridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_headers.size());
}

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size() || index.column() >= m_headers.size())
        return {};
    if (role == Qt::DisplayRole)
        return shown::text(m_rows.at(index.row()).at(index.column()));
    return {};
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return m_headers.value(section);
    return {};
}

namespace grid {

static GridModel* modelOf(QTableView* view)
{
    auto* model = qobject_cast<GridModel*>(view->model());
    if (!model) {
        model = new GridModel(view);
        view->setModel(model);
    }
    return model;
}

static void selectFirstRow(QTableView* view)
{
    if (view->model()->rowCount() > 0)
        view->setCurrentIndex(view->model()->index(0, 0));
}

void show(QTableView* view, PagedRows rows)
{
    if (!rows.whole)
        modelOf(view)->setRows(std::move(rows.headers), std::move(rows.firstRows));
    else
        modelOf(view)->setFirstPage(std::move(rows.headers), std::move(rows.firstRows), std::move(rows.whole),
                                    std::move(rows.keepAlive));
    selectFirstRow(view);
}

void bind(QTableView* view, QVector<QString> headers, QVector<QVector<QVariant>> rows)
{
    modelOf(view)->setRows(std::move(headers), std::move(rows));
    selectFirstRow(view);
}

void unbind(QTableView* view)
{
    modelOf(view)->clear();
}

int rowCount(const QTableView* view)
{
    QAbstractItemModel* model = view->model();
    if (!model)
        return 0;
    if (auto* rows = qobject_cast<GridModel*>(model))
        rows->fetchAll();
    while (model->canFetchMore({}))
        model->fetchMore({});
    return model->rowCount();
}

QString text(const QTableView* view, int row, int column)
{
    QAbstractItemModel* model = view->model();
    if (!model || row < 0)
        return {};
    if (auto* rows = qobject_cast<GridModel*>(model))
        rows->ensureRow(row);
    fetchUpTo(model, row);
    return model->index(row, column).data().toString();
}

QString currentText(const QTableView* view, int column)
{
    const QModelIndex current = view->currentIndex();
    if (!current.isValid() || !view->model())
        return {};
    return view->model()->index(current.row(), column).data().toString();
}

}  // namespace grid
