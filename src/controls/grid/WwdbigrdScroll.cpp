// TwwCustomDBGrid's vertical scrolling: the scroll bar over the dataset, its actions, the repaint after a
// dataset scroll, resizing, and the cells' texts read through the data link's buffer.
#include "controls/grid/Wwdbigrd.h"

#include "platform/db/DataSource.h"
#include "platform/db/Field.h"
#include "platform/ui/Dispatch.h"

#include <QScrollBar>
#include <algorithm>

namespace {

TwwScrollCode CodeOf(int action) {
    switch (action) {
        case QAbstractSlider::SliderSingleStepSub: return SB_LINEUP;
        case QAbstractSlider::SliderSingleStepAdd: return SB_LINEDOWN;
        case QAbstractSlider::SliderPageStepSub: return SB_PAGEUP;
        case QAbstractSlider::SliderPageStepAdd: return SB_PAGEDOWN;
        case QAbstractSlider::SliderToMinimum: return SB_TOP;
        case QAbstractSlider::SliderToMaximum: return SB_BOTTOM;
        default: return SB_THUMBTRACK;
    }
}

// The unsequenced bar's five places.
constexpr int kUnsequencedFirst = 0;
constexpr int kUnsequencedPriorPage = 1;
constexpr int kUnsequencedMiddle = 2;
constexpr int kUnsequencedNextPage = 3;
constexpr int kUnsequencedLast = 4;

}  // namespace

void TwwCustomDBGrid::ConnectScrollBar() {
    QScrollBar* bar = verticalScrollBar();
    QObject::connect(bar, &QAbstractSlider::actionTriggered, this, [this, bar](int action) {
        if (settingScrollBar_) return;
        ui::Dispatch(this, [&] {
            const int position = bar->sliderPosition();
            WMVScroll(CodeOf(action), position);
        });
        // The bar shows what the grid set, not where the user's action would have put it.
        ApplyScrollInfo();
    });
    QObject::connect(bar, &QAbstractSlider::sliderReleased, this, [this, bar] {
        if (settingScrollBar_) return;
        ui::Dispatch(this, [&] { WMVScroll(SB_THUMBPOSITION, bar->sliderPosition()); });
        ApplyScrollInfo();
    });
}

void TwwCustomDBGrid::ApplyScrollInfo() {
    QScrollBar* bar = verticalScrollBar();
    settingScrollBar_ = true;
    const int page = std::max(scrollInfo_.Page, 0);
    bar->setRange(scrollInfo_.Min, std::max(scrollInfo_.Min, scrollInfo_.Max - std::max(page - 1, 0)));
    bar->setPageStep(page);
    bar->setSingleStep(1);
    bar->setValue(scrollInfo_.Pos);
    bar->setSliderPosition(scrollInfo_.Pos);
    settingScrollBar_ = false;
}

void TwwCustomDBGrid::UpdateScrollBar() {
    if (!showVertScrollBar_ || !DataLinkActive() || !windowCreated_) return;
    TDataSet& dataSet = *dataLink_->DataSet();
    TwwScrollInfo wanted;
    if (dataSet.IsSequenced()) {
        const int visible = VisibleRowCount();
        wanted.Min = 1;
        wanted.Page = visible;
        wanted.Max = dataSet.RecordCount() + visible - 1;
        const TDataSetState state = dataSet.State();
        wanted.Pos = state == dsInactive || state == dsBrowse || state == dsEdit ? dataSet.RecNo() : scrollInfo_.Pos;
    } else {
        wanted.Min = 0;
        wanted.Page = 0;
        wanted.Max = kUnsequencedLast;
        wanted.Pos = dataSet.Bof() ? kUnsequencedFirst : dataSet.Eof() ? kUnsequencedLast : kUnsequencedMiddle;
    }
    // A range of one place would hide the bar; a wide empty range keeps it.
    if (wanted.Max - wanted.Min <= 1) {
        wanted.Min = 1;
        wanted.Max = 1001;
        wanted.Page = 1000;
    }
    if (wanted == scrollInfo_) return;
    scrollInfo_ = wanted;
    ApplyScrollInfo();
}

bool TwwCustomDBGrid::InsertUntouched() const {
    TDataSet* dataSet = dataLink_->DataSet();
    return dataSet && dataSet->State() == dsInsert && !dataSet->Modified() && !dataLink_->Modified();
}

