// TAddResourceWizard: the main window's command that creates resources one after another, with their features
// and groups, new ones included.
#pragma once

#include "admin/MainWindowServices.h"

#include <QString>
#include <QStringList>
#include <memory>

class TData;
class TSQLData;
class TAddResourceWizardForm;
class TAddResourceFeaturesWizardForm;
class TAddResourceGroupsWizardForm;
class TAddResourceCompletedWizardForm;

// What one run of the pages chose.
struct TNewResource {
    QString Name;
    QString Description;
    QString Notes;
    QStringList NewFeatures;
    QStringList CheckedFeatures;
    QStringList NewGroups;
    QStringList CheckedGroups;
};

class TAddResourceWizard {
public:
    // The pages are made with the wizard and freed with it.
    TAddResourceWizard(TData& data, TSQLData& sqlData, admin::MainWindowServices mainWindow);
    ~TAddResourceWizard();
    TAddResourceWizard(const TAddResourceWizard&) = delete;
    TAddResourceWizard& operator=(const TAddResourceWizard&) = delete;

    // Runs the pages until the user is done; every failure has been shown.
    void Execute();

    std::unique_ptr<TAddResourceWizardForm> NamePage;
    std::unique_ptr<TAddResourceFeaturesWizardForm> FeaturesPage;
    std::unique_ptr<TAddResourceGroupsWizardForm> GroupsPage;
    std::unique_ptr<TAddResourceCompletedWizardForm> CompletedPage;

private:
    enum Step { NameStep = 1, FeaturesStep, GroupsStep, CreateStep, CompletedStep };

    TNewResource Chosen() const;
    // True when the resource was made; otherwise the error has been shown and nothing was stored.
    bool Create();

    TData& data_;
    TSQLData& sqlData_;
    admin::MainWindowServices mainWindow_;
};

namespace admin {

// Stores the resource with the defaults of a new resource, the new features and groups that do not exist yet,
// and its memberships, in one transaction: all of it or, when it raises, nothing. Texts reach the database only
// as parameters. Answers the new ResourceId.
int CreateResource(TData& data, const TNewResource& resource);

}  // namespace admin
