// The recent-file list's entries and their registry values.
#include "util/DvMru.h"

#include "platform/ui/Menus.h"
#include "util/core/DvRegistry.h"
#include "util/core/VersionHistory.h"

namespace {

bool HasPrefix(const QString& valueName, const QString& prefix) {
    return valueName.toLower().startsWith(prefix.toLower());
}

// The first entry equal to name in any letter case, -1 when none.
int IndexOfName(const QStringList& files, const QString& name) {
    for (int i = 0; i < files.size(); ++i)
        if (files[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

}  // namespace

QStringList TDvMru::Captions() const {
    if (files_.isEmpty()) return {QStringLiteral("(Empty)")};
    QStringList captions;
    for (int i = 0; i < files_.size(); ++i) captions << u'&' + QString::number(i + 1) + u' ' + files_[i];
    return captions;
}

void TDvMru::SetMenuItem(TMenuItem* menuItem) {
    menuItem_ = menuItem;
    if (menuItem_ && menuItem_->Count() == 0) ShowEntries();
}

void TDvMru::ShowEntries() {
    menuItem_->Clear();
    for (const QString& caption : Captions()) {
        auto* item = new TMenuItem(nullptr);
        item->SetCaption(caption);
        if (files_.isEmpty()) item->SetEnabled(false);
        else item->OnClick = [this](QObject* sender) { ui::Fire(OnClick, sender); };
        menuItem_->Add(item);
    }
}

void TDvMru::SetMaxItems(int maxItems) {
    if (maxItems < 0) return;
    maxItems_ = maxItems;
    if (!menuItem_) return;
    while (files_.size() > maxItems_) files_.removeLast();
    ShowEntries();
}

void TDvMru::AddFile(const QString& fileName) {
    if (!menuItem_) return;
    const QString name = fileName.trimmed();
    // A list that may hold no entry stays empty; a blank name is no file.
    if (maxItems_ == 0 || name.isEmpty()) return;
    const int found = IndexOfName(files_, name);
    if (found >= 0) files_.removeAt(found);
    else if (files_.size() >= maxItems_) files_.removeLast();
    files_.prepend(name);
    ShowEntries();
}

void TDvMru::RemoveFile(const QString& fileName) {
    if (!menuItem_) return;
    const int found = IndexOfName(files_, fileName.trimmed());
    if (found < 0) return;
    files_.removeAt(found);
    ShowEntries();
}

void TDvMru::Clear() {
    if (!menuItem_) return;
    files_.clear();
    ShowEntries();
}

QString TDvMru::GetFileName(int index) const { return files_.value(index); }

void TDvMru::LoadFromRegistry(const QString& key, const QString& prefix) {
    if (!menuItem_) return;
    Clear();
    TDvRegistry reg(KEY_READ);
    if (!VersionHistory->OpenReadKey(reg, key)) return;
    QStringList names;
    reg.GetValueNames(names);
    for (auto it = names.crbegin(); it != names.crend(); ++it) {
        if (!HasPrefix(*it, prefix)) continue;
        const QString file = reg.ReadStringDefault(*it, QString());
        if (!file.isEmpty()) AddFile(file);
    }
}

void TDvMru::SaveToRegistry(const QString& key, const QString& prefix) const {
    if (!menuItem_) return;
    TDvRegistry reg;
    if (!VersionHistory->OpenWriteKey(reg, key)) return;
    QStringList names;
    reg.GetValueNames(names);
    for (const QString& name : names)
        if (HasPrefix(name, prefix)) reg.DeleteValue(name);
    for (int i = 0; i < files_.size(); ++i) reg.WriteString(prefix + QString::number(i), files_[i]);
}
