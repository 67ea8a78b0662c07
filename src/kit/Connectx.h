#pragma once

#include <QtGlobal>

class Connection;

// Opens the connection; a failure is shown to the operator with its
// description and how to set the data source up, and the connection stays
// closed (the screen carries on).
void connectx(Connection& connection);

namespace Connectionx {

// Opens (or reopens) the shared connection (data/Connectionx.h) as connectx does.
qint16 OpenSharedConnection();

}  // namespace Connectionx
