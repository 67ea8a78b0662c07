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
        const std::optional<int> number = numeric::plainWholeNumber(text);
        m_isWholeNumber = number.has_value();
        m_number = number.value_or(0);
    }

    bool isShownBy(const QVariant& value) const
    {
        if (value.isNull())
            return m_text.isEmpty();
        switch (value.typeId()) {
        case QMetaType::QString:
            return *static_cast<const QString*>(value.constData()) == m_text;
        case QMetaType::Int:
            if (m_isWholeNumber)
                return *static_cast<const int*>(value.constData()) == m_number;
            return shown::text(value) == m_text;  // beyond the plain numbers of 9 digits
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
    m_readStopped = false;
    m_headers = std::move(headers);
    m_rows = std::move(rows);
    endResetModel();
}

void GridModel::setFirstPage(PagedRows rows)
{
    beginResetModel();
    releaseSource();
    m_readStopped = false;
    m_headers = std::move(rows.headers);
    m_rows = std::move(rows.firstRows);
    m_keepAlive = std::move(rows.keepAlive);
    m_keyColumn = rows.keyColumn;
    m_rowOfKey = std::move(rows.rowOfKey);
    m_stretch = std::move(rows.stretch);
    m_byStretches = bool(m_stretch);
    m_whole = std::move(rows.whole);
    endResetModel();
}

void GridModel::show(PagedRows rows)
{
    if (!rows.whole && !rows.stretch)
        setRows(std::move(rows.headers), std::move(rows.firstRows));
    else
        setFirstPage(std::move(rows));
}

// The result shown goes before the new one is read, on the connection they
// share. Nothing paints in between, so the rows may stay until replaced.
void GridModel::refill(const std::function<PagedRows()>& read)
{
    releaseSource();
    PagedRows rows;
    try {
        rows = read();
    } catch (...) {
        clear();
        throw;
    }
    show(std::move(rows));
}

void GridModel::clear()
{
    setRows({}, {});
}

void GridModel::clearRows()
{
    setRows(m_headers, {});
}

// The result goes before what keeps it readable: a statement outliving its
// connection would be left dangling.
void GridModel::releaseSource()
{
    m_source.reset();
    m_whole = {};
    m_rowOfKey = {};
    m_stretch = {};
    m_keepAlive.reset();
    m_keyColumn = -1;
    m_byStretches = false;
    m_stretchesEnded = false;
    m_unread = 0;
}

void GridModel::releaseWhenAllRead()
{
    if (m_byStretches ? m_stretchesEnded && m_unread == 0 : m_source && m_source->atEnd())
        releaseSource();
}

bool GridModel::hasMore() const
{
    if (m_byStretches)
        return !m_stretchesEnded;
    return m_whole || (m_source && !m_source->atEnd());
}

bool GridModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && hasMore();
}

// Each fetch reads as many rows as are there already: a caller going through
// every row (a search for a row) reads a large result in a few steps. Read
// by stretches, the view scrolling on reads a page at a time. The view
// scrolling cannot take a failure: it is told, and the rows shown stay.
void GridModel::fetchMore(const QModelIndex& parent)
{
    if (!canFetchMore(parent))
        return;
    try {
        append(m_byStretches ? BatchSize : std::max(BatchSize, int(m_rows.size())));
    } catch (const Failure& failure) {
        releaseSource();  // or every paint at the bottom would try, and tell, again
        m_readStopped = true;
        Messages::instance().showError(failure.description());
    }
}

// Whether the rows here are the first ones of the result, as the grid shows
// them (rows not read yet aside).
bool GridModel::showsTheStartOf(const Rows& result) const
{
    if (result.size() < m_rows.size())
        return false;
    for (int row = 0; row < m_rows.size(); ++row)
        for (int column = 0; !isUnread(row) && column < m_headers.size(); ++column)
            if (shown::text(result.at(row).value(column)) != shown::text(m_rows.at(row).at(column)))
                return false;
    return true;
}

// The whole result takes over from the first page. Its first rows are
// compared with the shown ones as the grid shows them: when the table has
// changed since, the grid shows the whole result as it now is.
void GridModel::takeWholeResult()
{
    // Failing (a busy database), the whole result is still to read: the next
    // read tries again. Given up, every later read and save of the grid
    // stopped at its first page, and said nothing.
    std::shared_ptr<QueryRows> rows = m_whole();
    m_whole = {};
    QVector<QVector<QVariant>> again = rows->fetch(int(m_rows.size()));
    const bool same = showsTheStartOf(again);
    m_source = std::move(rows);
    if (!same) {
        beginResetModel();
        m_rows = std::move(again);
        endResetModel();
    }
}

void GridModel::append(int count)
{
    Rows more;
    if (m_byStretches) {
        more = m_stretch(int(m_rows.size()), count);
        m_stretchesEnded = count < 0 || more.size() < count;
    } else {
        if (m_whole)
            takeWholeResult();
        if (!m_source)
            return;
        more = m_source->fetch(count);
    }
    if (!more.isEmpty()) {
        beginInsertRows({}, int(m_rows.size()), int(m_rows.size() + more.size()) - 1);
        m_rows << more;
        endInsertRows();
    }
    releaseWhenAllRead();
}

