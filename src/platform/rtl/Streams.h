// Byte streams: TStream, TMemoryStream and TFileStream with the framework's open and share modes.
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
    virtual ~TStream() = default;
    // Read and Write move up to count bytes and answer how many moved.
    virtual qint64 Read(void* buffer, qint64 count) = 0;
    virtual qint64 Write(const void* buffer, qint64 count) = 0;
    // Answers the new position.
    virtual qint64 Seek(qint64 offset, TSeekOrigin origin) = 0;
    virtual void SetSize(qint64 size) = 0;
    virtual qint64 Size();

    qint64 Position() { return Seek(0, soCurrent); }
    void SetPosition(qint64 position) { Seek(position, soBeginning); }
    // All or nothing: EReadError "Stream read error" / EWriteError "Stream write error".
    void ReadBuffer(void* buffer, qint64 count);
    void WriteBuffer(const void* buffer, qint64 count);
    // Copies count bytes from the source's position; count 0 copies the whole source from its start.
    qint64 CopyFrom(TStream& source, qint64 count);
};

class TMemoryStream : public TStream {
public:
    qint64 Read(void* buffer, qint64 count) override;
    qint64 Write(const void* buffer, qint64 count) override;
    qint64 Seek(qint64 offset, TSeekOrigin origin) override;
    void SetSize(qint64 size) override;
    qint64 Size() override { return bytes_.size(); }

    const QByteArray& Memory() const { return bytes_; }
    void Clear();
    void LoadFromStream(TStream& source);
    void SaveToStream(TStream& target);
    void LoadFromFile(const QString& fileName);
    void SaveToFile(const QString& fileName);

private:
    QByteArray bytes_;
    qint64 position_ = 0;
};

// Open modes, combined with one share mode. fmCreate makes the file or empties it and opens it for
// reading and writing; without a share mode a file is opened exclusively.
enum : unsigned {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmShareCompat = 0x0000,
    fmShareExclusive = 0x0010,
    fmShareDenyWrite = 0x0020,
    fmShareDenyRead = 0x0030,
    fmShareDenyNone = 0x0040,
    fmCreate = 0xFF00,
};

// A file opened with a mode; share modes hold between all streams of this program, in any process.
// Raises EFCreateError "Cannot create file \"%s\". %s" or EFOpenError "Cannot open file \"%s\". %s".
class TFileStream : public TStream {
public:
    TFileStream(const QString& fileName, unsigned mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    qint64 Read(void* buffer, qint64 count) override;
    qint64 Write(const void* buffer, qint64 count) override;
    qint64 Seek(qint64 offset, TSeekOrigin origin) override;
    void SetSize(qint64 size) override;
    const QString& FileName() const { return fileName_; }

private:
    void CloseDescriptors();

    QString fileName_;
    int fd_ = -1;
    int lockFd_ = -1;  // holds the share-mode locks
};
