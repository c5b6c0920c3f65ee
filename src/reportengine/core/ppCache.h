// Cacheables and the cache manager: fixed-size records of generation state per page, so that any page can be
// generated again alone, held in memory and, once memory fails, in temporary files.
#pragma once

#include "platform/rtl/Streams.h"
#include "reportengine/core/ppRelatv.h"

#include <QMetaType>
#include <QStringList>
#include <memory>
#include <vector>

class TppCacheManager;

// An object whose state drives generation: it saves a record at the end of every page and reads back the
// record of the page before one that is generated again.
class TppCacheable : public TppRelative {
    REPORTENGINE_CLASS(TppCacheable)
public:
    explicit TppCacheable(reportengine::EngineComponent* owner);

    int CacheCount() const { return cacheCount_; }
    int CachePageCount() const { return cachePageCount_; }
    int CachePosition() const { return cachePosition_; }
    int CacheRecordSize() const { return cacheRecordSize_; }
    TStream* CacheStream() const { return cacheStream_; }

    // The cache keeps pages 0 to aPageCount - 1 only from now on.
    virtual void CacheDumped(int aPageCount) {}
    virtual void RestoreFromCache(int aPageNo) {}
    virtual void SaveToCache(int aPageNo) {}

    // Reads the record of page aPageNo into aRecord (CacheRecordSize bytes) and answers the bytes read; a record
    // that is not in the stream leaves aRecord as it was and answers 0.
    qint64 RestoreState(int aPageNo, void* aRecord);
    // Writes the record of page aPageNo at its own offset, the stream growing with zeros up to it. A failed
    // write asks the manager to move to files (event 48) and is tried once more there; a second failure is
    // event 49, which ends generation with EPrintError.
    void SaveState(int aPageNo, const void* aRecord);

protected:
    ~TppCacheable() override;
    void SetCacheRecordSize(int size) { cacheRecordSize_ = size; }

private:
    friend class TppCacheManager;
    qint64 RecordOffset(int aPageNo) const;

    int cacheCount_ = 0;
    int cachePageCount_ = -1;
    int cachePosition_ = 0;
    int cacheRecordSize_ = 0;
    TStream* cacheStream_ = nullptr;
};

namespace reportengine {

// Implemented by the owner of a cache manager (the report) to list its cacheables in registration order.
class CacheableSource {
public:
    virtual void ListCacheables(std::vector<TppCacheable*>& into) = 0;

protected:
    ~CacheableSource() = default;
};

enum class CacheStorage { Memory, TemporaryFiles };

}  // namespace reportengine

class TppCacheManager : public TppCommunicator {
    REPORTENGINE_CLASS(TppCacheManager)
public:
    // The owner is the report whose pages are cached.
    explicit TppCacheManager(reportengine::EngineComponent* aOwner);

    void AddCacheable(TppCacheable* aCacheable);
    void RemoveCacheable(TppCacheable* aCacheable);
    void Reset();
    // Registers the report's cacheables (when it lists them) and gives each a record slot.
    void Rebuild();
    void SetCacheables(const std::vector<TppCacheable*>& aList);
    void SavePage(int aPageNo);
    void RestorePage(int aPageNo);
    void Truncate(int aPageCount);
    void Clear();

    int LastCachedPage() const { return lastCachedPage_; }
    bool NotifyOnDump = true;
    reportengine::CacheStorage Storage() const { return storage_; }
    const QStringList& TemporaryFileNames() const { return temporaryFiles_; }
    int MemberCount() const { return static_cast<int>(members_.size()); }

    void Notify(TppCommunicator* aCommunicator, int aOperation) override;
    void EventNotify(TppCommunicator* aSender, int aEventId, TraParamList* aParams) override;

protected:
    ~TppCacheManager() override;
    void Dismantle() override;

private:
    struct SizeStream {
        int recordSize;
        int members;
        std::unique_ptr<TStream> stream;
    };
    void AllocateSlots();
    // Brings every member's stream, page count, count and position up to date.
    void RefreshMembers();
    SizeStream* StreamOfSize(int recordSize);
    std::unique_ptr<TStream> NewStream();
    void SwitchToFiles();
    [[noreturn]] void FailGeneration();

    std::vector<TppCacheable*> members_;
    QStringList temporaryFiles_;
    std::vector<SizeStream> streams_;
    QString temporaryFolder_;
    reportengine::CacheStorage storage_ = reportengine::CacheStorage::Memory;
    int lastCachedPage_ = -1;
};

class TraTppCacheableRTTI : public TraDescription<TraTppCacheableRTTI, TraTppRelativeRTTI> {
public:
    void GetPropList(const reportengine::EngineClass& cls, QStringList& list) const override;
    const reportengine::EngineClass& GetRefClass() const override;
    bool GetPropRec(const reportengine::EngineClass& cls, const QString& name, TraPropRec& rec) const override;
    bool GetPropValue(reportengine::EngineObject* object, const QString& name, QVariant& value) const override;
    bool SetPropValue(reportengine::EngineObject* object, const QString& name, const QVariant& value) const override;
};

Q_DECLARE_METATYPE(TStream*)
