// The program's run from the loaded per-user settings to the saved ones.
#include "app/main/ProgramRun.h"

#include "data/module/DataModule.h"

TData* Data = nullptr;

TStartupChoice RunProgram(TData& data, bool openMostRecent, const QStringList& arguments,
                          const TProgramWindow& window) {
    data.LoadUserSettings();
    if (window.ShowMainWindow) window.ShowMainWindow();
    const TStartupChoice choice = ChooseStartupDatabase(arguments, openMostRecent, data.MRUDatabase);
    OpenStartupDatabase(choice, window.OpenDatabase);
    if (window.CheckForUpdates) window.CheckForUpdates();
    window.RunLoop();
    if (!choice.SkipSettingsSave) data.SaveUserSettings();
    return choice;
}
