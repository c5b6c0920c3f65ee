// Which per-user key is read and which is written.
#include "util/core/VersionHistory.h"

std::unique_ptr<TApplicationVersionHistory> VersionHistory;

namespace {

bool KeyExists(const QString& key) {
    TRegistry reg(KEY_READ);
    return reg.KeyExists(key);
}

QString SubKeyPath(const QString& key, const QString& subKey) {
    const QString sub = subKey.split(u'\\', Qt::SkipEmptyParts).join(u'\\');
    return sub.isEmpty() ? key : key + u'\\' + sub;
}

}  // namespace

QString TApplicationVersionHistory::ReadKey() const {
    const QString current = GetCurrentKey();
    if (readKey_ != current && !current.isEmpty() && KeyExists(current)) readKey_ = current;
    return readKey_;
}

QString TApplicationVersionHistory::GetCurrentKey() const { return keys_.isEmpty() ? QString() : keys_.first(); }

void TApplicationVersionHistory::FindExistingKey() {
    readKey_.clear();
    for (const QString& key : keys_) {
        if (KeyExists(key)) {
            readKey_ = key;
            return;
        }
    }
}

bool TApplicationVersionHistory::OpenReadKey(TRegistry& reg, const QString& subKey) const {
    const QString key = ReadKey();
    if (key.isEmpty()) return false;
    reg.SetRootKey(HKEY_CURRENT_USER);
    return reg.OpenKeyReadOnly(SubKeyPath(key, subKey));
}

bool TApplicationVersionHistory::OpenWriteKey(TRegistry& reg, const QString& subKey) const {
    const QString key = GetCurrentKey();
    if (key.isEmpty()) return false;
    reg.SetRootKey(HKEY_CURRENT_USER);
    const QString readKey = ReadKey();
    if (!readKey.isEmpty() && readKey != key) reg.MoveKey(readKey, key, false);
    return reg.OpenKey(SubKeyPath(key, subKey), true);
}

void CreateVersionHistory() {
    VersionHistory = std::make_unique<TApplicationVersionHistory>();
    VersionHistory->Keys() << QStringLiteral("\\Software\\Dulvex\\Tavorin\\7.0")
                           << QStringLiteral("\\Software\\Dulvex\\Tavorin\\6.0")
                           << QStringLiteral("\\Software\\Dulvex\\Ranvel\\6.0")
                           << QStringLiteral("\\Software\\Dulvex\\Ranvel\\5.0");
    VersionHistory->FindExistingKey();
}
