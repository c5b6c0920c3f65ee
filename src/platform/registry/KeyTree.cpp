// Lookup, insertion and removal in the registry key tree.
#include "platform/registry/KeyTree.h"

#include <algorithm>

namespace reg {

QString FoldName(const QString& name) { return name.toCaseFolded(); }

int Value::DataSize() const {
    switch (kind) {
        case REG_SZ:
        case REG_EXPAND_SZ: return int((text.size() + 1) * 2);
        case REG_DWORD: return 4;
        default: return int(bytes.size());
    }
}

bool Value::SameData(const Value& other) const {
    return kind == other.kind && text == other.text && number == other.number && bytes == other.bytes;
}

namespace {

template <typename Values>
auto FindValueIn(Values& values, const QString& valueName) {
    const QString folded = FoldName(valueName);
    return std::find_if(values.begin(), values.end(), [&](const Value& v) { return FoldName(v.name) == folded; });
}

// First subkey whose folded name is not less than the folded name sought.
template <typename Keys>
auto LowerBound(Keys& keys, const QString& folded) {
    return std::lower_bound(keys.begin(), keys.end(), folded,
                            [](const Key& k, const QString& f) { return FoldName(k.name) < f; });
}

template <typename Keys>
auto FindSubkeyIn(Keys& keys, const QString& keyName) {
    const QString folded = FoldName(keyName);
    auto it = LowerBound(keys, folded);
    return (it != keys.end() && FoldName(it->name) == folded) ? it : keys.end();
}

}  // namespace

const Value* Key::FindValue(const QString& valueName) const {
    auto it = FindValueIn(values, valueName);
    return it == values.end() ? nullptr : &*it;
}

void Key::SetValue(Value value) {
    auto it = FindValueIn(values, value.name);
    if (it == values.end()) {
        values.push_back(std::move(value));
        return;
    }
    value.name = it->name;
    *it = std::move(value);
}

bool Key::RemoveValue(const QString& valueName) {
    auto it = FindValueIn(values, valueName);
    if (it == values.end()) return false;
    values.erase(it);
    return true;
}

const Key* Key::FindSubkey(const QString& keyName) const {
    auto it = FindSubkeyIn(subkeys, keyName);
    return it == subkeys.end() ? nullptr : &*it;
}

Key* Key::FindSubkey(const QString& keyName) {
    auto it = FindSubkeyIn(subkeys, keyName);
    return it == subkeys.end() ? nullptr : &*it;
}

Key& Key::AddSubkey(const QString& keyName) {
    const QString folded = FoldName(keyName);
    auto it = LowerBound(subkeys, folded);
    if (it != subkeys.end() && FoldName(it->name) == folded) return *it;
    Key key;
    key.name = keyName;
    return *subkeys.insert(it, std::move(key));
}

bool Key::RemoveSubkey(const QString& keyName) {
    auto it = FindSubkeyIn(subkeys, keyName);
    if (it == subkeys.end()) return false;
    subkeys.erase(it);
    return true;
}

QStringList SplitPath(const QString& path) { return path.split(u'\\', Qt::SkipEmptyParts); }

const Key* FindKey(const Key& root, const QStringList& path) {
    const Key* key = &root;
    for (const QString& part : path) {
        key = key->FindSubkey(part);
        if (!key) return nullptr;
    }
    return key;
}

Key* FindKey(Key& root, const QStringList& path) {
    return const_cast<Key*>(FindKey(static_cast<const Key&>(root), path));
}

Key& MakeKey(Key& root, const QStringList& path) {
    Key* key = &root;
    for (const QString& part : path) key = &key->AddSubkey(part);
    return *key;
}

}  // namespace reg
