// The engine's numbered texts, the program's own table of them and their placeholders.
#include "reportengine/core/ppTypesTexts.h"

#include "reportengine/core/ppTypesResourceManager.h"

#include <QHash>
#include <array>

namespace {

struct EngineTableEntry {
    qint32 n;
    const char* text;
};

// The program's texts by n (resource id 43000 + n); the numbers missing here have no text.
constexpr EngineTableEntry kEngineTable[] = {
    {1, "100 %"},
    {2, "Accessing data..."},
    {3, "&All"},
    {4, "Calculating page <page> for report <documentname>"},
    {5, "Cancel"},
    {6, "Close"},
    {7, "Copies"},
    {8, "There are no printers connected to your computer."},
    {9, "Curr&ent Page"},
    {10, "Drawing page <page> of <pagecount> for report <documentname>"},
    {11, "Enter page numbers and/or page ranges separated by commas.  For example, 1,3,5-12."},
    {12, "Report Emulation Text File"},
    {13, "First Page"},
    {14, "Last Page"},
    {15, "Next Page"},
    {16, "of"},
    {17, "OK"},
    {18, "Page"},
    {19, "Page Range"},
    {20, "Pa&ges"},
    {22, "Print"},
    {23, "Print Preview"},
    {24, "Printing"},
    {25, "Printer"},
    {26, "Print to File"},
    {27, "Printing page <page> for report <documentname> on the <printername>"},
    {28, "Printing page <page> of <pagecount> for report <documentname> on the <printername>"},
    {29, "Prior Page"},
    {30, "Whole Page"},
    {31, "Page Width"},
    {32, "No pages entered."},
    {33, "Please specify file name before continuing."},
    {34, "Archive File"},
    {37, "Text File"},
    {38, "As"},
    {39, "Name"},
    {40, "Could not open DataSet."},
    {42, "Unable to convert position for column <columnno>."},
    {43, "Unable to find position for column <columnno>."},
    {44, "Band height cannot exceed page height."},
    {45, "Record not found:"},
    {46, "File not found:"},
    {47, "Error reading template from database."},
    {49, "Invalid Template Format"},
    {50, "Ignore the error and continue?"},
    {51, "File is read-only."},
    {53, "Cannot store a template to a field of this type."},
    {54, "Show all data where the"},
    {55, "and the"},
    {56, "is not a valid date."},
    {57, "is not a valid time."},
    {58, "is not a valid datetime."},
    {59, "is not a valid number."},
    {60, "Value must be either True or False."},
    {61, "Search value must be entered."},
    {62, "and"},
    {63, "Add to list"},
    {64, "Remove from list"},
    {65, "Search"},
    {66, "indicates that this search value must be entered."},
    {67, "Unable to open file: <filename>."},
    {68, "(blank)"},
    {69, "Calculating Crosstab: Record <count>."},
    {70, "Total"},
    {71, "Data"},
    {72, "Grand Total"},
    {73, "CrossTab: <name> references field '<name>'"},
    {74, "which is not a field of data pipeline: <name>."},
    {75, "Subtotal"},
    {76, "Formatting CrossTab: Compute cell heights and widths."},
    {77, "Formatting CrossTab Values: Compute cell heights and widths."},
    {78, "Formatting CrossTab Values: Compute cell heights and widths. Column: <count> Row: <count>"},
    {79, "Formatting CrossTab Rows: Compute caption text sizes."},
    {80, "Formatting CrossTab Rows: Coalesce caption heights."},
    {81, "Formatting CrossTab Rows: Allocate caption heights."},
    {82, "Formatting CrossTab Rows: Adjust total row heights."},
    {83, "Formatting CrossTab Rows: Allocate caption widths."},
    {84, "Formatting CrossTab Columns: Compute caption text sizes."},
    {85, "Formatting CrossTab Columns: Coalesce caption widths."},
    {86, "Formatting CrossTab Columns: Coalesce caption heights."},
    {87, "Formatting CrossTab Columns: Allocate caption widths."},
    {88, "Formatting CrossTab Columns: Adjust total column heights."},
    {89, "Formatting CrossTab Columns: Position field labels."},
    {90, "Formatting CrossTab Values: Position field labels."},
    {91, "Formatting CrossTab Values: Allocate caption heights."},
    {92, "is"},
    {93, "is equal to"},
    {94, "is not"},
    {95, "is not equal to"},
    {96, "is before"},
    {97, "is less than"},
    {98, "is on or before"},
    {99, "is less than or equal to"},
    {100, "is after"},
    {1000, "is greater than"},
    {1001, "is on or after"},
    {1002, "is greater than or equal to"},
    {1003, "begins with"},
    {1004, "does not begin with"},
    {1005, "is between"},
    {1006, "is not between"},
    {1007, "matches one of the values in this list"},
    {1008, "is blank"},
    {1009, "is not blank"},
    {1010, "&Name"},
    {1011, "Type"},
    {1012, "Where"},
    {1013, "&Properties"},
    {1014, "Number of &copies"},
    {1015, "Colla&te"},
    {1016, "P&rint"},
    {1017, "All pages in range"},
    {1018, "Odd pages"},
    {1019, "Even pages"},
    {1020, "Windows cannot print due to a problem with the current printer setup."},
    {1021, "Search Data"},
    {1022, "No bands for this report."},
    {1023, "Cannot generate report."},
    {1024, "Invalid Value"},
    {1025, "Move Tab &Left"},
    {1026, "Move Tab &Right"},
    {1027, "does not match any of the values in this list"},
    {1028, "Count"},
    {1029, "Sum"},
    {1030, "Minimum"},
    {1031, "Maximum"},
    {1032, "Average"},
    {1033, "Show all values of the <name> field."},
    {1034, "No Data Found"},
    {1035, "No data found for this report."},
    {1036, "has any value."},
    {1040, "Main"},
    {1041, "Hide Outline"},
    {1042, "Show Outline"},
    {1043, "Expand Outline"},
    {1044, "Collapse Outline"},
    {1045, "...more..."},
    {1046, "Done"},
    {1047, "Error"},
    {1048, "Found"},
    {1049, "Clear the search"},
    {1050, "Found Text From Page"},
    {1051, "Text Search Cancelled"},
    {1052, "Enter the text to find"},
    {1053, "Find text in the report"},
    {1054, "Show the Find Text Toolbar"},
    {1055, "Hide the Find Text Toolbar"},
    {1056, "Start Search on Current Page"},
    {1057, "Start Search on First Page"},
    {1058, "Find First"},
    {1059, "Find Last"},
    {1060, "Find Next"},
    {1061, "Find Prior"},
    {1062, "Show All"},
    {1063, "Case Sensitive"},
    {1064, "Whole Word"},
    {1065, "StartingPage"},
    {1066, "Enabled"},
    {1067, "Show the Find Text Toolbar"},
    {1068, "Default Find Text String"},
    {1069, "<FindText>"},
    {1070, "Error: Text Search Cancelled"},
    {1071, "Find"},
    {1072, "Find Text"},
    {1073, "Print in Background"},
};

// Treated in this order, so that "<page>" never eats the front of "<pagecount>".
constexpr std::array<const char*, 15> kEnginePlaceholders = {
    "<page>",     "<pagecount>",   "<documentname>", "<printername>", "<columnno>",
    "<filename>", "<minbarwidth>", "<maxbarwidth>",  "<character>",   "<identifier>",
    "<name>",     "<count>",       "<message>",      "<length>",      "<no>"};

constexpr std::array<const char*, 14> kLanguageExtensions = {"dft", "dan", "nld", "eng", "fra", "deu", "ita",
                                                             "ptb", "ptg", "esp", "esm", "sve", "nor", "cst"};

const QHash<qint32, QString>& EngineTableByN() {
    static const QHash<qint32, QString> table = [] {
        QHash<qint32, QString> texts;
        for (const EngineTableEntry& entry : kEngineTable) texts.insert(entry.n, QString::fromUtf8(entry.text));
        return texts;
    }();
    return table;
}

}  // namespace

