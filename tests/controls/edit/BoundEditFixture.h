// A real database file with one small table of tasks, a query over it and a form with its data source,
// for the field-bound edits, combo boxes and spin edits.
#pragma once

#include "platform/db/ADOConnection.h"
#include "platform/db/ADODataSet.h"
#include "platform/db/DataSource.h"
#include "platform/db/Field.h"
#include "platform/sql/Connection.h"
#include "platform/ui/Application.h"
#include "platform/ui/Edits.h"
#include "platform/ui/Form.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QTest>

namespace controls_test {

class BoundEditTest : public ::testing::Test {
protected:
    TADOConnection connection;
    TADOQuery query;
    TDataSource source;
    TForm form;
    // Somewhere for the focus to go.
    TEdit* other = new TEdit(&form);

    BoundEditTest() {
        const QString path = QDir(testing_env::TempDir()).filePath(QStringLiteral("edits.tvd"));
        sql::Connection::CreateDatabase({path, {}});
        connection.ConnectionString =
            QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1;Persist Security Info=False").arg(path);
        connection.LoginPrompt = false;
        connection.Open();
        connection.Execute(
            "CREATE TABLE Tasks (TaskId AUTOINCREMENT CONSTRAINT PrimaryKey PRIMARY KEY, Subject TEXT(30), "
            "Status INTEGER, PercentCompleted INTEGER, Ratio FLOAT, DueDate DATETIME, Notes MEMO)");
        connection.Execute(
            "INSERT INTO Tasks (Subject, Status, PercentCompleted, Ratio, DueDate) "
            "VALUES (\"Paint the hall\", 2, 90, 1.5, #2/20/2026#)");
        query.SetConnection(&connection);
        query.SQL.SetText(QStringLiteral("SELECT * FROM Tasks"));
        query.Open();
        source.SetDataSet(&query);
        other->SetBounds(10, 200, 100, 21);
    }

    void ShowForm() {
        form.SetBounds(100, 100, 400, 300);
        form.Show();
        form.activateWindow();
        QApplication::processEvents();
    }

    // The value stored in the file, read afresh.
    QVariant Stored(const QString& column) {
        TADOQuery fresh;
        fresh.SetConnection(&connection);
        fresh.SQL.SetText(QStringLiteral("SELECT %1 FROM Tasks").arg(column));
        fresh.Open();
        return fresh.Fields()[0]->Value();
    }

    static void Type(QWidget* widget, const QString& text) { QTest::keyClicks(widget, text); }
    static void Key(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(widget, key, modifiers);
    }
};

}  // namespace controls_test
