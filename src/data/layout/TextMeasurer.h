// The width of a text as a canvas would draw it: what cell-text wrapping measures with.
#pragma once

#include <QString>

namespace data {

class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    virtual int TextWidth(const QString& text) = 0;
};

}  // namespace data
