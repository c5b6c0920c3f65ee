// A real database file with a Tasks table of the given number of rows (id, "Task number <id>", a percentage,
// a note), made once per row count and kept for the benchmark program's run.
#pragma once

class TADOConnection;

TADOConnection& TaskTable(int rows);
