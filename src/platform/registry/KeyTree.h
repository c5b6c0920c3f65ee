// The in-memory tree of one registry root: keys with typed values, names compared without case.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

// Value kinds, numbered as the platform numbers them.
enum : quint32 { REG_NONE = 0, REG_SZ = 1, REG_EXPAND_SZ = 2, REG_BINARY = 3, REG_DWORD = 4 };

namespace reg {

// Names are compared by their case-folded form.
QString FoldName(const QString& name);

struct Value {
    QString name;
    quint32 kind = REG_SZ;
    QString text;        // REG_SZ and REG_EXPAND_SZ
    quint32 number = 0;  // REG_DWORD
    QByteArray bytes;    // REG_BINARY

    // Bytes the platform would report: strings as UTF-16 with their terminating null.
    int DataSize() const;
    bool SameData(const Value& other) const;
};

struct Key {
    QString name;
    std::vector<Value> values;  // in creation order
    std::vector<Key> subkeys;   // sorted by folded name

    const Value* FindValue(const QString& valueName) const;
    // Replaces the data of an existing value in its place (keeping its name's spelling), or appends it.
    void SetValue(Value value);
    bool RemoveValue(const QString& valueName);

    const Key* FindSubkey(const QString& keyName) const;
    Key* FindSubkey(const QString& keyName);
    // The existing subkey of that name, or a new one.
    Key& AddSubkey(const QString& keyName);
    bool RemoveSubkey(const QString& keyName);
};

// Splits a key path at its backslashes, dropping empty parts (leading, trailing and doubled separators).
QStringList SplitPath(const QString& path);

// The key at the path below root, or null.
const Key* FindKey(const Key& root, const QStringList& path);
Key* FindKey(Key& root, const QStringList& path);
// The key at the path, created with its missing parents.
Key& MakeKey(Key& root, const QStringList& path);

}  // namespace reg
