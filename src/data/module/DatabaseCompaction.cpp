// The compaction procedure: exclusive check, questions, temporary and backup files, the engine's copy.
#include "data/module/DatabaseCompaction.h"

#include "data/module/ConnectionStrings.h"
#include "platform/rtl/DurableFiles.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/KillPoints.h"
#include "platform/rtl/Messages.h"
#include "platform/rtl/ScreenService.h"
#include "platform/sql/Compaction.h"
#include "platform/sql/Connection.h"
#include "platform/sql/EngineError.h"

#include <unistd.h>
#include <QFile>
#include <QFileInfo>
#include <memory>

namespace data {
namespace {

const QString kParagraphBreak = QStringLiteral("\r\r");

int Failed(const QString& message, TMsgDlgType type = mtError) {
    MessageDlg(message, type, {mbOK});
    return kCompactFailed;
}

bool Confirmed(const QString& question, TMsgDlgType type) {
    return MessageDlg(question, type, {mbOK, mbCancel}) == mrOk;
}

// The original under the backup's name as a second link to the same file (a copy where links are not
// possible), so that the original never leaves its own name before the compacted copy takes it.
bool KeepBackup(const QString& fileName, const QString& backupFileName) {
    if (link(QFile::encodeName(fileName).constData(), QFile::encodeName(backupFileName).constData()) == 0) {
        rtl::SyncFolderOf(backupFileName);
        return true;
    }
    return rtl::CopyFileDurably(fileName, backupFileName).isEmpty();
}

// Steps after the checks: the copy, then the files swapped into place.
int CompactAndSwap(std::unique_ptr<sql::Connection>& check, const QString& fileName, const QString& password,
                   QString& backupFileName, bool makeBackup, const QString& newPassword) {
    const QString tempFileName = ChangeFileExt(fileName, QStringLiteral(".tmp"));
    // Anything under that name is in the way, a folder too.
    if (QFileInfo::exists(tempFileName) && !DeleteFile(tempFileName))
        return Failed(QStringLiteral("A temporary file named \"") + tempFileName +
                      QStringLiteral("\" exists and could not be deleted. ") + kParagraphBreak +
                      QStringLiteral("This file must be deleted before the operation can be performed."));
    if (makeBackup) {
        backupFileName = ChangeFileExt(fileName, QStringLiteral(".bak"));
        if (FileExists(backupFileName) &&
            !Confirmed(QStringLiteral("The current operation will create a backup file.") + kParagraphBreak +
                           QStringLiteral("Overwrite existing backup file ") + backupFileName + u'?',
                       mtConfirmation))
            return kCompactCancelled;
    }
    rtl::CurrentScreenService().RepaintMainForm();
    if (makeBackup && FileExists(backupFileName) && !DeleteFile(backupFileName))
        return Failed(QStringLiteral("Could not delete existing backup file ") + backupFileName + u'.');

    // The exclusive connection stays open until the copy has replaced the file, so nobody commits into the
    // file about to be replaced; at every moment the file's name holds the original or the compacted copy.
    sql::CompactInto(*check, NormalConnectionString(tempFileName, newPassword));
    rtl::KillPoint("compact-copied");
    if (makeBackup && !KeepBackup(fileName, backupFileName)) {
        DeleteFile(tempFileName);
        return Failed(QStringLiteral("Could not create backup file ") + backupFileName + u'.');
    }
    rtl::KillPoint("compact-backup-made");
    const std::shared_ptr<sql::LockFile> keepOut = check->Place();
    check.reset();
    if (!rtl::ReplaceFileDurably(tempFileName, fileName))
        return Failed(QStringLiteral("Could not rename compacted file ") + tempFileName +
                      QStringLiteral(" to the original filename ") + fileName);
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
