// The administration windows' "Admin Login": the database password typed turns administrator mode on.
#pragma once

class TData;

namespace admin {

// Already administrator: says so. Otherwise asks for the database password; the exact password (letter case
// counts) turns the data module's administrator mode on until the database is closed, another gives
// "Incorrect password", Cancel does nothing. True when administrator mode was turned on now.
bool LoginAsAdministrator(TData& data);

}  // namespace admin
