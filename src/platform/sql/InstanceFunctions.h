// SQL functions that tell which program instance is at work: for tagging rows an instance owns for a while.
#pragma once

struct sqlite3;

namespace sql {

class LockFile;

// tavorin_instance() answers this instance's tag in the lock file; tavorin_present(tag) whether the
// instance with that tag still has the file open (LockFile::IsPresent). The place must outlive the handle.
void RegisterInstanceFunctions(sqlite3* handle, const LockFile* place);

}  // namespace sql
