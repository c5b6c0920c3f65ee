// TwwCustomDBGrid's cell painting: titles with their pictures and group headers, the indicator, data cells
// with their colours and texts, the group-field rule and the row lines of data cells. The paint cycle
// (WwdbigrdLines.cpp) draws the other lines after the cells.
#include "controls/edit/WwDrawing.h"
#include "controls/edit/WwWindows.h"
#include "controls/grid/WwSelectedList.h"
#include "controls/grid/Wwdbigrd.h"
#include "platform/db/DataSource.h"
#include "platform/db/Field.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/ImageList.h"

#include <QApplication>
#include <QPainter>

namespace {

// The glyphs are drawn in a box of this size.
constexpr int kGlyphWidth = 6;
constexpr int kGlyphHeight = 9;

// The library's five indicator pictures, drawn in the icon colour with their top left at (x, y).
void PaintIndicatorGlyph(TCanvas& canvas, int glyph, int x, int y, TColor color) {
    QPainter& painter = canvas.Painter();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QColor qcolor = ui::ToQColor(color);
    painter.setPen(Qt::NoPen);
    painter.setBrush(qcolor);
    const auto arrow = [&] {
        const QPoint points[] = {{x + 1, y}, {x + 5, y + 4}, {x + 1, y + 8}};
        painter.drawPolygon(points, 3);
    };
    switch (glyph) {
        case 0: arrow(); break;
        case 1:  // an I-beam: the record is being edited
            painter.fillRect(x + 2, y, 2, kGlyphHeight, qcolor);
            painter.fillRect(x, y, kGlyphWidth, 1, qcolor);
            painter.fillRect(x, y + kGlyphHeight - 1, kGlyphWidth, 1, qcolor);
            break;
        case 2:  // a star: the record is being inserted
            painter.fillRect(x + 2, y + 1, 2, 7, qcolor);
            painter.fillRect(x, y + 4, kGlyphWidth, 1, qcolor);
            painter.fillRect(x, y + 2, 1, 1, qcolor);
            painter.fillRect(x + 5, y + 2, 1, 1, qcolor);
            painter.fillRect(x, y + 6, 1, 1, qcolor);
            painter.fillRect(x + 5, y + 6, 1, 1, qcolor);
            break;
        case 3: painter.fillRect(x + 1, y + 3, 4, 4, qcolor); break;
        case 4:
            arrow();
            painter.fillRect(x, y + 3, 2, 3, qcolor);
            break;
        default: break;
    }
    painter.restore();
}

// A one-pixel horizontal line from left up to, not including, right.
void HorzLine(TCanvas& canvas, int left, int right, int y, TColor color) {
    if (right <= left) return;
    const TBrush brush = canvas.Brush();
    canvas.Brush().Color = color;
    canvas.Brush().Style = bsSolid;
    canvas.FillRect({left, y, right, y + 1});
    canvas.Brush() = brush;
}

}  // namespace

// ---- record access

int TwwCustomDBGrid::RecordOfDataRow(int dataRow) const {
    const int record = dataRow - firstRecordOffset_;
    return record >= 0 && record < dataLink_->RecordCount() ? record : -1;
}

void TwwCustomDBGrid::WithRowRecord(int dataRow, const std::function<void()>& step) {
    const int record = dataRow >= 0 && dataLink_->Active() ? RecordOfDataRow(dataRow) : -1;
    if (record < 0) {
        step();
        return;
    }
    // Painting never moves the dataset: the link shows the drawn record and goes back.
    const int active = dataLink_->ActiveRecord();
    dataLink_->SetActiveRecord(record);
    try {
        step();
    } catch (...) {
        dataLink_->SetActiveRecord(active);
        throw;
    }
    dataLink_->SetActiveRecord(active);
}

bool TwwCustomDBGrid::GetPriorRecordValue(const QString& fieldName, QString& value) {
    TDataSet* dataSet = dataLink_->DataSet();
    const int active = dataLink_->ActiveRecord();
    if (!dataLink_->Active() || !dataSet || !dataSet->Active() || active <= 0) return false;
    TField* field = dataSet->FindField(fieldName);
    if (!field) return false;
    WithRowRecord(active - 1 + firstRecordOffset_, [&] { value = field->AsString(); });
    return true;
}

