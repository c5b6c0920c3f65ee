// The shared resource manager and the language module files it loads.
#include "reportengine/core/ppTypesResourceManager.h"

#include "platform/rtl/SystemFacts.h"
#include "reportengine/core/ppTypesTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace reportengine {
namespace {

// A string-table load fills a buffer of this many characters, its terminating zero included.
constexpr int kStringBufferSize = 1024;

QString ReadableModuleFile(const QString& fileName) {
    const QString besideProgram = QFileInfo(rtl::ExeName()).dir().filePath(fileName);
    for (const QString& candidate : {besideProgram, QDir::current().filePath(fileName)}) {
        if (QFileInfo(candidate).isFile()) return candidate;
    }
    return QString();
}

}  // namespace

std::unique_ptr<LanguageModule> LanguageModule::Load(const QString& fileName) {
    const QString path = ReadableModuleFile(fileName);
    if (path.isEmpty()) return nullptr;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return nullptr;
    auto module = std::make_unique<LanguageModule>();
    // Bytes that are not UTF-8 become replacement characters: such a line still cannot pass for an id line.
    const QString content = QString::fromUtf8(file.readAll());
    for (QStringView line : QStringView(content).split(u'\n')) {
        if (line.endsWith(u'\r')) line.chop(1);
        if (line.startsWith(QChar(0xFEFF))) line = line.mid(1);
        const qsizetype tab = line.indexOf(u'\t');
        if (tab <= 0) continue;
        const QStringView digits = line.left(tab);
        if (!std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; })) continue;
        bool ok = false;
        const qint32 id = digits.toInt(&ok);
        if (!ok || module->texts_.contains(id)) continue;
        module->texts_.insert(id, line.mid(tab + 1).toString());
    }
    return module;
}

QString LanguageModule::String(qint32 id) const {
    QString text = texts_.value(id);
    const qsizetype zero = text.indexOf(QChar(0));
    if (zero >= 0) text.truncate(zero);
    text.truncate(kStringBufferSize - 1);
    return text;
}

}  // namespace reportengine

bool TppResourceManager::SetLanguage(TppLanguageType language) {
    const TppLanguageType previous = language_;
    language_ = language;
    if (language_ != previous) modulesCurrent_ = false;
    LoadModules();
    if (language != lgDefault && loadedCount_ <= 0) {
        // The old language's modules come back with it: left unloaded, the texts only they hold (the default
        // module's error texts among them) would stay empty until the language changed again.
        language_ = previous;
        modulesCurrent_ = false;
        LoadModules();
        return false;
    }
    return true;
}

void TppResourceManager::AddModule(const QString& baseName) {
    if (IndexOfModule(baseName) >= 0) return;
    modules_.push_back(ModuleEntry{baseName, nullptr});
    LoadModule(int(modules_.size()) - 1);
}

void TppResourceManager::RemoveModule(const QString& baseName) {
    const int index = IndexOfModule(baseName);
    if (index < 0) return;
    FreeModule(index);
    modules_.erase(modules_.begin() + index);
}

QString TppResourceManager::GetString(qint32 id) const {
    if (loadedCount_ > 0) {
        const QString text = FindInModules(id);
        if (!text.isEmpty()) return text;
    }
    return reportengine::ProgramStringTableText(id);
}

void TppResourceManager::LoadModules() {
    if (modulesCurrent_) return;
    FreeModules();
    for (int i = 0; i < int(modules_.size()); ++i) LoadModule(i);
    modulesCurrent_ = true;
}

void TppResourceManager::FreeModules() {
    for (int i = 0; i < int(modules_.size()); ++i) FreeModule(i);
}

void TppResourceManager::LoadModule(int index) {
    ModuleEntry& entry = modules_.at(index);
    // A module already held is freed first, so that the loaded count stays the number of entries with one.
    FreeModule(index);
    entry.module = reportengine::LanguageModule::Load(entry.baseName + u'.' + LanguageFileExtension(language_));
    if (entry.module) ++loadedCount_;
}

void TppResourceManager::FreeModule(int index) {
    ModuleEntry& entry = modules_.at(index);
    if (!entry.module) return;
    entry.module.reset();
    --loadedCount_;
}

QString TppResourceManager::FindInModules(qint32 id) const {
    QString result;
    for (const ModuleEntry& entry : modules_) {
        if (!result.isEmpty()) break;
        if (entry.module) result = entry.module->String(id);
    }
    return result;
}

int TppResourceManager::IndexOfModule(const QString& baseName) const {
    for (int i = 0; i < int(modules_.size()); ++i) {
        if (modules_[i].baseName.compare(baseName, Qt::CaseInsensitive) == 0) return i;
    }
    return -1;
}

TppResourceManager& GetResourceManager() {
    static TppResourceManager manager;
    return manager;
}
