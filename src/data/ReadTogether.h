#pragma once

#include "data/Connection.h"

// Reads that must agree with each other (a document's lines and its total,
// a register and its sum) see the database at one moment, whatever another
// till commits between them: one transaction, of repeatable reads on a
// server, where each statement of a plain one sees what was committed
// before it. Nothing is written in it; it ends with the object.
class ReadTogether {
public:
    explicit ReadTogether(Connection& connection);

private:
    Transaction m_transaction;
};