bool TwwCustomDBGrid::GetNextRecordValue(const QString& fieldName, QString& value) {
    TDataSet* dataSet = dataLink_->DataSet();
    const int active = dataLink_->ActiveRecord();
    if (!dataLink_->Active() || !dataSet || !dataSet->Active() || active >= dataLink_->RecordCount() - 1) return false;
    TField* field = dataSet->FindField(fieldName);
    if (!field) return false;
    WithRowRecord(active + 1 + firstRecordOffset_, [&] { value = field->AsString(); });
    return true;
}

TColor TwwCustomDBGrid::GetActiveRecordColor() const {
    return PaintOptions.ActiveRecordColor() == clNone ? clHighlight : PaintOptions.ActiveRecordColor();
}

bool TwwCustomDBGrid::HorzLinesVisible() const {
    return options_.Contains(dgRowLines) || !options_.Contains(dgRowLinesDisableFixed);
}

// ---- the overridable steps

bool TwwCustomDBGrid::IsHighlighted(int, int dataRow, TGridDrawState state, const QString&) {
    if (options_.Contains(dgMultiSelect) && !state.Contains(gdFixed)) return IsRowSelected(dataRow);
    bool highlighted =
        state.Contains(gdSelected) || (dataRow == DataRowOf(Row()) && PaintOptions.ActiveRecordColor() != clNone);
    if (!options_.Contains(dgAlwaysShowSelection)) highlighted = highlighted && Focused();
    return highlighted;
}

bool TwwCustomDBGrid::IsRowSelected(int) { return false; }

bool TwwCustomDBGrid::IsSelected() { return false; }

void TwwCustomDBGrid::DoCalcTitleAttributes(const QString& fieldName, TFont& font, TAlignment& alignment,
                                            TBrush& brush) {
    if (OnCalcTitleAttributes) OnCalcTitleAttributes(&Widget(), fieldName, font, brush, alignment);
}

void TwwCustomDBGrid::DoCalcCellColors(TField* field, TGridDrawState state, bool highlight, TFont& font,
                                       TBrush& brush) {
    if (OnCalcCellColors) OnCalcCellColors(&Widget(), field, state, highlight, font, brush);
}

bool TwwCustomDBGrid::CalcCellColors(TField* field, TGridDrawState state, TBrush& brush, TFont& font, bool highlight) {
    const TColor before = brush.Color;
    DoCalcCellColors(field, state, highlight, font, brush);
    whiteBackground_ = ColorToRGB(brush.Color) == 0xFFFFFF;
    return brush.Color != before;
}

void TwwCustomDBGrid::DoDrawTitleCell(TCanvas& canvas, TField* field, bool& defaultDrawing, const TRect& rect) {
    if (OnDrawTitleCell) OnDrawTitleCell(&Widget(), canvas, field, rect, defaultDrawing);
}

void TwwCustomDBGrid::DoDrawDataCell(const TRect& rect, TField* field, TGridDrawState state) {
    if (OnDrawDataCell) OnDrawDataCell(&Widget(), rect, field, state);
}

int TwwCustomDBGrid::IndicatorGlyph(int dataRow) {
    TDataSet* dataSet = dataLink_->DataSet();
    if (!dataSet) return 0;
    const bool current = RecordOfDataRow(dataRow) == dataLink_->ActiveRecord();
    const bool multi = options_.Contains(dgMultiSelect);
    switch (dataSet->State()) {
        case dsEdit: return current ? 1 : -1;
        case dsInsert: return current ? 2 : -1;
        case dsBrowse:
            if (current) return multi && IsSelected() ? 4 : 0;
            return multi && IsRowSelected(dataRow) ? 3 : -1;
        default: return -1;
    }
}

// ---- DrawCell

