// TwwCustomDBGrid's layout: the field map, column widths in characters, proportional widths, row heights,
// the row count that follows the data link's buffer, and the current row.
#include "controls/grid/Wwdbigrd.h"

#include "controls/edit/WwWindows.h"
#include "controls/grid/WwCounterScope.h"
#include "controls/grid/WwSelectedList.h"
#include "platform/db/DataSource.h"
#include "platform/db/Field.h"
#include "platform/rtl/NumberParse.h"

#include <QScrollBar>
#include <QStyle>
#include <algorithm>
#include <map>

namespace {

using controls::CounterScope;

// Redrawing of the viewport suspended for the life of a block.
class RedrawLock {
public:
    RedrawLock(QWidget* widget, bool active) : widget_(active ? widget : nullptr) {
        if (widget_) widget_->setUpdatesEnabled(false);
    }
    ~RedrawLock() {
        if (widget_) widget_->setUpdatesEnabled(true);
    }
    RedrawLock(const RedrawLock&) = delete;
    RedrawLock& operator=(const RedrawLock&) = delete;

private:
    QWidget* widget_;
};

}  // namespace

TCanvas& TwwCustomDBGrid::GetPaintCanvas() { return Canvas(); }

int TwwCustomDBGrid::ZeroWidth() {
    TCanvas& canvas = GetPaintCanvas();
    canvas.Font().Assign(Font());
    return canvas.TextWidth(QStringLiteral("0"));
}

int TwwCustomDBGrid::TitleWidth(const QString& title) {
    TCanvas& canvas = GetPaintCanvas();
    canvas.Font().Assign(titleFont_);
    int widest = 0;
    for (const QString& piece : title.split(QLatin1Char('~'))) widest = std::max(widest, canvas.TextWidth(piece));
    canvas.Font().Assign(Font());
    return widest + 4;
}

int TwwCustomDBGrid::RightEdgeOf(int col) const {
    int edge = 0;
    for (int c = 0; c <= col && c < ColCount(); ++c) edge += std::max(ColWidths(c), 0) + Horz().LineWidth();
    return edge;
}

void TwwCustomDBGrid::RebuildLayout() {
    if (loading_ || !windowCreated_ || layoutEntry_ > 0) return;
    CounterScope entry(layoutEntry_);
    lastClientWidth_ = ClientWidth();
    {
        CounterScope busy(layoutBusy_);
        titleRows_ = 0;
        if (showHorzScrollBar_ && IsProportionalColResize() && (ScrollBars() == ssHorizontal || ScrollBars() == ssBoth))
            SetShowHorzScrollBar(showHorzScrollBar_);
        if (options_.Contains(dgTitles)) titleRows_ = 1;
        PlaceFooter();
        UpdateRowHeights();
        indicatorOffset_ = options_.Contains(dgIndicator) ? 1 : 0;

        dataLink_->ClearFieldMap();
        if (dataLink_->Active()) DefineFieldMap();

        int dataCols = dataLink_->MappedCount();
        if (dataCols == 0 && !useTFields_) dataCols = selected_.Count();
        SetColCount(std::max(dataCols, 1) + indicatorOffset_);
        SetFixedCols(indicatorOffset_);
        if (options_.Contains(dgIndicator)) {
            SetColWidths(0, kIndicatorWidth);
            if (Col() == 0) MoveColRow(1, Row(), true, false);
        }

        HideCellControl();
        UpdateRowCount();
        const int visibleRows = VisibleRowCount();
        SetColumnAttributes();
        CacheColumnInfo();
        if (VisibleRowCount() != visibleRows) UpdateRowCount();
        CheckFooterUpdate();
    }
    SyncCurrentRow();
    ClearHotURLCell();
    if (designing_ && options_.Contains(dgPerfectRowFit)) FitHeightToRows();
    InvalidateGrid();
    PaintOptions.FixedColumnTint = TitleColor;
    PaintOptions.FixedRowTint = TitleColor;
}

