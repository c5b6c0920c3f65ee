// The report engine's shared vocabulary: its exception family, enumerated types with their stored names, the
// no-data behaviour set and the signatures of its published events.
#pragma once

#include "platform/rtl/Exceptions.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QtGlobal>
#include <functional>
#include <initializer_list>

namespace reportengine {
class EngineObject;
}  // namespace reportengine
class TStrings;
class TPicture;

// Every error the engine raises itself; the message names the class and the operation, then the reason.
TAVORIN_DECLARE_EXCEPTION(EVediduRizererError, Exception)
TAVORIN_DECLARE_EXCEPTION(EPrintError, EVediduRizererError)
TAVORIN_DECLARE_EXCEPTION(EDataError, EVediduRizererError)
TAVORIN_DECLARE_EXCEPTION(EDesignError, EVediduRizererError)
TAVORIN_DECLARE_EXCEPTION(EInvalidPropertyError, EVediduRizererError)
TAVORIN_DECLARE_EXCEPTION(ETemplateLoadError, EVediduRizererError)
TAVORIN_DECLARE_EXCEPTION(ETemplateSaveError, EVediduRizererError)
TAVORIN_DECLARE_EXCEPTION(EInvalidTemplateError, EVediduRizererError)
TAVORIN_DECLARE_EXCEPTION(EOutlineError, EVediduRizererError)
TAVORIN_DECLARE_EXCEPTION(EBackgroundPrintError, EVediduRizererError)
TAVORIN_DECLARE_EXCEPTION(EBackgroundPrintTimeoutError, EBackgroundPrintError)
TAVORIN_DECLARE_EXCEPTION(EParameterError, EVediduRizererError)

namespace reportengine {

// The value names of an enumerated type, in ordinal order; each type declared with REPORTENGINE_ENUM has one.
template <class E>
struct EnumNameList;

// Splits the stringized enumerator list of REPORTENGINE_ENUM into names.
QStringList SplitEnumNameList(const char* list);

}  // namespace reportengine

// Declares an enumerated type whose value names are stored in component streams: the names are the
// enumerators themselves, so the code and the file format cannot drift apart.
#define REPORTENGINE_ENUM(Type, ...)                        \
    enum Type { __VA_ARGS__ };                              \
    template <>                                             \
    struct reportengine::EnumNameList<Type> {               \
        static constexpr const char* kNames = #__VA_ARGS__; \
    };

REPORTENGINE_ENUM(TppCollationType, ctANSI, ctASCII)
REPORTENGINE_ENUM(TppBarCodeType, bcUPC_A, bcUPC_E, bcEAN_13, bcEAN_8, bcInt2of5, bcCode128, bcCode39, bcPostnet, bcFIM,
                  bcCodabar, bcMSI)
REPORTENGINE_ENUM(TppBarCodeOrientation, orLeftToRight, orRightToLeft, orTopToBottom, orBottomToTop)
REPORTENGINE_ENUM(TppBreakType, btDataField, btCustomField)
REPORTENGINE_ENUM(TppCalcType, ctDate, ctDateTime, ctPrintDateTime, ctPageCount, ctPageSet, ctPageSetDesc, ctPageNo,
                  ctPageNoDesc, ctTime, ctCustom)
REPORTENGINE_ENUM(TppDataType, dtBoolean, dtDate, dtTime, dtDateTime, dtInteger, dtSingle, dtDouble, dtExtended,
                  dtCurrency, dtChar, dtString, dtVariant, dtLongint, dtBLOB, dtMemo, dtGraphic, dtNotKnown, dtLargeInt)
