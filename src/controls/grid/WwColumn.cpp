// TwwColumn and the grid's column operations: lookups, widths set by windows, widths written back in
// characters, automatic width and column moves.
#include "controls/grid/WwCounterScope.h"
#include "controls/grid/WwSelectedList.h"
#include "controls/grid/Wwdbigrd.h"
#include "platform/db/DataSource.h"
#include "platform/db/Field.h"
#include "platform/rtl/NumberParse.h"

#include <algorithm>

namespace {

using controls::SelectedPart;

using controls::CounterScope;

// The field a column shows under UseTFields; null otherwise or without it.
TField* TFieldOf(const TwwColumn& column) {
    if (!column.Grid || !column.Grid->UseTFields()) return nullptr;
    TDataSet* dataSet = column.Grid->DataLink().DataSet();
    return dataSet ? dataSet->FindField(column.FieldName) : nullptr;
}

QString PartOf(const TwwColumn& column, SelectedPart part) {
    if (!column.Grid) return {};
    return controls::GetSelectedPart(column.Grid->Selected(), column.FieldName, part);
}

}  // namespace

// ---- TwwColumn

void TwwColumn::SetFooterValue(const QString& value) {
    if (value == FooterValue) return;
    FooterValue = value;
    if (Grid && Grid->FooterStrip()) Grid->FooterStrip()->update();
}

void TwwColumn::SetDisplayWidth(int width) {
    if (!Grid) return;
    {
        CounterScope entry(Grid->layoutEntry_);
        controls::SetSelectedPart(Grid->Selected(), FieldName, SelectedPart::Width, QString::number(width));
        if (TField* field = TFieldOf(*this)) field->SetDisplayWidth(width);
    }
    Grid->SetColumnAttributes();
}

int TwwColumn::GetDisplayWidth() const {
    if (TField* field = TFieldOf(*this)) return field->DisplayWidth();
    return Grid ? StrToInt(PartOf(*this, SelectedPart::Width)) : 0;
}

QString TwwColumn::GetDisplayLabel() const {
    if (TField* field = TFieldOf(*this)) return field->DisplayLabel();
    return PartOf(*this, SelectedPart::Title);
}

bool TwwColumn::GetReadOnly() const { return Grid && PartOf(*this, SelectedPart::ReadOnly) == QLatin1String("T"); }

QString TwwColumn::GetGroupName() const { return PartOf(*this, SelectedPart::Group); }

// ---- lookups

TwwColumn* TwwCustomDBGrid::FindColumn(const QString& fieldName) {
    for (const auto& column : columns_)
        if (column->FieldName.compare(fieldName, Qt::CaseInsensitive) == 0) return column.get();
    if (!defaultColumn_) defaultColumn_ = std::make_unique<TwwColumn>();
    return defaultColumn_.get();
}

TwwColumn* TwwCustomDBGrid::GetColumnByDataCol(int dataCol) {
    if (dataLink_->MappedCount() > 0) {
        TField* field = dataCol >= 0 ? dataLink_->GetMappedField(dataCol) : nullptr;
        return FindColumn(field ? field->FieldName() : QString());
    }
    if (dataCol < 0 || dataCol >= selected_.Count()) return FindColumn(QString());
    return FindColumn(controls::SelectedLinePart(selected_.Strings(dataCol), SelectedPart::Field));
}

TwwColumn* TwwCustomDBGrid::GetColumn(int index) {
    const int limit = dataLink_->MappedCount() > 0 ? dataLink_->MappedCount() : selected_.Count();
    if (index >= 0 && index < limit && index < static_cast<int>(columns_.size())) return columns_[index].get();
    return FindColumn(QString());
}

QString TwwCustomDBGrid::GetColumnFieldName(int dataCol) const {
    if (dataLink_->Active()) {
        const TField* field = GetColumnField(dataCol);
        return field ? field->FieldName() : QString();
    }
    if (dataCol < 0 || dataCol >= selected_.Count()) return {};
    return controls::SelectedLinePart(selected_.Strings(dataCol), SelectedPart::Field);
}

// ---- widths

void TwwCustomDBGrid::SetColWidths(int index, int width) {
    CounterScope busy(layoutBusy_);
    TCustomGrid::SetColWidths(index, width);
}

void TwwCustomDBGrid::InvalidateCurrentRow() { InvalidateRowCells(Row()); }

void TwwCustomDBGrid::ColWidthsChanged() {
    TCustomGrid::ColWidthsChanged();
    if (layoutBusy_ > 0 || !widthWriteBack_ || !dataLink_->Active() || !windowCreated_) return;
    {
        CounterScope entry(layoutEntry_);
        const int zero = std::max(ZeroWidth(), 1);
        const auto characters = [zero](int pixels) { return (pixels + std::max(0, zero / 2 - 3) - 4) / zero; };
        for (int dataCol = 0; dataCol < dataLink_->MappedCount(); ++dataCol) {
            const int col = dataCol + indicatorOffset_;
            if (col >= ColCount()) break;
            const int width = characters(ColWidths(col));
            if (useTFields_) {
                if (TField* field = GetColumnField(dataCol)) field->SetDisplayWidth(width);
                continue;
            }
            if (dataCol >= selected_.Count()) break;
            const QStringList parts = selected_.Strings(dataCol).split(QLatin1Char('\t'));
            QString line =
                parts.value(0) + QLatin1Char('\t') + QString::number(width) + QLatin1Char('\t') + parts.value(2);
            if (parts.size() > 3) line += QLatin1Char('\t') + parts.value(3);
            if (parts.size() > 4) line += QLatin1Char('\t') + parts.value(4);
            selected_.Put(dataCol, line);
        }
    }
    RebuildLayout();
}

void TwwCustomDBGrid::AutoSizeColumn(int col) {
    const int dataCol = DataColumnOf(col);
    TField* field = GetColumnField(dataCol);
    if (!field) return;
    TCanvas& canvas = GetPaintCanvas();
    canvas.Font().Assign(Font());
    int needed = 0;
    for (int dataRow = 0; dataRow < dataLink_->RecordCount(); ++dataRow)
        WithRowRecord(dataRow, [&] { needed = std::max(needed, canvas.TextWidth(field->DisplayText())); });
    needed += 4;
    const int current = ColWidths(col);
    // A column never grows past half the grid.
    if (current < needed && (Width() / 2 < current || Width() / 2 < needed)) return;
    GetColumnByDataCol(dataCol)->SetDisplayWidth(needed / std::max(ZeroWidth(), 1));
}

// ---- moves

void TwwCustomDBGrid::ColumnMoved(int from, int to) {
    TCustomGrid::ColumnMoved(from, to);
    const int fromData = from - indicatorOffset_;
    const int toData = to - indicatorOffset_;
    if (!useTFields_) {
        if (fromData >= 0 && fromData < selected_.Count() && toData >= 0 && toData < selected_.Count()) {
            selected_.Move(fromData, toData);
        }
        RebuildLayout();
    } else if (dataLink_->Active() && dataLink_->MappedCount() > 0) {
        TField* moved = GetColumnField(fromData);
        TField* target = GetColumnField(toData);
        if (moved && target) moved->SetIndex(target->Index());
    }
    if (footer_) footer_->update();
    if (OnColumnMoved) OnColumnMoved(&Widget(), fromData, toData);
}
