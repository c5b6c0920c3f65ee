// Measuring booking texts with a canvas's font.
#include "data/forms/CanvasTextMeasurer.h"

#include "platform/ui/Canvas.h"

namespace data {

int CanvasTextMeasurer::TextWidth(const QString& text) { return canvas_.TextWidth(text); }

}  // namespace data
