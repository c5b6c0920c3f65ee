// The address book window: its controls, the sources, searching, sorting, the layout and what closing keeps.
#include "mail/AddressBookForm.h"

#include "data/module/DataModule.h"
#include "platform/rtl/ScreenService.h"
#include "platform/ui/Bars.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Edits.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/Keys.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListView.h"
#include "platform/ui/Menus.h"
#include "platform/ui/Splitter.h"
#include "platform/ui/StandardIcons.h"
#include "platform/ui/Timer.h"
#include "platform/ui/ToolBar.h"
#include "util/core/DvRegistry.h"
#include "util/core/VersionHistory.h"

#include <QFontMetrics>
#include <algorithm>
#include <utility>

namespace {

const QString kPrefAddressBook = QStringLiteral("PrefAddressBook");
const QString kLdapSubKey = QStringLiteral("\\LDAP");
// The source list's pictures after the two sort arrows.
constexpr int kAddressBookImage = 2;
constexpr int kLDAPImage = 3;
constexpr int kSearchDelay = 750;
// Where the source list starts below its label.
constexpr int kSourceListTop = 32;

std::vector<ui::ControlRow> AddressBookRows() {
    // clang-format off
    return {
        // name                    class         parent          left top  width height caption  properties
        {"PanelLeft",             "TPanel",     "",             0,   54,  129, 434, "", "Align=alLeft; BevelOuter=bvNone"},
        {"AddressBooksLabel",     "TLabel",     "PanelLeft",    4,   8,   120, 18,  "Address Books"},
        {"AddressBookListView",   "TListView",  "PanelLeft",    0,   32,  129, 402, "", "Align=alBottom; HideSelection=False"},
        {"PanelRight",            "TPanel",     "",             129, 54,  567, 434, "", "Align=alClient; BevelOuter=bvNone"},
        {"PanelRightTop",         "TPanel",     "PanelRight",   0,   0,   567, 34,  "", "Align=alTop; BevelOuter=bvNone"},
        {"SearchLabel",           "TLabel",     "PanelRightTop", 4,  8,   150, 18,  "Name or Email contains:"},
        {"SearchEdit",            "TEdit",      "PanelRightTop", 206, 5,  32,  23},
        {"ClearButton",           "TButton",    "PanelRightTop", 246, 4,  75,  25,  "Clear"},
        {"SearchButton",          "TButton",    "PanelRightTop", 325, 4,  75,  25,  "Search"},
        {"SelectButton",          "TButton",    "PanelRightTop", 404, 4,  75,  25,  "Select"},
        {"CancelButton",          "TButton",    "PanelRightTop", 483, 4,  75,  25,  "Cancel", "ModalResult=mrCancel"},
        {"CardListView",          "TListView",  "PanelRight",   0,   34,  567, 217, "", "Align=alClient; MultiSelect=True; HideSelection=False"},
        {"CardPanel",             "TPanel",     "PanelRight",   0,   254, 567, 180, "", "Align=alBottom; BevelOuter=bvNone"},
        {"CardSplitter",          "TSplitter",  "PanelRight",   0,   251, 567, 3,   "", "Align=alBottom"},
        {"TopLabel",              "TLabel",     "CardPanel",    8,   6,   550, 18,  "Card for ", "Font.Style=fsBold"},
        {"ContactHeaderLabel",    "TLabel",     "CardPanel",    8,   28,  80,  16,  "Contact", "Font.Style=fsBold"},
        {"ReferenceLabel",        "TLabel",     "CardPanel",    8,   44,  80,  16,  "Reference", "Visible=False"},
        {"DisplayNameLabel",      "TLabel",     "CardPanel",    20,  44,  262, 16,  "", "AutoSize=False"},
        {"NickNameLabel",         "TLabel",     "CardPanel",    20,  60,  262, 16,  "", "AutoSize=False"},
        {"EmailLabel",            "TLabel",     "CardPanel",    20,  76,  262, 16,  "", "AutoSize=False"},
        {"AdditionalEmailLabel",  "TLabel",     "CardPanel",    20,  92,  262, 16,  "", "AutoSize=False"},
        {"HomeHeaderLabel",       "TLabel",     "CardPanel",    8,   124, 80,  16,  "Home", "Font.Style=fsBold; Visible=False"},
        {"OtherHeaderLabel",      "TLabel",     "CardPanel",    8,   140, 80,  16,  "Other", "Font.Style=fsBold; Visible=False"},
        {"PhoneHeaderLabel",      "TLabel",     "CardPanel",    290, 28,  80,  16,  "Phone", "Font.Style=fsBold"},
        {"WorkPhoneLabel",        "TLabel",     "CardPanel",    302, 44,  258, 16,  "", "AutoSize=False"},
        {"HomePhoneLabel",        "TLabel",     "CardPanel",    302, 60,  258, 16,  "", "AutoSize=False"},
        {"FaxLabel",              "TLabel",     "CardPanel",    302, 76,  258, 16,  "", "AutoSize=False"},
        {"WorkHeaderlabel",       "TLabel",     "CardPanel",    290, 108, 80,  16,  "Work", "Font.Style=fsBold"},
        {"TitleLabel",            "TLabel",     "CardPanel",    302, 124, 258, 16,  "", "AutoSize=False"},
        {"CompanyLabel",          "TLabel",     "CardPanel",    302, 140, 258, 16,  "", "AutoSize=False"},
        {"DepartmentLabel",       "TLabel",     "CardPanel",    302, 156, 258, 16,  "", "AutoSize=False"},
        {"StatusBar",             "TStatusBar", "",             0,   488, 696, 20,  "", "Align=alBottom"},
    };
    // clang-format on
}

}  // namespace

