// Small utilities shared by the control library: numbers, rectangles, flags, line lists and field lookup.
#pragma once

#include "platform/db/DataSet.h"
#include "platform/ui/Geometry.h"

#include <QString>

class TStrings;

inline int IntMax(int a, int b) { return a > b ? a : b; }
inline int IntMin(int a, int b) { return a < b ? a : b; }
// Below the minimum gives the minimum, else the smaller of value and maximum.
inline int ClampInt(int value, int minimum, int maximum) { return value < minimum ? minimum : IntMin(value, maximum); }
// a times b, integer-divided by 96: a size given at 96 pixels per inch, for a screen of b.
inline int ScaleFrom96Dpi(int a, int b) { return a * b / 96; }
inline int RectWidth(const TRect& rect) { return rect.Right - rect.Left; }
inline int RectHeight(const TRect& rect) { return rect.Bottom - rect.Top; }
inline QString BoolToTF(bool value) { return value ? QStringLiteral("T") : QStringLiteral("F"); }

// The first line equal to the text in any case; -1 when none.
int IndexOfTextNoCase(const TStrings& lines, const QString& text);
// The lines joined by a blank, or by CR LF.
QString ListToPChar(const TStrings& lines, bool blankSeparator);
// The name of the first field whose display label equals the label, "~" read as a blank on both sides and
// case ignored; empty when none.
QString FindFieldByDisplayLabel(const TDataSet& dataSet, const QString& label);
int DataSetCompareBookmarks(const TDataSet& dataSet, const TBookmark& a, const TBookmark& b);
inline bool DataSetAssigned(const TDataSet* dataSet) { return dataSet != nullptr; }
// A field of that name, upper-cased on both sides; false for no dataset.
bool DataSetHasField(const TDataSet* dataSet, const QString& name);
