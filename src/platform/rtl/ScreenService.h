// The screen as code without windows reaches it: the cursor shown over every window, the main window's
// repaint and the screen's resolution. The window layer installs the real one at start-up.
#pragma once

#include <memory>

using TCursor = int;
enum : TCursor {
    crDefault = 0,
    crNone = -1,
    crArrow = -2,
    crCross = -3,
    crIBeam = -4,
    crSizeNESW = -6,
    crSizeNS = -7,
    crSizeNWSE = -8,
    crSizeWE = -9,
    crUpArrow = -10,
    crHourGlass = -11,
    crDrag = -12,
    crNoDrop = -13,
    crHSplit = -14,
    crVSplit = -15,
    crMultiDrag = -16,
    crSQLWait = -17,
    crNo = -18,
    crAppStart = -19,
    crHelp = -20,
    crHandPoint = -21,
    crSizeAll = -22,
    crSize = -22,
};

namespace rtl {

class ScreenService {
public:
    virtual ~ScreenService() = default;
    // crDefault gives every window its own cursor back; any other cursor shows everywhere.
    virtual TCursor Cursor() const = 0;
    virtual void SetCursor(TCursor cursor) = 0;
    // Paints the main window at once, so that it is not left blank under a closed window while a long step runs.
    virtual void RepaintMainForm() = 0;
    // The screen's logical pixels per inch, one value for both axes.
    virtual int PixelsPerInch() const = 0;
};

// The screen every part of the program reaches.
ScreenService& CurrentScreenService();

// Installs the screen; returns the one it replaces. Null restores the one without windows, which only keeps
// the cursor value and answers 96 pixels per inch.
std::shared_ptr<ScreenService> SetScreenService(std::shared_ptr<ScreenService> service);

// Shows the hourglass for its lifetime and then restores the cursor it found.
class HourGlass {
public:
    HourGlass();
    ~HourGlass();
    HourGlass(const HourGlass&) = delete;
    HourGlass& operator=(const HourGlass&) = delete;

private:
    TCursor saved_;
};

}  // namespace rtl
