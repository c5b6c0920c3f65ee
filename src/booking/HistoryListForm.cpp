// The shared history list: its layout, the query's opening and the selected row's details.
#include "booking/HistoryListForm.h"

#include "controls/grid/WwGridFormClasses.h"
#include "controls/grid/Wwdbgrid.h"
#include "data/module/DataModule.h"
#include "platform/db/Field.h"
#include "platform/rtl/DateTimeFormat.h"
#include "platform/rtl/ScreenService.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Edits.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/Label.h"
#include "platform/ui/Splitter.h"
#include "util/CodeNames.h"

#include <algorithm>

namespace {

const QString kStampFormat = QStringLiteral("mmm d yyyy h:mm am/pm");

}  // namespace

THistoryListForm::THistoryListForm(QWidget* owner, TData& data, const QString& name, const QString& caption,
                                   const QStringList& columns)
    : TForm(owner), data_(data) {
    controls::RegisterGridFormClasses();
    ui::DescribeForm(
        *this, {name, caption, bsSizeable, poScreenCenter, 780, 440},
        {
            // name          class        parent         left top width height caption  properties
            {"HistoryLabel", "TLabel", "", 0, 0, 780, 24, "", "Align=alTop; AutoSize=False"},
            {"HistoryDBGrid", "TwwDBGrid", "", 0, 24, 780, 196, "", "Align=alTop"},
            {"Splitter", "TSplitter", "", 0, 220, 780, 3, "", "Align=alTop"},
            {"BottomPanel", "TPanel", "", 0, 398, 780, 42, "", "Align=alBottom; BevelOuter=bvNone"},
            {"SaveButton", "TButton", "BottomPanel", 8, 8, 80, 25, "Save", "Visible=False"},
            {"PrintButton", "TButton", "BottomPanel", 96, 8, 80, 25, "Print", "Visible=False"},
            {"CloseButton", "TButton", "BottomPanel", 350, 8, 80, 25, "Close", "Cancel=True; ModalResult=mrOk"},
            {"HistoryMemo", "TMemo", "", 0, 223, 780, 175, "", "Align=alClient; ReadOnly=True"},
        });
    HistoryLabel = Find<TLabel>("HistoryLabel");
    HistoryDBGrid = Find<TwwDBGrid>("HistoryDBGrid");
    Splitter = Find<TSplitter>("Splitter");
    BottomPanel = Find<TPanel>("BottomPanel");
    SaveButton = Find<TButton>("SaveButton");
    PrintButton = Find<TButton>("PrintButton");
    CloseButton = Find<TButton>("CloseButton");
    HistoryMemo = Find<TMemo>("HistoryMemo");

    HistoryQuery.SetConnection(&data_.ADOConnection);
    HistoryQuery.CursorType = ctStatic;
    HistoryQuery.AfterOpen = [this](TDataSet&) { FormatFields(); };
    HistorySource.SetDataSet(&HistoryQuery);
    HistorySource.AutoEdit = false;
    HistorySource.OnDataChange = [this](TDataSource&, TField* field) {
        // A change of the record, not of one of its fields.
        if (!field) ShowDetails();
    };
    HistoryDBGrid->ReadOnly = true;
    // The description is a memo; the list shows its text, and a double click opens it read-only.
    HistoryDBGrid->SetMemoAttributes({mSizeable, mWordWrap, mGridShow, mViewOnly});
    TwwDBGridOptions options = HistoryDBGrid->Options();
    options.Exclude(dgEditing).Include(dgRowSelect).Include(dgAlwaysShowSelection);
    HistoryDBGrid->SetOptions(options);
    // The columns, their widths and titles are the Selected lines', not the query's fields'.
    HistoryDBGrid->SetUseTFields(false);
    for (const QString& column : columns) HistoryDBGrid->Selected().Add(column);
    HistoryDBGrid->SetDataSource(&HistorySource);

    OnResize = [this](QObject*) { FormResize(); };
    OnShow = [this](QObject*) {
        OpenQuery();
        HistoryDBGrid->FocusGrid();
    };
    OnClose = [this](QObject*, TCloseAction&) { HistoryQuery.Close(); };
    HistoryDBGrid->Loaded();
    Loaded();
    FormResize();
}

THistoryListForm::~THistoryListForm() {
    HistorySource.OnDataChange = nullptr;
    HistoryDBGrid->SetDataSource(nullptr);
}

void THistoryListForm::SetQueryLines(const QStringList& lines) {
    HistoryQuery.Close();
    HistoryQuery.SQL.SetText(lines.join(u'\n'));
}

void THistoryListForm::OpenQuery() {
    {
        rtl::HourGlass hourGlass;
        HistoryQuery.Close();
        HistoryQuery.Open();
    }
    // The columns take their widths when the query opens; the description then takes what is left.
    FormResize();
    ShowDetails();
}

void THistoryListForm::FormatFields() {
    if (TField* stamp = HistoryQuery.FindField(QStringLiteral("HistoryTimeStamp")))
        stamp->SetDisplayFormat(kStampFormat);
    if (TField* code = HistoryQuery.FindField(QStringLiteral("HistoryCode"))) {
        code->OnGetText = [](TField& field, QString& text, bool) {
            text = field.IsNull() ? QString() : HistoryCodeName(static_cast<quint8>(field.AsInteger()));
        };
    }
}

void THistoryListForm::ShowDetails() {
    if (!HistoryQuery.Active() || HistoryQuery.IsEmpty()) {
        HistoryLabel->SetCaption(QString());
        HistoryMemo->SetText(QString());
        return;
    }
    const TField& code = HistoryQuery.FieldByName(QStringLiteral("HistoryCode"));
    HistoryLabel->SetCaption(FormatDateTime(QStringLiteral("mmm d yyyy, h:mm am/pm"),
                                            HistoryQuery.FieldByName(QStringLiteral("HistoryTimeStamp")).AsDateTime()) +
                             QLatin1Char(' ') + HistoryCodeName(static_cast<quint8>(code.AsInteger())) +
                             QStringLiteral(" by ") + HistoryQuery.FieldByName(QStringLiteral("Userid")).AsString());
    HistoryMemo->SetText(HistoryQuery.FieldByName(QStringLiteral("Description")).AsString());
}

void THistoryListForm::FormResize() {
    HistoryDBGrid->SetHeight(ClientHeight() / 2);
    CloseButton->SetLeft((BottomPanel->ClientWidth() - CloseButton->Width()) / 2);
    // The description column takes what the other columns leave of the grid's width.
    const int last = HistoryDBGrid->ColCount() - 1;
    if (last > 0) {
        int others = 0;
        for (int i = 0; i < last; ++i) others += HistoryDBGrid->GetColWidths(i);
        HistoryDBGrid->SetColWidths(last, std::max(HistoryDBGrid->ClientWidth() - others - 6, 20));
    }
    rtl::CurrentScreenService().SetCursor(crDefault);
}
