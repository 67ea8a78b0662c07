#pragma once

class Connection;

// Opens the connection; a failure is shown to the operator with its
// description and how to set the data source up, and the connection stays
// closed (the screen carries on).
void connectx(Connection& connection);