TAddressBookForm::TAddressBookForm(TData& data, QWidget* owner) : TForm(owner), data_(data) {
    ui::DescribeForm(*this, {"AddressBookForm", "Address Book", bsSizeable, poScreenCenter, 696, 508},
                     AddressBookRows());
    PanelLeft = Find<TPanel>("PanelLeft");
    AddressBookListView = Find<TListView>("AddressBookListView");
    PanelRight = Find<TPanel>("PanelRight");
    PanelRightTop = Find<TPanel>("PanelRightTop");
    SearchEdit = Find<TEdit>("SearchEdit");
    ClearButton = Find<TButton>("ClearButton");
    SearchButton = Find<TButton>("SearchButton");
    SelectButton = Find<TButton>("SelectButton");
    CancelButton = Find<TButton>("CancelButton");
    CardListView = Find<TListView>("CardListView");
    CardSplitter = Find<TSplitter>("CardSplitter");
    CardPanel = Find<TPanel>("CardPanel");
    TopLabel = Find<TLabel>("TopLabel");
    ContactHeaderLabel = Find<TLabel>("ContactHeaderLabel");
    ReferenceLabel = Find<TLabel>("ReferenceLabel");
    DisplayNameLabel = Find<TLabel>("DisplayNameLabel");
    NickNameLabel = Find<TLabel>("NickNameLabel");
    EmailLabel = Find<TLabel>("EmailLabel");
    AdditionalEmailLabel = Find<TLabel>("AdditionalEmailLabel");
    HomeHeaderLabel = Find<TLabel>("HomeHeaderLabel");
    OtherHeaderLabel = Find<TLabel>("OtherHeaderLabel");
    PhoneHeaderLabel = Find<TLabel>("PhoneHeaderLabel");
    WorkPhoneLabel = Find<TLabel>("WorkPhoneLabel");
    HomePhoneLabel = Find<TLabel>("HomePhoneLabel");
    FaxLabel = Find<TLabel>("FaxLabel");
    WorkHeaderlabel = Find<TLabel>("WorkHeaderlabel");
    TitleLabel = Find<TLabel>("TitleLabel");
    CompanyLabel = Find<TLabel>("CompanyLabel");
    DepartmentLabel = Find<TLabel>("DepartmentLabel");
    StatusBar = Find<TStatusBar>("StatusBar");
    StatusBar->SetSimplePanel(true);
    // The panel's line step is the reference label's distance below the contact header; a font taller than the
    // design's gets a step it fits in.
    contactTop_ = ContactHeaderLabel->Top();
    phoneTop_ = PhoneHeaderLabel->Top();
    const int lineHeight = QFontMetrics(DisplayNameLabel->Widget().font()).height();
    if (ReferenceLabel->Top() - ContactHeaderLabel->Top() < lineHeight) {
        ReferenceLabel->SetTop(ContactHeaderLabel->Top() + lineHeight);
        for (TLabel* label :
             {ContactHeaderLabel, DisplayNameLabel, NickNameLabel, EmailLabel, AdditionalEmailLabel, PhoneHeaderLabel,
              WorkPhoneLabel, HomePhoneLabel, FaxLabel, WorkHeaderlabel, TitleLabel, CompanyLabel, DepartmentLabel})
            label->SetHeight(lineHeight);
    }

    // 0 and 1 the sort arrows, 2 the address book sources, 3 the directories.
    images_ = std::make_unique<TImageList>();
    for (QStyle::StandardPixmap picture :
         {QStyle::SP_ArrowUp, QStyle::SP_ArrowDown, QStyle::SP_FileDialogContentsView, QStyle::SP_DriveNetIcon})
        images_->Add(ui::StandardIcon(picture).pixmap(16, 16).toImage());
    AddressBookListView->SetSmallImages(images_.get());
    CardListView->SetSmallImages(images_.get());
    AddressBookListView->AddColumn(QString(), 125);
    AddressBookListView->setHeaderHidden(true);
    for (const char* caption : {"DisplayName", "Email", "Phone", "Company"})
        CardListView->AddColumn(QString::fromLatin1(caption), 120);

    MakeMenu();
    MakeToolBar();
    Timer = new TTimer(this);
    Timer->SetEnabled(false);
    Timer->SetOnTimer([this](QObject*) { TimerTimer(); });
    AfterShowTimer = new TTimer(this);
    AfterShowTimer->SetEnabled(false);
    AfterShowTimer->SetInterval(1);
    AfterShowTimer->SetOnTimer([this](QObject*) { AfterShowTimerTimer(); });

    AddressBookListView->OnSelectItem = [this](QObject*, TListItem&, bool selected) {
        if (selected) SelectSource();
    };
    CardListView->OnSelectItem = [this](QObject*, TListItem&, bool) { ShowSelectedCard(); };
    CardListView->OnColumnClick = [this](QObject*, TListColumn& column) { CardListViewColumnClick(column.Index()); };
    CardListView->OnCompare = [this](const TListItem& a, const TListItem& b) { return CompareCards(a, b); };
    CardListView->OnDblClick = [this](QObject*) {
        if (SelectButton->Visible()) SelectButtonClick();
        else OpenCard();
    };
    CardListView->OnKeyUp = [this](QObject*, Word& key, TShiftState) {
        if (key == VK_DELETE) DeleteCommand();
    };
    SearchEdit->OnKeyDown = [this](QObject*, Word& key, TShiftState) { SearchEditKeyDown(key); };
    SearchButton->OnClick = [this](QObject*) { SearchSource(); };
    ClearButton->OnClick = [this](QObject*) { ClearAndSearch(); };
    SelectButton->OnClick = [this](QObject*) { SelectButtonClick(); };
    PanelRight->OnResize = [this](QObject*) { PanelRightResize(); };
    // The source list fills the column below its label whatever height the tool bar leaves.
    PanelLeft->OnResize = [this](QObject*) {
        AddressBookListView->SetHeight(std::max(0, PanelLeft->Height() - kSourceListTop));
    };
    // The lists reach their final size after the window's own resize, so their columns follow them.
    OnResize = [this](QObject*) { FormResize(); };
    AddressBookListView->OnResize = OnResize;
    CardListView->OnResize = OnResize;
    OnShow = [this](QObject*) { FormShow(); };
    OnClose = [this](QObject*, TCloseAction&) { FormClose(); };
    Loaded();
}

