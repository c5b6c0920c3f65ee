// The test desktop's folders, entries and recording xdg-email.
#include "support/TempDesktop.h"

#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QFileInfo>

namespace testing_env {

namespace {

const QString kArgumentsFile = QStringLiteral("xdg-email.args");
const QString kXdgEmail = QStringLiteral("bin/xdg-email");

}  // namespace

void TempDesktop::WriteFile(const QString& relative, const QByteArray& text, bool executable) const {
    const QString fileName = root_.filePath(relative);
    QDir().mkpath(QFileInfo(fileName).path());
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    if (executable) file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
}

TempDesktop::TempDesktop() : root_(TempDir()) {
    env_.Set("XDG_CONFIG_HOME", QFile::encodeName(root_.filePath(QStringLiteral("cfg"))));
    env_.Set("XDG_CONFIG_DIRS", QFile::encodeName(root_.filePath(QStringLiteral("syscfg"))));
    env_.Set("XDG_DATA_HOME", QFile::encodeName(root_.filePath(QStringLiteral("data"))));
    env_.Set("XDG_DATA_DIRS", QFile::encodeName(root_.filePath(QStringLiteral("sysdata"))));
    // Only the test's own programs: the machine's xdg-email is never run.
    env_.Set("PATH", QFile::encodeName(root_.filePath(QStringLiteral("bin"))));
}

void TempDesktop::AddApplication(const QString& id, const QString& name, const QString& mimeTypes, bool system) {
    const QString dir = system ? QStringLiteral("sysdata/applications/") : QStringLiteral("data/applications/");
    WriteFile(dir + id, "[Desktop Entry]\nType=Application\nName[de]=Post\nName=" + name.toUtf8() +
                            "\nMimeType=" + mimeTypes.toUtf8() + "\n");
}

void TempDesktop::SetDefaultMail(const QString& ids) {
    WriteFile(QStringLiteral("cfg/mimeapps.list"),
              "[Added Associations]\nx-scheme-handler/mailto=other.desktop\n"
              "[Default Applications]\nx-scheme-handler/mailto=" +
                  ids.toUtf8() + "\n");
}

void TempDesktop::AddDefaultMailClient(const QString& name) {
    AddApplication(QStringLiteral("mailer.desktop"), name, QStringLiteral("x-scheme-handler/mailto;"));
    SetDefaultMail(QStringLiteral("mailer.desktop"));
}

void TempDesktop::InstallXdgEmail(int exitCode, int sleepSeconds) {
    // Each argument ends in a NUL, so that any text comes back as it was given.
    QByteArray script = "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\0' \"$a\"; done > '" +
                        QFile::encodeName(root_.filePath(kArgumentsFile)) + "'\n";
    if (sleepSeconds > 0) script += "/bin/sleep " + QByteArray::number(sleepSeconds) + "\n";
    script += "exit " + QByteArray::number(exitCode) + "\n";
    WriteFile(kXdgEmail, script, true);
}

void TempDesktop::RemoveXdgEmail() { QFile::remove(root_.filePath(kXdgEmail)); }

bool TempDesktop::XdgEmailRan() const { return QFile::exists(root_.filePath(kArgumentsFile)); }

QStringList TempDesktop::XdgEmailArguments() const {
    QFile file(root_.filePath(kArgumentsFile));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QStringList arguments;
    for (const QByteArray& argument : file.readAll().split('\0')) arguments << QString::fromUtf8(argument);
    // The text ends in a NUL.
    arguments.removeLast();
    return arguments;
}

}  // namespace testing_env
