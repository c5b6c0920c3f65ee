// TRegistry: the framework's registry accessor over our per-user store.
#pragma once

#include "platform/registry/Hive.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

using HKEY = reg::HKEY;
inline constexpr HKEY HKEY_CLASSES_ROOT = reg::kClassesRoot;
inline constexpr HKEY HKEY_CURRENT_USER = reg::kCurrentUser;
inline constexpr HKEY HKEY_LOCAL_MACHINE = reg::kLocalMachine;

// Access rights, as the platform numbers them; values can be written only with KEY_SET_VALUE.
enum : quint32 { KEY_SET_VALUE = 0x0002, KEY_READ = 0x20019, KEY_WRITE = 0x20006, KEY_ALL_ACCESS = 0xF003F };

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

struct TRegDataInfo {
    TRegDataType RegData = rdUnknown;
    int DataSize = 0;
};

TAVORIN_DECLARE_EXCEPTION(ERegistryException, Exception)

// Key paths use backslashes; a leading backslash starts at the root, otherwise the path is relative to
// the open key. Names of keys and values are compared without case and keep the case they were made with.
class TRegistry {
public:
    TRegistry();
    explicit TRegistry(quint32 access);
    virtual ~TRegistry() = default;

    HKEY RootKey() const { return rootKey_; }
    // Closes the open key.
    void SetRootKey(HKEY rootKey);
    // The open key's path below the root, without a leading backslash.
    const QString& CurrentPath() const { return currentPath_; }
    quint32 Access() const { return access_; }
    void SetAccess(quint32 access) { access_ = access; }

    bool OpenKey(const QString& key, bool canCreate);
    // Opens an existing key for reading; Access becomes KEY_READ.
    bool OpenKeyReadOnly(const QString& key);
    void CloseKey();
    // Raises ERegistryException when the key cannot be created.
    bool CreateKey(const QString& key);
    // Deletes the key with all its subkeys; false when it does not exist or the root is read-only.
    bool DeleteKey(const QString& key);
    bool KeyExists(const QString& key);
    // Copies a key with its values and subkeys to a new name (which must not exist yet), then deletes the
    // old key when deleteOld; one atomic change of the store. Nothing happens when either check fails.
    void MoveKey(const QString& oldName, const QString& newName, bool deleteOld);
    bool HasSubKeys();

    bool ValueExists(const QString& name);
    bool DeleteValue(const QString& name);
    // Subkeys in alphabetical order (without case); values in the order they were created.
    void GetKeyNames(QStringList& strings);
    void GetValueNames(QStringList& strings);
    // rdUnknown, -1 and false for a missing value. String sizes count UTF-16 bytes with the terminating null.
    TRegDataType GetDataType(const QString& name);
    int GetDataSize(const QString& name);
    bool GetDataInfo(const QString& name, TRegDataInfo& value);

    // Typed reads raise ERegistryException: "Invalid data type for '%s'" for a value of the wrong kind or
    // size, "Failed to get data for '%s'" for a missing value (ReadString gives "" for a missing value).
    // Writes raise "Failed to set data for '%s'" when no key is open for writing.
    QString ReadString(const QString& name);
    void WriteString(const QString& name, const QString& value);
    void WriteExpandString(const QString& name, const QString& value);
    int ReadInteger(const QString& name);
    void WriteInteger(const QString& name, int value);
    bool ReadBool(const QString& name);
    void WriteBool(const QString& name, bool value);
    // Floats and date-times are 8-byte binary values.
    double ReadFloat(const QString& name);
    void WriteFloat(const QString& name, double value);
    TDateTime ReadDateTime(const QString& name);
    void WriteDateTime(const QString& name, TDateTime value);
    TDateTime ReadDate(const QString& name);
    void WriteDate(const QString& name, TDateTime value);
    TDateTime ReadTime(const QString& name);
    void WriteTime(const QString& name, TDateTime value);
    // Copies a binary value into buffer and returns its size (0 for a missing value); raises when the
    // value is not binary or larger than bufSize.
    int ReadBinaryData(const QString& name, void* buffer, int bufSize);
    void WriteBinaryData(const QString& name, const void* buffer, int bufSize);

private:
    // The path a key argument names: from the root, or below the open key.
    QStringList ResolvePath(const QString& key) const;
    // Creates the key with its missing parents; true when it exists afterwards.
    bool MakeKey(const QStringList& path);
    // A copy of the named value of the open key; empty when no key is open or the value is missing.
    std::optional<reg::Value> ValueOf(const QString& name) const;
    // The open key's subkey or value names.
    QStringList NamesOf(bool subkeys) const;
    bool CanWrite() const;
    void PutValue(reg::Value value);
    // The value for a typed read: raises when it is missing or not of the kind and size asked for.
    reg::Value TypedValue(const QString& name, quint32 kind, int size) const;

    HKEY rootKey_ = HKEY_CURRENT_USER;
    quint32 access_ = KEY_ALL_ACCESS;
    std::shared_ptr<reg::Hive> hive_;
    bool keyOpen_ = false;
    QString currentPath_;
};
