// TRegistry over the store: paths resolved per call, every write a locked read-modify-write.
#include "platform/registry/Registry.h"

#include <QtEndian>
#include <cstring>

namespace {

using reg::Outcome;

[[noreturn]] void RaiseInvalidType(const QString& name) {
    throw ERegistryException(QStringLiteral("Invalid data type for '%1'").arg(name));
}

TRegDataType DataTypeOf(quint32 kind) {
    switch (kind) {
        case REG_SZ: return rdString;
        case REG_EXPAND_SZ: return rdExpandString;
        case REG_DWORD: return rdInteger;
        case REG_BINARY: return rdBinary;
        default: return rdUnknown;
    }
}

reg::Value TextValue(const QString& name, quint32 kind, const QString& text) {
    reg::Value value;
    value.name = name;
    value.kind = kind;
    value.text = text;
    return value;
}

reg::Value BinaryValue(const QString& name, QByteArray bytes) {
    reg::Value value;
    value.name = name;
    value.kind = REG_BINARY;
    value.bytes = std::move(bytes);
    return value;
}

}  // namespace

TRegistry::TRegistry() : TRegistry(KEY_ALL_ACCESS) {}

TRegistry::TRegistry(quint32 access) : access_(access), hive_(reg::OpenHive(rootKey_)) {}

void TRegistry::SetRootKey(HKEY rootKey) {
    CloseKey();
    rootKey_ = rootKey;
    hive_ = reg::OpenHive(rootKey);
}

QStringList TRegistry::ResolvePath(const QString& key) const {
    const QStringList path = reg::SplitPath(key);
    if (key.startsWith(u'\\') || !keyOpen_) return path;
    return reg::SplitPath(currentPath_) + path;
}

bool TRegistry::MakeKey(const QStringList& path) {
    return hive_->Modify([&](reg::Key& root) {
        if (reg::FindKey(root, path)) return Outcome::Unchanged;
        reg::MakeKey(root, path);
        return Outcome::Changed;
    });
}

bool TRegistry::OpenKey(const QString& key, bool canCreate) {
    const QStringList path = ResolvePath(key);
    bool exists = reg::FindKey(*hive_->Root(), path) != nullptr;
    if (!exists && canCreate) exists = MakeKey(path);
    if (!exists) return false;
    keyOpen_ = true;
    currentPath_ = path.join(u'\\');
    return true;
}

bool TRegistry::OpenKeyReadOnly(const QString& key) {
    if (!reg::FindKey(*hive_->Root(), ResolvePath(key))) return false;
    access_ = KEY_READ;
    return OpenKey(key, false);
}

void TRegistry::CloseKey() {
    keyOpen_ = false;
    currentPath_.clear();
}

bool TRegistry::CreateKey(const QString& key) {
    const QStringList path = ResolvePath(key);
    if (reg::FindKey(*hive_->Root(), path)) return true;
    if (!MakeKey(path)) throw ERegistryException(QStringLiteral("Failed to create key %1").arg(key));
    return true;
}

bool TRegistry::DeleteKey(const QString& key) {
    const QStringList path = ResolvePath(key);
    if (path.isEmpty()) return false;
    return hive_->Modify([&](reg::Key& root) {
        reg::Key* parent = reg::FindKey(root, path.mid(0, path.size() - 1));
        return parent && parent->RemoveSubkey(path.last()) ? Outcome::Changed : Outcome::Failed;
    });
}

void TRegistry::MoveKey(const QString& oldName, const QString& newName, bool deleteOld) {
    const QStringList from = ResolvePath(oldName);
    const QStringList to = ResolvePath(newName);
    if (from.isEmpty() || to.isEmpty()) return;
    hive_->Modify([&](reg::Key& root) {
        const reg::Key* source = reg::FindKey(root, from);
        if (!source || reg::FindKey(root, to)) return Outcome::Unchanged;
        reg::Key copy = *source;
        if (deleteOld) reg::FindKey(root, from.mid(0, from.size() - 1))->RemoveSubkey(from.last());
        reg::Key& target = reg::MakeKey(root, to);
        copy.name = target.name;
        target = std::move(copy);
        return Outcome::Changed;
    });
}

bool TRegistry::KeyExists(const QString& key) { return reg::FindKey(*hive_->Root(), ResolvePath(key)) != nullptr; }

bool TRegistry::HasSubKeys() { return !NamesOf(true).isEmpty(); }

std::optional<reg::Value> TRegistry::ValueOf(const QString& name) const {
    if (!keyOpen_) return std::nullopt;
    const std::shared_ptr<const reg::Key> root = hive_->Root();
    const reg::Key* key = reg::FindKey(*root, reg::SplitPath(currentPath_));
    const reg::Value* value = key ? key->FindValue(name) : nullptr;
    if (!value) return std::nullopt;
    return *value;
}

QStringList TRegistry::NamesOf(bool subkeys) const {
    QStringList names;
    if (!keyOpen_) return names;
    const std::shared_ptr<const reg::Key> root = hive_->Root();
    const reg::Key* key = reg::FindKey(*root, reg::SplitPath(currentPath_));
    if (!key) return names;
    if (subkeys)
        for (const reg::Key& sub : key->subkeys) names << sub.name;
    else
        for (const reg::Value& value : key->values) names << value.name;
    return names;
}

