// The error an injected fault raises: the one SQLite gives for a failed disk write, a full disk or a read-only file.
#include "platform/sql/InjectedFault.h"

#include "platform/sql/EngineError.h"

#include <sqlite3.h>

namespace sql {

void RaiseInjectedFault() {
    switch (rtl::FaultInjection::Kind()) {
        case rtl::Fault::DiskFull: RaiseFileError(kDiskFull);
        case rtl::Fault::ReadOnly: RaiseFileError(kReadOnly);
        case rtl::Fault::DiskError: break;
    }
    RaiseFileError(QString::fromUtf8(sqlite3_errstr(SQLITE_IOERR)));
}

}  // namespace sql