void TwwCustomDBGrid::DefineFieldMap() {
    TDataSet* dataSet = dataLink_->DataSet();
    if (!dataSet) return;
    if (useTFields_) {
        for (int i = 0; i < dataSet->FieldCount(); ++i) {
            TField* field = dataSet->Fields()[i];
            if (field->Visible()) dataLink_->AddMapping(field->FieldName());
        }
    } else {
        for (int i = 0; i < selected_.Count();) {
            const QString name = controls::SelectedLinePart(selected_.Strings(i), controls::SelectedPart::Field);
            // A line whose field the open dataset lacks is stale: the forms keep no such line.
            if (dataLink_->Active() && !dataSet->FindField(name)) {
                selected_.Delete(i);
                continue;
            }
            dataLink_->AddMapping(name);
            ++i;
        }
    }
    std::map<QString, QString> footers;
    for (const auto& column : columns_) footers[column->FieldName.toUpper()] = column->FooterValue;
    std::vector<std::unique_ptr<TwwColumn>> rebuilt;
    for (int i = 0; i < dataLink_->MappedCount(); ++i) {
        const QString name = dataLink_->GetMappedField(i)->FieldName();
        auto column = std::make_unique<TwwColumn>(name, this);
        const auto old = footers.find(name.toUpper());
        if (old != footers.end()) column->FooterValue = old->second;
        rebuilt.push_back(std::move(column));
    }
    columns_ = std::move(rebuilt);
}

void TwwCustomDBGrid::SetColumnAttributes() {
    TDataSet* dataSet = dataLink_->DataSet();
    if (!GetDataSource() || !dataSet) return;
    const int count = useTFields_ ? dataLink_->MappedCount() : selected_.Count();
    const int zero = ZeroWidth();
    const bool proportional = IsProportionalColResize();
    // With base widths already made, the widths computed here are shown and the current ones become the base;
    // otherwise the computed ones become the base, for the proportional pass to spread.
    bool applyWidths = true;
    if (proportional) {
        const bool existed = !baseWidths_.empty();
        baseWidths_.assign(count + 1, 0);
        if (existed) {
            for (int c = 0; c <= count && c < ColCount(); ++c) baseWidths_[c] = qint16(ColWidths(c));
        } else {
            applyWidths = false;
            if (indicatorOffset_ > 0) baseWidths_[0] = qint16(ColWidths(0));
        }
    }
    const bool measureTitles = !proportional && options_.Contains(dgTitles) && !options_.Contains(dgNoLimitColSize);
    for (int i = 0; i < count; ++i) {
        const int col = i + indicatorOffset_;
        if (col >= ColCount()) break;
        TField* field = nullptr;
        QString line;
        int width;
        if (useTFields_) {
            field = GetFields(i);
            width = field ? field->DisplayWidth() * zero + 4 : 64;
        } else {
            line = selected_.Strings(i);
            field = dataSet->FindField(controls::SelectedLinePart(line, controls::SelectedPart::Field));
            width = StrToInt(controls::SelectedLinePart(line, controls::SelectedPart::Width)) * zero + 4;
        }
        if (measureTitles) {
            QString title;
            if (useTFields_) title = field ? field->DisplayLabel() : QString();
            else if (line.count(QLatin1Char('\t')) >= 2)
                title = controls::SelectedLinePart(line, controls::SelectedPart::Title);
            else title = field ? field->DisplayLabel() : QString();
            width = std::max(width, TitleWidth(title));
        }
        if (applyWidths) SetColWidths(col, width);
        else baseWidths_[col] = qint16(width);
        if (field) {
            bool tabStop = !field->ReadOnly();
            if (!useTFields_ && controls::IsSelectedLineReadOnly(line)) tabStop = false;
            if (tabStop && field->Calculated() && !EditCalculated) tabStop = false;
            SetTabStops(col, tabStop);
        }
    }
    if (proportional && count > 0) ApplyProportionalWidths();
    lastClientWidth_ = ClientWidth();
}

