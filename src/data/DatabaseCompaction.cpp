// The compaction procedure: exclusive check, questions, temporary and backup files, the engine's copy.
#include "data/DatabaseCompaction.h"

#include "data/ConnectionStrings.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Messages.h"
#include "platform/sql/Compaction.h"
#include "platform/sql/Connection.h"
#include "platform/sql/EngineError.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

#include <QFileInfo>
#include <memory>

namespace data {
namespace {

const QString kTwoReturns = QStringLiteral("\r\r");

int Failed(const QString& message, TMsgDlgType type = mtError) {
    MessageDlg(message, type, {mbOK});
    return kCompactFailed;
}

bool Confirmed(const QString& question, TMsgDlgType type) {
    return MessageDlg(question, type, {mbOK, mbCancel}) == mrOk;
}

// Steps after the checks: the copy, then the files swapped into place.
int CompactAndSwap(std::unique_ptr<sql::Connection>& check, const QString& fileName, const QString& password,
                   QString& backupFileName, bool makeBackup, const QString& newPassword) {
    const QString tempFileName = ChangeFileExt(fileName, QStringLiteral(".tmp"));
    // Anything under that name is in the way, a folder too.
    if (QFileInfo::exists(tempFileName) && !DeleteFile(tempFileName))
        return Failed(QStringLiteral("A temporary file named \"") + tempFileName +
                      QStringLiteral("\" exists and could not be deleted. ") + kTwoReturns +
                      QStringLiteral("This file must be deleted before the operation can be performed."));
    if (makeBackup) {
        backupFileName = ChangeFileExt(fileName, QStringLiteral(".bak"));
        if (FileExists(backupFileName) &&
            !Confirmed(QStringLiteral("The current operation will create a backup file.") + kTwoReturns +
                           QStringLiteral("Overwrite existing backup file ") + backupFileName + u'?',
                       mtConfirmation))
            return kCompactCancelled;
    }
    if (TForm* main = Application->MainForm()) main->Repaint();
    if (makeBackup && FileExists(backupFileName) && !DeleteFile(backupFileName))
        return Failed(QStringLiteral("Could not delete existing backup file ") + backupFileName + u'.');

    check.reset();
    sql::CompactDatabase(ExclusiveConnectionString(fileName, password),
                         NormalConnectionString(tempFileName, newPassword));

    // The original is moved aside rather than deleted until the copy has its name, so that a failed rename can
    // put it back: the database's name is never left without a file.
    const QString asideName = makeBackup ? backupFileName : fileName + QStringLiteral(".compacting");
    if (!makeBackup && FileExists(asideName)) DeleteFile(asideName);
    if (!RenameFile(fileName, asideName))
        return Failed(makeBackup ? QStringLiteral("Could not create backup file ") + backupFileName + u'.'
                                 : QStringLiteral("Could not delete original non-compacted file ") + fileName + u'.');
    if (!RenameFile(tempFileName, fileName)) {
        RenameFile(asideName, fileName);
        return Failed(QStringLiteral("Could not rename compacted file ") + tempFileName +
                      QStringLiteral(" to the original filename ") + fileName);
    }
    if (!makeBackup) DeleteFile(asideName);
    return kCompacted;
}

}  // namespace

int CompactDatabaseFile(const QString& fileName, const QString& password, QString& backupFileName, bool makeBackup,
                        const QString& newPassword) {
    try {
        // Opening it exclusively proves the password and that nobody else has the file open.
        auto check = std::make_unique<sql::Connection>(ExclusiveConnectionString(fileName, password));
        if (makeBackup &&
            !Confirmed(QStringLiteral("If you assigned read-only access rights using your network operation system "
                                      "(eg. Novell, NT Server) these rights will be removed during this operation. "
                                      "You must re-assign these rights after this operation."),
                       mtInformation))
            return kCompactCancelled;
        return CompactAndSwap(check, fileName, password, backupFileName, makeBackup, newPassword);
    } catch (const Exception& error) {
        // A wrong current password is the caller's to handle (it asks again), so it is not shown.
        if (error.Message() == sql::kNotValidPassword) return kCompactWrongPassword;
        return Failed(error.Message(), mtInformation);
    }
}

}  // namespace data
