// A real database file with a Tasks table of the given number of rows (id, "Task number <id>", a percentage,
// a note), made once per row count and kept for the benchmark program's run.
#pragma once

class TADOConnection;
class TADOQuery;
class TDataSource;
class TwwCustomDBGrid;

TADOConnection& TaskTable(int rows);

// Shows the grid (600 x 600, three columns: id, subject, done) bound through the source to the query, opened
// over every row of the task table of that many rows.
void ShowTaskGrid(TwwCustomDBGrid& grid, TDataSource& source, TADOQuery& query, int rows);