TAddressBookForm::~TAddressBookForm() {
    AddressBookListView->SetSmallImages(nullptr);
    CardListView->SetSmallImages(nullptr);
    // The rows' handlers must not run while the lists go.
    AddressBookListView->OnSelectItem = nullptr;
    CardListView->OnSelectItem = nullptr;
}

void TAddressBookForm::MakeMenu() {
    MainMenu = new TMainMenu(this);
    const auto add = [this](TMenuItem* parent, const char* caption, std::function<void()> click = {}) {
        auto* item = new TMenuItem(this);
        item->SetCaption(QString::fromLatin1(caption));
        (parent ? parent : MainMenu->Items())->Add(item);
        if (click) item->OnClick = [click](QObject*) { click(); };
        return item;
    };
    TMenuItem* file = add(nullptr, "&File");
    TMenuItem* fileNew = add(file, "&New");
    NewLDAPItem = add(fileNew, "LDAP Directory...", [this] { NewLDAPServer(); });
    NewCardItem = add(fileNew, "&New Card...", [this] { NewCard(); });
    ImportItem = add(file, "&Import...", [this] { Import(); });
    ExportItem = add(file, "&Export...");
    ExportItem->SetVisible(false);
    CloseItem = add(file, "&Close", [this] { SetModalResult(mrCancel); });
    TMenuItem* edit = add(nullptr, "Edit");
    DeleteItem = add(edit, "&Delete...", [this] { DeleteCommand(); });
    SelectAllItem = add(edit, "Select All", [this] { SelectAll(); });
    PropertiesItem = add(edit, "Properties...", [this] { Properties(); });
    TMenuItem* view = add(nullptr, "&View");
    ShowNameAsItem = add(view, "Show Name As...");
    ShowNameAsItem->SetVisible(false);
    SortByItem = add(view, "Sort by...");
    SortByItem->SetVisible(false);
    InternalAddressBookItem = add(view, "Tavorin Address Book", [this] { ToggleInternalAddressBook(); });
    MapiAddressBookItem = add(view, "Mapi Address Book", [this] { ToggleMapiAddressBook(); });
    SetMenu(MainMenu);
}

