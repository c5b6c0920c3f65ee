// The source of new booking ids: checking it against the ids in use and reseeding it past them.
#pragma once

#include <QString>

namespace sql {
class Connection;
}

namespace data {

// Draws one number from the counter (the number is used up) into nextId and finds the highest id in use
// (at least 1000) among booking, group and history ids; true when the counter is past it.
bool CheckNextBookingId(sql::Connection& connection, int& nextId, int& highestId);
// Makes the counter give firstValue next.
void ReseedNextBookingId(sql::Connection& connection, int firstValue);
// Checks the file's counter on a connection of its own and reseeds it past the highest id when needed.
// Connection errors reach the caller.
void RepairNextBookingId(const QString& fileName, const QString& password);

}  // namespace data
