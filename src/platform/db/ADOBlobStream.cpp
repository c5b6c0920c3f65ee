// The blob stream: a memory copy of the field's bytes, stored back after writing.
#include "platform/db/ADOBlobStream.h"

#include "platform/db/Field.h"
#include "platform/rtl/Exceptions.h"

#include <QByteArray>

TADOBlobStream::TADOBlobStream(TField& field, TBlobStreamMode mode) : field_(field), mode_(mode) {
    if (mode == bmWrite) {
        written_ = true;
        return;
    }
    const QVariant value = field.Value();
    const QByteArray bytes = value.typeId() == QMetaType::QString ? value.toString().toUtf8() : value.toByteArray();
    bytes_.WriteBuffer(bytes.constData(), bytes.size());
    bytes_.SetPosition(0);
}

TADOBlobStream::~TADOBlobStream() {
    // Errors cannot leave a destructor; callers that must see them call Flush first.
    try {
        if (written_) Flush();
    } catch (const Exception&) {
    }
}

qint64 TADOBlobStream::Read(void* buffer, qint64 count) { return bytes_.Read(buffer, count); }

qint64 TADOBlobStream::Write(const void* buffer, qint64 count) {
    if (mode_ == bmRead) throw EStreamError(QStringLiteral("Cannot write to a read-only blob stream"));
    written_ = true;
    return bytes_.Write(buffer, count);
}

void TADOBlobStream::SetSize(qint64 size) {
    if (mode_ == bmRead) throw EStreamError(QStringLiteral("Cannot write to a read-only blob stream"));
    written_ = true;
    bytes_.SetSize(size);
}

void TADOBlobStream::Flush() {
    written_ = false;
    field_.SetValue(bytes_.Memory().isEmpty() ? QVariant() : QVariant(bytes_.Memory()));
}
