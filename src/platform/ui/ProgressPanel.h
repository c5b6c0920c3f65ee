// The centred 300 x 100 panel with a one-line message that blocking work shows, with the hourglass.
#pragma once

#include "platform/ui/Application.h"
#include "platform/ui/Containers.h"

#include <QPointer>
#include <QString>

class TForm;

namespace ui {

// Shown for its lifetime: on the form's client area (or centred on the screen without a form),
// painted at once; the panel is removed and the cursor restored however the work ends.
class ProgressPanel {
public:
    ProgressPanel(TForm* form, const QString& message);
    ~ProgressPanel();
    ProgressPanel(const ProgressPanel&) = delete;
    ProgressPanel& operator=(const ProgressPanel&) = delete;

    TPanel* Panel() const { return panel_; }
    void SetMessage(const QString& message);

    static constexpr int kWidth = 300;
    static constexpr int kHeight = 100;

private:
    HourGlass hourGlass_;
    QPointer<TPanel> panel_;
};

}  // namespace ui
