// Facts about the machine, the system and the user, as the diagnostic reports show them.
#pragma once

#include <QString>
#include <QtGlobal>

namespace rtl {

// The program file's full path.
QString ExeName();

// The distribution's name from /etc/os-release (PRETTY_NAME, else NAME), else "Linux".
QString OsName();
// The kernel release and the machine architecture, as uname reports them ("6.1.0-13-amd64", "x86_64").
QString KernelRelease();
QString MachineArchitecture();

int ProcessorCount();

// The first processor's description from /proc/cpuinfo; numbers are -1 where the system gives none.
struct ProcessorFacts {
    QString vendor;
    QString modelName;
    int family = -1;
    int model = -1;
    int stepping = -1;
};
ProcessorFacts Processor();

// Bytes of memory, from /proc/meminfo; valid is false when it could not be read. Virtual memory is the
// physical memory plus the swap space.
struct MemoryFacts {
    bool valid = false;
    int memoryLoad = 0;  // percent of physical memory in use
    quint64 totalPhysical = 0;
    quint64 availablePhysical = 0;
    quint64 totalVirtual = 0;
    quint64 availableVirtual = 0;
};
MemoryFacts Memory();

// The login name of the user running the program.
QString UserName();
QString ComputerName();
// The user's documents folder; the current folder when there is none.
QString DocumentsFolder();
// The user's documents folder when it exists, else empty.
QString ExistingDocumentsFolder();

}  // namespace rtl