namespace reportengine {

QString ProgramStringTableText(qint32 id) { return EngineTableByN().value(id - kEngineTextBase); }

}  // namespace reportengine

QString EngineText(qint32 n) { return GetResourceManager().GetString(reportengine::kEngineTextBase + n); }

QString EngineTextFormat(qint32 n, const QStringList& arguments) {
    const QString pattern = ExpandTextPlaceholders(EngineText(n));
    QString result;
    int next = 0;
    for (int i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == u'%' && i + 1 < pattern.size() && pattern[i + 1] == u's') {
            // A placeholder without an argument stays empty rather than failing the message it belongs to.
            if (next < arguments.size()) result += arguments[next];
            ++next;
            ++i;
        } else {
            result += pattern[i];
        }
    }
    return result;
}

QString ExpandTextPlaceholders(const QString& text) {
    QString result = text;
    for (const char* placeholder : kEnginePlaceholders) {
        const QString name = QString::fromLatin1(placeholder);
        for (int at = result.indexOf(name); at >= 0; at = result.indexOf(name)) {
            result.replace(at, name.size(), QStringLiteral("%s"));
        }
    }
    return result;
}

QString LanguageFileExtension(TppLanguageType language) {
    const int ordinal = int(language);
    return ordinal >= 0 && ordinal < int(kLanguageExtensions.size()) ? QString::fromLatin1(kLanguageExtensions[ordinal])
                                                                     : QString();
}