REPORTENGINE_ENUM(TppDBCalcType, dcCount, dcSum, dcMinimum, dcMaximum, dcAverage)
REPORTENGINE_ENUM(TppDuplexType, dpNone, dpHorizontal, dpVertical)
REPORTENGINE_ENUM(TppFileType, ftComma, ftTab, ftFixedLength, ftCustom)
REPORTENGINE_ENUM(TppFormatType, ftBinary, ftASCII)
REPORTENGINE_ENUM(TppLanguageType, lgDefault, lgDanish, lgDutch, lgEnglish, lgFrench, lgGerman, lgItalian,
                  lgPortugueseBrazil, lgPortuguese, lgSpanish, lgSpanishMexico, lgSwedish, lgNorwegian, lgCustom)
REPORTENGINE_ENUM(TppLinePositionType, lpTop, lpBottom, lpLeft, lpRight)
REPORTENGINE_ENUM(TppLineStyleType, lsSingle, lsDouble)
REPORTENGINE_ENUM(TppNoDataBehaviorType, ndMessageDialog, ndMessageOnPage, ndBlankPage, ndBlankReport)
REPORTENGINE_ENUM(TppOutlineNodeType, ntRoot, ntReport, ntSubReport, ntGroup, ntPage, ntNoOutline, ntOther)
REPORTENGINE_ENUM(TppPageSettingType, psAll, psPageList, psSinglePage, psFirstPage, psLastPage, psPageRange)
REPORTENGINE_ENUM(TppPageRangeType, prAll, prOddPages, prEvenPages)
REPORTENGINE_ENUM(TppPassSettingType, psOnePass, psTwoPass)
REPORTENGINE_ENUM(TppPrintBehaviorType, pbChild, pbSection, pbFixed)
REPORTENGINE_ENUM(TppPrintHeightType, phStatic, phDynamic)
REPORTENGINE_ENUM(TppRangeBeginType, rbFirstRecord, rbLastRecord, rbCurrentRecord)
REPORTENGINE_ENUM(TppRangeEndType, reFirstRecord, reLastRecord, reCurrentRecord, reCount)
REPORTENGINE_ENUM(TppSaveToType, stDatabase, stFile)
REPORTENGINE_ENUM(TppSearchOperatorType, soEqual, soNotEqual, soLessThan, soLessThanOrEqualTo, soGreaterThan,
                  soGreaterThanOrEqualTo, soLike, soNotLike, soBetween, soNotBetween, soInList, soNotInList, soBlank,
                  soNotBlank)
REPORTENGINE_ENUM(TppSortOrderType, soAscending, soDescending)
REPORTENGINE_ENUM(TppUnitType, utScreenPixels, utInches, utMillimeters, utPrinterPixels, utMMThousandths)
REPORTENGINE_ENUM(TppVarEventType, veTraversal, veDataPipelineTraversal, vePageStart, vePageEnd, veColumnStart,
                  veColumnEnd, veReportStart, veReportEnd, veGroupStart, veGroupEnd, veGroupBeforeHeader,
                  veGroupBeforeFooter)
REPORTENGINE_ENUM(TppVarType, vtDate, vtDateTime, vtDocumentName, vtPrintDateTime, vtPageCount, vtPageSet,
                  vtPageSetDesc, vtPageNo, vtPageNoDesc, vtTime)
REPORTENGINE_ENUM(TppTextAlignment, taLeftJustified, taRightJustified, taCentered, taFullJustified)
REPORTENGINE_ENUM(TppZoomSettingType, zsWholePage, zsPageWidth, zs100Percent, zsPercentage)
REPORTENGINE_ENUM(TppVerticalScrollEventType, vsLineUp, vsLineDown, vsPageUp, vsPageDown, vsThumbPos, vsThumbTrack,
                  vsTop, vsBottom, vsEndScroll)
REPORTENGINE_ENUM(TppHorizontalScrollEventType, hsLineLeft, hsLineRight, hsPageLeft, hsPageRight, hsThumbPos,
                  hsThumbTrack, hsLeft, hsRight, hsEndScroll)

