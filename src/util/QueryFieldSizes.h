// Widening a query's fields to the sizes its columns have in the database.
#pragma once

class TDataSet;

// For each field with a column of the same name whose size differs, Size and DisplayWidth become the
// column's size; used after opening a query whose text columns may be wider than in its design.
void AdjustQueryFieldSizes(TDataSet& query);
