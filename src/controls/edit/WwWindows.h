// Small window routines of the control library: where a control sits, themes, posted mouse and key input.
#pragma once

#include "controls/edit/WwProps.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/Keys.h"

class QObject;
class QWidget;
class TControl;
class TForm;

// The object's class or one of its ancestors (as Qt knows them) has this name, in any case.
bool InheritsFromClassName(const QObject* object, const QString& className);
// The control's parent is a grid (an in-place editor).
bool IsInGrid(const TControl* control);
// The grid is painting the control as a copy into one of its cells.
bool InPaintCopyState(const TControl* control);
bool IsPaintingInGrid(const TControl* control);
// This program has no data inspector: always false.
inline bool IsInInspectorGrid(const TControl*) { return false; }
// Themes are on unless the control's DisableThemes (or, when it has none, its parent's) is set.
bool ThemesEnabledFor(const TControl* control);
// A visible child's top-left corner lies outside the control's client rectangle (a dropped-down list).
bool HasChildOutsideClient(const TControl& control);
// Releases the left button for the active form (or its child) that holds it.
void PostButtonUpToActiveForm();
// Posts a key down and up to the window as if the modifier (VK_SHIFT, VK_CONTROL or VK_MENU) were held.
void PostKeyWithModifier(QWidget& window, Word key, Word modifierKey);
// The desktop area that windows may use.
TRect GetWorkArea();
// The first form in the owner chain; null when none.
TForm* FindOwnerForm(const QObject* component);

namespace controls {

// While alive, the control counts as painted as a copy into a grid cell (the grid sets it).
class PaintCopyScope {
public:
    explicit PaintCopyScope(TControl& control);
    ~PaintCopyScope();
    PaintCopyScope(const PaintCopyScope&) = delete;
    PaintCopyScope& operator=(const PaintCopyScope&) = delete;

private:
    TControl& control_;
};

}  // namespace controls
