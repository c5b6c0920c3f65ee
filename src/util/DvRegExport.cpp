// Writes registry keys as registry-export lines.
#include "util/DvRegExport.h"

#include "util/core/DvRegistry.h"

QString RegRootKeyName(HKEY rootKey) {
    switch (rootKey) {
        case HKEY_LOCAL_MACHINE: return QStringLiteral("HKEY_LOCAL_MACHINE");
        case HKEY_CURRENT_USER: return QStringLiteral("HKEY_CURRENT_USER");
        default: return QStringLiteral("UNKNOWN");
    }
}

QString RegValueTypePrefix(TRegDataType kind) {
    switch (kind) {
        case rdString: return QString();
        case rdExpandString: return QStringLiteral("hex(2):");
        case rdInteger: return QStringLiteral("dword:");
        case rdBinary: return QStringLiteral("hex:");
        default: return QStringLiteral("unknown");
    }
}

void TDvRegKeys::Add(HKEY rootKey, const QString& keyName) {
    rootKeys_.Add(rootKey);
    keyNames_ << keyName;
}

bool TDvRegExport::ExportKey(HKEY rootKey, const QString& keyPath, bool recursive) {
    lines_.clear();
    try {
        TDvRegistry reg(KEY_READ);
        reg.SetRootKey(rootKey);
        WriteKey(reg, keyPath, recursive);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void TDvRegExport::WriteKey(TRegistry& reg, const QString& keyPath, bool recursive) {
    // Each key is opened from the root, so a path without a leading backslash means the same every time.
    reg.CloseKey();
    if (!reg.OpenKeyReadOnly(keyPath)) return;
    lines_ << u'[' + RegRootKeyName(reg.RootKey()) + keyPath + u']';
    QStringList names;
    reg.GetValueNames(names);
    for (const QString& name : names) lines_ << ValueLine(reg, name);
    if (!recursive) return;
    reg.GetKeyNames(names);
    for (const QString& subkey : names) {
        lines_ << QString();
        WriteKey(reg, keyPath + u'\\' + subkey, true);
    }
}

QString TDvRegExport::ValueLine(TRegistry& reg, const QString& name) {
    const TRegDataType kind = reg.GetDataType(name);
    QString text;
    switch (kind) {
        case rdString: text = u'"' + QString(reg.ReadString(name)).replace(u'\\', QStringLiteral("\\\\")) + u'"'; break;
        case rdInteger:
            text = QStringLiteral("%1").arg(quint32(reg.ReadInteger(name)), 8, 16, QLatin1Char('0')).toUpper();
            break;
        case rdBinary: {
            QByteArray data(qMax(reg.GetDataSize(name), 0), '\0');
            data.truncate(reg.ReadBinaryData(name, data.data(), int(data.size())));
            text = QString::fromLatin1(data.toHex(',').toUpper());
            break;
        }
        default: text = QStringLiteral("unknown"); break;
    }
    return u'"' + name + QStringLiteral("\"=") + RegValueTypePrefix(kind) + text;
}
