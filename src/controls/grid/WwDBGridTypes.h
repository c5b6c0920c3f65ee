// The data-aware grid's option sets, styles, events and the vertical scroll codes it acts on.
#pragma once

#include "platform/ui/EnumSet.h"

#include <QObject>
#include <functional>

class TField;

// Stored by form descriptions by name, in this order.
enum TwwDBGridOption {
    dgEditing,
    dgAlwaysShowEditor,
    dgTitles,
    dgIndicator,
    dgColumnResize,
    dgColLines,
    dgRowLines,
    dgTabs,
    dgRowSelect,
    dgAlwaysShowSelection,
    dgConfirmDelete,
    dgCancelOnExit,
    dgWordWrap,
    dgPerfectRowFit,
    dgMultiSelect,
    dgShowFooter,
    dgFooter3DCells,
    dgNoLimitColSize,
    dgTrailingEllipsis,
    dgShowCellHint,
    dgTabExitsOnLastCol,
    dgFixedResizable,
    dgFixedEditable,
    dgProportionalColResize,
    dgRowResize,
    dgRowLinesDisableFixed,
    dgColLinesDisableFixed,
    dgFixedProportionalResize,
    dgHideBottomDataLine,
    dgDblClickColSizing
};
using TwwDBGridOptions = ui::SetOf<TwwDBGridOption>;

enum TwwDBGridKeyOption { dgEnterToTab, dgAllowDelete, dgAllowInsert };
using TwwDBGridKeyOptions = ui::SetOf<TwwDBGridKeyOption>;

enum TIndicatorColorType { icBlack, icYellow };
enum TwwGridLineStyle { glsSingle, gls3D, glsDynamic };
enum TwwPadColumnStyle { pcsPadHeader, pcsPlain, pcsPadHeaderAndData };
enum TwwEditControlOption {
    ecoCheckboxSingleClick,
    ecoSearchOwnerForm,
    ecoDisableCustomControls,
    ecoDisableDateTimePicker,
    ecoDisableEditorIfReadOnly
};
using TwwEditControlOptions = ui::SetOf<TwwEditControlOption>;
enum TwwMultiSelectOption { msoAutoUnselect, msoShiftSelect };
using TwwMultiSelectOptions = ui::SetOf<TwwMultiSelectOption>;
enum TwwDittoDirection { wwDittoPrior, wwDittoNext, wwDittoPriorOrNext };
// Bits of TwwDittoAttributes::Options.
enum TwwDittoOption { wwdoSkipBlobFields = 1, wwdoSkipReadOnlyFields = 2, wwdoSkipHiddenFields = 4 };

// The vertical scroll bar's actions, numbered as the scroll messages number them.
enum TwwScrollCode {
    SB_LINEUP = 0,
    SB_LINEDOWN = 1,
    SB_PAGEUP = 2,
    SB_PAGEDOWN = 3,
    SB_THUMBPOSITION = 4,
    SB_THUMBTRACK = 5,
    SB_TOP = 6,
    SB_BOTTOM = 7,
    SB_ENDSCROLL = 8
};

// A scroll bar's range, page and position as the grid sets them: Max is the last position of the range
// including the page, so the thumb's last place is Max - Page + 1.
struct TwwScrollInfo {
    int Min = 0;
    int Max = 0;
    int Page = 0;
    int Pos = 0;
    bool operator==(const TwwScrollInfo&) const = default;
};

using TwwGridNotifyEvent = std::function<void(QObject* Sender)>;
using TwwFieldChangedEvent = std::function<void(QObject* Sender, TField* Field)>;
using TwwTitleButtonClickEvent = std::function<void(QObject* Sender, const QString& AFieldName)>;
using TMovedEvent = std::function<void(QObject* Sender, int FromIndex, int ToIndex)>;
using TColWidthChangedEvent = std::function<void(QObject* Sender, int Column)>;
using TwwURLOpenEvent = std::function<void(QObject* Sender, QString& URLLink, TField* Field, bool& UseDefault)>;
using TwwDittoEvent =
    std::function<void(QObject* Sender, class TDataSet* DataSet, TField* Field, QString& DittoValue, bool& AllowDitto)>;
