// The SQL query tool: its window, the saved queries and the statements it runs.
#include "admin/DataQuery.h"

#include "controls/grid/WwGridFormClasses.h"
#include "controls/grid/Wwdbgrid.h"
#include "data/module/DataModule.h"
#include "data/module/LookupQueries.h"
#include "platform/db/Field.h"
#include "platform/rtl/Messages.h"
#include "platform/sql/Connection.h"
#include "platform/sql/EngineError.h"
#include "platform/ui/Application.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Edits.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/Lists.h"
#include "platform/ui/Menus.h"
#include "util/core/DvRegistry.h"
#include "util/core/VersionHistory.h"

#include <algorithm>
#include <map>

namespace {

const QString kQueryKey = QStringLiteral("\\Query");
const QString kQueryShowFieldNamesValue = QStringLiteral("ExportShowFieldNames");
const QString kQueryAlwaysDelimitValue = QStringLiteral("ExportAlwaysDelimitWithDoubleQuote");
const QString kNotPermitted = QStringLiteral("Queries which modify the database are not permitted.");

// The data module's connection string opened for reading only.
QString ReadOnlyConnectionString(QString text) {
    const int mode = text.indexOf(QLatin1String("Mode="), 0, Qt::CaseInsensitive);
    if (mode >= 0) {
        const int end = text.indexOf(QLatin1Char(';'), mode);
        text.remove(mode, end < 0 ? text.size() - mode : end - mode + 1);
    }
    return text + QStringLiteral(";Mode=Read");
}

struct QueryMenuRow {
    const char* name;
    const char* parent;
    const char* caption;
};

const QueryMenuRow kMenu[] = {
    {"FileMenu", "", "&File"},
    {"ExportItem", "FileMenu", "&Export"},
    {"PageSetupItem", "FileMenu", "Page &Setup"},
    {"PrintItem", "FileMenu", "&Print"},
    {"PreviewItem", "FileMenu", "P&review"},
    {"OptionsMenu", "", "&Options"},
    {"OptionsExportMenu", "OptionsMenu", "&Export"},
    {"ShowFieldNamesItem", "OptionsExportMenu", "Shows &Field Names on First Line"},
    {"AlwaysDelimitWithDoubleQuoteItem", "OptionsExportMenu", "Always Delimits Fields with Double Quote"},
};

}  // namespace

namespace admin {

QueryPrinting& CurrentQueryPrinting() {
    static QueryPrinting printing;
    return printing;
}

}  // namespace admin

