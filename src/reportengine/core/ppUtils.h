// The engine's shared helpers: texts and lists, unique component names, lengths in lists, page lists,
// system variable texts and the variable kinds' event ids.
#pragma once

#include "platform/rtl/Clock.h"
#include "reportengine/core/ppTypes.h"
#include "reportengine/core/ppUtilsUnits.h"

#include <QString>

namespace reportengine {
class EngineObject;
class EngineComponent;
}  // namespace reportengine
class TMemoryStream;
class TStrings;

// Locale-aware equality without regard to case: every by-name lookup of the engine uses it.
bool TextEqualsIgnoreCase(const QString& a, const QString& b);
// Clears the list and adds the parts between commas; an empty last part is not added.
void SplitCommaText(const QString& text, TStrings& list);
QString RemoveCharFromText(QChar character, const QString& text);
// The part up to and including the last "/"; empty when there is none.
QString ExtractPathWithSlash(const QString& fileName);
// Clears the stream and writes the list's text, every line followed by CR LF; nothing when either is missing.
void StringsToStream(const TStrings* list, TMemoryStream* stream);
// Cut to length, or padded with blanks: alignment 0 behind, 1 in front, 2 half (rounded down) in front.
QString PadToLength(const QString& text, int length, int alignment);
// The first "." of every line becomes the locale's decimal separator.
void LocalizeDecimalSeparators(TStrings& list);
// The locale's date-time conversion; raises EConvertError for a text it cannot read.
TDateTime TextToDateTime(const QString& text);
reportengine::Rect MakeRect(qint32 left, qint32 top, qint32 right, qint32 bottom);

struct TppStrUtils {
    static QString LeftStr(const QString& text, int count) { return text.left(qMax(count, 0)); }
};

struct TppMath {
    static qint32 Max(qint32 a, qint32 b) { return a > b ? a : b; }
};

// The class name without its first character ("TppLabel" gives "ppLabel"): the stem of component names.
QString ClassNameWithoutT(const reportengine::EngineObject* component);
// The class name from its fourth character ("TppLabel" gives "Label"): the stem of user names.
QString ClassNameWithoutPrefix(const reportengine::EngineObject* component);
// The stem followed by the smallest number from 1 up that no other component of the container of the
// component's class (or one derived from it) carries after the same stem; the stem itself without a container.
QString GetUniqueComponentName(const reportengine::EngineComponent* container, const QString& stem,
                               const reportengine::EngineComponent* component);

// The factor that fits a width x height picture into a box keeping its proportions; 0 for a picture
// without area.
float ScaleToFit(qint32 width, qint32 height, qint32 boxWidth, qint32 boxHeight);
// Every line read as thousandths of a millimetre (not a number: 0) and written back in the unit, with at
// most 7 significant digits.
void MMThousandthsListToUnits(TStrings& list, TppUnitType unit, int axis,
                              const reportengine::PrinterResolution* printer);
// Every line read as a length in the unit (not a number: 0) and written back in thousandths of a millimetre.
void UnitsListToMMThousandths(TStrings& list, TppUnitType unit, int axis,
                              const reportengine::PrinterResolution* printer);
TppVarType CalcTypeToVarType(TppCalcType calcType);
// The engine event on which a variable of that kind calculates or resets.
qint32 EventIdForVariableType(TppVarEventType eventType);

// The page numbers of a text such as "1,3,5-12", each right-aligned in 8 characters (without the blanks when
// trim), once each, in numeric order. Raises EConvertError for a number beyond 32 bits and for a list of
// more pages than any report prints.
void ParsePageList(const QString& text, TStrings& list, bool trim);

// The text of a system variable; page number and count count as 1 without values. A document name leaves
// the text as the caller set it.
void SystemVariableText(TppVarType variableType, qint32 pageNo, qint32 pageCount, TDateTime printDateTime,
                        bool haveValues, QString& text);
void GetSystemVariableText(TppVarType variableType, qint32 pageNo, qint32 pageCount, TDateTime printDateTime,
                           bool haveValues, QString& text);

namespace reportengine {

// The most page numbers a page list may name.
inline constexpr int kMaxListedPages = 100000;

}  // namespace reportengine
