#include "print/PrintJob.h"

#include "core/Dates.h"
#include "core/NumericText.h"
#include "print/TextColumns.h"
#include "print/WaitCursor.h"

#include <QDate>
#include <QDateTime>
#include <QScopeGuard>
#include <algorithm>
#include <optional>

namespace print {

namespace {

// A control character (a TAB in an imported name) would move the pen its own
// way, to a tab stop or a new line, while the line counts it as one column:
// it prints as a blank.
QString withBlanksForControls(QString text)
{
    for (QChar& character : text)
        if (character.category() == QChar::Other_Control)
            character = QLatin1Char(' ');
    return text;
}

}  // namespace

struct PrintJob::State {
    std::function<std::unique_ptr<PageDevice>()> openDevice;
    std::unique_ptr<PageDevice> device;
    // Kept so that every later output fails the same way: callers skip the
    // failing statement and go on, and report the last failure once.
    std::optional<QString> openFailure;
    bool ended = false;
    // From the device's opening to the job's end: a year's register takes seconds.
    std::optional<WaitCursor> busy;

    PrintedLine line;
    int lineLength = 0;  // columns the current line takes; the next free column is one more
    // Every ended line of the job: the device lays out no page before it
    // knows how wide the widest of them is.
    QVector<PrintedLine> lines;
    int widest = 0;  // columns of the widest line, blanks at its end not counted

    PageDevice& ready();
    void place(int column, const QString& text);
    void closeLine();
    bool linePending() const { return lineLength > 0 || !line.isEmpty(); }
};

PageDevice& PrintJob::State::ready()
{
    if (ended)
        throw PrintError(QStringLiteral("The print job has already ended."));
    if (openFailure)
        throw PrintError(*openFailure);
    if (!device) {
        try {
            device = openDevice();
        } catch (const Failure& failure) {
            openFailure = failure.description();
            throw PrintError(*openFailure);
        }
        if (!device) {
            openFailure = QStringLiteral("No printer is available.");
            throw PrintError(*openFailure);
        }
        busy.emplace();
    }
    return *device;
}

void PrintJob::State::place(int column, const QString& given)
{
    column = std::max(column, 1);
    ready();
    if (lineLength + 1 > column)
        closeLine();
    const QString text = withBlanksForControls(given);
    // Nothing visible to keep for an empty item, but the position still moves.
    if (!text.isEmpty())
        line.append(PlacedText{column, text});
    lineLength = column - 1 + textColumns(text);
}

void PrintJob::State::closeLine()
{
    widest = std::max(widest, textColumns(lineText(line)));
    lines.append(std::move(line));
    line.clear();
    lineLength = 0;
}

PrintJob::PrintJob(std::function<std::unique_ptr<PageDevice>()> openDevice)
    : m_state(std::make_unique<State>())
{
    m_state->openDevice = std::move(openDevice);
}

// Not ended: the device goes without finish(), so nothing is printed.
PrintJob::~PrintJob() = default;

PrintJob::PrintJob(PrintJob&&) noexcept = default;

void PrintJob::text(int column, const QString& text)
{
    m_state->place(column, text);
}

void PrintJob::number(int column, double value)
{
    const QString digits = numeric::numberText(value);
    // The leading blank is where a minus sign goes, so negative numbers take
    // it (not one written as 0).
    m_state->place(column, (digits.startsWith(QLatin1Char('-')) ? digits : QLatin1Char(' ') + digits) + QLatin1Char(' '));
}

void PrintJob::value(int column, const QVariant& value)
{
    if (printsAsNumber(value)) {
        number(column, value.toDouble());
        return;
    }
    switch (value.typeId()) {
    case QMetaType::QDate:
        text(column, dates::shown(value.toDate()));
        return;
    case QMetaType::QDateTime: {
        // Some drivers hand date columns over as a date and time at midnight.
        const QDateTime moment = value.toDateTime();
        QString shown = dates::shown(moment.date());
        if (moment.time() != QTime(0, 0))
            shown += QLatin1Char(' ') + moment.time().toString(QStringLiteral("HH:mm:ss"));
        text(column, shown);
        return;
    }
    default:
        // A Null prints nothing, but the position still moves to the column.
        text(column, value.isNull() ? QString() : value.toString());
    }
}

void PrintJob::endLine()
{
    m_state->ready();
    m_state->closeLine();
}

int PrintJob::rollColumns()
{
    return m_state->ready().rollColumns();
}

void PrintJob::line(int column, const QString& text)
{
    this->text(column, text);
    endLine();
}

// A job that printed nothing hands over no page; finish() is still called.
void PrintJob::end()
{
    State& state = *m_state;
    PageDevice& device = state.ready();
    state.ended = true;  // whatever fails below, the job is over
    const auto idle = qScopeGuard([&state] { state.busy.reset(); });
    if (state.linePending())
        state.closeLine();
    const QVector<PrintedLine> lines = std::move(state.lines);
    state.lines.clear();
    device.fitColumns(state.widest);
    const int perPage = std::max(device.linesPerPage(), 1);
    // The blank lines a document ends with (a register's gap after its last
    // bill) fill the last sheet with text; a sheet of nothing but them is not
    // fed. On a roll they are the paper fed to tear it off.
    const auto lastWithText = std::find_if(lines.crbegin(), lines.crend(), [](const PrintedLine& line) {
        return !lineText(line).trimmed().isEmpty();
    });
    const qsizetype withText = lines.crend() - lastWithText;
    const qsizetype printed = withText == 0 || device.rollColumns() > 0
                                  ? lines.size()
                                  : std::min(lines.size(), (withText + perPage - 1) / perPage * perPage);
    for (qsizetype first = 0; first < printed; first += perPage)
        device.addPage(lines.mid(first, perPage));
    device.finish();
}

bool printsAsNumber(const QVariant& value)
{
    if (value.isNull())
        return false;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Float:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

}  // namespace print