void TwwCustomDBGrid::DrawCell(int col, int row, const TRect& area, TGridDrawState state) {
    const int dataRow = DataRowOf(row);
    const int dataCol = DataColumnOf(col);
    // Rows cut by the bottom edge and rows past the records keep the background.
    if (row >= FixedRows() && row >= TopRow() + VisibleRowCount()) return;
    TDataSet* dataSet = dataLink_->DataSet();
    if (dataRow >= 0 && dataLink_->Active() && dataSet && dataSet->Active() && !(dataSet->Bof() && dataSet->Eof()) &&
        RecordOfDataRow(dataRow) < 0)
        return;
    // A grouped column's title is drawn in two parts: the header over its group, then its own lower half.
    if (dataRow < 0 && dataCol >= 0 && !drawingTitleParts_ && options_.Contains(dgTitles) &&
        !ColumnGroupName(dataCol).isEmpty()) {
        drawingTitleParts_ = true;
        try {
            TRect part;
            int first = 0, last = 0;
            GetGroupHeaderRect(col, part, false, first, last);
            DrawCell(col, row, part, state);
            GetTitleCellRect(col, row, part);
            DrawCell(col, row, part, state);
        } catch (...) {
            drawingTitleParts_ = false;
            throw;
        }
        drawingTitleParts_ = false;
        return;
    }
    linesDrawn_ = false;
    focusFramePending_ = false;
    brushChanged_ = false;
    TRect rect = area;
    rect.Right = std::min(rect.Right, 2 * Width());
    TCanvas& canvas = GetPaintCanvas();
    canvas.Font().Assign(state.Contains(gdFixed) ? titleFont_ : Font());
    cellInfo_ = {};
    cellInfo_.Rect = rect;
    cellInfo_.State = state;
    cellInfo_.DataRow = dataRow;
    cellInfo_.DataCol = dataCol;
    cellInfo_.Field = dataCol >= 0 ? GetColumnField(dataCol) : nullptr;
    if (!GroupFieldName.isEmpty() || OnBeforeDrawCell) {
        WithRowRecord(dataRow, [&] {
            ApplyGroupFieldRule();
            if (OnBeforeDrawCell) OnBeforeDrawCell(this, cellInfo_);
        });
        if (dataCol >= 0 && dataCol < static_cast<int>(columns_.size())) {
            std::vector<quint8>& flags = columns_[dataCol]->RowLineFlags;
            if (flags.empty()) flags.assign(256, 0);
            if (dataRow >= 0 && dataRow < 256)
                flags[dataRow] = (cellInfo_.DefaultDrawBottomLine ? 0 : 1) | (cellInfo_.DefaultDrawTopLine ? 0 : 2);
        }
    }
    canvas.Brush().Color = state.Contains(gdFixed) ? TitleColor : Color();
    canvas.Brush().Style = bsSolid;
    if (dataRow < 0) DrawTitleCell(col, rect, state);
    else if (dataCol < 0) DrawIndicatorCell(dataRow, rect);
    else if (!DrawControlCell(col, row, rect, state)) DrawDataCell(col, row, rect, state);
    if (!OnAfterDrawCell && GroupFieldName.isEmpty()) return;
    WithRowRecord(dataRow, [&] {
        if (!GroupFieldName.isEmpty() && dataRow >= 0 && dataSet && dataSet->FindField(GroupFieldName)) {
            QString next;
            if (GetNextRecordValue(GroupFieldName, next) && next != dataSet->FindField(GroupFieldName)->AsString())
                HorzLine(canvas, cellInfo_.Rect.Left, cellInfo_.Rect.Right, cellInfo_.Rect.Bottom, clBlack);
        }
        if (OnAfterDrawCell) OnAfterDrawCell(this, cellInfo_);
    });
}

void TwwCustomDBGrid::ApplyGroupFieldRule() {
    if (GroupFieldName.isEmpty() || cellInfo_.DataRow < 0 || !cellInfo_.Field ||
        cellInfo_.Field->FieldName() != GroupFieldName)
        return;
    const QString value = cellInfo_.Field->AsString();
    QString other;
    if (GetNextRecordValue(GroupFieldName, other) && other == value) cellInfo_.DefaultDrawBottomLine = false;
    if (GetPriorRecordValue(GroupFieldName, other) && other == value) {
        cellInfo_.DefaultDrawText = false;
        cellInfo_.DefaultDrawTopLine = false;
    }
}

