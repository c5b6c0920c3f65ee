// Loading and saving a combo box's history: one key per entry in an INI section, or CR LF lines in one
// binary registry value.
#include "controls/edit/WwHistoryList.h"

#include "controls/edit/WwIntl.h"
#include "platform/ini/IniFiles.h"
#include "platform/registry/Hive.h"
#include "platform/registry/Registry.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/SystemFacts.h"

#include <QDir>

namespace {

// An INI file named without a folder lives in the per-user settings folder, as the system keeps them in
// its own folder.
QString IniPath(const QString& name) {
    if (name.contains(QLatin1Char('/'))) return name;
    return QDir(reg::StoreDirectory()).filePath(name);
}

}  // namespace

QString TwwHistoryList::StorageName() const {
    if (!FileName.isEmpty()) return FileName;
    if (!TwwIntl::Global().IniFileName.isEmpty()) return TwwIntl::Global().IniFileName;
    if (StorageType == stIniFile) return ChangeFileExt(ExtractFileName(rtl::ExeName()), QStringLiteral(".ini"));
    return {};
}

int TwwHistoryList::MRUCount() const {
    if (!MRUEnabled) return 0;
    return qMin(MRUMaxSize, entries_.Count());
}

void TwwHistoryList::Load() {
    const QString name = StorageName();
    if (Section.isEmpty() || name.isEmpty()) return;
    entries_.Clear();
    if (StorageType == stRegistry) {
        TRegistry registry;
        if (registry.OpenKey(name, true) && registry.ValueExists(Section)) {
            QByteArray bytes(registry.GetDataSize(Section), '\0');
            registry.ReadBinaryData(Section, bytes.data(), int(bytes.size()));
            for (const QString& line : QString::fromUtf8(bytes).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
                entries_.Add(line);
        }
    } else {
        TIniFile ini(IniPath(name));
        QStringList keys;
        ini.ReadSection(Section, keys);
        for (const QString& key : keys) entries_.Add(ini.ReadString(Section, key, QString()));
    }
    loaded_ = true;
}

void TwwHistoryList::Save() {
    const QString name = StorageName();
    if (Section.isEmpty() || name.isEmpty()) return;
    if (StorageType == stRegistry) {
        while (MaxSize > 0 && entries_.Count() > MaxSize) entries_.Delete(0);
        QStringList lines;
        for (int i = 0; i < entries_.Count(); ++i) lines << entries_.Get(i);
        const QByteArray bytes = lines.join(QStringLiteral("\r\n")).toUtf8();
        TRegistry registry;
        if (registry.OpenKey(name, true)) registry.WriteBinaryData(Section, bytes.constData(), int(bytes.size()));
        return;
    }
    TIniFile ini(IniPath(name));
    ini.EraseSection(Section);
    // The newest MaxSize entries keep their index numbers.
    const int first = MaxSize > 0 ? qMax(0, entries_.Count() - MaxSize) : 0;
    for (int i = first; i < entries_.Count(); ++i) ini.WriteString(Section, QString::number(i), entries_.Get(i));
}
