// File names, paths and whole-file operations.
#include "platform/rtl/Files.h"
#include "platform/rtl/Streams.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QDir>

TEST(Files, SplitsNamesAtTheLastDelimiter) {
    EXPECT_EQ(ChangeFileExt("/data/club.tvd", ".pwd"), "/data/club.pwd");
    EXPECT_EQ(ChangeFileExt("/data.d/club", ".pwd"), "/data.d/club.pwd");  // a dot in a folder is no extension
    EXPECT_EQ(ChangeFileExt("a.tar.gz", ""), "a.tar");
    EXPECT_EQ(ExtractFilePath("/data/club.tvd"), "/data/");
    EXPECT_EQ(ExtractFileDir("/data/club.tvd"), "/data");
    EXPECT_EQ(ExtractFileDir("/club.tvd"), "/");
    EXPECT_EQ(ExtractFileName("/data/club.tvd"), "club.tvd");
    EXPECT_EQ(ExtractFileExt("/data/club.tvd"), ".tvd");
    EXPECT_EQ(ExtractFileExt("club"), "");
    EXPECT_EQ(ExtractFilePath("club.tvd"), "");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/data"), "/data/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/data/"), "/data/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/data/"), "/data");
    EXPECT_EQ(ExpandFileName("/data/x/../club.tvd"), "/data/club.tvd");
}

TEST(Files, CopiesRenamesAndDeletes) {
    const QString dir = testing_env::TempDir();
    const QString a = dir + "/a.txt", b = dir + "/b.txt";
    TFileStream(a, fmCreate).WriteBuffer("12345", 5);
    EXPECT_TRUE(FileExists(a));
    EXPECT_FALSE(FileExists(dir));
    EXPECT_TRUE(DirectoryExists(dir));
    EXPECT_EQ(GetFileSize64(a), 5);
    EXPECT_EQ(GetFileSize64(b), -1);
    EXPECT_GT(FileAge(a), 0);

    EXPECT_TRUE(CopyFile(a, b, true));
    EXPECT_FALSE(CopyFile(a, b, true));
    TFileStream(a, fmCreate).WriteBuffer("1", 1);
    EXPECT_TRUE(CopyFile(a, b, false));
    EXPECT_EQ(GetFileSize64(b), 1);

    EXPECT_FALSE(RenameFile(a, b));  // the target exists
    EXPECT_TRUE(DeleteFile(b));
    EXPECT_TRUE(RenameFile(a, b));
    EXPECT_FALSE(DeleteFile(a));

    EXPECT_TRUE(ForceDirectories(dir + "/x/y/z"));
    EXPECT_TRUE(DirectoryExists(dir + "/x/y/z"));
}

TEST(Files, ReportsSizesBeyondFourGigabytes) {
    const QString name = testing_env::TempDir() + "/sparse.bin";
    TFileStream(name, fmCreate).SetSize(5'000'000'000LL);
    EXPECT_EQ(GetFileSize64(name), 5'000'000'000LL);
    EXPECT_EQ(TFileStream(name, fmOpenRead).Size(), 5'000'000'000LL);
}
