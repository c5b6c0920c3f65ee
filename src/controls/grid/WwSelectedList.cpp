// Reading and rewriting the parts of Selected lines.
#include "controls/grid/WwSelectedList.h"

#include "controls/edit/WwFieldLists.h"
#include "controls/edit/WwStrings.h"
#include "platform/rtl/StringList.h"

#include <array>

namespace controls {

namespace {

const QString kTabText = QStringLiteral("\t");

}  // namespace

QString SelectedLinePart(const QString& line, SelectedPart part) {
    int position = 1;
    QString token;
    for (int i = 0; i <= static_cast<int>(part); ++i) {
        if (position <= 0) {
            token.clear();
            break;
        }
        token = GetToken(line, kTabText, position);
    }
    if (part == SelectedPart::ReadOnly && token.isEmpty()) return QStringLiteral("F");
    return token;
}

QString GetSelectedPart(const TStrings& selected, const QString& fieldName, SelectedPart part) {
    int index = -1;
    return SelectedLinePart(FindSelectedLine(selected, fieldName, index) ? selected.Strings(index) : QString(), part);
}

void SetSelectedLinePart(TStrings& selected, int index, SelectedPart part, const QString& value) {
    const QString line = selected.Strings(index);
    std::array<QString, 5> parts;
    for (int i = 0; i < 5; ++i) parts[i] = SelectedLinePart(line, static_cast<SelectedPart>(i));
    parts[static_cast<int>(part)] = value;
    QString rebuilt = parts[0] + kTabText + parts[1] + kTabText + parts[2] + kTabText + parts[3];
    if (!parts[4].isEmpty()) rebuilt += kTabText + parts[4];
    selected.Put(index, rebuilt);
}

void SetSelectedPart(TStrings& selected, const QString& fieldName, SelectedPart part, const QString& value) {
    int index = -1;
    if (FindSelectedLine(selected, fieldName, index)) SetSelectedLinePart(selected, index, part, value);
}

bool IsSelectedLineReadOnly(const QString& line) { return SelectedLinePart(line, SelectedPart::ReadOnly) == "T"; }

}  // namespace controls
