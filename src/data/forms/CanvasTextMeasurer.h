// Measuring booking texts with a canvas's font, for the layouts' text wrap.
#pragma once

#include "data/layout/TextMeasurer.h"

class TCanvas;

namespace data {

class CanvasTextMeasurer : public TextMeasurer {
public:
    explicit CanvasTextMeasurer(TCanvas& canvas) : canvas_(canvas) {}
    int TextWidth(const QString& text) override;

private:
    TCanvas& canvas_;
};

}  // namespace data
