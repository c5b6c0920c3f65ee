// Memory and file streams, and share modes between opens of one file.
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

TEST(MemoryStream, ReadsWritesAndSeeks) {
    TMemoryStream stream;
    stream.WriteBuffer("hello world", 11);
    EXPECT_EQ(stream.Size(), 11);
    stream.Seek(-5, soEnd);
    char buffer[5];
    stream.ReadBuffer(buffer, 5);
    EXPECT_EQ(QByteArray(buffer, 5), "world");
    EXPECT_EQ(stream.Read(buffer, 5), 0);
    EXPECT_THROW(stream.ReadBuffer(buffer, 1), EReadError);
    stream.SetPosition(0);
    stream.WriteBuffer("J", 1);
    EXPECT_EQ(stream.Memory(), "Jello world");
    stream.SetSize(5);
    EXPECT_EQ(stream.Position(), 1);

    TMemoryStream copy;
    EXPECT_EQ(copy.CopyFrom(stream, 0), 5);
    EXPECT_EQ(copy.Memory(), "Jello");
}

TEST(FileStream, CreatesOpensAndReportsFailures) {
    const QString name = testing_env::TempDir() + "/data.bin";
    {
        TFileStream out(name, fmCreate);
        out.WriteBuffer("abcdef", 6);
    }
    {
        TFileStream in(name, fmOpenRead | fmShareDenyNone);
        EXPECT_EQ(in.Size(), 6);
        char buffer[3];
        in.Seek(2, soBeginning);
        in.ReadBuffer(buffer, 3);
        EXPECT_EQ(QByteArray(buffer, 3), "cde");
        EXPECT_THROW(in.WriteBuffer("x", 1), EWriteError);
    }
    const QString missing = testing_env::TempDir() + "/none/x.bin";
    try {
        TFileStream in(missing, fmOpenRead);
        ADD_FAILURE();
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file \"" + missing + "\". No such file or directory");
    }
    EXPECT_THROW(TFileStream(missing, fmCreate), EFCreateError);
}

TEST(FileStream, ShareModesHoldBetweenOpens) {
    const QString name = testing_env::TempDir() + "/shared.bin";
    TFileStream(name, fmCreate).WriteBuffer("1234", 4);
    struct Case {
        unsigned first, second;
        bool allowed;
    };
    const Case cases[] = {
        {fmOpenRead | fmShareDenyNone, fmOpenReadWrite | fmShareDenyNone, true},
        {fmOpenRead | fmShareDenyWrite, fmOpenRead | fmShareDenyWrite, true},
        {fmOpenRead | fmShareDenyWrite, fmOpenWrite | fmShareDenyNone, false},
        {fmOpenReadWrite | fmShareDenyNone, fmOpenRead | fmShareDenyWrite, false},
        {fmOpenRead | fmShareExclusive, fmOpenRead | fmShareDenyNone, false},
        {fmOpenRead | fmShareDenyNone, fmOpenRead | fmShareExclusive, false},
        {fmOpenRead | fmShareDenyNone, fmCreate, false},
    };
    for (const Case& c : cases) {
        TFileStream first(name, c.first);
        bool allowed = true;
        try {
            TFileStream second(name, c.second);
        } catch (const EStreamError&) {
            allowed = false;
        }
        EXPECT_EQ(allowed, c.allowed) << std::hex << c.first << " then " << c.second;
    }
    // A refused create leaves the file as it was.
    EXPECT_EQ(TFileStream(name, fmOpenRead).Size(), 4);
}