void TwwCustomDBGrid::ApplyProportionalWidths() {
    if (baseWidths_.empty() || int(baseWidths_.size()) < ColCount() || useTFields_ || selected_.Count() == 0) return;
    const int line = options_.Contains(dgColLines) ? 1 : 0;
    const int zero = ZeroWidth();
    const int minimum = 2 * zero + 4;
    const int resized = resizedCol_;
    const auto base = [this](int col) { return int(baseWidths_[col]); };
    const auto groupOf = [this](int col) {
        const int dataCol = col - indicatorOffset_;
        return dataCol >= 0 && dataCol < selected_.Count()
                   ? controls::SelectedLinePart(selected_.Strings(dataCol), controls::SelectedPart::Group)
                   : QString();
    };

    CounterScope busy(layoutBusy_);
    int firstToFill = indicatorOffset_;
    if (resized >= 0 && resized < ColCount()) {
        const QString group = groupOf(resized);
        const bool lastOfGroup = !group.isEmpty() && (resized + 1 >= ColCount() || groupOf(resized + 1) != group);
        if (lastOfGroup) {
            int groupStart = resized;
            while (groupStart - 1 >= indicatorOffset_ && groupOf(groupStart - 1) == group) --groupStart;
            int d = ColWidths(resized) - resizedColWidth_;
            int s = 0;
            for (int c = groupStart; c <= resized; ++c) s += (c == resized ? resizedColWidth_ : base(c)) + line;
            for (int c = groupStart; c <= resized && s > 0; ++c) {
                const int b = c == resized ? resizedColWidth_ : base(c);
                const int given =
                    c == resized ? std::max(minimum, resizedColWidth_ + d) : std::max(minimum, b * (s + d) / s);
                SetColWidths(c, given);
                d += b - given;
                s -= b;
            }
        }
        firstToFill = resized + 1;
    }
    int weight = -1;
    for (int c = firstToFill; c < ColCount(); ++c) weight += base(c) + line;
    if (weight <= 0) return;

    int available;
    if (resized >= 0) available = ClientWidth() - RightEdgeOf(resized) - 2;
    else if (indicatorOffset_ > 0) available = ClientWidth() - RightEdgeOf(0) - 2;
    else available = ClientWidth() - 2;
    const int nonClient = Width() - viewport()->width();
    if (showVertScrollBar_ && nonClient <= 9) available -= style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 1;

    for (int c = firstToFill; c < ColCount(); ++c) {
        int pixels;
        if (c == ColCount() - 1) {
            pixels = std::max(available, 0);
        } else {
            const int w = weight > 0 ? (base(c) + 1) * available / weight : 0;
            const int chars = (w - 4) / zero;
            pixels = std::max(minimum, chars * zero + 4);
        }
        SetColWidths(c, pixels);
        const int dataCol = c - indicatorOffset_;
        if (dataCol >= 0 && dataCol < selected_.Count())
            controls::SetSelectedLinePart(selected_, dataCol, controls::SelectedPart::Width,
                                          QString::number((pixels - 4) / zero));
        available -= pixels + line;
        weight -= base(c) + line;
    }
}

void TwwCustomDBGrid::UpdateRowHeights() {
    const bool lines = options_.Contains(dgRowLines);
    TCanvas& canvas = GetPaintCanvas();
    canvas.Font().Assign(Font());
    const int textHeight = canvas.TextHeight(QStringLiteral("W"));
    const int rowHeight = (textHeight + 2 + (lines ? 1 : 0)) * rowHeightPercent_ / 100;
    if (rowHeight != DefaultRowHeight()) SetDefaultRowHeight(rowHeight);
    if (options_.Contains(dgTitles)) {
        int titleHeight;
        if (dynamic_cast<TCustomGrid*>(FindControl(parentWidget()))) {
            titleHeight = titleLines_ * (textHeight + 3 + (lines ? 1 : 0)) - 1;
        } else {
            canvas.Font().Assign(titleFont_);
            titleHeight = canvas.TextHeight(QStringLiteral("W")) * titleLines_ + 4;
            canvas.Font().Assign(Font());
        }
        if (!lines) ++titleHeight;
        SetRowHeights(0, titleHeight);
    }
}

