// Cacheables, the cache manager and the temporary files it falls back to.
#include "reportengine/core/ppCache.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FaultInjection.h"
#include "platform/rtl/Files.h"
#include "reportengine/core/ppTypes.h"

#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QMutex>
#include <QMutexLocker>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>

using reportengine::DataCode;
using reportengine::EngineClass;
using reportengine::EngineComponent;
using reportengine::EngineObject;

namespace {

const TraUnitRegistration<TraTppCacheableRTTI> cacheUnitRegistration;

// Cache files may hold report data: whatever a manager leaves behind goes at program end.
struct CacheFileJanitor {
    ~CacheFileJanitor() {
        for (const QString& name : names) QFile::remove(name);
    }
    QMutex lock;
    QStringList names;
};

CacheFileJanitor& CacheFiles() {
    static CacheFileJanitor janitor;
    return janitor;
}

// A new empty file named "cch" + a unique part in the folder, readable and writable by its owner only.
QString CreateCacheFile(const QString& folder) {
    QByteArray pattern = QFile::encodeName(IncludeTrailingPathDelimiter(folder) + QStringLiteral("cchXXXXXX"));
    const int fd = ::mkstemp(pattern.data());
    const QString name = QFile::decodeName(pattern);
    if (fd < 0)
        throw EFCreateError(
            QStringLiteral("Cannot create file \"%1\". %2").arg(name, QString::fromLocal8Bit(std::strerror(errno))));
    ::close(fd);
    CacheFileJanitor& janitor = CacheFiles();
    QMutexLocker guard(&janitor.lock);
    janitor.names.append(name);
    return name;
}

void RemoveCacheFile(const QString& name) {
    QFile::remove(name);
    CacheFileJanitor& janitor = CacheFiles();
    QMutexLocker guard(&janitor.lock);
    janitor.names.removeAll(name);
}

// Writes the record at its offset, filling the stream with zeros up to it; false when the write failed.
bool WriteCacheRecord(TStream& stream, qint64 offset, const void* record, qint64 size) {
    try {
        if (rtl::FaultInjection::Fails()) return false;
        const qint64 end = stream.Size();
        if (offset > end) {
            const QByteArray zeros(offset - end, '\0');
            stream.Seek(0, soEnd);
            if (stream.Write(zeros.constData(), zeros.size()) != zeros.size()) return false;
        }
        stream.Seek(offset, soBeginning);
        return stream.Write(record, size) == size;
    } catch (const EStreamError&) {
        return false;
    }
}

}  // namespace

// ---- TppCacheable

const EngineClass& TppCacheable::StaticClass() {
    static const EngineClass cls(QStringLiteral("TppCacheable"), &TppRelative::StaticClass());
    return cls;
}

TppCacheable::TppCacheable(EngineComponent* owner) : TppRelative(owner) {}

TppCacheable::~TppCacheable() = default;

qint64 TppCacheable::RecordOffset(int aPageNo) const {
    return static_cast<qint64>(cacheRecordSize_) * (static_cast<qint64>(aPageNo) * cacheCount_ + cachePosition_);
}

qint64 TppCacheable::RestoreState(int aPageNo, void* aRecord) {
    if (!cacheStream_ || cacheRecordSize_ <= 0) return 0;
    const qint64 offset = RecordOffset(aPageNo);
    if (offset >= cacheStream_->Size()) return 0;
    // A record is taken whole or not at all.
    QByteArray buffer(cacheRecordSize_, '\0');
    cacheStream_->Seek(offset, soBeginning);
    const qint64 read = cacheStream_->Read(buffer.data(), cacheRecordSize_);
    if (read == cacheRecordSize_) std::memcpy(aRecord, buffer.constData(), static_cast<size_t>(read));
    return read == cacheRecordSize_ ? read : 0;
}

void TppCacheable::SaveState(int aPageNo, const void* aRecord) {
    if (!cacheStream_) return;
    if (WriteCacheRecord(*cacheStream_, RecordOffset(aPageNo), aRecord, cacheRecordSize_)) return;
    BroadcastEvent(this, reportengine::kEventCacheWriteFailed, nullptr);
    if (cacheStream_ && WriteCacheRecord(*cacheStream_, RecordOffset(aPageNo), aRecord, cacheRecordSize_)) return;
    BroadcastEvent(this, reportengine::kEventCacheRetryFailed, nullptr);
    // Without a manager to end generation, a lost record must not pass for a saved one.
    throw EPrintError(QStringLiteral("The state of page %1 could not be written to the page cache.").arg(aPageNo));
}

