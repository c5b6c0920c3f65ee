// The engine's table of device-mode paper codes: each code's name and size, and a size as whole millimetres.
#pragma once

#include <QSize>
#include <QString>

// The user-defined paper.
inline constexpr int kCustomPaperCode = 256;

// The name of a paper code; "Unknown" for a code the table lacks.
QString PaperNameOfCode(int paperCode);
// The size in tenths of a millimetre; 0 x 0 for a code without one (the custom paper among them). Sizes in
// inches go through whole screen pixels, so they follow the screen's resolution at the call.
QSize PaperSizeOfCode(int paperCode);
// Whole millimetres of a size in tenths: "215 x 279 mm".
QString PaperSizeText(int width, int height);
