#include "MrpCommand.h"

#include "data/Connection.h"
#include "data/RecordSet.h"
#include "data/SqlText.h"
#include "kit/Failure.h"
#include "kit/NumericText.h"

#include <QMap>
#include <QTextStream>

namespace {

// --code, --item, --batch and --price, each with its value.
QMap<QString, QString> options(const QStringList& arguments)
{
    static const QStringList known{"--code", "--item", "--batch", "--price"};
    QMap<QString, QString> given;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& word = arguments.at(i);
        if (!known.contains(word))
            throw Failure(QStringLiteral("unknown argument '%1' for mrp (see billdb --help)").arg(word));
        if (i + 1 >= arguments.size())
            throw Failure(word + QStringLiteral(" needs a value"));
        given.insert(word, arguments.at(++i));
    }
    return given;
}

double price(const QMap<QString, QString>& given)
{
    if (!given.contains(QLatin1String("--price")))
        throw Failure(QStringLiteral("mrp needs --price"));
    const QString text = given.value(QStringLiteral("--price"));
    if (!numeric::isNumeric(text))
        throw Failure(QStringLiteral("the price '%1' is not a number").arg(text));
    const double value = numeric::toDouble(text);
    if (value < 0)
        throw Failure(QStringLiteral("the price %1 is below zero").arg(text));
    return value;
}

// The batches named, as a condition, and in words for the messages.
struct Selection {
    QString condition;
    QString words;
};

Selection selection(const QMap<QString, QString>& given)
{
    if (!given.contains(QLatin1String("--code")) && !given.contains(QLatin1String("--item")))
        throw Failure(QStringLiteral("mrp needs --code CODE or --item NAME"));
    const QVector<QPair<QString, QString>> columns{{QStringLiteral("--code"), QStringLiteral("ItemCode")},
                                                   {QStringLiteral("--item"), QStringLiteral("Item")},
                                                   {QStringLiteral("--batch"), QStringLiteral("Batch_Number")}};
    QStringList conditions;
    QStringList words;
    for (const auto& [option, column] : columns) {
        if (!given.contains(option))
            continue;
        conditions << column + QStringLiteral(" = ") + sql::text(given.value(option));
        words << QStringLiteral("%1 '%2'").arg(option.mid(2), given.value(option));
    }
    return {conditions.join(QStringLiteral(" and ")), words.join(QStringLiteral(", "))};
}

}  // namespace

int setMrp(const QStringList& arguments, QTextStream& out)
{
    const QMap<QString, QString> given = options(arguments);
    const double mrp = price(given);
    const Selection batches = selection(given);

    Connection connection;
    connection.open();
    Transaction transaction(connection);
    RecordSet statement;
    statement.open(QStringLiteral("Select count(*) from Stock where ") + batches.condition, connection);
    const int count = statement.field(0).toInt();
    if (count == 0)
        throw Failure(QStringLiteral("no stock batch has %1; nothing was changed").arg(batches.words));
    statement.open(QStringLiteral("Update Stock set MRP = ") + sql::number(mrp) + QStringLiteral(" where ")
                       + batches.condition,
                   connection);
    transaction.commit();
    out << "Set the MRP of " << count << (count == 1 ? " batch" : " batches") << " (" << batches.words << ") to "
        << numeric::numberText(mrp) << "\n";
    return 0;
}
