// The installed data windows.
#include "data/module/DataWindows.h"

namespace data {

DataWindows& CurrentDataWindows() {
    static DataWindows windows;
    return windows;
}

}  // namespace data
