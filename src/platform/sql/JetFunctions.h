// The Jet functions the program's SQL uses, registered as SQL functions of a connection.
#pragma once

struct sqlite3;

namespace sql {

// Date(), Now() (from the program's clock), Year(), Month(), Day(), Hour(), Minute(), Fix(), UCase().
void RegisterJetFunctions(sqlite3* db);

}  // namespace sql
