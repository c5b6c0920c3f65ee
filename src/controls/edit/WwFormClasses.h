// The data-aware edit controls as classes of described windows ("TwwDBEdit", "TwwDBComboBox", "TwwDBSpinEdit",
// "TwwDBDateTimePicker", "TwwCheckBox").
#pragma once

namespace controls {

// Registers them with the window builder; a window that names them calls it before it is described (once is
// enough; later calls do nothing).
void RegisterEditFormClasses();

}  // namespace controls
