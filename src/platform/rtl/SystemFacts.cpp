// Facts about the machine, the system and the user, read from the system's own files and calls.
#include "platform/rtl/SystemFacts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QStandardPaths>
#include <QSysInfo>
#include <QThread>

#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

namespace rtl {
namespace {

// "key<separator>value" lines of a system file; the first occurrence of a key wins.
QHash<QString, QString> ReadKeyValues(const QString& fileName, QChar separator) {
    QHash<QString, QString> values;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return values;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw);
        const qsizetype at = line.indexOf(separator);
        if (at < 0) continue;
        const QString key = line.left(at).trimmed();
        if (!values.contains(key)) values.insert(key, line.mid(at + 1).trimmed());
    }
    return values;
}

QString Unquoted(QString value) {
    if (value.size() >= 2 && (value.startsWith(u'"') || value.startsWith(u'\'')) && value.endsWith(value[0]))
        value = value.mid(1, value.size() - 2);
    return value;
}

int NumberOr(const QString& text, int fallback) {
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok ? n : fallback;
}

// A /proc/meminfo value ("16318540 kB") in bytes.
quint64 MeminfoBytes(const QHash<QString, QString>& info, const char* key) {
    return info.value(QLatin1String(key)).section(u' ', 0, 0).toULongLong() * 1024;
}

}  // namespace

QString ExeName() { return QCoreApplication::applicationFilePath(); }

QString OsName() {
    const QHash<QString, QString> release = ReadKeyValues(QStringLiteral("/etc/os-release"), u'=');
    for (const char* key : {"PRETTY_NAME", "NAME"}) {
        const QString name = Unquoted(release.value(QLatin1String(key)));
        if (!name.isEmpty()) return name;
    }
    return QStringLiteral("Linux");
}

QString KernelRelease() {
    struct utsname name {};
    return uname(&name) == 0 ? QString::fromUtf8(name.release) : QString();
}

QString MachineArchitecture() {
    struct utsname name {};
    return uname(&name) == 0 ? QString::fromUtf8(name.machine) : QString();
}

int ProcessorCount() {
    const long online = sysconf(_SC_NPROCESSORS_ONLN);
    return online > 0 ? static_cast<int>(online) : QThread::idealThreadCount();
}

ProcessorFacts Processor() {
    const QHash<QString, QString> info = ReadKeyValues(QStringLiteral("/proc/cpuinfo"), u':');
    ProcessorFacts facts;
    facts.vendor = info.value(QStringLiteral("vendor_id"));
    facts.modelName = info.value(QStringLiteral("model name"));
    facts.family = NumberOr(info.value(QStringLiteral("cpu family")), -1);
    facts.model = NumberOr(info.value(QStringLiteral("model")), -1);
    facts.stepping = NumberOr(info.value(QStringLiteral("stepping")), -1);
    return facts;
}

MemoryFacts Memory() {
    const QHash<QString, QString> info = ReadKeyValues(QStringLiteral("/proc/meminfo"), u':');
    MemoryFacts facts;
    facts.totalPhysical = MeminfoBytes(info, "MemTotal");
    if (facts.totalPhysical == 0) return facts;
    facts.availablePhysical = info.contains(QStringLiteral("MemAvailable")) ? MeminfoBytes(info, "MemAvailable")
                                                                            : MeminfoBytes(info, "MemFree");
    facts.totalVirtual = facts.totalPhysical + MeminfoBytes(info, "SwapTotal");
    facts.availableVirtual = facts.availablePhysical + MeminfoBytes(info, "SwapFree");
    facts.memoryLoad = static_cast<int>(100 - facts.availablePhysical * 100 / facts.totalPhysical);
    facts.valid = true;
    return facts;
}

QString UserName() {
    if (const passwd* entry = getpwuid(geteuid()); entry && entry->pw_name)
        return QString::fromLocal8Bit(entry->pw_name);
    return qEnvironmentVariable("USER");
}

QString ComputerName() { return QSysInfo::machineHostName(); }

QString ExistingDocumentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QString();
}

QString DocumentsFolder() {
    const QString documents = ExistingDocumentsFolder();
    return documents.isEmpty() ? QDir::currentPath() : documents;
}

}  // namespace rtl