// ---- TppCacheManager

const EngineClass& TppCacheManager::StaticClass() {
    static const EngineClass cls(QStringLiteral("TppCacheManager"), &TppCommunicator::StaticClass());
    return cls;
}

TppCacheManager::TppCacheManager(EngineComponent* aOwner)
    : TppCommunicator(aOwner), temporaryFolder_(QDir::tempPath()) {
    EventMask().set(reportengine::kEventCacheWriteFailed);
    EventMask().set(reportengine::kEventCacheRetryFailed);
}

TppCacheManager::~TppCacheManager() = default;

void TppCacheManager::Dismantle() {
    Clear();
    TppCommunicator::Dismantle();
}

void TppCacheManager::AddCacheable(TppCacheable* aCacheable) {
    if (!aCacheable || std::find(members_.begin(), members_.end(), aCacheable) != members_.end()) return;
    members_.push_back(aCacheable);
    aCacheable->AddEventListener(this);
}

void TppCacheManager::RemoveCacheable(TppCacheable* aCacheable) {
    aCacheable->cacheStream_ = nullptr;
    std::erase(members_, aCacheable);
    aCacheable->RemoveEventListener(this);
}

void TppCacheManager::Reset() {
    Clear();
    Rebuild();
}

void TppCacheManager::Rebuild() {
    if (auto* source = dynamic_cast<reportengine::CacheableSource*>(Owner())) {
        std::vector<TppCacheable*> cacheables;
        source->ListCacheables(cacheables);
        for (TppCacheable* cacheable : cacheables) AddCacheable(cacheable);
    }
    AllocateSlots();
}

void TppCacheManager::SetCacheables(const std::vector<TppCacheable*>& aList) {
    Clear();
    for (TppCacheable* cacheable : aList) AddCacheable(cacheable);
    AllocateSlots();
}

TppCacheManager::SizeStream* TppCacheManager::StreamOfSize(int recordSize) {
    for (SizeStream& entry : streams_)
        if (entry.recordSize == recordSize) return &entry;
    return nullptr;
}

std::unique_ptr<TStream> TppCacheManager::NewStream() {
    if (storage_ == reportengine::CacheStorage::Memory) return std::make_unique<TMemoryStream>();
    const QString name = CreateCacheFile(temporaryFolder_);
    temporaryFiles_.append(name);
    return std::make_unique<TFileStream>(name, fmOpenReadWrite);
}

void TppCacheManager::AllocateSlots() {
    for (TppCacheable* member : members_) {
        SizeStream* entry = StreamOfSize(member->CacheRecordSize());
        if (!entry) {
            streams_.push_back({member->CacheRecordSize(), 0, NewStream()});
            entry = &streams_.back();
        }
        ++entry->members;
    }
    RefreshMembers();
}

void TppCacheManager::RefreshMembers() {
    std::map<int, int> seen;
    for (TppCacheable* member : members_) {
        const int size = member->CacheRecordSize();
        SizeStream* entry = StreamOfSize(size);
        member->cacheStream_ = entry ? entry->stream.get() : nullptr;
        member->cachePageCount_ = lastCachedPage_;
        member->cacheCount_ = static_cast<int>(std::count_if(
            members_.begin(), members_.end(), [size](TppCacheable* m) { return m->CacheRecordSize() == size; }));
        member->cachePosition_ = seen[size]++;
    }
}

void TppCacheManager::SavePage(int aPageNo) {
    RefreshMembers();
    for (size_t i = 0; i < members_.size(); ++i) members_[i]->SaveToCache(aPageNo);
    lastCachedPage_ = std::max(lastCachedPage_, aPageNo);
}

void TppCacheManager::RestorePage(int aPageNo) {
    RefreshMembers();
    for (size_t i = 0; i < members_.size(); ++i) members_[i]->RestoreFromCache(aPageNo);
}

void TppCacheManager::Truncate(int aPageCount) {
    if (lastCachedPage_ == -1) return;
    if (NotifyOnDump) {
        RefreshMembers();
        for (TppCacheable* member : members_) {
            member->CacheDumped(aPageCount);
            member->cachePageCount_ = aPageCount - 1;
        }
    }
    for (SizeStream& entry : streams_)
        entry.stream->SetSize(static_cast<qint64>(entry.recordSize) * entry.members * aPageCount);
    lastCachedPage_ = aPageCount - 1;
}