void TAddressBookForm::MakeToolBar() {
    ToolBar = new TToolBar(this);
    ToolBar->SetName(QStringLiteral("ToolBar"));
    ToolBar->SetBounds(0, 0, 696, 54);
    ToolBar->SetShowCaptions(true);
    ToolBar->setIconSize(QSize(32, 32));
    const auto button = [this](const char* name, const char* caption, QStyle::StandardPixmap picture,
                               std::function<void()> click) {
        auto* tool = new TToolButton(ToolBar);
        tool->SetName(QString::fromLatin1(name));
        tool->SetCaption(QString::fromLatin1(caption));
        tool->SetImage(ui::StandardIcon(picture));
        tool->OnClick = [click](QObject*) { click(); };
        return tool;
    };
    NewCardToolButton = button("NewCardToolButton", "New Card", QStyle::SP_FileIcon, [this] { NewCard(); });
    PropertiesToolButton =
        button("PropertiesToolButton", "Properties", QStyle::SP_FileDialogDetailedView, [this] { Properties(); });
    DeleteToolButton = button("DeleteToolButton", "Delete", QStyle::SP_TrashIcon, [this] { DeleteCommand(); });
    // A larger font needs a taller bar for the captions under the pictures.
    ToolBar->SetHeight(std::max(ToolBar->Height(), ToolBar->sizeHint().height()));
}

bool TAddressBookForm::SelectCard(TAddressBookCard*& card) {
    if (ShowModal() != mrOk || PickedCards.Count() < 1) return false;
    card = PickedCards.Items(0);
    return true;
}

