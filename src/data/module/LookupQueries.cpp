// Running parameterised selects and statements for the lookup module.
#include "data/module/LookupQueries.h"

#include "platform/db/ADODataSet.h"
#include "platform/rtl/Exceptions.h"

namespace data {

void SetParams(TADOQuery& query, const SqlParams& params) {
    for (const auto& [name, value] : params) query.Parameters.ParamByName(name).SetValue(value);
}

int CountRows(TADOConnection& connection, const QString& select, const SqlParams& params) {
    TADOQuery query;
    query.SetConnection(&connection);
    query.LockType = ltReadOnly;
    query.SQL.SetText(select);
    OpenedQuery opened(query, params);
    return query.RecordCount();
}

int ExecuteWith(TADOConnection& connection, const QString& statement, const SqlParams& params) {
    TADOCommand command;
    command.Connection = &connection;
    command.SetCommandText(statement);
    for (const auto& [name, value] : params) command.Parameters.ParamByName(name).SetValue(value);
    return command.Execute();
}

OpenedQuery::OpenedQuery(TADOQuery& query, const SqlParams& params) : query_(query), wasActive_(query.Active()) {
    for (const auto& param : params)
        previous_ << qMakePair(param.first, query_.Parameters.ParamByName(param.first).Value());
    query_.Close();
    SetParams(query_, params);
    query_.Open();
}

OpenedQuery::~OpenedQuery() {
    query_.Close();
    SetParams(query_, previous_);
    if (!wasActive_) return;
    try {
        query_.Open();
    } catch (const Exception&) {
        // The answer stands; the window whose query could not be read again shows it closed.
    }
}

}  // namespace data
