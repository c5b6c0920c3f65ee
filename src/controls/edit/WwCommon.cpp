// Small utilities shared by the control library.
#include "controls/edit/WwCommon.h"

#include "controls/edit/WwStrings.h"
#include "platform/rtl/StringList.h"

int IndexOfTextNoCase(const TStrings& lines, const QString& text) {
    for (int i = 0; i < lines.Count(); ++i)
        if (lines[i].compare(text, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

QString ListToPChar(const TStrings& lines, bool blankSeparator) {
    return lines.ToStringList().join(blankSeparator ? QStringLiteral(" ") : QStringLiteral("\r\n"));
}

QString FindFieldByDisplayLabel(const TDataSet& dataSet, const QString& label) {
    const QString wanted = ReplaceChar(label, u'~', u' ');
    for (int i = 0; i < dataSet.Fields().Count(); ++i) {
        const TField* field = dataSet.Fields()[i];
        if (ReplaceChar(field->DisplayLabel(), u'~', u' ').compare(wanted, Qt::CaseInsensitive) == 0)
            return field->FieldName();
    }
    return {};
}

int DataSetCompareBookmarks(const TDataSet& dataSet, const TBookmark& a, const TBookmark& b) {
    return dataSet.CompareBookmarks(a, b);
}

bool DataSetHasField(const TDataSet* dataSet, const QString& name) {
    if (!dataSet) return false;
    const QString wanted = controls::AsciiUpper(name);
    for (int i = 0; i < dataSet->Fields().Count(); ++i)
        if (controls::AsciiUpper(dataSet->Fields()[i]->FieldName()) == wanted) return true;
    return false;
}