const TAddressBookInfo* TAddressBookForm::SelectedSource() const {
    const TListItem* item = AddressBookListView->Selected();
    return item ? static_cast<const TAddressBookInfo*>(item->Data()) : nullptr;
}

qint32 TAddressBookForm::SelectedKind() const {
    const TAddressBookInfo* source = SelectedSource();
    return source ? source->SourceKind : TAddressBookInfo::akNone;
}

void TAddressBookForm::RefillSources() {
    AddressBookListView->ClearItems();
    CardListView->ClearItems();
    sources_.clear();
    const auto add = [this](const QString& caption, int image, qint32 kind, TDvLDAPServer* server) {
        auto info = std::make_unique<TAddressBookInfo>();
        info->SourceKind = kind;
        info->SourceServer = server;
        TListItem& item = AddressBookListView->AddItem();
        item.SetCaption(caption);
        item.SetImageIndex(image);
        item.SetData(info.get());
        sources_.push_back(std::move(info));
    };
    if (data_.ShowInternalAddressBook)
        add(QStringLiteral("Tavorin"), kAddressBookImage, TAddressBookInfo::akOwnBook, nullptr);
    TDvMapiConnection& mapi = data_.DvMapiConnection;
    if (data_.ShowMapiAddressBook && mapi.IsOutlookExpress() &&
        (mapi.IsLoggedOn() || mapi.Logon(QString(), QString())) && mapi.OpenAddressBook())
        add(mapi.DefaultClient, kAddressBookImage, TAddressBookInfo::akMapiBook, nullptr);
    for (int i = 0; i < data_.LDAPServerList.Count(); ++i) {
        TDvLDAPServer* server = data_.LDAPServerList.Servers(i);
        add(server->ServerName, kLDAPImage, TAddressBookInfo::akLDAP, server);
    }
}

void TAddressBookForm::FormShow() {
    RefillSources();
    QString preferred;
    {
        TDvRegistry reg;
        if (VersionHistory && VersionHistory->OpenReadKey(reg))
            preferred = reg.ReadStringDefault(kPrefAddressBook, QString());
    }
    // Selecting a source searches it; the search below runs once for the chosen one.
    const auto onSelect = std::exchange(AddressBookListView->OnSelectItem, nullptr);
    TListItem* chosen = nullptr;
    for (int i = 0; i < AddressBookListView->ItemCount() && !chosen; ++i)
        if (AddressBookListView->Item(i).Caption().compare(preferred, Qt::CaseInsensitive) == 0)
            chosen = &AddressBookListView->Item(i);
    if (!chosen && AddressBookListView->ItemCount() > 0) chosen = &AddressBookListView->Item(0);
    if (chosen) {
        chosen->SetSelected(true);
        AddressBookListView->SetItemFocused(chosen);
    }
    AddressBookListView->OnSelectItem = onSelect;
    ClearAndSearch();
    ServersChanged = false;
    InternalAddressBookItem->SetChecked(data_.ShowInternalAddressBook);
    const bool outlookExpress = data_.DvMapiConnection.IsOutlookExpress();
    MapiAddressBookItem->SetEnabled(outlookExpress);
    MapiAddressBookItem->SetChecked(outlookExpress && data_.ShowMapiAddressBook);
    AfterShowTimer->SetEnabled(true);
}

void TAddressBookForm::AfterShowTimerTimer() {
    AfterShowTimer->SetEnabled(false);
    SortCards();
    CardListView->Column(SortColumn).SetImageIndex(SortDescending ? 1 : 0);
}

void TAddressBookForm::SelectSource() {
    SearchEdit->Clear();
    CardListView->ClearItems();
    SearchSource();
}

void TAddressBookForm::ClearAndSearch() {
    SearchEdit->Clear();
    SearchSource();
}

