// The page cache: record slots by size, saving, restoring and truncating pages, and the move to temporary files
// when memory fails.
#include "EngineTestClasses.h"
#include "platform/rtl/FaultInjection.h"
#include "reportengine/core/LoadingScope.h"
#include "reportengine/core/ppCache.h"
#include "reportengine/core/ppTypes.h"
#include "support/ScopedEnvironment.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

#include <atomic>
#include <cstring>
#include <thread>

using reportengine::EnginePtr;

namespace {

// A cacheable whose state is one number, kept in the first bytes of its record.
class TestCacheable : public TppCacheable {
    REPORTENGINE_CLASS(TestCacheable)
public:
    TestCacheable(reportengine::EngineComponent* owner, int recordSize) : TppCacheable(owner) {
        SetCacheRecordSize(recordSize);
    }
    int state = 0;
    QList<int> dumped;

    void SaveToCache(int aPageNo) override {
        QByteArray record(CacheRecordSize(), '\0');
        std::memcpy(record.data(), &state, sizeof state);
        SaveState(aPageNo, record.constData());
    }
    void RestoreFromCache(int aPageNo) override {
        QByteArray record(CacheRecordSize(), '\0');
        std::memcpy(record.data(), &state, sizeof state);
        RestoreState(aPageNo, record.data());
        std::memcpy(&state, record.constData(), sizeof state);
    }
    void CacheDumped(int aPageCount) override { dumped.append(aPageCount); }
};

const reportengine::EngineClass& TestCacheable::StaticClass() {
    static const reportengine::EngineClass cls(QStringLiteral("TppTestCacheable"), &TppCacheable::StaticClass());
    return cls;
}

struct CacheFixture : ::testing::Test {
    QTemporaryDir folder;
    testing_env::ScopedEnvironment environment;
    EnginePtr<TestContainer> report{new TestContainer(nullptr)};
    TppCacheManager* manager = nullptr;
    std::vector<TestCacheable*> members;