void TwwCustomDBGrid::DrawTitleCell(int col, const TRect& rect, TGridDrawState) {
    TCanvas& canvas = GetPaintCanvas();
    const int dataCol = DataColumnOf(col);
    const bool pastFields = dataCol >= GetFieldCount();
    // The title background, one pixel wider to the left: the blended title strip or the brush.
    const auto fillTitle = [&](const TRect& r) {
        const TRect wide{r.Left - 1, r.Top, r.Right, r.Bottom};
        if (const TwwBitmap* image = PaintOptions.FixedRowImage()) TwwGridPaintOptions::CopyRect(canvas, wide, *image);
        else canvas.FillRect(wide);
    };
    if (dataCol < 0 || (pastFields && useTFields_)) {
        if (cellInfo_.DefaultDrawBackground) fillTitle(rect);
        return;
    }
    TAlignment alignment = titleAlignment_;
    TField* field = cellInfo_.Field;
    QString title = field && !pastFields ? field->DisplayLabel() : QString();
    QString fieldName;
    if (useTFields_) {
        if (field) fieldName = field->FieldName();
    } else {
        if (field) fieldName = field->FieldName();
        else if (dataCol < selected_.Count())
            fieldName = controls::SelectedLinePart(selected_.Strings(dataCol), controls::SelectedPart::Field);
        int index = -1;
        for (int i = 0; i < selected_.Count(); ++i)
            if (controls::SelectedLinePart(selected_.Strings(i), controls::SelectedPart::Field)
                    .compare(fieldName, Qt::CaseInsensitive) == 0) {
                index = i;
                break;
            }
        if (index >= 0) title = controls::SelectedLinePart(selected_.Strings(index), controls::SelectedPart::Title);
    }
    const QString group = ColumnGroupName(dataCol);
    TwwTitleImageAttributes attributes;
    attributes.IsGroupHeader = !group.isEmpty() && rect.Top == 0;
    if (attributes.IsGroupHeader) {
        fieldName = group;
        alignment = taCenter;
    }
    const TColor brushBefore = canvas.Brush().Color;
    DoCalcTitleAttributes(fieldName, canvas.Font(), alignment, canvas.Brush());
    brushChanged_ = canvas.Brush().Color != brushBefore;
    // A header reaching left over the fixed columns is painted from their boundary on.
    TRect background = rect;
    if (col >= FixedCols() && background.Left < Horz().FixedBoundary()) background.Left = Horz().FixedBoundary();
    if (cellInfo_.DefaultDrawBackground) {
        if (brushChanged_) canvas.FillRect(background);
        else fillTitle(background);
    }
    if (!pastFields) DoCalcTitleImage(field, attributes);
    const int pressed = IsTitlePressed(col, attributes.IsGroupHeader) ? 1 : 0;
    TRect textRect = rect;
    bool imageCentred = false;
    if (attributes.ImageIndex >= 0 && TitleImageList && cellInfo_.DefaultDrawBackground) {
        const int width = TitleImageList->Width();
        const int y = (rect.Top + rect.Bottom - TitleImageList->Height()) / 2 + pressed;
        int x;
        switch (attributes.ImageAlignment) {
            case taLeftJustify:
                x = rect.Left + attributes.ImageMargin + pressed;
                textRect.Left = std::min(rect.Left + attributes.ImageMargin + width, rect.Right);
                break;
            case taRightJustify:
                x = rect.Right + pressed - width - attributes.ImageMargin;
                textRect.Right = std::max(rect.Right - width - attributes.ImageMargin, rect.Left);
                break;
            default:
                x = (rect.Left + rect.Right - width) / 2 + pressed;
                imageCentred = true;
                break;
        }
        TitleImageList->Draw(canvas, x, y, attributes.ImageIndex);
    }
    bool defaultDrawing = true;
    if (!pastFields) {
        if (attributes.IsGroupHeader) DoDrawGroupHeaderCell(canvas, group, defaultDrawing, rect);
        else DoDrawTitleCell(canvas, field, defaultDrawing, rect);
    }
    if (!defaultDrawing || imageCentred) return;
    if (attributes.IsGroupHeader) title = group;
    // Each "~" starts a new line; a one-line title row centres the first and cuts off the rest.
    const QStringList lines = title.split(QLatin1Char('~'));
    const int centred = titleLines_ != 1 ? static_cast<int>(lines.size()) : 1;
    const int textHeight = canvas.TextHeight(QStringLiteral("W"));
    const int top = static_cast<int>(textRect.Height() / 2.0 - textHeight * centred / 2.0) + pressed;
    int options = controls::etNoBackground | controls::etEndEllipsis;
    if (!useTFields_) options |= controls::etShowPrefix;
    // A header starting left of the scrollable columns keeps its text off the fixed ones.
    QPainter& painter = canvas.Painter();
    painter.save();
    if (col >= FixedCols() && textRect.Left < Horz().FixedBoundary())
        painter.setClipRect(QRect(QPoint(Horz().FixedBoundary(), 0), QPoint(ClientWidth(), ClientHeight())));
    for (int i = 0; i < lines.size() && top + i * textHeight < textRect.Height(); ++i)
        DrawEditText(canvas, textRect, 2 + pressed, top + i * textHeight, lines[i], alignment, options);
    painter.restore();
}