TDataQueryForm::TDataQueryForm(TData& data, QWidget* owner) : TForm(owner), data_(data) {
    controls::RegisterGridFormClasses();
    ui::DescribeForm(*this, {"DataQueryForm", "SQL Query", bsSizeable, poScreenCenter, 640, 560},
                     {
                         // name             class       parent            left top width height caption
                         {"QueriesGroupBox", "TGroupBox", "", 8, 8, 200, 262, "Queries"},
                         {"QueryNameListBox", "TListBox", "QueriesGroupBox", 10, 22, 180, 196},
                         {"DeleteButton", "TButton", "QueriesGroupBox", 10, 226, 80, 25, "Delete"},
                         {"SQLGroupBox", "TGroupBox", "", 216, 8, 416, 262, "SQL Query"},
                         {"SQLMemo", "TMemo", "SQLGroupBox", 10, 22, 396, 196, "", "ScrollBars=ssVertical"},
                         {"ExecuteQueryButton", "TButton", "SQLGroupBox", 10, 226, 80, 25, "Execute"},
                         {"SaveQueryButton", "TButton", "SQLGroupBox", 98, 226, 80, 25, "Save"},
                         {"ClearButton", "TButton", "SQLGroupBox", 186, 226, 80, 25, "Clear"},
                         {"ResultsGroupBox", "TGroupBox", "", 8, 276, 624, 238, "Results"},
                         {"ResultsDBGrid", "TwwDBGrid", "ResultsGroupBox", 10, 22, 604, 172},
                         {"ExportButton", "TButton", "ResultsGroupBox", 140, 202, 100, 25, "Export"},
                         {"PageSetupButton", "TButton", "ResultsGroupBox", 228, 202, 100, 25, "Page Setup"},
                         {"PreviewButton", "TButton", "ResultsGroupBox", 316, 202, 100, 25, "Preview"},
                         {"PrintButton", "TButton", "ResultsGroupBox", 404, 202, 100, 25, "Print"},
                         {"CloseButton", "TButton", "", 280, 524, 80, 25, "Close", "Cancel=True; ModalResult=mrCancel"},
                     });
    QueryNameListBox = Find<TListBox>("QueryNameListBox");
    DeleteButton = Find<TButton>("DeleteButton");
    SQLMemo = Find<TMemo>("SQLMemo");
    ExecuteQueryButton = Find<TButton>("ExecuteQueryButton");
    SaveQueryButton = Find<TButton>("SaveQueryButton");
    ClearButton = Find<TButton>("ClearButton");
    ResultsGroupBox = Find<TGroupBox>("ResultsGroupBox");
    ResultsDBGrid = Find<TwwDBGrid>("ResultsDBGrid");
    ExportButton = Find<TButton>("ExportButton");
    PageSetupButton = Find<TButton>("PageSetupButton");
    PreviewButton = Find<TButton>("PreviewButton");
    PrintButton = Find<TButton>("PrintButton");
    CloseButton = Find<TButton>("CloseButton");
    MakeMenu();
    SaveDialog = new TSaveDialog(this);
    SaveDialog->setObjectName(QStringLiteral("SaveDialog"));
    SaveDialog->SetDefaultExt(QStringLiteral("csv"));
    SaveDialog->SetFilter(QStringLiteral("CSV (Comma Delimited) (*.csv)|*.csv"));

    Query.SetConnection(&ADOConnection);
    Query.LockType = ltReadOnly;
    DataSource.SetDataSet(&Query);
    ResultsDBGrid->SetDataSource(&DataSource);
    ResultsDBGrid->ReadOnly = true;

    SQLMemo->OnChange = [this](QObject*) {
        ExecuteQueryButton->SetEnabled(!SQLMemo->Text().isEmpty());
        SaveQueryButton->SetEnabled(ExecuteQueryButton->Enabled());
    };
    QueryNameListBox->OnClick = [this](QObject*) { QueryNameListBoxClick(); };
    ExecuteQueryButton->OnClick = [this](QObject*) { ExecuteQueryButtonClick(); };
    SaveQueryButton->OnClick = [this](QObject*) { SaveQueryButtonClick(); };
    DeleteButton->OnClick = [this](QObject*) { DeleteButtonClick(); };
    ClearButton->OnClick = [this](QObject*) { SQLMemo->SetText(QString()); };
    const auto pageSetup = [this](QObject*) { admin::CurrentQueryPrinting().PageSetup(*this); };
    const auto print = [this](QObject*) { admin::CurrentQueryPrinting().Print(*this, false); };
    const auto preview = [this](QObject*) { admin::CurrentQueryPrinting().Print(*this, true); };
    ExportButton->OnClick = ExportItem->OnClick = [this](QObject*) { ExportResult(); };
    PageSetupButton->OnClick = PageSetupItem->OnClick = pageSetup;
    PrintButton->OnClick = PrintItem->OnClick = print;
    PreviewButton->OnClick = PreviewItem->OnClick = preview;
    for (TMenuItem* item : {ShowFieldNamesItem, AlwaysDelimitWithDoubleQuoteItem})
        item->OnClick = [item](QObject*) { item->SetChecked(!item->Checked()); };

    OnShow = [this](QObject*) { FormShow(); };
    OnResize = [this](QObject*) { FormResize(); };
    OnCloseQuery = [this](QObject*, bool& canClose) {
        Query.Close();
        ADOConnection.Close();
        canClose = true;
    };
    OnClose = [this](QObject*, TCloseAction&) {
        TDvRegistry reg;
        if (!VersionHistory || !VersionHistory->OpenWriteKey(reg, kQueryKey)) return;
        reg.WriteBool(kQueryShowFieldNamesValue, ShowFieldNamesItem->Checked());
        reg.WriteBool(kQueryAlwaysDelimitValue, AlwaysDelimitWithDoubleQuoteItem->Checked());
    };
    ResultsDBGrid->Loaded();
    Loaded();
}

TDataQueryForm::~TDataQueryForm() {
    Query.Close();
    ClearQueryList();
}

