// TppDisplayFormat: field values as printed text by data type and display format, and the ready-made display
// formats offered per data type. The engine reaches it only through the registered class.
#pragma once

#include "platform/rtl/ServiceSlot.h"
#include "reportengine/core/ppTypes.h"

#include <QString>
#include <QVariant>

class TStrings;

class TppDisplayFormat {
public:
    virtual ~TppDisplayFormat() = default;
    // The value's text; empty for a Null value. A value that cannot be read as its data type requires lets the
    // conversion error pass.
    virtual QString Format(const QString& displayFormat, TppDataType dataType, const QVariant& value) const;
    // Clears the list and fills it with "sample" + character 1 + "format" entries; nothing without a list.
    virtual void GetDisplayFormats(TppDataType dataType, TStrings* list) const;
};

namespace reportengine {

// The registered display-format class; TppDisplayFormat unless a replacement with the same operations is
// installed.
rtl::ServiceSlot<TppDisplayFormat>& DisplayFormatSlot();

}  // namespace reportengine

// The registered class's Format.
QString FormatDisplayValue(const QString& displayFormat, TppDataType dataType, const QVariant& value);
// The registered class's GetDisplayFormats: the display formats offered for the data type.
void CallRegisteredHandler(TppDataType dataType, TStrings* list);
