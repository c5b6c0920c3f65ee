// Task status and priority names and the combo box items built from them.
#include "data/bookings/TaskVocabulary.h"

namespace {

template <std::size_t N>
QString NameOf(const std::array<TTaskValueName, N>& table, int value) {
    for (const TTaskValueName& entry : table) {
        if (entry.Value == value) return QString::fromLatin1(entry.Name);
    }
    return {};
}

template <std::size_t N>
QStringList ComboItems(const std::array<TTaskValueName, N>& table) {
    QStringList items;
    for (const TTaskValueName& entry : table)
        items << QString::fromLatin1(entry.Name) + QLatin1Char('\t') + QString::number(entry.Value);
    return items;
}

}  // namespace

QString TaskStatusName(int status) {
    // History texts write the first status in sentence case, unlike the lists.
    if (status == 0) return QStringLiteral("Not started");
    const QString name = NameOf(TaskStatuses, status);
    return name.isEmpty() ? QStringLiteral("Unknown") : name;
}

QString TaskPriorityName(int priority) { return NameOf(TaskPriorities, priority); }

namespace data {

QStringList TaskStatusComboItems() { return ComboItems(TaskStatuses); }
QStringList TaskPriorityComboItems() { return ComboItems(TaskPriorities); }

}  // namespace data
