// The password questions of opening a database and of administrator actions.
#pragma once

#include <QString>
#include <functional>

namespace data {

// Answers of connecting with a password (see TData::ConnectWithPassword).
enum ConnectResult : int { kConnected = 0, kWrongPassword = 1, kFileInUse = 2, kPromptCancelled = 3, kOtherError = 4 };

// Asks for the password of a protected database until connect accepts it: kConnected, kFileInUse, or
// kPromptCancelled. A wrong password says so and asks again; other errors were shown by connect.
int PromptDatabasePassword(const QString& fileName, const std::function<int(const QString&)>& connect);

// Asks for the database password before an administrator action; true once it is typed exactly.
bool AskAdministratorPassword(const QString& databasePassword);

}  // namespace data