void TAddressBookForm::SearchEditKeyDown(Word& key) {
    Timer->SetEnabled(false);
    if (key == VK_RETURN) {
        key = 0;
        SearchSource();
        return;
    }
    Timer->SetInterval(kSearchDelay);
    Timer->SetEnabled(true);
}

void TAddressBookForm::TimerTimer() {
    Timer->SetEnabled(false);
    SearchSource();
}

void TAddressBookForm::SearchSource() {
    switch (SelectedKind()) {
        case TAddressBookInfo::akOwnBook: return SearchOwnBook();
        case TAddressBookInfo::akMapiBook: return SearchMapiBook();
        case TAddressBookInfo::akLDAP: return SearchLDAPServer();
        default:
            CardListView->ClearItems();
            ClearCardPanel();
            StatusBar->SetSimpleText(QString());
            return;
    }
}

void TAddressBookForm::FillOwnRow(TListItem& item, const TAddressBookCard& card) {
    item.SetCaption(card.DisplayName);
    item.SetSubItem(0, card.EmailAddress);
    item.SetSubItem(1, card.Phone);
    item.SetSubItem(2, card.Company);
}

void TAddressBookForm::SelectFirstCard() {
    if (CardListView->ItemCount() == 0) {
        ClearCardPanel();
        return;
    }
    TListItem& first = CardListView->Item(0);
    first.SetSelected(true);
    CardListView->SetItemFocused(&first);
    ShowSelectedCard();
}

void TAddressBookForm::SearchOwnBook() {
    const QString text = SearchEdit->Text();
    TAddressBook& book = *data_.AddressBook;
    qint32 found = 0;
    CardListView->setUpdatesEnabled(false);
    CardListView->ClearItems();
    try {
        found = book.Find(text, SearchFlags);
    } catch (...) {
        // The rows pointed at the cards the failed search freed.
        CardListView->setUpdatesEnabled(true);
        ClearCardPanel();
        throw;
    }
    for (int i = 0; i < book.Cards.Count(); ++i) {
        TListItem& item = CardListView->AddItem();
        item.SetData(book.Cards.Items(i));
        FillOwnRow(item, *book.Cards.Items(i));
    }
    CardListView->setUpdatesEnabled(true);
    SelectFirstCard();
    StatusBar->SetSimpleText(text.isEmpty() ? QStringLiteral("Total Cards: ") + QString::number(found)
                                            : QString::number(found) + QStringLiteral(" matches found"));
}

void TAddressBookForm::SearchMapiBook() {
    const QString text = SearchEdit->Text();
    TDvMapiAddressBook& book = data_.DvMapiConnection.AddressBook;
    CardListView->ClearItems();
    const int found = book.Search(text);
    for (int i = 0; i < book.Count(); ++i) {
        const TDvWabEntry* entry = book.Entries(i);
        TListItem& item = CardListView->AddItem();
        item.SetData(const_cast<TDvWabEntry*>(entry));
        item.SetCaption(entry->DisplayName);
        item.SetSubItem(0, entry->EmailAddress);
        item.SetSubItem(1, entry->BusinessTelephoneNumber);
        item.SetSubItem(2, entry->CompanyName);
    }
    SelectFirstCard();
    StatusBar->SetSimpleText(text.isEmpty() ? QStringLiteral("Total Cards: ") + QString::number(found)
                                            : QString::number(found) + QStringLiteral(" matches found"));
}