void TwwCustomDBGrid::WMVScroll(TwwScrollCode code, int position) {
    if (!FocusGrid()) return;
    if (!dataLink_->Active()) return;
    TDataSet& dataSet = *dataLink_->DataSet();
    // The link keeps the current record inside its buffer, so every line step is a move of the dataset.
    switch (code) {
        case SB_LINEUP: PriorRow(); break;
        case SB_LINEDOWN: NextRow(false); break;
        case SB_PAGEUP: dataSet.MoveBy(-VisibleRowCount()); break;
        case SB_PAGEDOWN: dataSet.MoveBy(VisibleRowCount()); break;
        case SB_THUMBPOSITION:
            if (dataSet.IsSequenced()) {
                const int oldRecNo = dataSet.RecNo();
                dataSet.CheckBrowseMode();
                if (position <= 1) dataSet.First();
                else if (position < dataSet.RecordCount()) dataSet.SetRecNo(position);
                else dataSet.Last();
                dataSet.Resync();
                if (oldRecNo != position) DoTopRowChanged();
            } else {
                switch (position) {
                    case kUnsequencedFirst: dataSet.First(); break;
                    case kUnsequencedPriorPage: dataSet.MoveBy(-VisibleRowCount()); break;
                    case kUnsequencedNextPage: dataSet.MoveBy(VisibleRowCount()); break;
                    case kUnsequencedLast: dataSet.Last(); break;
                    default: break;
                }
            }
            break;
        case SB_TOP: dataSet.First(); break;
        case SB_BOTTOM: dataSet.Last(); break;
        default: break;
    }
}

void TwwCustomDBGrid::Scroll(int distance) {
    if (!windowCreated_) return;
    const int rowBefore = Row();
    InvalidateRowCells(Row());
    UpdateScrollBar();
    SyncCurrentRow();
    InvalidateRowCells(Row());
    HideEditor();
    if (distance == 0) {
        CheckRowChanged();
        return;
    }
    HideCellControl();
    const bool showEditor =
        options_.Contains(dgAlwaysShowEditor) && !CellHasCustomControl(Col(), Row()) && !IsMemoCell(Col(), Row());
    if (std::abs(distance) > VisibleRowCount()) {
        DoTopRowChanged();
        CheckRowChanged();
        InvalidateGrid();
        if (showEditor) ShowEditorIfAllowed();
        return;
    }
    if (distance % 2 != 0) alternatingParity_ = !alternatingParity_;
    const int dataTop = titleRows_ > 0 ? RowHeights(0) + Vert().LineWidth() : 0;
    const QRect dataArea(0, dataTop, ClientWidth(), std::max(ClientHeight() - dataTop, 0));
    if (PaintOptions.FastRecordScrolling) {
        // The rows already painted move; only the uncovered ones and the indicator cells repaint.
        viewport()->scroll(0, -(DefaultRowHeight() + Vert().LineWidth()) * distance, dataArea);
        if (options_.Contains(dgIndicator)) {
            InvalidateCell(0, oldCurrentRow_);
            InvalidateCell(0, Row());
        }
        // The focus frame and the current cell's bottom edge lie over the cells: they must not travel with them.
        const int moved = rowBefore - distance;
        if (moved >= TitleRowCount() && moved < RowCount()) InvalidateRowCells(moved);
        InvalidateRowCells(Row());
    } else {
        viewport()->update(dataArea);
    }
    if (showEditor) ShowEditorIfAllowed();
    DoTopRowChanged();
    CheckRowChanged();
}

void TwwCustomDBGrid::Resize() {
    TCustomGrid::Resize();
    PlaceFooter();
    // The background picture is laid out over the grid's size.
    PaintOptions.ImagesStale = true;
    if (IsProportionalColResize() && ColCount() > indicatorOffset_) {
        if (options_.Contains(dgFixedProportionalResize) && FixedCols() >= 2) {
            const int saved = resizedCol_;
            const int savedWidth = resizedColWidth_;
            resizedCol_ = FixedCols() - 1;
            resizedColWidth_ = ColWidths(resizedCol_);
            try {
                ApplyProportionalWidths();
            } catch (...) {
                resizedCol_ = saved;
                resizedColWidth_ = savedWidth;
                throw;
            }
            resizedCol_ = saved;
            resizedColWidth_ = savedWidth;
        } else {
            ApplyProportionalWidths();
        }
    }
    if (layoutEntry_ > 0) return;
    HideCellControl();
    HideEditor();
    UpdateRowCount();
    if (designing_ && options_.Contains(dgPerfectRowFit)) FitHeightToRows();
    TDataSet* dataSet = dataLink_->DataSet();
    if (dataSet && dataSet->Active() && dataSet->Bof() && dataSet->Eof()) InvalidateGrid();
}
