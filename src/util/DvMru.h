// TDvMru: the most-recently-used file list, shown as numbered menu items and kept as registry values.
#pragma once

#include "platform/rtl/Component.h"
#include "platform/ui/Events.h"
#include "platform/ui/Menus.h"

#include <QPointer>
#include <QString>
#include <QStringList>

// Every operation does nothing until MenuItem is set.
class TDvMru : public TComponent {
public:
    explicit TDvMru(QObject* owner) : TComponent(owner) {}

    // The menu item whose sub-items are the list; it gets "(Empty)" when it has none.
    TMenuItem* MenuItem() const { return menuItem_; }
    void SetMenuItem(TMenuItem* menuItem);
    // Runs with the clicked sub-item as sender.
    TNotifyEvent OnClick;

    // The captions the menu shows: "&1 name", "&2 name", ... or the disabled placeholder "(Empty)".
    QStringList Captions() const;
    bool IsEmpty() const { return files_.isEmpty(); }
    int Count() const { return int(files_.size()); }

    int MaxItems() const { return maxItems_; }
    // Drops entries from the end down to the new maximum; a negative value is ignored.
    void SetMaxItems(int maxItems);

    // Puts the trimmed name on top; a name listed already in any letter case moves there, as now given.
    void AddFile(const QString& fileName);
    // Removes the first entry of that name (trimmed, in any letter case).
    void RemoveFile(const QString& fileName);
    void Clear();
    // The file name of the entry at a 0-based index.
    QString GetFileName(int index) const;

    // The values prefix + 0, 1, ... of the subkey of the version key; the first value ends on top.
    void LoadFromRegistry(const QString& key, const QString& prefix);
    // Replaces every value with the prefix by the list, the top entry as prefix + 0.
    void SaveToRegistry(const QString& key, const QString& prefix) const;

private:
    // Rebuilds the sub-items from the entries.
    void ShowEntries();

    QPointer<TMenuItem> menuItem_;
    QStringList files_;
    int maxItems_ = 5;
};
