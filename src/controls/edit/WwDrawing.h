// Small drawing routines of the edits, combos and grid: unfocused edit text, focus frames, button faces.
#pragma once

#include "platform/rtl/Alignment.h"
#include "platform/ui/Geometry.h"

#include <QString>

class TCanvas;

namespace controls {

// The options of DrawEditText, combined as bits.
enum EditTextOption {
    etShowPrefix = 1,     // "&" underlines the next character
    etEndEllipsis = 2,    // one line, cut with "..."
    etWordBreak = 4,      // wrap at words unless the rectangle is one line high
    etNoBackground = 16,  // leave the rectangle's background alone
    etSingleLine = 32,    // one line, centred vertically
};

// The text format flags, numbered as the platform's text drawing numbers them.
enum TextFormat {
    tfCenter = 0x1,
    tfRight = 0x2,
    tfVCenter = 0x4,
    tfEndEllipsis = 0x8000,
    tfWordBreak = 0x10,
    tfSingleLine = 0x20,
    tfExpandTabs = 0x40,
    tfNoPrefix = 0x800,
};

struct EditTextLayout {
    TRect textRect;
    int format = 0;
};

// Where and how DrawEditText draws; oneLineHigh tells whether the text rectangle holds only one line.
EditTextLayout LayoutEditText(const TRect& rect, int leftOffset, int topOffset, TAlignment alignment, int options,
                              bool oneLineHigh);

}  // namespace controls

// Draws an edit's text as an unfocused edit shows it (see controls::EditTextOption).
void DrawEditText(TCanvas& canvas, const TRect& rect, int leftOffset, int topOffset, const QString& text,
                  TAlignment alignment, int options);
// One line of the canvas font, two border heights and 3 pixels fill at least the rectangle's height.
bool IsOneLineHigh(TCanvas& canvas, const TRect& rect);
// An outline in the highlight colour and a focus rectangle; the canvas's brush and colours are kept.
void DrawCellFocusFrame(TCanvas& canvas, const TRect& rect);
// The face of an ellipsis button: an edge (flat while down; none with the flat look), its middle filled
// unless transparent, and three dots. paintCopy: painted as a copy into a grid cell (never shown down).
void DrawEllipsisButtonFace(TCanvas& canvas, const TRect& rect, bool down, bool paintCopy, bool transparent,
                            bool flatLook);
// The platform's combo drop-down arrow button.
void DrawComboArrowButton(TCanvas& canvas, const TRect& rect, bool down, bool paintCopy, bool enabled);
