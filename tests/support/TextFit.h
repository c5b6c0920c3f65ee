// Checks that a window shows every text whole, at the pinned test font and at a larger desktop font.
#pragma once

#include <QWidget>
#include <functional>

namespace testing_env {

// Every visible control of the window lies inside its parent without overlapping its siblings, and the text of every
// label, memo, check box, radio button, push button and group box fits its box at the control's own font (wrapped where
// it wraps). With TAVORIN_UI_SHOTS=<folder> it also saves a picture of the window there.
void ExpectTextsWhole(const QWidget& window);

// Runs check twice: at the pinned test font, and with DejaVu Sans 11 pt as the application's font (the size
// of a common desktop default). Windows made inside check take the font of the round.
void AtEachTestFont(const std::function<void()>& check);

}  // namespace testing_env
