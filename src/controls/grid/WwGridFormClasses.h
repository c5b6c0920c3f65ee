// The data-aware grid and lookup combo as classes of described windows ("TwwDBGrid", "TwwDBLookupCombo").
#pragma once

namespace controls {

// Registers them, and the edit controls, with the window builder; a window that names them calls it before it
// is described (once is enough; later calls do nothing).
void RegisterGridFormClasses();

}  // namespace controls