void TwwCustomDBGrid::DoDrawGroupHeaderCell(TCanvas& canvas, const QString& groupName, bool& defaultDrawing,
                                            const TRect& rect) {
    if (OnDrawGroupHeaderCell) OnDrawGroupHeaderCell(&Widget(), canvas, groupName, rect, defaultDrawing);
}

void TwwCustomDBGrid::DoCalcTitleImage(TField* field, TwwTitleImageAttributes& attributes) {
    if (OnCalcTitleImage) OnCalcTitleImage(&Widget(), field, attributes);
}

void TwwCustomDBGrid::DrawIndicatorCell(int dataRow, const TRect& rect) {
    TCanvas& canvas = GetPaintCanvas();
    if (cellInfo_.DefaultDrawBackground) {
        const int bottom = rect.Bottom + (options_.Contains(dgHideBottomDataLine) ? 0 : 1);
        PaintFixedBackground({rect.Left - 1, rect.Top - 1, rect.Right, bottom}, -1, TitleColor);
    }
    if (!dataLink_->Active()) return;
    const int glyph = IndicatorGlyph(dataRow);
    if (RecordOfDataRow(dataRow) == dataLink_->ActiveRecord()) oldCurrentRow_ = dataRow + titleRows_;
    if (glyph < 0) return;
    const int x = rect.Left + (rect.Width() - kGlyphWidth) / 2 + 1;
    const int y = rect.Top + (DefaultRowHeight() - kGlyphHeight) / 2;
    PaintIndicatorGlyph(canvas, glyph, x, y, indicatorIconColor_);
}

void TwwCustomDBGrid::DrawDataCell(int col, int row, const TRect& rect, TGridDrawState state) {
    if (!dataLink_->Active()) return;
    TCanvas& canvas = GetPaintCanvas();
    const int dataRow = cellInfo_.DataRow;
    const int dataCol = cellInfo_.DataCol;
    TField* field = cellInfo_.Field;
    // DrawControlCell has painted the background of a cell with a field.
    const bool fixedColumn = dataCol < FixedCols() - indicatorOffset_;
    WithRowRecord(dataRow, [&] {
        drawnDataRow_ = dataRow;
        drawnDataCol_ = dataCol;
        const QString text = GetCellText(dataCol);
        if (col < static_cast<int>(colInfo_.size()) && colInfo_[col].Kind == QLatin1String("URL-Link")) {
            canvas.Font().SetColor(hotURLCell_ == TGridCoord{col, row} ? clRed : clBlue);
            canvas.Font().SetStyle(canvas.Font().Style() + TFontStyles{fsUnderline});
        }
        const bool highlight = ApplyDataCellColors(col, row, state, text);
        // Under themes an in-place editor holding the focus shows the highlighted cell itself.
        const QWidget* focus = QApplication::focusWidget();
        leftToEditor_ =
            highlight && ThemesEnabledFor(this) && focus && focus != this && focus != viewport() && isAncestorOf(focus);
        const bool drawing = DefaultDrawing() && !leftToEditor_;
        const TAlignment alignment = field ? field->Alignment() : taLeftJustify;
        if (cellInfo_.DefaultDrawBackground) {
            const int bottom = rect.Bottom + (options_.Contains(dgHideBottomDataLine) ? 0 : 1);
            if (fixedColumn) PaintFixedBackground({rect.Left, rect.Top, rect.Right, bottom}, dataRow, clNone);
            else if (PaintOptions.FillsDataCells()) PaintDataBackground(rect, dataRow, clNone);
            else if (drawing && !cellInfo_.DefaultDrawText)
                PaintDataBackground({rect.Left, rect.Top - 1, rect.Right, rect.Bottom + 1}, dataRow, clNone);
        }
        if (drawing && cellInfo_.DefaultDrawText) {
            int options = highlight || brushChanged_ ? 0 : controls::etNoBackground;
            if (options_.Contains(dgWordWrap)) {
                options |= controls::etWordBreak;
                if (options_.Contains(dgTrailingEllipsis) && IsOneLineHigh(canvas, rect))
                    options |= controls::etEndEllipsis;
            } else if (options_.Contains(dgTrailingEllipsis)) {
                options |= controls::etEndEllipsis;
            }
            DrawEditText(canvas, rect, 2, HorzLinesVisible() ? 2 : 1, text, alignment, options);
        }
        try {
            DoDrawDataCell(rect, field, state);
        } catch (const std::exception&) {
            // A form's own drawing of a cell must not stop the rest of the grid from painting.
        }
        drawnDataRow_ = -1;
        drawnDataCol_ = -1;
    });
    DrawCellLines(rect, col, state, row);
}

