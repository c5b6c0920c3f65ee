// Saving and loading a data-aware grid's column layout in an INI file or the registry.
#include "controls/grid/WwIniAttributes.h"

#include "controls/edit/WwFieldLists.h"
#include "controls/edit/WwIntl.h"
#include "controls/grid/WwProgramName.h"
#include "controls/grid/WwSelectedList.h"
#include "controls/grid/Wwdbigrd.h"
#include "platform/db/Field.h"
#include "platform/ini/IniFiles.h"
#include "platform/registry/Registry.h"
#include "platform/rtl/DurableFiles.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Messages.h"
#include "platform/rtl/StringList.h"

#include <QFile>
#include <QStringList>

namespace {

const QString kTab = QStringLiteral("\t");

// The section's Name=Value lines of the registry key FileName\section below the current user's root.
QStringList ReadRegistrySection(const QString& key, const QString& section) {
    QStringList lines;
    TRegistry registry(KEY_READ);
    if (!registry.OpenKeyReadOnly(key + u'\\' + section)) return lines;
    QStringList names;
    registry.GetValueNames(names);
    for (const QString& name : names) lines << name + u'=' + registry.ReadString(name);
    return lines;
}

void WriteRegistrySection(const QString& key, const QString& section, const QStringList& names,
                          const QStringList& values) {
    TRegistry registry;
    const QString path = key + u'\\' + section;
    if (registry.KeyExists(path)) registry.DeleteKey(path);
    if (!registry.OpenKey(path, true)) return;
    for (int i = 0; i < names.size(); ++i) registry.WriteString(names[i], values[i]);
}

// Empties the section and writes the entries into a copy of the file that then replaces it, so that a
// failure part-way leaves the file's earlier layout whole. An empty name goes to TIniFile as it is.
void WriteIniSection(const QString& fileName, const QString& section, const QStringList& names,
                     const QStringList& values) {
    if (fileName.isEmpty()) {
        TIniFile ini(fileName);
        ini.EraseSection(section);
        for (int i = 0; i < names.size(); ++i) ini.WriteString(section, names[i], values[i]);
        return;
    }
    const QString work = fileName + QStringLiteral(".layout-tmp");
    QFile::remove(work);
    if (FileExists(fileName)) {
        const QString reason = rtl::CopyFileDurably(fileName, work);
        if (!reason.isEmpty()) throw EIniFileException(QStringLiteral("Unable to write to %1").arg(fileName));
    }
    try {
        TIniFile ini(work);
        ini.EraseSection(section);
        for (int i = 0; i < names.size(); ++i) ini.WriteString(section, names[i], values[i]);
    } catch (...) {
        QFile::remove(work);
        throw;
    }
    if (!FileExists(work)) return;  // nothing to write and no file before
    if (!rtl::ReplaceFileDurably(work, fileName)) {
        QFile::remove(work);
        throw EIniFileException(QStringLiteral("Unable to write to %1").arg(fileName));
    }
}

void Warn(const QString& text) { MessageDlg(text, mtWarning, TMsgDlgButtons{mbOK}); }

}  // namespace

TwwIniAttributes::TwwIniAttributes(TwwCustomDBGrid* owner) : owner_(owner) {}

QString TwwIniAttributes::FileName() const {
    if (!fileName_.isEmpty()) return fileName_;
    const TwwIntl& intl = TwwIntl::Global();
    if (!intl.Connected()) return {};
    if (!intl.IniFileName.isEmpty()) return intl.IniFileName;
    if (SaveToRegistry || owner_->IsDesigning()) return {};
    return controls::ProgramBaseName() + QStringLiteral(".ini");
}

void TwwIniAttributes::SetFileName(const QString& value) {
    if (value != fileName_) fileName_ = value;
}

QString TwwIniAttributes::SectionName() const {
    if (!sectionName_.isEmpty()) return sectionName_;
    if (owner_->IsDesigning()) return {};
    return formName_ + owner_->Name();
}

void TwwIniAttributes::SetDelimiter(const QString& value) {
    if (value != delimiter_) delimiter_ = value;
}

QString TwwIniAttributes::Problem() const {
    const QString fileName = FileName();
    if (SaveToRegistry && fileName.isEmpty()) return QStringLiteral("FileName required when saving to registry");
    if (!SaveToRegistry && !fileName.isEmpty()) {
        const QString directory = ExtractFilePath(fileName);
        if (!directory.isEmpty() && !DirectoryExists(directory)) return QStringLiteral("Directory does not exist");
    }
    if (delimiter_.isEmpty()) return QStringLiteral("Key delimiter required");
    return {};
}

