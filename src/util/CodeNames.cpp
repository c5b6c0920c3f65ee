// Code-to-text tables.
#include "util/CodeNames.h"

#include "platform/rtl/FormatSettings.h"

#include <utility>

QString HistoryCodeName(quint8 code) {
    static const std::pair<quint8, const char*> names[] = {{0, ""},
                                                           {1, "Created"},
                                                           {2, "Modified"},
                                                           {3, "Deleted"},
                                                           {4, "Imported"},
                                                           {5, "Deleted"},
                                                           {6, "Email"},
                                                           {7, "Created"},
                                                           {8, "Modified"},
                                                           {9, "Deleted"},
                                                           {10, "Database Purged"},
                                                           {11, "Database Checked"},
                                                           {12, "Database Compacted"},
                                                           {20, "Error"},
                                                           {30, "Task Attach"},
                                                           {41, "Tavorin email"},
                                                           {42, "Mapi email"}};
    for (const auto& [value, name] : names)
        if (value == code) return QString::fromLatin1(name);
    return QStringLiteral("Unknown");
}

QString OpenModeName(quint32 mode) {
    switch (mode) {
        case 0: return QStringLiteral("ShareModeExclusive");
        case 1: return QStringLiteral("ShareModeReadOnly");
        case 2: return QStringLiteral("ShareModeWrite");
        case 3: return QStringLiteral("ShareModeReadWrite");
        case 4: return QStringLiteral("ShareModeDenyRead");
        case 8: return QStringLiteral("ShareModeDenyWrite");
        case 16: return QStringLiteral("ShareModeDenyNone");
        default: return QStringLiteral("Unknown");
    }
}

QString LockingModeName(qint32 mode) {
    switch (mode) {
        case 0: return QStringLiteral("Page");
        case 1: return QStringLiteral("Row");
        default: return QStringLiteral("Unknown");
    }
}

int ParseClientFilterMatch(const QString& text) {
    const QString lower = text.toLower();
    if (lower == QLatin1String("match anywhere")) return 3;
    if (lower == QLatin1String("exact match")) return 1;
    return 2;
}

QString ClientFilterMatchName(int mode) {
    switch (mode) {
        case 3: return QStringLiteral("Match Anywhere");
        case 1: return QStringLiteral("Exact Match");
        default: return QStringLiteral("Match at beginning");
    }
}

// The locale numbers the days 0 = Monday to 6 = Sunday.
int LocaleFirstDayOfWeek() { return FormatSettings.FirstDayOfWeek == 0 ? 1 : 7; }
