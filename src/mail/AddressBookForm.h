// TAddressBookForm ("Address Book"): the own address book and the LDAP directories side by side: searching,
// the selected card's details, editing own cards, maintaining directories, importing, and picking a card.
#pragma once

#include "mail/core/AddressBookCard.h"
#include "platform/ui/Form.h"

#include <memory>
#include <vector>

class TButton;
class TData;
class TDvLDAPServer;
class TEdit;
class TImageList;
class TLabel;
class TListItem;
class TListView;
class TMainMenu;
class TMenuItem;
class TPanel;
class TSplitter;
class TStatusBar;
class TTimer;
class TToolBar;
class TToolButton;

// What a row of the source list stands for.
class TAddressBookInfo {
public:
    enum Kind : qint32 { akNone = 0, akOwnBook = 1, akMapiBook = 2, akLDAP = 3 };
    qint32 SourceKind = akNone;
    // The directory of an LDAP source, not owned.
    TDvLDAPServer* SourceServer = nullptr;
};

class TAddressBookForm : public TForm {
public:
    explicit TAddressBookForm(TData& data, QWidget* owner = nullptr);
    ~TAddressBookForm() override;

    TToolBar* ToolBar;
    TToolButton *NewCardToolButton, *PropertiesToolButton, *DeleteToolButton;
    TPanel* PanelLeft;
    TListView* AddressBookListView;
    TPanel* PanelRight;
    TPanel* PanelRightTop;
    TEdit* SearchEdit;
    TButton *ClearButton, *SearchButton, *SelectButton, *CancelButton;
    TListView* CardListView;
    TSplitter* CardSplitter;
    TPanel* CardPanel;
    TLabel *TopLabel, *ContactHeaderLabel, *DisplayNameLabel, *NickNameLabel, *EmailLabel, *AdditionalEmailLabel,
        *PhoneHeaderLabel, *WorkPhoneLabel, *HomePhoneLabel, *FaxLabel, *WorkHeaderlabel, *TitleLabel, *CompanyLabel,
        *DepartmentLabel, *HomeHeaderLabel, *OtherHeaderLabel, *ReferenceLabel;
    TStatusBar* StatusBar;
    TMainMenu* MainMenu;
    TMenuItem *NewLDAPItem, *NewCardItem, *ImportItem, *ExportItem, *CloseItem, *DeleteItem, *SelectAllItem,
        *PropertiesItem, *ShowNameAsItem, *SortByItem, *InternalAddressBookItem, *MapiAddressBookItem;
    TTimer* Timer;
    TTimer* AfterShowTimer;

    // The cards picked by Select, owned by the window.
    TAddressBookCardList PickedCards;
    quint8 SearchFlags = 15;
    int SortColumn = 0;
    bool SortDescending = false;
    bool ServersChanged = false;

    // Shows the window modally; true when it closed with OK and a card was picked, which is then card (owned by
    // the window, valid until the window is freed).
    bool SelectCard(TAddressBookCard*& card);

    void RefillSources();
    void SearchSource();
    void ShowSelectedCard();

    void FormShow();
    void FormClose();
    void FormResize();
    void PanelRightResize();
    void SearchEditKeyDown(Word& key);
    void TimerTimer();
    void AfterShowTimerTimer();
    void CardListViewColumnClick(int column);

    void OpenCard();
    void NewCard();
    void DeleteCommand();
    void NewLDAPServer();
    void Properties();
    void ToggleInternalAddressBook();
    void ToggleMapiAddressBook();
    void SelectButtonClick();
    void SelectAll();
    void Import();

    // The kind of the selected source, akNone when none is selected.
    qint32 SelectedKind() const;
    const TAddressBookInfo* SelectedSource() const;

private:
    void MakeMenu();
    void MakeToolBar();
    void SelectSource();
    void SearchOwnBook();
    void SearchMapiBook();
    void SearchLDAPServer();
    void ClearAndSearch();
    void SelectFirstCard();
    void SortCards();
    int CompareCards(const TListItem& a, const TListItem& b) const;
    void FillOwnRow(TListItem& item, const TAddressBookCard& card);
    void ClearCardPanel();
    void ArrangeCardPanel();
    void DeleteCards();
    void DeleteServer();
    void EditServer(TDvLDAPServer& server);
    void SaveOnClose();

    TData& data_;
    std::unique_ptr<TImageList> images_;
    std::vector<std::unique_ptr<TAddressBookInfo>> sources_;
    // The design positions the panel's groups start from.
    int contactTop_ = 0;
    int phoneTop_ = 0;
    // Copies of the shown directory entries, the rows' data.
    std::vector<std::unique_ptr<TDvLDAPEntry>> ldapRows_;
};
