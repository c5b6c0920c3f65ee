// The main-thread test of the engine, with the count of report generations running in the background.
#pragma once

// True on the program's main thread, and on every thread while a background generation runs, so that the
// background worker may use the shared printer and walk the program's forms.
bool IsMainThread();
// The background print worker calls these around each generation; the count never falls below 0.
void EnterBackgroundPrinting();
void LeaveBackgroundPrinting();