bool TwwCustomDBGrid::ApplyDataCellColors(int col, int row, TGridDrawState state, const QString& text) {
    TCanvas& canvas = GetPaintCanvas();
    const bool highlight = IsHighlighted(cellInfo_.DataCol, cellInfo_.DataRow, state, text);
    if (highlight) {
        canvas.Brush().Color = GetActiveRecordColor();
        if (col == Col() && row == Row() && !options_.Contains(dgRowSelect)) canvas.Brush().Color = clHighlight;
        canvas.Font().SetColor(clHighlightText);
    }
    brushChanged_ = CalcCellColors(cellInfo_.Field, state, canvas.Brush(), canvas.Font(), highlight);
    return highlight;
}

void TwwCustomDBGrid::DrawCellLines(const TRect& rect, int col, TGridDrawState state, int row) {
    const int dataRow = DataRowOf(row);
    const bool fixed = state.Contains(gdFixed);
    if (linesDrawn_ || (fixed && dataRow >= 0 && options_.Contains(dgRowLinesDisableFixed)) ||
        (!fixed && !options_.Contains(dgRowLines)))
        return;
    linesDrawn_ = true;
    TCanvas& canvas = GetPaintCanvas();
    const TColor brush = canvas.Brush().Color;
    const int bottom = rect.Top + RowHeights(row);
    whiteBackground_ = ColorToRGB(LineStyle == glsDynamic ? brush : Color()) == 0xFFFFFF;
    TwwCacheColInfoItem* item = col >= 0 && col < static_cast<int>(colInfo_.size()) ? &colInfo_[col] : nullptr;
    if (dataRow == 0 && item) item->DarkLines = whiteBackground_;
    if (PaintOptions.FillsDataCells()) whiteBackground_ = true;
    if (dataRow < 0 || DataColumnOf(col) < 0) return;
    // On a white grid the highlight counts as white: the lines keep their light-background colours.
    if (ColorToRGB(Color()) == 0xFFFFFF && state.Contains(gdSelected) &&
        (brush == clHighlight || PaintOptions.ActiveRecordColor() != clNone)) {
        whiteBackground_ = true;
        if (item) item->DarkLines = true;
    }
    if (!options_.Contains(dgRowLines) || HideAllLines) return;
    if (LineStyle == glsSingle || (LineStyle == glsDynamic && whiteBackground_)) {
        if (cellInfo_.DefaultDrawBottomLine) HorzLine(canvas, rect.Left, rect.Right, bottom, LineColors.DataColor);
        return;
    }
    if (cellInfo_.DefaultDrawBottomLine) HorzLine(canvas, rect.Left, rect.Right, bottom, LineColors.ShadowColor);
    const bool marksCurrentRow = options_.Contains(dgRowSelect) || PaintOptions.ActiveRecordColor() != clNone;
    const bool currentRow = row == Row() && (Focused() || options_.Contains(dgAlwaysShowEditor)) && marksCurrentRow;
    if (!currentRow && cellInfo_.DefaultDrawTopLine)
        HorzLine(canvas, rect.Left, rect.Right, rect.Top, LineColors.HighlightColor);
}