bool TRegistry::ValueExists(const QString& name) { return ValueOf(name).has_value(); }

bool TRegistry::DeleteValue(const QString& name) {
    if (!CanWrite()) return false;
    const QStringList path = reg::SplitPath(currentPath_);
    return hive_->Modify([&](reg::Key& root) {
        reg::Key* key = reg::FindKey(root, path);
        return key && key->RemoveValue(name) ? Outcome::Changed : Outcome::Failed;
    });
}

void TRegistry::GetKeyNames(QStringList& strings) { strings = NamesOf(true); }

void TRegistry::GetValueNames(QStringList& strings) { strings = NamesOf(false); }

TRegDataType TRegistry::GetDataType(const QString& name) {
    TRegDataInfo info;
    GetDataInfo(name, info);
    return info.RegData;
}

int TRegistry::GetDataSize(const QString& name) {
    TRegDataInfo info;
    return GetDataInfo(name, info) ? info.DataSize : -1;
}

bool TRegistry::GetDataInfo(const QString& name, TRegDataInfo& value) {
    value = TRegDataInfo();
    const std::optional<reg::Value> found = ValueOf(name);
    if (!found) return false;
    value.RegData = DataTypeOf(found->kind);
    value.DataSize = found->DataSize();
    return true;
}

bool TRegistry::CanWrite() const { return keyOpen_ && hive_->Writable() && (access_ & KEY_SET_VALUE) != 0; }

void TRegistry::PutValue(reg::Value value) {
    const QStringList path = reg::SplitPath(currentPath_);
    const bool written = CanWrite() && hive_->Modify([&](reg::Key& root) {
        reg::Key* key = reg::FindKey(root, path);
        if (!key) return Outcome::Failed;
        const reg::Value* old = key->FindValue(value.name);
        if (old && old->SameData(value)) return Outcome::Unchanged;
        key->SetValue(value);
        return Outcome::Changed;
    });
    if (!written) throw ERegistryException(QStringLiteral("Failed to set data for '%1'").arg(value.name));
}

reg::Value TRegistry::TypedValue(const QString& name, quint32 kind, int size) const {
    std::optional<reg::Value> value = ValueOf(name);
    if (!value) throw ERegistryException(QStringLiteral("Failed to get data for '%1'").arg(name));
    if (value->kind != kind || value->DataSize() != size) RaiseInvalidType(name);
    return *value;
}

QString TRegistry::ReadString(const QString& name) {
    const std::optional<reg::Value> value = ValueOf(name);
    if (!value || value->DataSize() == 0) return QString();
    if (value->kind != REG_SZ && value->kind != REG_EXPAND_SZ) RaiseInvalidType(name);
    return value->text;
}

void TRegistry::WriteString(const QString& name, const QString& value) { PutValue(TextValue(name, REG_SZ, value)); }

void TRegistry::WriteExpandString(const QString& name, const QString& value) {
    PutValue(TextValue(name, REG_EXPAND_SZ, value));
}

int TRegistry::ReadInteger(const QString& name) { return int(TypedValue(name, REG_DWORD, 4).number); }

void TRegistry::WriteInteger(const QString& name, int value) {
    reg::Value v;
    v.name = name;
    v.kind = REG_DWORD;
    v.number = quint32(value);
    PutValue(std::move(v));
}

bool TRegistry::ReadBool(const QString& name) { return ReadInteger(name) != 0; }

void TRegistry::WriteBool(const QString& name, bool value) { WriteInteger(name, value ? 1 : 0); }

double TRegistry::ReadFloat(const QString& name) {
    const QByteArray bytes = TypedValue(name, REG_BINARY, int(sizeof(double))).bytes;
    return qFromLittleEndian<double>(bytes.constData());
}

void TRegistry::WriteFloat(const QString& name, double value) {
    QByteArray bytes(sizeof(double), '\0');
    qToLittleEndian(value, bytes.data());
    PutValue(BinaryValue(name, std::move(bytes)));
}

TDateTime TRegistry::ReadDateTime(const QString& name) { return ReadFloat(name); }

void TRegistry::WriteDateTime(const QString& name, TDateTime value) { WriteFloat(name, value); }

TDateTime TRegistry::ReadDate(const QString& name) { return ReadFloat(name); }

void TRegistry::WriteDate(const QString& name, TDateTime value) { WriteFloat(name, value); }

TDateTime TRegistry::ReadTime(const QString& name) { return ReadFloat(name); }

void TRegistry::WriteTime(const QString& name, TDateTime value) { WriteFloat(name, value); }

int TRegistry::ReadBinaryData(const QString& name, void* buffer, int bufSize) {
    const std::optional<reg::Value> value = ValueOf(name);
    if (!value) return 0;
    if (value->kind != REG_BINARY || value->bytes.size() > bufSize) RaiseInvalidType(name);
    if (!value->bytes.isEmpty()) std::memcpy(buffer, value->bytes.constData(), size_t(value->bytes.size()));
    return int(value->bytes.size());
}

void TRegistry::WriteBinaryData(const QString& name, const void* buffer, int bufSize) {
    PutValue(BinaryValue(name, QByteArray(static_cast<const char*>(buffer), bufSize)));
}