void TDataQueryForm::MakeMenu() {
    auto* menu = new TMainMenu(this);
    std::map<QString, TMenuItem*> items;
    for (const QueryMenuRow& row : kMenu) {
        auto* item = new TMenuItem(this);
        const QString name = QString::fromLatin1(row.name);
        item->setObjectName(name);
        item->SetCaption(QString::fromLatin1(row.caption));
        (*row.parent ? items.at(QString::fromLatin1(row.parent)) : menu->Items())->Add(item);
        items[name] = item;
    }
    SetMenu(menu);
    ExportItem = items.at(QStringLiteral("ExportItem"));
    PageSetupItem = items.at(QStringLiteral("PageSetupItem"));
    PrintItem = items.at(QStringLiteral("PrintItem"));
    PreviewItem = items.at(QStringLiteral("PreviewItem"));
    ShowFieldNamesItem = items.at(QStringLiteral("ShowFieldNamesItem"));
    AlwaysDelimitWithDoubleQuoteItem = items.at(QStringLiteral("AlwaysDelimitWithDoubleQuoteItem"));
}

void TDataQueryForm::FormShow() {
    // A file opened read-only cannot take the table; the window then starts with no saved queries.
    if (!data_.ADOConnection.Engine().TableSeen(QStringLiteral("Queries")) &&
        !data_.ADOConnection.Engine().IsReadOnly())
        data_.ADOConnection.Execute(
            QStringLiteral("CREATE TABLE Queries (QueryName TEXT(32) PRIMARY KEY, Query TEXT)"));
    SetCaption(ReadOnly ? QStringLiteral("SQL Query (Read-Only)") : QStringLiteral("SQL Query"));
    ADOConnection.Close();
    ADOConnection.ConnectionString = ReadOnly ? ReadOnlyConnectionString(data_.ADOConnection.ConnectionString)
                                              : data_.ADOConnection.ConnectionString;
    ADOConnection.LoginPrompt = false;
    ADOConnection.Open();
    TDvRegistry reg(KEY_READ);
    const bool open = VersionHistory && VersionHistory->OpenReadKey(reg, kQueryKey);
    ShowFieldNamesItem->SetChecked(!open || reg.ReadBoolDefault(kQueryShowFieldNamesValue, true));
    AlwaysDelimitWithDoubleQuoteItem->SetChecked(open && reg.ReadBoolDefault(kQueryAlwaysDelimitValue, false));
    FillQueryList();
    QueryNameListBox->SetItemIndex(-1);
    QueryNameListBoxClick();
    ExecuteQueryButton->SetEnabled(false);
    SaveQueryButton->SetEnabled(false);
    DisableResultControls();
    FormResize();
}

void TDataQueryForm::FormResize() {
    const int width = ClientWidth(), height = ClientHeight();
    CloseButton->SetBounds((width - CloseButton->Width()) / 2, height - CloseButton->Height() - 10,
                           CloseButton->Width(), CloseButton->Height());
    const int top = ResultsGroupBox->Top();
    ResultsGroupBox->SetBounds(8, top, width - 16, std::max(120, CloseButton->Top() - 8 - top));
    const int groupWidth = ResultsGroupBox->Width(),
              buttonTop = ResultsGroupBox->Height() - ExportButton->Height() - 10;
    ResultsDBGrid->SetBounds(10, ResultsDBGrid->Top(), groupWidth - 20, buttonTop - 8 - ResultsDBGrid->Top());
    const int centre = groupWidth / 2, step = ExportButton->Width() + 8;
    const std::pair<TButton*, int> row[] = {
        {ExportButton, centre - 2 * step + 4},
        {PageSetupButton, centre - step + 4},
        {PreviewButton, centre + 4},
        {PrintButton, centre + step + 4},
    };
    for (const auto& [button, left] : row) button->SetBounds(left, buttonTop, button->Width(), button->Height());
}

void TDataQueryForm::ClearQueryList() {
    QueryNameListBox->Items().Clear();
    queryTexts_.clear();
}

void TDataQueryForm::FillQueryList() {
    ClearQueryList();
    if (!data_.ADOConnection.Engine().TableSeen(QStringLiteral("Queries"))) return;
    TADOQuery queries;
    queries.SetConnection(&data_.ADOConnection);
    queries.LockType = ltReadOnly;
    queries.SQL.SetText(QStringLiteral("select QueryName, Query from Queries order by QueryName"));
    queries.Open();
    for (; !queries.Eof(); queries.Next()) {
        auto text = std::make_unique<TQueryText>();
        text->Text = queries.Fields()[1]->AsString();
        QueryNameListBox->Items().AddObject(queries.Fields()[0]->AsString(), text.get());
        queryTexts_.push_back(std::move(text));
    }
}