void TwwCustomDBGrid::UpdateRowCount() {
    if (updatingRowCount_) return;
    updatingRowCount_ = true;
    const bool keepLeftCol =
        options_.Contains(dgRowSelect) || (options_.Contains(dgFixedEditable) && LeftCol() <= FixedCols());
    const int oldLeftCol = LeftCol();
    try {
        RedrawLock lock(viewport(), keepLeftCol);
        if (RowCount() < titleRows_ + 1) SetRowCount(titleRows_ + 1);
        SetFixedRows(titleRows_);
        TDataSet* dataSet = dataLink_->DataSet();
        if (dataLink_->Active() && dataSet && dataSet->Active() && dataLink_->RecordCount() > 0) {
            // As many rows as could ever show, to count those that fit.
            SetRowCount(1000);
            const int visible = VisibleRowCount();
            if (visible < dataLink_->BufferCount() && Row() >= visible + titleRows_) {
                InvalidateGrid();
                DoTopRowChanged();
            }
            dataLink_->SetBufferCount(visible);
            SetRowCount(dataLink_->RecordCount() + titleRows_);
            SyncCurrentRow();
        } else {
            SetRowCount(titleRows_ + 1);
        }
        if (keepLeftCol && oldLeftCol < ColCount()) SetLeftCol(oldLeftCol);
    } catch (...) {
        updatingRowCount_ = false;
        throw;
    }
    updatingRowCount_ = false;
    if (keepLeftCol) InvalidateGrid();
}

void TwwCustomDBGrid::SyncCurrentRow() {
    if (!dataLink_->Active()) return;
    int wanted = dataLink_->ActiveRecord() + titleRows_ + firstRecordOffset_;
    if (wanted != Row()) {
        if (!options_.Contains(dgAlwaysShowEditor)) HideEditor();
        const int lastVisible = TopRow() + VisibleRowCount() - 1;
        if (wanted > lastVisible) {
            UpdateRowCount();
            wanted = TopRow() + VisibleRowCount() - 1;
        }
        wanted = std::clamp(wanted, FixedRows(), RowCount() - 1);
        MoveColRow(Col(), wanted, false, false);
    }
    oldCurrentRow_ = Row();
    if (InheritsFromClassName(parentWidget(), QStringLiteral("TwwDBCustomLookupcombo"))) return;
    const TField* field = GetSelectedField();
    if (field && field->EditText() != lastEditText_) InvalidateEditor();
}

bool TwwCustomDBGrid::FitHeightToRows() {
    if (!designing_ || !options_.Contains(dgPerfectRowFit) || loading_) return false;
    if (Align() != alNone && Align() != alLeft && Align() != alRight) return false;
    int rowsBottom = 0;
    for (int r = 0; r < RowCount(); ++r) rowsBottom += std::max(RowHeights(r), 0) + Vert().LineWidth();
    const int extent = rowsBottom + DefaultRowHeight() + 1;
    int columnsWidth = 0;
    for (int c = 0; c < ColCount(); ++c) columnsWidth += ColWidths(c) + (options_.Contains(dgColLines) ? 1 : 0);
    const int thumb = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    columnsWidth += showVertScrollBar_ ? thumb + 1 : 1;
    const bool horizontal = columnsWidth > Width() && (ScrollBars() == ssHorizontal || ScrollBars() == ssBoth);
    const int allowance = horizontal ? 5 : 4;
    const int oldHeight = Height();
    if (horizontal) {
        const int height = extent + allowance - 1 + thumb;
        if (oldHeight < height + DefaultRowHeight()) SetHeight(height);
    } else if (oldHeight < extent + allowance + DefaultRowHeight()) {
        SetHeight(extent + allowance);
    }
    return Height() != oldHeight;
}
