// TSplashForm: the borderless picture shown while the program starts, and the wait for its minimum time.
#pragma once

#include "platform/ui/Form.h"

#include <QElapsedTimer>

class TPanel;
class TImage;

class TSplashForm : public TForm {
public:
    explicit TSplashForm(QWidget* owner = nullptr);

    TPanel* Panel;
    TImage* Image;
};

// The splash stays up at least this long after it was first painted.
inline constexpr qint64 kSplashMinimumMs = 2500;

// Waits, painting the windows but taking no user input, until minimumMs have passed since shown was started (a
// monotonic clock); returns at once when they have.
void WaitOutSplash(const QElapsedTimer& shown, qint64 minimumMs = kSplashMinimumMs);
