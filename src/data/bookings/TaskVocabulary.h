// The names of task statuses and priorities, as lists show them and history texts write them.
#pragma once

#include <QString>
#include <QStringList>
#include <array>

// One entry of a task vocabulary: the stored value and its name in lists and combo boxes.
struct TTaskValueName {
    int Value;
    const char* Name;
};

inline constexpr std::array<TTaskValueName, 5> TaskStatuses{{
    {0, "Not Started"},
    {1, "In Progress"},
    {2, "Completed"},
    {3, "Waiting"},
    {4, "Deferred"},
}};

inline constexpr std::array<TTaskValueName, 4> TaskPriorities{{
    {1, "Urgent"},
    {2, "High"},
    {3, "Normal"},
    {4, "Low"},
}};

// The status as history texts write it; "Unknown" for a value outside the table.
QString TaskStatusName(int status);
// The priority's name; empty for a value outside the table.
QString TaskPriorityName(int priority);

namespace data {

// The items of a mapped combo box over a vocabulary: name, a tab and the value ("Urgent\t1"), in table order,
// so the box shows the name and stores the number.
QStringList TaskStatusComboItems();
QStringList TaskPriorityComboItems();

}  // namespace data
