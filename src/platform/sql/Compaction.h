// Compacting a database into a new file, which is also how its password is set, changed or removed.
#pragma once

#include <QString>

namespace sql {

class Connection;

// Copies the source (opened exclusively with its password) into a new destination file through
// sqlcipher_export: free pages go, every row, index and counter stays, and the copy is encrypted with the
// destination's password (plain when it is empty). Raises "Database already exists." when the destination
// is there, and the open errors of the source ("Not a valid password", ...).
void CompactDatabase(const QString& sourceConnectionString, const QString& destinationConnectionString);
// The same from a connection the caller holds (exclusively, so that nobody writes what the copy would miss).
void CompactInto(const Connection& source, const QString& destinationConnectionString);

}  // namespace sql
