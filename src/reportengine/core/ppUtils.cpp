// The engine's text, list, name, page-list and system-variable helpers.
#include "reportengine/core/ppUtils.h"

#include "platform/rtl/DateTimeFormat.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/NumberParse.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/StringList.h"
#include "reportengine/core/EngineComponent.h"
#include "reportengine/core/ppTypesTexts.h"

#include <QSet>
#include <algorithm>
#include <cmath>

namespace {

// Ordering keys of the engine: integers right-aligned in 8 characters sort as text in numeric order.
QString OrderingKey(qint64 number) { return QStringLiteral("%1").arg(number, 8); }

}  // namespace

bool TextEqualsIgnoreCase(const QString& a, const QString& b) {
    return QString::localeAwareCompare(a.toCaseFolded(), b.toCaseFolded()) == 0;
}

void SplitCommaText(const QString& text, TStrings& list) {
    list.Clear();
    QStringList parts = text.split(u',');
    if (parts.last().isEmpty()) parts.removeLast();
    for (const QString& part : parts) list.Add(part);
}

QString RemoveCharFromText(QChar character, const QString& text) {
    QString result = text;
    result.remove(character);
    return result;
}

QString ExtractPathWithSlash(const QString& fileName) { return fileName.left(fileName.lastIndexOf(u'/') + 1); }

void StringsToStream(const TStrings* list, TMemoryStream* stream) {
    if (!list || !stream) return;
    stream->Clear();
    const QByteArray bytes = list->Text().toUtf8();
    stream->WriteBuffer(bytes.constData(), bytes.size());
}

QString PadToLength(const QString& text, int length, int alignment) {
    if (text.size() >= length) return text.left(qMax(length, 0));
    const int blanks = length - int(text.size());
    switch (alignment) {
        case 1: return QString(blanks, u' ') + text;
        case 2: return QString(blanks / 2, u' ') + text + QString(blanks - blanks / 2, u' ');
        default: return text + QString(blanks, u' ');
    }
}

void LocalizeDecimalSeparators(TStrings& list) {
    for (int i = 0; i < list.Count(); ++i) {
        QString line = list.Get(i);
        const qsizetype dot = line.indexOf(u'.');
        if (dot < 0) continue;
        line[dot] = FormatSettings.DecimalSeparator;
        list.Put(i, line);
    }
}

TDateTime TextToDateTime(const QString& text) { return StrToDateTime(text); }

reportengine::Rect MakeRect(qint32 left, qint32 top, qint32 right, qint32 bottom) { return {left, top, right, bottom}; }

QString ClassNameWithoutT(const reportengine::EngineObject* component) { return component->ClassName().mid(1); }

QString ClassNameWithoutPrefix(const reportengine::EngineObject* component) { return component->ClassName().mid(3); }

QString GetUniqueComponentName(const reportengine::EngineComponent* container, const QString& stem,
                               const reportengine::EngineComponent* component) {
    if (!container) return stem;
    TStringList used;
    used.SetSorted(true);
    used.Duplicates = dupIgnore;
    for (int i = 0; i < container->ComponentCount(); ++i) {
        const reportengine::EngineComponent* other = container->Components(i);
        if (other == component) continue;
        if (component && !other->InheritsFrom(component->ClassType())) continue;
        const QString name = other->Name();
        if (!name.startsWith(stem)) continue;
        int number = 0;
        if (TryStrToInt(name.mid(stem.size()), number) && number > 0) used.Add(OrderingKey(number));
    }
    int free = used.Count() + 1;
    for (int i = 0; i < used.Count(); ++i) {
        if (used.Get(i) != OrderingKey(i + 1)) {
            free = i + 1;
            break;
        }
    }
    return stem + QString::number(free);
}

float ScaleToFit(qint32 width, qint32 height, qint32 boxWidth, qint32 boxHeight) {
    if (width <= 0 || height <= 0) return 0;
    return float(std::min(double(boxWidth) / width, double(boxHeight) / height));
}

void MMThousandthsListToUnits(TStrings& list, TppUnitType unit, int axis,
                              const reportengine::PrinterResolution* printer) {
    for (int i = 0; i < list.Count(); ++i) {
        const float value = ConvertFromMMThousandths(StrToIntDef(list.Get(i), 0), unit, axis, printer);
        list.Put(i, FloatToStrF(value, ffGeneral, 7, 0));
    }
}

