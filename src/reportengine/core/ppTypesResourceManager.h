// TppResourceManager: the engine's language modules and current language, one shared instance per process.
#pragma once

#include "reportengine/core/ppTypes.h"

#include <QHash>
#include <QString>
#include <memory>
#include <vector>

namespace reportengine {

// One loaded language module: a UTF-8 text file "<base name>.<extension>" of "id<TAB>text" lines under the
// full resource ids. Lines that are not of that shape are skipped.
class LanguageModule {
public:
    // The module file of that name beside the executable, else in the current folder; null when neither can be read.
    static std::unique_ptr<LanguageModule> Load(const QString& fileName);
    // The module's text for a full id, as a string-table load into a buffer of 1,024 characters gives it: cut
    // at its first zero character and to 1,023 characters; empty when the module lacks it.
    QString String(qint32 id) const;

private:
    QHash<qint32, QString> texts_;
};

}  // namespace reportengine

class TppResourceManager {
public:
    TppLanguageType Language() const { return language_; }
    // Makes the language current and loads its modules; false, with the old language and its modules back, when
    // the language is not lgDefault and none of its module files was found.
    bool SetLanguage(TppLanguageType language);
    // Registers a base name (once, compared without case) and loads its module for the current language.
    void AddModule(const QString& baseName);
    // Frees the module of that base name and forgets the name; nothing for a name not registered.
    void RemoveModule(const QString& baseName);
    // The text of a full resource id: the loaded modules first, then the program's own table.
    QString GetString(qint32 id) const;

    void LoadModules();
    void FreeModules();
    void LoadModule(int index);
    void FreeModule(int index);
    // The text of the first loaded module that has the id; empty when none has it.
    QString FindInModules(qint32 id) const;

    int ModuleCount() const { return int(modules_.size()); }
    qint32 LoadedCount() const { return loadedCount_; }

private:
    struct ModuleEntry {
        QString baseName;
        std::unique_ptr<reportengine::LanguageModule> module;
    };
    int IndexOfModule(const QString& baseName) const;

    TppLanguageType language_ = lgDefault;
    std::vector<ModuleEntry> modules_;
    qint32 loadedCount_ = 0;
    bool modulesCurrent_ = false;
};

// The shared manager, made on first use and freed, with every loaded module, at program end.
TppResourceManager& GetResourceManager();
