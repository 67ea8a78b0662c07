#pragma once

#include <QString>

// Stock batches beside the quantities of their lines, for statements that
// read "from Stock s".
namespace batchlines {

// " left join (...) alias on ...": the quantity of the table's lines (those
// the condition picks, when one is given) of each batch of s, as
// alias.Quantity, null where the batch has none. A line counts for the
// batches with its item code, item name and batch number, compared without
// regard to case as the columns compare them. The lines are summed once per
// three texts and then joined: looked up batch by batch, lines that share
// one item code (the simple bill screen's share an empty one) would be read
// again for every batch.
QString joined(const char* table, const char* alias, const QString& condition = QString());

}  // namespace batchlines