QString TwwIniAttributes::EntryValue(int column) const {
    using controls::SelectedPart;
    if (owner_->UseTFields()) {
        const TField* field = owner_->DataLink().GetMappedField(column);
        int index = -1;
        const bool lineReadOnly = FindSelectedLine(owner_->Selected(), field->FieldName(), index) &&
                                  controls::IsSelectedLineReadOnly(owner_->Selected().Strings(index));
        return QString::number(field->DisplayWidth()) + delimiter_ + field->DisplayLabel() + delimiter_ +
               (field->ReadOnly() || lineReadOnly ? QStringLiteral("T") : QStringLiteral("F"));
    }
    const QString line = owner_->Selected().Strings(column);
    const QStringList parts = line.split(kTab);
    // Read-only as stored, even empty; "F" only when the line has no such part.
    QString value = controls::SelectedLinePart(line, SelectedPart::Width) + delimiter_ +
                    controls::SelectedLinePart(line, SelectedPart::Title) + delimiter_ +
                    (parts.size() >= 4 ? parts[3] : QStringLiteral("F"));
    if (parts.size() >= 5 && !parts[4].isEmpty()) value += delimiter_ + parts[4];
    return value;
}

void TwwIniAttributes::SaveLayout(bool destroying) {
    if (owner_->IsDesigning()) return;
    const QString problem = Problem();
    if (!problem.isEmpty()) {
        // The form is going away: nobody is there to read the warning.
        if (!destroying || problem == QLatin1String("Key delimiter required")) Warn(problem);
        return;
    }
    const int count = owner_->UseTFields() ? owner_->DataLink().MappedCount() : owner_->Selected().Count();
    if (count == 0) return;
    QStringList names, values;
    for (int i = 0; i < count; ++i) {
        names << (owner_->UseTFields()
                      ? owner_->DataLink().GetMappedField(i)->FieldName()
                      : controls::SelectedLinePart(owner_->Selected().Strings(i), controls::SelectedPart::Field));
        values << EntryValue(i);
    }
    if (SaveToRegistry) WriteRegistrySection(FileName(), SectionName(), names, values);
    else WriteIniSection(FileName(), SectionName(), names, values);
}

void TwwIniAttributes::LoadLayout() {
    if (owner_->IsDesigning()) return;
    const QString problem = Problem();
    if (!problem.isEmpty()) {
        Warn(problem);
        return;
    }
    TStrings& selected = owner_->Selected();
    const QStringList fallback = selected.ToStringList();
    QStringList entries;
    if (SaveToRegistry) {
        entries = ReadRegistrySection(FileName(), SectionName());
    } else {
        TIniFile ini(FileName());
        ini.ReadSectionValues(SectionName(), entries);
    }
    if (entries.isEmpty()) return;
    QStringList loaded;
    for (const QString& entry : entries) {
        const qsizetype equals = entry.indexOf(u'=');
        const QString key = entry.left(equals);
        QString value = entry.mid(equals + 1);
        if (!value.contains(delimiter_)) {
            Warn(QStringLiteral("Key Delimiter Not Found"));
            selected.Clear();
            if (!owner_->UseTFields()) selected.SetStrings(fallback);
            return;
        }
        // Left to right, case-sensitively, never rescanning what was put in.
        value.replace(delimiter_, kTab, Qt::CaseSensitive);
        loaded << key + kTab + value;
    }
    if (CheckNewFields) {
        for (const QString& line : fallback) {
            const QString field = line.section(kTab, 0, 0).toUpper();
            bool present = false;
            for (const QString& had : loaded) present = present || had.section(kTab, 0, 0).toUpper() == field;
            if (!present) loaded << line;
        }
    }
    selected.SetStrings(loaded);
    if (owner_->UseTFields()) {
        TDataSet* dataSet = owner_->DataLink().DataSet();
        for (const QString& line : loaded) {
            TField* field = dataSet ? dataSet->FindField(line.section(kTab, 0, 0)) : nullptr;
            if (!field) continue;
            field->SetDisplayWidth(controls::SelectedLinePart(line, controls::SelectedPart::Width).toInt());
            field->SetDisplayLabel(controls::SelectedLinePart(line, controls::SelectedPart::Title));
            field->SetReadOnly(controls::IsSelectedLineReadOnly(line));
        }
    }
    owner_->RebuildLayout();
}
