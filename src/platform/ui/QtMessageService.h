// The windowed message service: message dialogs, message boxes and input prompts as Qt dialogs.
#pragma once

#include "platform/rtl/Messages.h"

namespace ui {

class QtMessageService : public rtl::MessageService {
public:
    rtl::MessageAnswer Ask(const rtl::MessageRequest& request) override;
};

// Line breaks written as CR, CR LF or LF all show as one line break.
QString NormalizeLineBreaks(const QString& text);

}  // namespace ui
