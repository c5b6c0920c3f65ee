// A desktop of its own for one test, below the test folder: XDG config and data folders, and a bin folder that
// is the whole PATH, where a recording xdg-email can be put.
#pragma once

#include "support/ScopedEnvironment.h"

#include <QDir>
#include <QString>
#include <QStringList>

namespace testing_env {

class TempDesktop {
public:
    TempDesktop();

    QString FilePath(const QString& relative) const { return root_.filePath(relative); }
    // Writes a file below the desktop's folder, making its folder.
    void WriteFile(const QString& relative, const QByteArray& text, bool executable = false) const;
    // An application's desktop entry in the user's applications folder, or the system's.
    void AddApplication(const QString& id, const QString& name, const QString& mimeTypes, bool system = false);
    // The mimeapps.list default for mailto, a ";"-separated list of desktop ids.
    void SetDefaultMail(const QString& ids);
    // An application that handles mailto and is the default for it.
    void AddDefaultMailClient(const QString& name);
    // xdg-email that records its arguments and exits with the code, after sleeping that long when given.
    void InstallXdgEmail(int exitCode, int sleepSeconds = 0);
    void RemoveXdgEmail();
    bool XdgEmailRan() const;
    // The arguments of its last run.
    QStringList XdgEmailArguments() const;

private:
    QDir root_;
    ScopedEnvironment env_;
};

}  // namespace testing_env
