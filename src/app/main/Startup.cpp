// The start-up choice of the database to open.
#include "app/main/Startup.h"

#include "platform/rtl/Files.h"
#include "platform/rtl/Messages.h"

TStartupChoice ChooseStartupDatabase(const QStringList& arguments, bool openMostRecent, const QString& mruDatabase) {
    TStartupChoice choice;
    if (!arguments.isEmpty()) {
        if (arguments.first().compare(QStringLiteral("/s"), Qt::CaseInsensitive) == 0) {
            choice.SkipSettingsSave = true;
        } else {
            choice.StartupFileName = arguments.first();
            choice.StartupMessage = QStringLiteral("Opening specified database...");
        }
    } else if (openMostRecent) {
        choice.StartupFileName = mruDatabase;
        choice.StartupMessage = QStringLiteral("Opening most recent database...");
    }
    return choice;
}

void OpenStartupDatabase(const TStartupChoice& choice,
                         const std::function<void(const QString&, const QString&, const QString&)>& open) {
    if (choice.SkipSettingsSave || choice.StartupFileName.isEmpty()) return;
    if (FileExists(choice.StartupFileName)) open(choice.StartupFileName, QString(), choice.StartupMessage);
    else
        MessageDlg(QStringLiteral("Could not find most recent database ") + choice.StartupFileName + u'.',
                   mtInformation, {mbOK});
}
