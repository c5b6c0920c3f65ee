// A real database file with a Tasks table, a query over it and a grid shown on the offscreen screen.
#pragma once

#include "controls/grid/Wwdbgrid.h"
#include "controls/grid/Wwdbigrd.h"
#include "platform/db/ADOConnection.h"
#include "platform/db/ADODataSet.h"
#include "platform/db/DataSource.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Statement.h"
#include "platform/ui/Canvas.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTest>
#include <memory>

namespace grid_test {

// A colour as the painted image holds it.
inline QRgb Rgb(TColor color) { return ui::ToQColor(color).rgb(); }

// The grid with its protected operations reachable for the tests.
class TestGrid : public TwwCustomDBGrid {
public:
    using TwwCustomDBGrid::ApplyProportionalWidths;
    using TwwCustomDBGrid::TwwCustomDBGrid;
    int Rebuilds = 0;
    // As the user's drag of a column's right border leaves it.
    void UserResized(int col, int newWidth) {
        resizedCol_ = col;
        resizedColWidth_ = ColWidths(col);
        SetColWidths(col, newWidth);
        ApplyProportionalWidths();
        resizedCol_ = -1;
    }
    void RebuildLayout() override {
        ++Rebuilds;
        TwwCustomDBGrid::RebuildLayout();
    }
};

// The published grid with the cell texts it paints reachable.
class ExposedGrid : public TwwDBGrid {
public:
    using TwwDBGrid::GetCellText;
    using TwwDBGrid::TwwDBGrid;
};

// A query that cannot say where a record stands among all of them.
class UnsequencedQuery : public TADOQuery {
public:
    bool IsSequenced() const override { return false; }
};

// Pixel width of a text in a font, measured as the grid measures it.
inline int TextWidthIn(const TFont& font, const QString& text) {
    QImage image(1, 1, QImage::Format_RGB32);
    TCanvas canvas(&image);
    canvas.Font().Assign(font);
    return canvas.TextWidth(text);
}

class GridTest : public ::testing::Test {
protected:
    TADOConnection connection;
    TDataSource source;
    std::unique_ptr<TestGrid> grid;

    void SetUp() override {
        const QString path = QDir(testing_env::TempDir()).filePath(QStringLiteral("grid.tvd"));
        sql::Connection::CreateDatabase({path, {}});
        connection.ConnectionString = QStringLiteral("Data Source=") + path;
        connection.LoginPrompt = false;
        connection.Open();
        connection.Execute(
            "CREATE TABLE Tasks (TaskId AUTOINCREMENT CONSTRAINT PrimaryKey PRIMARY KEY, Subject TEXT(50), "
            "PercentCompleted INTEGER, Notes MEMO)");
        grid = std::make_unique<TestGrid>(nullptr);
        grid->SetUseTFields(false);
        grid->resize(400, 300);
        grid->show();
        QApplication::processEvents();
    }

    void AddTasks(int count) {
        sql::Connection& engine = connection.Engine();
        engine.BeginTransaction();
        const auto insert = engine.Prepare("INSERT INTO Tasks (Subject, PercentCompleted) VALUES (:S, :P)");
        for (int i = 1; i <= count; ++i) {
            insert->Reset();
            insert->Bind(0, QStringLiteral("Task %1").arg(i));
            insert->Bind(1, i % 101);
            insert->Step();
        }
        engine.CommitTransaction();
    }

    // Binds the query over Tasks in id order to the grid.
    void Open(TADOQuery& query) {
        query.SetConnection(&connection);
        query.SQL.SetText(QStringLiteral("select * from Tasks order by TaskId"));
        source.SetDataSet(&query);
        grid->SetDataSource(&source);
        query.Open();
    }

    // Opens the query on the test's database for a grid on a window, shows the window and focuses the grid.
    void OpenShown(TADOQuery& query, const char* sql, TwwCustomDBGrid& target, QWidget& window) {
        query.SetConnection(&connection);
        query.SQL.SetText(QString::fromLatin1(sql));
        source.SetDataSet(&query);
        target.SetDataSource(&source);
        query.Open();
        window.show();
        window.activateWindow();
        target.setFocus();
        QApplication::processEvents();
    }

    // Keys and text typed into whatever holds the focus, each followed by what it sets going.
    static void KeyFocused(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        QApplication::processEvents();
    }
    static void TypeFocused(const QString& text) {
        for (const QChar c : text) {
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
            QApplication::processEvents();
        }
    }

    void Resize(int width, int height) {
        grid->resize(width, height);
        QApplication::processEvents();
    }

    int Zero() const { return TextWidthIn(grid->Font(), QStringLiteral("0")); }
};

}  // namespace grid_test