void UnitsListToMMThousandths(TStrings& list, TppUnitType unit, int axis,
                              const reportengine::PrinterResolution* printer) {
    for (int i = 0; i < list.Count(); ++i) {
        const double value = StrToFloatDef(list.Get(i), 0);
        list.Put(i, IntToStr(ConvertToMMThousandths(unit, axis, printer, float(value))));
    }
}

TppVarType CalcTypeToVarType(TppCalcType calcType) {
    switch (calcType) {
        case ctDateTime: return vtDateTime;
        case ctPrintDateTime: return vtPrintDateTime;
        case ctPageCount: return vtPageCount;
        case ctPageSet: return vtPageSet;
        case ctPageSetDesc: return vtPageSetDesc;
        case ctPageNo: return vtPageNo;
        case ctPageNoDesc: return vtPageNoDesc;
        case ctTime: return vtTime;
        default: return vtDate;
    }
}

qint32 EventIdForVariableType(TppVarEventType eventType) {
    switch (eventType) {
        case veDataPipelineTraversal: return 39;
        case vePageStart: return 21;
        case vePageEnd: return 17;
        case veColumnStart: return 19;
        case veColumnEnd: return 15;
        case veReportStart: return 13;
        case veReportEnd: return 14;
        case veGroupStart: return 28;
        case veGroupEnd: return 27;
        case veGroupBeforeHeader: return 29;
        case veGroupBeforeFooter: return 30;
        default: return 35;
    }
}

void ParsePageList(const QString& text, TStrings& list, bool trim) {
    list.Clear();
    QSet<qint64> listed;
    const auto addPage = [&list, &listed, &text](qint64 page) {
        if (listed.contains(page)) return;
        // A range typed by mistake (1-999999999) must not exhaust the memory of the program.
        if (list.Count() >= reportengine::kMaxListedPages) {
            throw EConvertError(QStringLiteral("The page list \"%1\" names more than %2 pages.")
                                    .arg(text)
                                    .arg(reportengine::kMaxListedPages));
        }
        listed.insert(page);
        list.Add(OrderingKey(page));
    };
    QString digits;
    qint64 rangeStart = 0;
    bool haveRangeStart = false;
    bool rangeOpen = false;
    const auto endNumber = [&] {
        if (digits.isEmpty()) return;
        const qint32 number = StrToInt(digits);
        digits.clear();
        addPage(number);
        if (rangeOpen) {
            for (qint64 page = rangeStart; page <= qint64(number) - 1; ++page) addPage(page);
            haveRangeStart = false;
            rangeOpen = false;
        } else {
            rangeStart = qint64(number) + 1;
            haveRangeStart = true;
        }
    };
    for (QChar c : text) {
        if (c >= u'0' && c <= u'9') {
            digits += c;
            continue;
        }
        endNumber();
        if (c == u'-' && haveRangeStart) rangeOpen = true;
    }
    endNumber();
    if (TStringList* sortable = dynamic_cast<TStringList*>(&list)) {
        sortable->Sort();
    } else {
        QStringList lines = list.ToStringList();
        lines.sort();
        list.SetStrings(lines);
    }
    if (trim) {
        for (int i = 0; i < list.Count(); ++i) list.Put(i, list.Get(i).trimmed());
    }
}

void SystemVariableText(TppVarType variableType, qint32 pageNo, qint32 pageCount, TDateTime printDateTime,
                        bool haveValues, QString& text) {
    const QString n = QString::number(haveValues ? pageNo : 1);
    const QString m = QString::number(haveValues ? pageCount : 1);
    const TDateTime now = rtl::CurrentClock().Now();
    switch (variableType) {
        case vtDate: text = DateToStr(DateOf(now)); break;
        case vtDateTime: text = DateTimeToStr(now); break;
        case vtDocumentName: break;
        case vtPrintDateTime: text = DateTimeToStr(haveValues ? printDateTime : now); break;
        case vtPageCount: text = m; break;
        case vtPageSet: text = n + u' ' + EngineText(16) + u' ' + m; break;
        case vtPageSetDesc: text = EngineText(18) + u' ' + n + u' ' + EngineText(16) + u' ' + m; break;
        case vtPageNo: text = n; break;
        case vtPageNoDesc: text = EngineText(18) + u' ' + n; break;
        case vtTime: text = TimeToStr(TimeOf(now)); break;
    }
}

void GetSystemVariableText(TppVarType variableType, qint32 pageNo, qint32 pageCount, TDateTime printDateTime,
                           bool haveValues, QString& text) {
    SystemVariableText(variableType, pageNo, pageCount, printDateTime, haveValues, text);
}
