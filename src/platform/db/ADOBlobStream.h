// TADOBlobStream: a blob or memo field read and written as a stream of bytes.
#pragma once

#include "platform/rtl/Streams.h"

class TField;

enum TBlobStreamMode { bmRead, bmWrite, bmReadWrite };

// Reading starts from the field's bytes (memo text as UTF-8); bmWrite starts empty. A written stream
// stores its bytes into the field when it is destroyed.
class TADOBlobStream : public TStream {
public:
    TADOBlobStream(TField& field, TBlobStreamMode mode);
    ~TADOBlobStream() override;
    TADOBlobStream(const TADOBlobStream&) = delete;
    TADOBlobStream& operator=(const TADOBlobStream&) = delete;

    qint64 Read(void* buffer, qint64 count) override;
    qint64 Write(const void* buffer, qint64 count) override;
    qint64 Seek(qint64 offset, TSeekOrigin origin) override { return bytes_.Seek(offset, origin); }
    void SetSize(qint64 size) override;
    qint64 Size() override { return bytes_.Size(); }
    // Stores the bytes into the field now.
    void Flush();

private:
    TField& field_;
    TBlobStreamMode mode_;
    TMemoryStream bytes_;
    bool written_ = false;
};