namespace reportengine {

// The names of a type's values, in ordinal order.
template <class E>
const QStringList& EnumNames() {
    static const QStringList names = SplitEnumNameList(EnumNameList<E>::kNames);
    return names;
}

// The stored name of a value; empty for an ordinal outside the type.
template <class E>
QString EnumName(E value) {
    const QStringList& names = EnumNames<E>();
    const int ordinal = int(value);
    return ordinal >= 0 && ordinal < names.size() ? names[ordinal] : QString();
}

// The value a stored name stands for, compared without regard to case as streams read them; false when the type
// has no such value.
template <class E>
bool EnumFromName(const QString& name, E& value) {
    const QStringList& names = EnumNames<E>();
    for (int i = 0; i < names.size(); ++i) {
        if (names[i].compare(name, Qt::CaseInsensitive) == 0) {
            value = E(i);
            return true;
        }
    }
    return false;
}

}  // namespace reportengine

// A set of no-data behaviours, stored as a bit set: bit i for the value of ordinal i.
class TppNoDataBehaviors {
public:
    constexpr TppNoDataBehaviors() = default;
    constexpr TppNoDataBehaviors(std::initializer_list<TppNoDataBehaviorType> values) {
        for (TppNoDataBehaviorType value : values) bits_ |= Bit(value);
    }
    static constexpr TppNoDataBehaviors FromBits(quint32 bits) {
        TppNoDataBehaviors set;
        set.bits_ = bits & kAllBits;
        return set;
    }

    constexpr quint32 Bits() const { return bits_; }
    constexpr bool Contains(TppNoDataBehaviorType value) const { return (bits_ & Bit(value)) != 0; }
    constexpr void Include(TppNoDataBehaviorType value) { bits_ |= Bit(value); }
    constexpr void Exclude(TppNoDataBehaviorType value) { bits_ &= ~Bit(value); }
    constexpr bool IsEmpty() const { return bits_ == 0; }
    friend constexpr bool operator==(TppNoDataBehaviors, TppNoDataBehaviors) = default;

private:
    static constexpr quint32 kAllBits = 0xF;
    static constexpr quint32 Bit(TppNoDataBehaviorType value) { return quint32(1) << int(value); }
    quint32 bits_ = 0;
};

// The published default of a report's no-data behaviours: a blank page alone (bit value 4).
inline constexpr TppNoDataBehaviors kDefaultNoDataBehaviors{ndBlankPage};

// The engine's published events; a reference parameter is one the handler may change.
using TppDrawCommandEvent =
    std::function<void(reportengine::EngineObject* Sender, reportengine::EngineObject* aDrawCommand)>;
using TppFormatEvent = std::function<void(reportengine::EngineObject* Sender, const QString& DisplayFormat,
                                          TppDataType DataType, const QVariant& Value, QString& Text)>;
using TppGetBreakValueEvent = std::function<void(reportengine::EngineObject* Sender, QString& aBreakValue)>;
using TppGetTextEvent = std::function<void(reportengine::EngineObject* Sender, QString& Text)>;
using TppHorizontalScrollEvent =
    std::function<void(reportengine::EngineObject* Sender, qint16 aPosition, TppHorizontalScrollEventType aEventType)>;
using TppNoDataEvent =
    std::function<void(reportengine::EngineObject* Sender, reportengine::EngineObject* aDialog, bool& aShowDialog,
                       reportengine::EngineObject* aDrawCommand, bool& aAddDrawCommand)>;
using TppMemoEvent = std::function<void(reportengine::EngineObject* Sender, TStrings* aLines)>;
using TppPageRequestEvent =
    std::function<void(reportengine::EngineObject* Sender, reportengine::EngineObject* aPageRequest)>;
using TppPictureEvent = std::function<void(reportengine::EngineObject* Sender, TPicture* aPicture)>;
using TppSaveTextEvent = std::function<void(reportengine::EngineObject* Sender, QString& Text)>;
using TppVarCalcEvent = std::function<void(reportengine::EngineObject* Sender, QVariant& Value)>;
using TppVerticalScrollEvent =
    std::function<void(reportengine::EngineObject* Sender, qint16 aPosition, TppVerticalScrollEventType aEventType)>;