    void SetUp() override {
        environment.Set("TMPDIR", QFile::encodeName(folder.path()));
        manager = new TppCacheManager(report.get());
    }
    void Register(std::initializer_list<int> sizes) {
        std::vector<TppCacheable*> list;
        for (int size : sizes) {
            members.push_back(new TestCacheable(report.get(), size));
            list.push_back(members.back());
        }
        manager->SetCacheables(list);
    }
    // Each member's state on page p is 100 * p + its index.
    void SavePages(int first, int last) {
        for (int page = first; page <= last; ++page) {
            for (size_t i = 0; i < members.size(); ++i) members[i]->state = 100 * page + static_cast<int>(i);
            manager->SavePage(page);
        }
    }
    void ExpectRestores(int page) {
        for (auto* member : members) member->state = -1;
        manager->RestorePage(page);
        for (size_t i = 0; i < members.size(); ++i)
            EXPECT_EQ(members[i]->state, 100 * page + static_cast<int>(i)) << "page " << page << " member " << i;
    }
    QStringList CacheFiles() const { return QDir(folder.path()).entryList({"cch*"}, QDir::Files); }
};

TEST_F(CacheFixture, MembersOfOneSizeShareAStreamInRegistrationOrder) {
    Register({20, 24, 20});
    EXPECT_EQ(members[0]->CachePosition(), 0);
    EXPECT_EQ(members[1]->CachePosition(), 0);
    EXPECT_EQ(members[2]->CachePosition(), 1);
    EXPECT_EQ(members[0]->CacheCount(), 2);
    EXPECT_EQ(members[1]->CacheCount(), 1);
    EXPECT_EQ(members[2]->CacheCount(), 2);
    EXPECT_EQ(members[0]->CacheStream(), members[2]->CacheStream());
    EXPECT_NE(members[0]->CacheStream(), members[1]->CacheStream());

    SavePages(0, 3);
    // Page 3's record of the second size-20 member lies at 20 x (3 x 2 + 1).
    TStream* stream = members[2]->CacheStream();
    int stored = 0;
    stream->Seek(140, soBeginning);
    stream->Read(&stored, sizeof stored);
    EXPECT_EQ(stored, 302);
    EXPECT_EQ(stream->Size(), 160);
    ExpectRestores(1);

    manager->AddCacheable(members[0]);
    EXPECT_EQ(manager->MemberCount(), 3);
}

TEST_F(CacheFixture, TheLastCachedPageOnlyGrows) {
    Register({20});
    SavePages(7, 7);
    SavePages(2, 2);
    EXPECT_EQ(manager->LastCachedPage(), 7);
    EXPECT_EQ(members[0]->CachePageCount(), 7);  // as told before the last save
}

TEST_F(CacheFixture, TruncateDropsPagesAndTellsTheMembers) {
    Register({20, 24});
    manager->Truncate(5);  // nothing cached: nothing happens
    EXPECT_TRUE(members[0]->dumped.isEmpty());

    SavePages(0, 4);
    manager->Truncate(2);
    EXPECT_EQ(members[0]->dumped, QList<int>{2});
    EXPECT_EQ(manager->LastCachedPage(), 1);
    EXPECT_EQ(members[1]->CacheStream()->Size(), 48);

    manager->Truncate(0);
    EXPECT_EQ(members[0]->CacheStream()->Size(), 0);
    EXPECT_EQ(members[1]->CacheStream()->Size(), 0);
    EXPECT_EQ(manager->LastCachedPage(), -1);
    EXPECT_EQ(members[1]->CachePageCount(), -1);
}

TEST_F(CacheFixture, APageNeverSavedLeavesTheStateAsItWas) {
    Register({20});
    SavePages(0, 1);
    members[0]->state = 55;
    manager->RestorePage(6);
    EXPECT_EQ(members[0]->state, 55);
}

TEST_F(CacheFixture, ARecordBeyondTheEndIsWrittenAtItsOwnOffset) {
    Register({20, 20});
    SavePages(0, 1);
    // After a restore the stream stands inside page 0; page 4 must not land there.
    ExpectRestores(0);
    SavePages(4, 4);
    ExpectRestores(0);
    ExpectRestores(1);
    ExpectRestores(4);
    members[0]->state = 9;
    manager->RestorePage(3);  // the gap holds zeros
    EXPECT_EQ(members[0]->state, 0);
}

TEST_F(CacheFixture, AFailedWriteMovesTheCacheToOwnerOnlyFilesOnceAndForAll) {
    Register({20, 24, 20});
    SavePages(0, 2);
    EXPECT_TRUE(CacheFiles().isEmpty());
    {
        rtl::ScopedFault fault(1);
        SavePages(3, 3);
        EXPECT_TRUE(fault.Hit());
    }
    EXPECT_EQ(manager->Storage(), reportengine::CacheStorage::TemporaryFiles);
    ASSERT_EQ(CacheFiles().size(), 2);
    for (const QString& name : manager->TemporaryFileNames())
        EXPECT_EQ(
            QFile::permissions(name) & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
            QFile::Permissions());
    SavePages(4, 5);
    for (int page = 0; page <= 5; ++page) ExpectRestores(page);

    manager->Clear();
    EXPECT_TRUE(CacheFiles().isEmpty());
    EXPECT_EQ(manager->MemberCount(), 0);
    EXPECT_EQ(members[0]->CacheStream(), nullptr);

    // Once on files, new streams are files as well, and they go with their manager.
    manager->SetCacheables({members[0]});
    EXPECT_EQ(CacheFiles().size(), 1);
    manager->Free();
    EXPECT_TRUE(CacheFiles().isEmpty());
}

TEST_F(CacheFixture, ASecondFailedWriteEndsGeneration) {
    Register({20});
    SavePages(0, 0);
    rtl::ScopedFault fault(1);
    SavePages(1, 1);  // moves to files
    rtl::FaultInjection::FailAt(1);
    EXPECT_THROW(SavePages(2, 2), EPrintError);
}

TEST_F(CacheFixture, AFreedMemberLeavesTheManager) {
    Register({20, 24});
    members[1]->Free();
    members.pop_back();
    EXPECT_EQ(manager->MemberCount(), 1);
    SavePages(0, 0);
    ExpectRestores(0);
}

TEST_F(CacheFixture, TheDescriptionReadsTheCacheValues) {
    Register({20, 24, 20});
    const TraRTTI* description = TraRTTIClassRegistry::FindRTTIClass(members[2]->ClassType());
    ASSERT_EQ(description, &TraTppCacheableRTTI::Instance());
    QVariant value;
    ASSERT_TRUE(description->GetPropValue(members[2], "CachePosition", value));
    EXPECT_EQ(value.toInt(), 1);
    EXPECT_FALSE(description->SetPropValue(members[2], "CacheCount", 9));
    TraPropRec rec;
    ASSERT_TRUE(description->GetPropRec(members[2]->ClassType(), "CacheStream", rec));
    EXPECT_EQ(rec.DataType, reportengine::DataCode::ClassReference);
    EXPECT_TRUE(rec.ReadOnly);
}

TEST(CacheOnAWorker, AReportCopyIsBuiltCachedAndFreedOnItsOwnThread) {
    // Background printing generates a copy of a report on a worker while the main thread looks descriptions up.
    std::atomic<bool> done{false};
    int restored = -1;
    std::thread worker([&] {
        EnginePtr<TestContainer> copy{new TestContainer(nullptr)};
        {
            reportengine::LoadingScope scope;
            auto* manager = new TppCacheManager(copy.get());
            auto* band = new TestCacheable(copy.get(), 24);
            manager->SetCacheables({band});
            band->state = 7;
            manager->SavePage(0);
            band->state = 8;
            manager->RestorePage(0);
            restored = band->state;
        }
        copy.reset();
        done = true;
    });
    while (!done)
        EXPECT_EQ(TraRTTIClassRegistry::FindRTTIClass(TestCacheable::StaticClass()), &TraTppCacheableRTTI::Instance());
    worker.join();
    EXPECT_EQ(restored, 7);
}

}  // namespace
