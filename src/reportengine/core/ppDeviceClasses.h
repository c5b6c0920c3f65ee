// The process-wide registry of output device classes, looked up by device name, and the substitutes for
// fonts that the screen cannot show.
#pragma once

#include "reportengine/core/EngineClass.h"

#include <QString>

class TStrings;

// A device class as the registry knows it: the class (created by name from streams) and the device name
// it answers, such as "Printer". Each device class keeps one of these for the whole process.
struct TppDeviceClass {
    const reportengine::EngineClass& engineClass;
    // Empty: the class name.
    QString deviceName;

    QString DeviceName() const { return deviceName.isEmpty() ? engineClass.Name() : deviceName; }
};

// A class already in the registry is not added again; none is ignored.
void RegisterDeviceClass(const TppDeviceClass* deviceClass);
void UnregisterDeviceClass(const TppDeviceClass* deviceClass);
// Appends each registered class's device name, in registration order, with the class as the entry's object.
void GetDeviceClasses(TStrings& list);
// The first registered class whose device name matches without regard to case; null when none does.
const TppDeviceClass* FindDeviceClass(const QString& deviceName);

class TppDeviceSubstitutions {
public:
    // The substitute of a font name, compared with case; any other name comes back unchanged.
    static QString SubstituteDeviceFont(const QString& fontName);
};