void TAddressBookForm::SearchLDAPServer() {
    rtl::HourGlass hourGlass;
    const QString text = SearchEdit->Text();
    if (text.trimmed().isEmpty()) {
        CardListView->ClearItems();
        ldapRows_.clear();
        ClearCardPanel();
        StatusBar->SetSimpleText(QStringLiteral("Enter a search name"));
        return;
    }
    StatusBar->SetSimpleText(QStringLiteral("Connecting..."));
    StatusBar->Repaint();
    CardListView->clearSelection();
    TDvLDAPServer& server = *SelectedSource()->SourceServer;
    const qint32 code = server.SearchName(text);
    if (code != 0) {
        StatusBar->SetSimpleText(LDAPErrorText(code));
        return;
    }
    // The rows show copies of the entries, so that a later failed search, which empties the server's list,
    // leaves them valid.
    CardListView->ClearItems();
    ldapRows_.clear();
    for (int i = 0; i < server.Entries.Count(); ++i) {
        ldapRows_.push_back(std::make_unique<TDvLDAPEntry>(server.Entries.Items(i)));
        TDvLDAPEntry& entry = *ldapRows_.back();
        TListItem& item = CardListView->AddItem();
        item.SetData(&entry);
        item.SetCaption(entry.cn);
        item.SetSubItem(0, entry.mail);
        item.SetSubItem(1, entry.telephonenumber);
        item.SetSubItem(2, QString());
    }
    SelectFirstCard();
    QString status = QString::number(server.Entries.Count()) + QStringLiteral(" matches found");
    if (server.SizeLimitReached) status += QStringLiteral(" - size limit reached");
    StatusBar->SetSimpleText(status);
}

void TAddressBookForm::CardListViewColumnClick(int column) {
    CardListView->Column(SortColumn).SetImageIndex(-1);
    if (column == SortColumn) SortDescending = !SortDescending;
    else SortColumn = column;
    SortCards();
    CardListView->Column(SortColumn).SetImageIndex(SortDescending ? 1 : 0);
}

void TAddressBookForm::SortCards() { CardListView->AlphaSort(); }

int TAddressBookForm::CompareCards(const TListItem& a, const TListItem& b) const {
    const int result =
        SortColumn == 0 ? QString::compare(a.Caption(), b.Caption(), Qt::CaseInsensitive)
                        : QString::compare(a.SubItem(SortColumn - 1), b.SubItem(SortColumn - 1), Qt::CaseInsensitive);
    return SortDescending ? -result : result;
}

void TAddressBookForm::FormResize() {
    AddressBookListView->Column(0).SetWidth(AddressBookListView->viewport()->width());
    const int width = CardListView->Width();
    int used = 0;
    for (int i = 0; i < 3; ++i) {
        const int share = width * (i == 2 ? 20 : 30) / 100;
        CardListView->Column(i).SetWidth(share);
        used += share;
    }
    CardListView->Column(3).SetWidth(std::max(0, CardListView->viewport()->width() - used));
}

void TAddressBookForm::PanelRightResize() {
    constexpr int kMargin = 2;
    constexpr int kGap = 4;
    int right = PanelRightTop->Width() - kMargin;
    for (TButton* button : {CancelButton, SelectButton, SearchButton, ClearButton}) {
        if (!button->Visible() && (button == CancelButton || button == SelectButton)) continue;
        button->SetLeft(right - button->Width());
        right = button->Left() - kGap;
    }
    SearchEdit->SetWidth(std::max(0, ClearButton->Left() - 8 - SearchEdit->Left()));
}

void TAddressBookForm::FormClose() {
    Timer->SetEnabled(false);
    SaveOnClose();
    CardListView->ClearItems();
    ldapRows_.clear();
    AddressBookListView->ClearItems();
    sources_.clear();
    for (int i = 0; i < data_.LDAPServerList.Count(); ++i) data_.LDAPServerList.Servers(i)->Entries.Clear();
}

void TAddressBookForm::SaveOnClose() {
    if (!VersionHistory) return;
    const QString currentKey = VersionHistory->GetCurrentKey();
    if (ServersChanged && !currentKey.isEmpty()) {
        data_.LDAPServerList.ClearRegistry(currentKey + kLdapSubKey);
        data_.LDAPServerList.SaveToRegistry(currentKey + kLdapSubKey);
    }
    const TListItem* source = AddressBookListView->Selected();
    if (!source) return;
    TRegistry reg;
    if (VersionHistory->OpenWriteKey(reg)) reg.WriteString(kPrefAddressBook, source->Caption());
}
