// NetWare client detection.
#include "util/core/DvNwClient.h"

void TDvNwClient::DetectUser() {
    if (Detected) return;
    Present = false;
    UserName.clear();
    // The client's call library is what detection loads first; it is never found here, and a detection
    // that found no library is not marked done.
}
