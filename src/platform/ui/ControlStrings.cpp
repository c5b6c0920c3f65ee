// String-list views of memo lines and combo and list box items.
#include "platform/ui/ControlStrings.h"

#include "platform/ui/LongLineTextEdit.h"

#include <QComboBox>
#include <QListWidget>
#include <algorithm>
#include <vector>

namespace ui {
namespace {
constexpr int kObjectRole = Qt::UserRole + 1;

QVariant ObjectData(void* object) { return QVariant::fromValue(reinterpret_cast<quintptr>(object)); }
void* DataObject(const QVariant& data) { return reinterpret_cast<void*>(data.value<quintptr>()); }
}  // namespace

QStringList MemoStrings::Lines() const {
    const QString text = edit_.Text();
    if (text.isEmpty()) return {};
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.last().isEmpty()) lines.removeLast();
    return lines;
}

void MemoStrings::SetLines(const QStringList& lines) {
    QString text = lines.join(QLatin1Char('\n'));
    // A final line break ends the last line when read back, so an empty last line needs one more.
    if (!lines.isEmpty() && lines.last().isEmpty()) text += QLatin1Char('\n');
    edit_.SetText(text);
}

int MemoStrings::Count() const { return int(Lines().size()); }

QString MemoStrings::Get(int index) const {
    const QStringList lines = Lines();
    if (index < 0 || index >= lines.size()) IndexError(index);
    return lines[index];
}

void MemoStrings::Put(int index, const QString& text) {
    QStringList lines = Lines();
    if (index < 0 || index >= lines.size()) IndexError(index);
    lines[index] = text;
    SetLines(lines);
}

void MemoStrings::Insert(int index, const QString& text) {
    QStringList lines = Lines();
    if (index < 0 || index > lines.size()) IndexError(index);
    lines.insert(index, text);
    SetLines(lines);
}

void MemoStrings::Delete(int index) {
    QStringList lines = Lines();
    if (index < 0 || index >= lines.size()) IndexError(index);
    lines.removeAt(index);
    SetLines(lines);
}

void MemoStrings::Clear() { edit_.clear(); }

int ComboStrings::Count() const { return combo_.count(); }

QString ComboStrings::Get(int index) const {
    CheckIndex(index, combo_.count());
    return combo_.itemText(index);
}

void ComboStrings::Put(int index, const QString& text) {
    CheckIndex(index, combo_.count());
    combo_.setItemText(index, text);
}

void* ComboStrings::GetObject(int index) const {
    CheckIndex(index, combo_.count());
    return DataObject(combo_.itemData(index, kObjectRole));
}

void ComboStrings::PutObject(int index, void* object) {
    CheckIndex(index, combo_.count());
    combo_.setItemData(index, ObjectData(object), kObjectRole);
}

void ComboStrings::Insert(int index, const QString& text) {
    CheckIndex(index, combo_.count() + 1);
    // Qt chooses the first item added to an empty box; the framework chooses nothing.
    const int current = combo_.currentIndex();
    const QString editText = combo_.currentText();
    combo_.insertItem(index, text);
    if (current < 0) {
        combo_.setCurrentIndex(-1);
        if (combo_.isEditable()) combo_.setEditText(editText);
    }
}

int ComboStrings::Add(const QString& text) {
    int index = combo_.count();
    if (sorted_) {
        index = 0;
        while (index < combo_.count() && CompareStrings(combo_.itemText(index), text) <= 0) ++index;
    }
    Insert(index, text);
    return index;
}

void ComboStrings::SetSorted(bool sorted) {
    sorted_ = sorted;
    if (!sorted) return;
    std::vector<std::pair<QString, void*>> items;
    for (int i = 0; i < Count(); ++i) items.emplace_back(Get(i), GetObject(i));
    std::stable_sort(items.begin(), items.end(),
                     [this](const auto& a, const auto& b) { return CompareStrings(a.first, b.first) < 0; });
    for (int i = 0; i < Count(); ++i) {
        Put(i, items[size_t(i)].first);
        PutObject(i, items[size_t(i)].second);
    }
}

void ComboStrings::Delete(int index) {
    CheckIndex(index, combo_.count());
    combo_.removeItem(index);
}

void ComboStrings::Clear() { combo_.clear(); }

int ListWidgetStrings::Count() const { return list_.count(); }

QString ListWidgetStrings::Get(int index) const {
    CheckIndex(index, list_.count());
    return list_.item(index)->text();
}

void ListWidgetStrings::Put(int index, const QString& text) {
    CheckIndex(index, list_.count());
    list_.item(index)->setText(text);
}

void* ListWidgetStrings::GetObject(int index) const {
    CheckIndex(index, list_.count());
    return DataObject(list_.item(index)->data(kObjectRole));
}

void ListWidgetStrings::PutObject(int index, void* object) {
    CheckIndex(index, list_.count());
    list_.item(index)->setData(kObjectRole, ObjectData(object));
}

void ListWidgetStrings::Insert(int index, const QString& text) {
    CheckIndex(index, list_.count() + 1);
    list_.insertItem(index, text);
    if (!checkable_) return;
    QListWidgetItem* item = list_.item(index);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
}

int ListWidgetStrings::Add(const QString& text) {
    int index = list_.count();
    if (sorted_) {
        index = 0;
        while (index < list_.count() && CompareStrings(list_.item(index)->text(), text) <= 0) ++index;
    }
    Insert(index, text);
    return index;
}

void ListWidgetStrings::SetSorted(bool sorted) {
    sorted_ = sorted;
    if (!sorted) return;
    std::vector<QListWidgetItem*> items;
    while (list_.count() > 0) items.push_back(list_.takeItem(0));
    std::stable_sort(items.begin(), items.end(),
                     [this](const auto* a, const auto* b) { return CompareStrings(a->text(), b->text()) < 0; });
    for (QListWidgetItem* item : items) list_.addItem(item);
}

void ListWidgetStrings::Delete(int index) {
    CheckIndex(index, list_.count());
    delete list_.takeItem(index);
}

void ListWidgetStrings::Clear() { list_.clear(); }

}  // namespace ui
