// Small helpers that run one Jet statement with named parameters on a connection.
#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

class TADOConnection;
class TADOQuery;

namespace data {

// Values for the :Name parameters of a statement.
using SqlParams = QList<QPair<QString, QVariant>>;

// Sets the parameters of a query whose SQL is already given.
void SetParams(TADOQuery& query, const SqlParams& params);
// The number of rows the select returns.
int CountRows(TADOConnection& connection, const QString& select, const SqlParams& params = {});
// Runs a statement without result; answers the rows it changed.
int ExecuteWith(TADOConnection& connection, const QString& statement, const SqlParams& params = {});

// Opens a query with these parameter values for the scope's lifetime; then a query that was closed is closed
// again, and one that a window had open is reopened as it was.
class OpenedQuery {
public:
    OpenedQuery(TADOQuery& query, const SqlParams& params = {});
    ~OpenedQuery();
    OpenedQuery(const OpenedQuery&) = delete;
    OpenedQuery& operator=(const OpenedQuery&) = delete;
    TADOQuery* operator->() const { return &query_; }
    TADOQuery& operator*() const { return query_; }

private:
    TADOQuery& query_;
    bool wasActive_;
    SqlParams previous_;
};

}  // namespace data
