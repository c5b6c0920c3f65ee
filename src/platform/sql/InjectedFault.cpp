// The error an injected fault raises: the one SQLite gives for a failed disk write.
#include "platform/sql/InjectedFault.h"

#include "platform/sql/EngineError.h"

#include <sqlite3.h>

namespace sql {

void RaiseInjectedFault() { RaiseEngineError(QString::fromUtf8(sqlite3_errstr(SQLITE_IOERR))); }

}  // namespace sql
