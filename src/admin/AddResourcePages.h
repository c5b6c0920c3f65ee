// The four pages of the add-resource wizard: name, features, groups and "create another".
#pragma once

#include "admin/WizardPage.h"

#include <QStringList>
#include <functional>

class TCheckListBox;
class TDataSet;
class TEdit;
class TMemo;

class TAddResourceWizardForm : public admin::WizardPage {
public:
    explicit TAddResourceWizardForm(QWidget* owner = nullptr);

    TEdit* ResourceName;
    TEdit* ResourceDesc;
    TEdit* ResourceNotes;
    TMemo* InfoMemo;

    // Whether a resource of that name exists, letter case aside; the wizard sets it.
    std::function<bool(const QString& name)> ResourceExists;

    // Empties the page for the next resource.
    void Reset();

    void FormShow();
    void ResourceNameChange();
    // Answers Next unless a resource of that name exists.
    void NextButtonClick();
};

// What the features and the groups page share: a check list of names, those the user created on the page
// (checked when listed again), and the input box that creates one.
class TAddResourceNamesPage : public admin::WizardPage {
public:
    TCheckListBox* CheckList;
    TButton* NewButton;
    TMemo* InfoMemo;
    // Names created with the page's button during this resource's run.
    QStringList NewNames;

    // The names that are checked, in the list's order.
    QStringList CheckedNames() const;
    // The check list: every name of the dataset's field unchecked, then the new names checked.
    void Fill(TDataSet& names, const QString& field);
    void NewButtonClick();

protected:
    struct Texts {
        QString noun;        // "Feature"
        QString inputTitle;  // "Create New Feature"
        QString prompt;
    };
    TAddResourceNamesPage(QWidget* owner, const admin::WizardPageFrame& frame, const Texts& texts,
                          const QString& instructions, const QString& buttonCaption, bool sorted);

private:
    Texts texts_;
};

class TAddResourceFeaturesWizardForm : public TAddResourceNamesPage {
public:
    explicit TAddResourceFeaturesWizardForm(QWidget* owner = nullptr);

    TCheckListBox* FeaturesCheckList;
    TButton* NewFeatureButton;
    QStringList& NewFeatures = NewNames;

    QStringList GetCheckedFeatures() const { return CheckedNames(); }
};

class TAddResourceGroupsWizardForm : public TAddResourceNamesPage {
public:
    explicit TAddResourceGroupsWizardForm(QWidget* owner = nullptr);

    TCheckListBox* GroupsCheckList;
    TButton* NewGroupButton;
    QStringList& NewGroups = NewNames;

    QStringList GetCheckedGroups() const { return CheckedNames(); }
};

class TAddResourceCompletedWizardForm : public admin::WizardPage {
public:
    explicit TAddResourceCompletedWizardForm(QWidget* owner = nullptr);

    TMemo* InfoMemo;
};
