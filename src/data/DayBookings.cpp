// The days of one resource in the time-slot layout.
#include "data/DayBookings.h"

#include "data/CellTextWrap.h"
#include "data/ListIndex.h"
#include "platform/ui/Canvas.h"

namespace {

class CanvasMeasurer : public data::TextMeasurer {
public:
    explicit CanvasMeasurer(TCanvas& canvas) : canvas_(canvas) {}
    int TextWidth(const QString& text) override { return canvas_.TextWidth(text); }

private:
    TCanvas& canvas_;
};

}  // namespace

void TDayBookings::WrapCellTexts(data::TextMeasurer& canvas, int width) { data::WrapCellTexts(cells_, canvas, width); }

void TDayBookings::WrapCellTexts(TCanvas& canvas, int width) {
    CanvasMeasurer measurer(canvas);
    WrapCellTexts(measurer, width);
}

TDayListBookings::TDayListBookings(int dayCount, int slotCount) {
    for (int i = 0; i < dayCount; ++i) days_.push_back(std::make_unique<TDayBookings>(slotCount));
}

TDayBookings* TDayListBookings::GetDay(int index) const {
    data::CheckListIndex(index, GetCount());
    return days_[static_cast<size_t>(index)].get();
}

void TDayListBookings::Delete(int index) {
    data::CheckListIndex(index, GetCount());
    days_.erase(days_.begin() + index);
}