static int pageOf(int row)
{
    return row - row % GridModel::BatchSize;
}

// The rows between those read and the row's page stay unread until wanted.
bool GridModel::readFarRow(int row)
{
    const int page = pageOf(row);
    Rows rows = m_stretch(page, BatchSize);
    if (rows.size() <= row - page)
        return false;  // the result ends before the row: it is read on from the rows here
    const int before = int(m_rows.size());
    m_stretchesEnded = rows.size() < BatchSize;
    beginInsertRows({}, before, page + int(rows.size()) - 1);
    m_rows.resize(page);
    m_rows << rows;
    endInsertRows();
    m_unread += page - before;
    return true;
}

// The rows read for the row's page go in place of its unread ones. A row not
// among them (gone since, or not readable) shows empty until the grid is
// filled again.
void GridModel::placePage(int row, const Rows& rows)
{
    const int page = pageOf(row);
    const int end = std::min(page + BatchSize, int(m_rows.size()));
    for (int at = page; at < end; ++at) {
        if (!isUnread(at))
            continue;
        m_rows[at] = at - page < rows.size() ? rows.at(at - page) : QVector<QVariant>(m_headers.size());
        --m_unread;
    }
    releaseWhenAllRead();
}

void GridModel::readPageOf(int row)
{
    placePage(row, m_stretch(pageOf(row), BatchSize));
}

void GridModel::readPageOrTell(int row)
{
    try {
        readPageOf(row);
    } catch (const Failure& failure) {
        placePage(row, {});
        m_readStopped = true;
        const QString told = failure.description();
        QMetaObject::invokeMethod(this, [told] { Messages::instance().showError(told); }, Qt::QueuedConnection);
    }
}

bool GridModel::ensureRow(int row)
{
    if (row < 0)
        return false;
    if (row < m_rows.size()) {
        if (isUnread(row))
            readPageOf(row);
        return true;
    }
    if (m_byStretches && hasMore() && row >= m_rows.size() + BatchSize && readFarRow(row))
        return true;
    while (row >= m_rows.size() && hasMore())
        append(std::max(BatchSize, int(m_rows.size())));
    return row < m_rows.size();
}

void GridModel::readWholeResultAtOnce()
{
    if (!m_byStretches)
        return;
    Rows all = m_stretch(0, -1);
    const int read = int(m_rows.size());
    if (showsTheStartOf(all) && (!m_stretchesEnded || all.size() == read)) {
        for (int row = 0; row < read; ++row)
            if (isUnread(row))
                m_rows[row] = all.at(row);
        if (read > 0)
            emit dataChanged(index(0, 0), index(read - 1, int(m_headers.size()) - 1));
        if (all.size() > read) {
            beginInsertRows({}, read, int(all.size()) - 1);
            m_rows << all.mid(read);
            endInsertRows();
        }
    } else {
        beginResetModel();
        m_rows = std::move(all);
        endResetModel();
    }
    m_unread = 0;
    m_stretchesEnded = true;
    m_readStopped = false;
    releaseWhenAllRead();
}

void GridModel::fetchAll()
{
    if (hasMore())
        append(-1);
    for (int row = 0; m_unread > 0 && row < m_rows.size(); ++row)
        if (isUnread(row))
            readPageOf(row);
}

int GridModel::findRow(int column, const QString& text, int from)
{
    const ShownText shown(text);
    if (from == 0 && column == m_keyColumn && m_rowOfKey) {
        if (const int read = findReadRow(column, text); read >= 0)
            return read;  // mostly the newest, on the first page
        const int row = m_rowOfKey(text);
        if (row < 0)
            return -1;
        if (ensureRow(row) && shown.isShownBy(m_rows.at(row).value(column)))
            return row;
        // Not where the database counted it: the table changed since the
        // grid was filled. The rows tell where it is now.
    }
    for (int row = std::max(from, 0); ensureRow(row); ++row)
        if (shown.isShownBy(m_rows.at(row).value(column)))
            return row;
    return -1;
}

int GridModel::findReadRow(int column, const QString& text, int from) const
{
    const ShownText shown(text);
    for (int row = std::max(from, 0); row < m_rows.size(); ++row)
        if (!isUnread(row) && shown.isShownBy(m_rows.at(row).value(column)))
            return row;
    return -1;
}

// Rows not read yet are read as they are wanted, also from the const
// accessors the view calls while painting.
QVariant GridModel::value(int row, int column) const
{
    if (row < 0 || row >= m_rows.size())
        return {};
    if (isUnread(row))
        const_cast<GridModel*>(this)->readPageOrTell(row);
    return m_rows.at(row).value(column);
}

// The whole row is told changed: how a row looks may follow any of its cells.
void GridModel::setValue(int row, int column, const QVariant& value)
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_headers.size())
        return;
    if (isUnread(row))
        readPageOrTell(row);
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
        return shown::text(value(index.row(), index.column()));
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
    modelOf(view)->show(std::move(rows));
    selectFirstRow(view);
}

void refill(QTableView* view, const std::function<PagedRows()>& read)
{
    modelOf(view)->refill(read);
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

void emptyRows(QTableView* view)
{
    modelOf(view)->clearRows();
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