void TDataQueryForm::QueryNameListBoxClick() {
    const int index = QueryNameListBox->ItemIndex();
    if (index >= 0) {
        SQLMemo->SetText(static_cast<TQueryText*>(QueryNameListBox->Items().Objects(index))->Text);
        DeleteButton->SetEnabled(true);
    } else {
        SQLMemo->SetText(QString());
        DeleteButton->SetEnabled(false);
    }
}

void TDataQueryForm::SetResultControls(bool enabled) {
    ResultsDBGrid->SetEnabled(enabled);
    ExportButton->SetEnabled(enabled);
    ExportItem->SetEnabled(enabled);
    const admin::QueryPrinting& printing = admin::CurrentQueryPrinting();
    PageSetupButton->SetEnabled(enabled && printing.PageSetup);
    PageSetupItem->SetEnabled(PageSetupButton->Enabled());
    for (auto [button, item] : {std::pair{PrintButton, PrintItem}, std::pair{PreviewButton, PreviewItem}}) {
        button->SetEnabled(enabled && printing.Print);
        item->SetEnabled(button->Enabled());
    }
}

void TDataQueryForm::DisableResultControls() { SetResultControls(false); }

void TDataQueryForm::EnableResultControls() { SetResultControls(true); }

void TDataQueryForm::ExecuteQueryButtonClick() {
    const QString text = SQLMemo->Text();
    if (text.trimmed().isEmpty()) {
        MessageDlg(QStringLiteral("No query was specified"), mtInformation, {mbOK});
        return;
    }
    try {
        Query.Close();
        Query.SQL.SetText(text);
        ui::HourGlass hourGlass;
        ResultsGroupBox->SetCaption(QStringLiteral("Results "));
        if (text.startsWith(QLatin1String("select "), Qt::CaseInsensitive)) {
            Query.Open();
            ResultsGroupBox->SetCaption(QStringLiteral("Results %1 records").arg(Query.RecordCount()));
        } else {
            const int rows = Query.ExecSQL();
            MessageDlg(QStringLiteral("%1 rows affected").arg(rows), mtInformation, {mbOK});
        }
        // A command leaves no result to export or print.
        SetResultControls(Query.Active());
    } catch (const EOleException& e) {
        // Only the read-only connection's refusal to write is the window's own; other failures say what they are.
        const bool refused = e.ErrorCode() == sql::kErrorFailed && e.Message() == sql::kReadOnly;
        MessageDlg(refused ? kNotPermitted : e.Message(), mtInformation, {mbOK});
    }
}

void TDataQueryForm::SaveQueryButtonClick() {
    const int index = QueryNameListBox->ItemIndex();
    QString name = index >= 0 ? QueryNameListBox->Items()[index] : QString();
    if (!InputQuery(QStringLiteral("Save Query"), QStringLiteral("Enter Query Name"), name)) return;
    // Names and texts go in as parameters, so that quotes in them are stored as typed.
    const data::SqlParams key = {{QStringLiteral("QueryName"), name}};
    const data::SqlParams params = {key.front(), {QStringLiteral("Query"), SQLMemo->Text()}};
    if (data::CountRows(data_.ADOConnection,
                        QStringLiteral("select QueryName from Queries where QueryName = :QueryName"), key) == 0) {
        data::ExecuteWith(data_.ADOConnection,
                          QStringLiteral("Insert into Queries (QueryName, Query) Values (:QueryName, :Query)"), params);
    } else {
        if (MessageDlg(QStringLiteral("Query names already exists. Overwrite?"), mtConfirmation, {mbOK, mbCancel}) !=
            mrOk)
            return;
        data::ExecuteWith(data_.ADOConnection,
                          QStringLiteral("Update Queries Set Query = :Query where QueryName = :QueryName"), params);
    }
    FillQueryList();
}

void TDataQueryForm::DeleteButtonClick() {
    const int index = QueryNameListBox->ItemIndex();
    if (index < 0) return;
    const QString name = QueryNameListBox->Items()[index];
    if (MessageDlg(QStringLiteral("Delete ") + name, mtConfirmation, {mbOK, mbCancel}) != mrOk) return;
    data::ExecuteWith(data_.ADOConnection, QStringLiteral("delete from Queries where QueryName = :QueryName"),
                      {{QStringLiteral("QueryName"), name}});
    FillQueryList();
    QueryNameListBox->SetItemIndex(std::min(index, QueryNameListBox->Count() - 1));
    QueryNameListBoxClick();
}
