#include "support/TaskTable.h"

#include "controls/grid/Wwdbigrd.h"
#include "platform/db/ADOConnection.h"
#include "platform/db/ADODataSet.h"
#include "platform/db/DataSource.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Statement.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <map>
#include <memory>

TADOConnection& TaskTable(int rows) {
    static QTemporaryDir dir;
    static std::map<int, std::unique_ptr<TADOConnection>> connections;
    auto& slot = connections[rows];
    if (slot) return *slot;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("tasks%1.tvd").arg(rows));
    sql::Connection::CreateDatabase({path, {}});
    slot = std::make_unique<TADOConnection>();
    slot->ConnectionString = "Data Source=" + path;
    slot->LoginPrompt = false;
    slot->Open();
    slot->Execute(
        "CREATE TABLE Tasks (TaskId INTEGER NOT NULL PRIMARY KEY, Subject TEXT(50), PercentCompleted INTEGER, "
        "Notes MEMO)");
    sql::Connection& engine = slot->Engine();
    engine.BeginTransaction();
    const auto insert = engine.Prepare("INSERT INTO Tasks VALUES (:Id, :Subject, :Percent, 'a note')");
    for (int i = 0; i < rows; ++i) {
        insert->Reset();
        insert->Bind(0, i);
        insert->Bind(1, QStringLiteral("Task number %1").arg(i));
        insert->Bind(2, i % 101);
        insert->Step();
    }
    engine.CommitTransaction();
    return *slot;
}

void ShowTaskGrid(TwwCustomDBGrid& grid, TDataSource& source, TADOQuery& query, int rows) {
    grid.SetUseTFields(false);
    grid.Selected().SetStrings({"TaskId\t6\tId\tF", "Subject\t30\tSubject\tF", "PercentCompleted\t4\tDone\tF"});
    grid.resize(600, 600);
    grid.show();
    QApplication::processEvents();
    source.SetDataSet(&query);
    grid.SetDataSource(&source);
    query.SetConnection(&TaskTable(rows));
    query.SQL.SetText(QStringLiteral("select * from Tasks"));
    query.Open();
}
