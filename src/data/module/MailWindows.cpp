// The installed mail windows.
#include "data/module/MailWindows.h"

namespace data {

MailWindows& CurrentMailWindows() {
    static MailWindows windows;
    return windows;
}

}  // namespace data
