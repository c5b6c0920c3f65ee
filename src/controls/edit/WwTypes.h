// The control library's enumerations, known to Qt by their published names so descriptions can store them.
#pragma once

#include <QObject>

namespace controls {
Q_NAMESPACE

// How check boxes are drawn inside grid cells.
enum TwwCheckBoxInGridStyle { cbStyleAuto, cbStyleCheckmark, cbStyleXmark, cbStyleCheckmarkFlat };
Q_ENUM_NS(TwwCheckBoxInGridStyle)

// How the grid paints.
enum TwwGridPaintStyle { gpsBitmapCanvas, gpsDynamicDeviceContext };
Q_ENUM_NS(TwwGridPaintStyle)

// The edge style of an edit's drawn frame.
enum TwwEditFocusStyle { efsFrameBox, efsFrameSunken, efsFrameRaised, efsFrameEtched, efsFrameBump, efsFrameSingle };
Q_ENUM_NS(TwwEditFocusStyle)

// The sides of an edit's drawn frame.
enum TwwEditFrameEnum { efLeftBorder, efTopBorder, efRightBorder, efBottomBorder };
Q_ENUM_NS(TwwEditFrameEnum)

}  // namespace controls

using controls::TwwCheckBoxInGridStyle;
using enum controls::TwwCheckBoxInGridStyle;
using controls::TwwGridPaintStyle;
using enum controls::TwwGridPaintStyle;
using controls::TwwEditFocusStyle;
using enum controls::TwwEditFocusStyle;
using controls::TwwEditFrameEnum;
using enum controls::TwwEditFrameEnum;
