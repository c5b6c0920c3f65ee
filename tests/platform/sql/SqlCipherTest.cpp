// The sqlite3 API in this process is SQLCipher's: a plain SQLite would not answer cipher_version.
#include <gtest/gtest.h>
#include <sqlite3.h>

TEST(SqlCipher, ProcessRunsSqlCipher) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
    sqlite3_stmt* stmt = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "PRAGMA cipher_version", -1, &stmt, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(stmt), SQLITE_ROW);
    const auto* version = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
    ASSERT_NE(version, nullptr);
    EXPECT_STRNE(version, "");
    sqlite3_finalize(stmt);
    sqlite3_close(db);
}