void TppCacheManager::Clear() {
    RefreshMembers();
    for (TppCacheable* member : members_) {
        member->CacheDumped(0);
        member->cachePageCount_ = -1;
    }
    lastCachedPage_ = -1;
    while (!members_.empty()) RemoveCacheable(members_.front());
    while (!streams_.empty()) streams_.pop_back();
    if (storage_ == reportengine::CacheStorage::TemporaryFiles) {
        for (const QString& name : temporaryFiles_) RemoveCacheFile(name);
        temporaryFiles_.clear();
    }
}

void TppCacheManager::SwitchToFiles() {
    if (storage_ == reportengine::CacheStorage::TemporaryFiles) FailGeneration();
    storage_ = reportengine::CacheStorage::TemporaryFiles;
    for (SizeStream& entry : streams_) {
        std::unique_ptr<TStream> file = NewStream();
        file->CopyFrom(*entry.stream, 0);
        file->Seek(0, soEnd);
        entry.stream = std::move(file);
    }
    RefreshMembers();
}

void TppCacheManager::FailGeneration() {
    // Ending generation at the engine's next check belongs to the engine; the error stops it here.
    throw EPrintError(QStringLiteral("The page cache could not be written."));
}

void TppCacheManager::Notify(TppCommunicator* aCommunicator, int aOperation) {
    TppCommunicator::Notify(aCommunicator, aOperation);
    if (aOperation == reportengine::kNotifyDestroying)
        if (auto* cacheable = dynamic_cast<TppCacheable*>(aCommunicator)) RemoveCacheable(cacheable);
}

void TppCacheManager::EventNotify(TppCommunicator* aSender, int aEventId, TraParamList*) {
    if (!dynamic_cast<TppCacheable*>(aSender)) return;
    if (aEventId == reportengine::kEventCacheWriteFailed) SwitchToFiles();
    else if (aEventId == reportengine::kEventCacheRetryFailed) FailGeneration();
}

// ---- TraTppCacheableRTTI

namespace {

const char* const cacheableDescribedNames[] = {"CacheCount", "CachePageCount", "CachePosition", "CacheRecordSize",
                                               "CacheStream"};

bool CacheableNameIs(const QString& name, const char* described) {
    return name.compare(QLatin1String(described), Qt::CaseInsensitive) == 0;
}

bool IsCacheableName(const QString& name) {
    return std::any_of(std::begin(cacheableDescribedNames), std::end(cacheableDescribedNames),
                       [&](const char* described) { return CacheableNameIs(name, described); });
}

}  // namespace

void TraTppCacheableRTTI::GetPropList(const EngineClass& cls, QStringList& list) const {
    TraTppRelativeRTTI::GetPropList(cls, list);
    for (const char* name : cacheableDescribedNames) AddPropToList(list, QLatin1String(name));
}

const EngineClass& TraTppCacheableRTTI::GetRefClass() const { return TppCacheable::StaticClass(); }

bool TraTppCacheableRTTI::GetPropRec(const EngineClass& cls, const QString& name, TraPropRec& rec) const {
    if (!IsCacheableName(name)) return TraTppRelativeRTTI::GetPropRec(cls, name, rec);
    if (CacheableNameIs(name, "CacheStream")) {
        InitPropRec(name, DataCode::ClassReference, true, rec);
        rec.TypeName = QStringLiteral("TStream");
    } else {
        InitPropRec(name, DataCode::Integer, true, rec);
    }
    return true;
}

bool TraTppCacheableRTTI::GetPropValue(EngineObject* object, const QString& name, QVariant& value) const {
    auto* cacheable = dynamic_cast<TppCacheable*>(object);
    if (!cacheable || !IsCacheableName(name)) return TraTppRelativeRTTI::GetPropValue(object, name, value);
    if (CacheableNameIs(name, "CacheCount")) value = cacheable->CacheCount();
    else if (CacheableNameIs(name, "CachePageCount")) value = cacheable->CachePageCount();
    else if (CacheableNameIs(name, "CachePosition")) value = cacheable->CachePosition();
    else if (CacheableNameIs(name, "CacheRecordSize")) value = cacheable->CacheRecordSize();
    else value = QVariant::fromValue(cacheable->CacheStream());
    return true;
}

bool TraTppCacheableRTTI::SetPropValue(EngineObject* object, const QString& name, const QVariant& value) const {
    if (IsCacheableName(name)) return false;
    return TraTppRelativeRTTI::SetPropValue(object, name, value);
}
