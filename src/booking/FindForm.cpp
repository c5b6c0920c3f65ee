// The booking search window: its criteria, the query they build, the results and what can be done with them.
#include "booking/FindForm.h"

#include "controls/edit/DatePickerPairs.h"
#include "controls/edit/DateTimePicker.h"
#include "controls/grid/WwGridFormClasses.h"
#include "data/module/DataModule.h"
#include "platform/db/Field.h"
#include "platform/db/Parameters.h"
#include "platform/rtl/DateTimeFormat.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Messages.h"
#include "platform/rtl/ScreenService.h"
#include "platform/ui/Bars.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListView.h"
#include "platform/ui/Lists.h"
#include "util/core/DvLists.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QScopeGuard>
#include <algorithm>

namespace {

const QString kExactMatch = QStringLiteral("Exact match");
const QString kMatchAtBeginning = QStringLiteral("Match at beginning");
const QString kMatchAnywhere = QStringLiteral("Match anywhere");

// The fields the first three criteria rows preselect.
const char* const kDefaultFields[] = {"Client", "Resource", "Description"};

QString UsDate(TDateTime date) { return QLatin1Char('#') + controls::UsDateText(date) + QLatin1Char('#'); }

int MinutesOf(TDateTime time) {
    int hour = 0, minute = 0, second = 0, ms = 0;
    DecodeTime(time, hour, minute, second, ms);
    return hour * 60 + minute;
}

QString MinutesExpression(const QString& column) {
    return QStringLiteral("(HOUR([Bookings].%1) * 60 + MINUTE([Bookings].%1))").arg(column);
}

std::vector<ui::ControlRow> FindFormRows() {
    std::vector<ui::ControlRow> rows;
    for (int i = 0; i < TFindForm::kCriteria; ++i) {
        const int top = 12 + i * 30;
        const QString n = QString::number(i + 1);
        rows.push_back({QStringLiteral("FieldComboBox") + n, "TComboBox", "", 12, top, 130, 23});
        rows.push_back({QStringLiteral("FieldEdit") + n, "TEdit", "", 150, top, 210, 23});
        rows.push_back({QStringLiteral("MatchComboBox") + n, "TComboBox", "", 368, top, 160, 23});
    }
    const std::vector<ui::ControlRow> rest = {
        // name              class                 parent left top width height caption properties
        {"DatesCheckBox", "TCheckBox", "", 12, 166, 80, 21, " Dates"},
        {"FromDatePicker", "TwwDBDateTimePicker", "", 96, 164, 120, 23},
        {"ToDatePicker", "TwwDBDateTimePicker", "", 224, 164, 120, 23},
        {"TimesCheckBox", "TCheckBox", "", 12, 196, 80, 21, " Times"},
        {"FromTimePicker", "TwwDBDateTimePicker", "", 96, 194, 120, 23},
        {"ToTimePicker", "TwwDBDateTimePicker", "", 224, 194, 120, 23},
        {"SortLabel", "TLabel", "", 360, 166, 60, 21, "Sort by"},
        {"SortComboBox", "TComboBox", "", 424, 164, 104, 23},
        {"Memo", "TMemo", "", 540, 12, 186, 212, "", "ReadOnly=True; ScrollBars=ssVertical"},
        {"FindButton", "TButton", "", 738, 12, 124, 25, "&Find", "Default=True"},
        {"ClearButton", "TButton", "", 738, 42, 124, 25, "C&lear"},
        {"EditButton", "TButton", "", 738, 72, 124, 25, "&Edit"},
        {"PrintAllButton", "TButton", "", 738, 102, 124, 25, "Print &All"},
        {"PrintSelectedButton", "TButton", "", 738, 132, 124, 25, "Print &Selected"},
        {"PreviewCheckBox", "TCheckBox", "", 738, 162, 124, 21, "Preview"},
        {"CloseButton", "TButton", "", 738, 199, 124, 25, "Close", "Cancel=True; ModalResult=mrCancel"},
        {"BookingList", "TListView", "", 12, 236, 850, 230, "", "MultiSelect=True; HideSelection=False"},
        {"StatusBar", "TStatusBar", "", 0, 478, 874, 22, "", "Align=alBottom"},
    };
    rows.insert(rows.end(), rest.begin(), rest.end());
    return rows;
}

}  // namespace

TFindForm::TFindForm(QWidget* owner, TData& data, TFindFormHooks hooks)
    : TForm(owner), data_(data), hooks_(std::move(hooks)) {
    controls::RegisterGridFormClasses();
    ui::DescribeForm(*this, {"FindForm", "Search Bookings", bsSizeable, poScreenCenter, 874, 500}, FindFormRows());
    for (int i = 0; i < kCriteria; ++i) {
        const QString n = QString::number(i + 1);
        FieldComboBoxes[i] = Find<TComboBox>(QStringLiteral("FieldComboBox") + n);
        FieldEdits[i] = Find<TEdit>(QStringLiteral("FieldEdit") + n);
        MatchComboBoxes[i] = Find<TComboBox>(QStringLiteral("MatchComboBox") + n);
        FieldComboBoxes[i]->SetStyle(csDropDownList);
        FieldComboBoxes[i]->SetSorted(true);
        MatchComboBoxes[i]->SetStyle(csDropDownList);
        for (const QString& match : {kExactMatch, kMatchAtBeginning, kMatchAnywhere})
            MatchComboBoxes[i]->Items().Add(match);
        FieldEdits[i]->OnChange = [this, i](QObject*) { FieldEditChange(i); };
    }
    DatesCheckBox = Find<TCheckBox>("DatesCheckBox");
    FromDatePicker = Find<TwwDBDateTimePicker>("FromDatePicker");
    ToDatePicker = Find<TwwDBDateTimePicker>("ToDatePicker");
    TimesCheckBox = Find<TCheckBox>("TimesCheckBox");
    FromTimePicker = Find<TwwDBDateTimePicker>("FromTimePicker");
    ToTimePicker = Find<TwwDBDateTimePicker>("ToTimePicker");
    SortComboBox = Find<TComboBox>("SortComboBox");
    Memo = Find<TMemo>("Memo");
    FindButton = Find<TButton>("FindButton");
    ClearButton = Find<TButton>("ClearButton");
    EditButton = Find<TButton>("EditButton");
    PrintAllButton = Find<TButton>("PrintAllButton");
    PrintSelectedButton = Find<TButton>("PrintSelectedButton");
    PreviewCheckBox = Find<TCheckBox>("PreviewCheckBox");
    CloseButton = Find<TButton>("CloseButton");
    BookingList = Find<TListView>("BookingList");
    StatusBar = Find<TStatusBar>("StatusBar");

    settingPickers_ = true;
    for (TwwDBDateTimePicker* picker : {FromDatePicker, ToDatePicker}) {
        picker->SetUnboundDataType(wwDTEdtDate);
        picker->SetDate(Date());
    }
    for (TwwDBDateTimePicker* picker : {FromTimePicker, ToTimePicker}) {
        picker->SetUnboundDataType(wwDTEdtTime);
        picker->SetDisplayFormat(QStringLiteral("h:mm am/pm"));
    }
    FromTimePicker->SetTime(EncodeTime(0, 0, 0, 0));
    ToTimePicker->SetTime(EncodeTime(23, 59, 0, 0));
    settingPickers_ = false;
    SortComboBox->SetStyle(csDropDownList);
    for (const char* sort : {"Date", "Client", "Resource"}) SortComboBox->Items().Add(QString::fromLatin1(sort));
    StatusBar->SetSimplePanel(true);

    const std::pair<const char*, int> columns[] = {{"BookingId", 70}, {"Date", 80},      {"Time", 70},
                                                   {"Client", 140},   {"Resource", 110}, {"Description", 150},
                                                   {"Notes", 110},    {"Reminder", 100}};
    for (const auto& [caption, width] : columns) BookingList->AddColumn(QString::fromLatin1(caption), width);

    FindQuery.SetConnection(&data_.ADOConnection);
    FindQuery.CursorType = ctStatic;

    FromDatePicker->OnChange = [this](QObject*) { DateChange(true); };
    ToDatePicker->OnChange = [this](QObject*) { DateChange(false); };
    FromTimePicker->OnChange = [this](QObject*) { TimeChange(true); };
    ToTimePicker->OnChange = [this](QObject*) { TimeChange(false); };
    FindButton->OnClick = [this](QObject*) { FindButtonClick(); };
    ClearButton->OnClick = [this](QObject*) { ClearCriteria(); };
    EditButton->OnClick = [this](QObject*) { EditButtonClick(); };
    BookingList->OnDblClick = [this](QObject*) { EditButtonClick(); };
    PrintAllButton->OnClick = [this](QObject*) { Print(false); };
    PrintSelectedButton->OnClick = [this](QObject*) { Print(true); };
    CloseButton->OnClick = [this](QObject*) { Close(); };
    BookingList->OnSelectItem = [this](QObject*, TListItem& item, bool selected) {
        if (selected) ShowDetails(&item);
    };
    BookingList->OnKeyDown = [this](QObject*, Word& key, TShiftState shift) {
        if (shift.Contains(ssCtrl) && (key == 'C' || key == 'c')) CopyToClipboard();
    };
    OnResize = [this](QObject*) { FormResize(); };
    OnShow = [this](QObject*) {
        BuildFieldList();
        ClearCriteria();
    };
    BuildFieldList();
    ClearCriteria();
    UpdateButtons();
    Loaded();
    FormResize();
}

TFindForm::~TFindForm() { BookingList->OnSelectItem = nullptr; }

void TFindForm::BuildFieldList() {
    fieldInfos_.clear();
    const auto add = [this](const QString& caption, const QString& fieldName, const QString& tableName) {
        fieldInfos_.push_back({caption, fieldName, tableName});
    };
    const QString bookings = QStringLiteral("Bookings");
    add(QStringLiteral("Client"), QStringLiteral("Client"), bookings);
    add(QStringLiteral("Resource"), QStringLiteral("ResourceName"), QStringLiteral("Resources"));
    for (const char* name : {"Description", "Notes", "Reminder", "Phone", "Email", "Address"})
        add(QString::fromLatin1(name), QString::fromLatin1(name), bookings);
    for (const TUDFField* udf : {data_.Udf1Field.get(), data_.Udf2Field.get()})
        if (udf) add(udf->Caption, udf->FieldName, bookings);
    for (TComboBox* combo : FieldComboBoxes) {
        const QString chosen = combo->Text();
        combo->Items().Clear();
        for (const TFieldInfo& info : fieldInfos_) combo->Items().Add(info.Caption);
        combo->SetItemIndex(combo->Items().IndexOf(chosen));
    }
}

bool TFindForm::FindFieldInfo(const QString& caption, QString& fieldName, QString& tableName) const {
    for (const TFieldInfo& info : fieldInfos_) {
        if (info.Caption.compare(caption, Qt::CaseInsensitive) != 0) continue;
        fieldName = info.FieldName;
        tableName = info.TableName;
        return true;
    }
    return false;
}

QString TFindForm::MatchClause(const QString& caption, const QString& match, const QString& parameter) const {
    QString fieldName, tableName;
    if (!FindFieldInfo(caption, fieldName, tableName)) return QString();
    // The typed text is never part of the statement: it is bound to the parameter. The unary plus before an
    // equality keeps the engine from walking every booking through the (ResourceId, BookingStart) index, which
    // it otherwise picks and which is some forty times slower than reading the table (bench_booking_find).
    const bool exact = match.toLower() == kExactMatch.toLower();
    return QStringLiteral("   and ") + (exact ? QStringLiteral("+") : QString()) + tableName + QStringLiteral(".[") +
           fieldName + QLatin1Char(']') + (exact ? QStringLiteral(" = ") : QStringLiteral(" LIKE ")) +
           QLatin1Char(':') + parameter;
}

QString TFindForm::MatchPattern(const QString& text, const QString& match) {
    const QString kind = match.toLower();
    if (kind == kExactMatch.toLower()) return text;
    if (kind == kMatchAtBeginning.toLower()) return text + QLatin1Char('%');
    return QLatin1Char('%') + text + QLatin1Char('%');
}

void TFindForm::ClearCriteria() {
    const QString fourth = data_.Udf1Field ? data_.Udf1Field->Caption : QStringLiteral("Reminder");
    const QString fifth = data_.Udf2Field ? data_.Udf2Field->Caption : QStringLiteral("Notes");
    const QString fields[kCriteria] = {QString::fromLatin1(kDefaultFields[0]), QString::fromLatin1(kDefaultFields[1]),
                                       QString::fromLatin1(kDefaultFields[2]), fourth, fifth};
    for (int i = 0; i < kCriteria; ++i) {
        FieldComboBoxes[i]->SetItemIndex(FieldComboBoxes[i]->Items().IndexOf(fields[i]));
        FieldEdits[i]->SetText(QString());
        MatchComboBoxes[i]->SetItemIndex(MatchComboBoxes[i]->Items().IndexOf(kMatchAnywhere));
        MatchComboBoxes[i]->SetEnabled(false);
    }
    DatesCheckBox->SetChecked(false);
    TimesCheckBox->SetChecked(false);
    SortComboBox->SetItemIndex(0);
}

void TFindForm::FieldEditChange(int row) { MatchComboBoxes[row]->SetEnabled(!FieldEdits[row]->Text().isEmpty()); }

void TFindForm::FindButtonClick() {
    if (std::all_of(FieldEdits.begin(), FieldEdits.end(), [](const TEdit* edit) { return edit->Text().isEmpty(); })) {
        MessageDlg(QStringLiteral("You have not specified any search criteria."), mtInformation, {mbOK});
        return;
    }
    QStringList sql{
        QStringLiteral("Select [Resources].ResourceName,"),
        QStringLiteral("   [Bookings].BookingId, [Bookings].BookingStart, [Bookings].BookingEnd,"),
        QStringLiteral("   [Bookings].Client, [Bookings].Description, [Bookings].Notes, [Bookings].Reminder"),
        QStringLiteral("from [Resources], [Bookings]"),
        QStringLiteral("where [Resources].ResourceId = [Bookings].ResourceId")};
    if (DatesCheckBox->Checked()) {
        const TDateTime first = DateOf(FromDatePicker->Date()), last = DateOf(ToDatePicker->Date());
        const QString s = UsDate(first), e = UsDate(last), next = UsDate(last + 1);
        sql << QStringLiteral("   and ((([Bookings].BookingStart >= %1) and ([Bookings].BookingStart < %2))")
                   .arg(s, next)
            << QStringLiteral("       or (([Bookings].BookingEnd >= %1) and ([Bookings].BookingEnd < %2))").arg(s, next)
            << QStringLiteral("       or (([Bookings].BookingStart <= %1) and ([Bookings].BookingEnd >= %2)))")
                   .arg(s, e);
    }
    if (TimesCheckBox->Checked()) {
        const int s = MinutesOf(FromTimePicker->Time()), e = MinutesOf(ToTimePicker->Time());
        const QString start = MinutesExpression(QStringLiteral("BookingStart"));
        const QString end = MinutesExpression(QStringLiteral("BookingEnd"));
        sql << QStringLiteral("   and (")
            << QStringLiteral("       ((%1 >= %2) and (%1 <= %3))").arg(start).arg(s).arg(e)
            << QStringLiteral("          or ((%1 >= %2) and (%1 <= %3))").arg(end).arg(s).arg(e)
            << QStringLiteral("          or ((%1 < %2) and (%3 > %4))").arg(start).arg(s).arg(end).arg(e)
            << QStringLiteral("   )");
    }
    std::vector<std::pair<QString, QString>> values;
    for (int i = 0; i < kCriteria; ++i) {
        const QString text = FieldEdits[i]->Text();
        if (text.isEmpty()) continue;
        const QString parameter = QStringLiteral("Criterion%1").arg(i + 1);
        const QString line = MatchClause(FieldComboBoxes[i]->Text(), MatchComboBoxes[i]->Text(), parameter);
        if (line.isEmpty()) continue;
        sql << line;
        values.emplace_back(parameter, MatchPattern(text, MatchComboBoxes[i]->Text()));
    }
    const QString sort = SortComboBox->Text();
    sql << (sort == QLatin1String("Client")     ? QStringLiteral("order by Bookings.Client")
            : sort == QLatin1String("Resource") ? QStringLiteral("order by Resources.ResourceName")
                                                : QStringLiteral("order by Bookings.BookingStart"));

    rtl::HourGlass hourGlass;
    FindQuery.Close();
    FindQuery.SQL.SetText(sql.join(u'\n'));
    for (const auto& [parameter, value] : values) FindQuery.Parameters.ParamByName(parameter).SetValue(value);
    // A statement the engine refuses raises before the list loses its rows.
    FindQuery.Open();
    BookingList->ClearItems();
    Memo->SetText(QString());
    int count = 0;
    for (FindQuery.First(); !FindQuery.Eof(); FindQuery.Next()) {
        const TDateTime start = FindQuery.FieldByName(QStringLiteral("BookingStart")).AsDateTime();
        TListItem& item = BookingList->AddItem();
        item.SetCaption(FindQuery.FieldByName(QStringLiteral("BookingId")).AsString());
        item.AddSubItem(FormatDateTime(QStringLiteral("mmm dd yy"), start));
        item.AddSubItem(FormatDateTime(QStringLiteral("h:mm am/pm"), start));
        for (const char* name : {"Client", "ResourceName", "Description", "Notes", "Reminder"})
            item.AddSubItem(FindQuery.FieldByName(QString::fromLatin1(name)).AsString());
        ++count;
    }
    FindQuery.Close();
    if (count > 0) BookingList->scrollToTop();
    StatusBar->SetSimpleText(QStringLiteral("Found %1 records").arg(count));
    UpdateButtons();
}

void TFindForm::ShowDetails(TListItem* item) {
    Memo->SetText(QString());
    if (!item) return;
    TADOTable& bookings = data_.BookingsTable;
    if (!bookings.Active() || !bookings.Locate(QStringLiteral("BookingId"), item->Caption().toInt())) return;
    const auto value = [&bookings](const char* name) {
        return bookings.FieldByName(QString::fromLatin1(name)).AsString();
    };
    const TDateTime start = bookings.FieldByName(QStringLiteral("BookingStart")).AsDateTime();
    const TDateTime end = bookings.FieldByName(QStringLiteral("BookingEnd")).AsDateTime();
    const QString time = QStringLiteral("h:mm am/pm");
    const QString endText = DateOf(end) == DateOf(start) ? FormatDateTime(time, end)
                                                         : FormatDateTime(QStringLiteral("mmm d yyyy ") + time, end);
    const QStringList lines{QStringLiteral("Client: ") + value("Client"),
                            QStringLiteral("Resource: ") + item->SubItem(3),
                            QStringLiteral("Date: ") + FormatDateTime(QStringLiteral("mmm d yyyy ") + time, start) +
                                QStringLiteral(" to ") + endText,
                            QStringLiteral("Phone: ") + value("Phone"),
                            QStringLiteral("Email: ") + value("Email"),
                            QStringLiteral("Address: ") + value("Address"),
                            QStringLiteral("Description: ") + value("Description"),
                            QStringLiteral("Notes: ") + value("Notes"),
                            QStringLiteral("Reminder: ") + value("Reminder")};
    Memo->SetText(lines.join(u'\n'));
    Memo->moveCursor(QTextCursor::Start);
}

void TFindForm::EditButtonClick() {
    TListItem* item = BookingList->Selected();
    if (!item || !hooks_.BookingForm) return;
    const int id = item->Caption().toInt();
    TADOTable& bookings = data_.BookingsTable;
    if (!bookings.Active() || !bookings.Locate(QStringLiteral("BookingId"), id)) {
        MessageDlg(QStringLiteral("There is no selected booking id ") + item->Caption(), mtInformation, {mbOK});
        return;
    }
    hooks_.BookingForm(id);
}

QString TFindForm::SelectedRowsText() const {
    QString text;
    for (int i = 0; i < BookingList->ItemCount(); ++i) {
        const TListItem& item = BookingList->Item(i);
        if (!item.Selected()) continue;
        QString id = item.Caption();
        id.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(u'\r', u' ').replace(u'\n', u' ');
        text += id;
        for (int col = 1; col < BookingList->ColumnCount(); ++col)
            if (BookingList->Column(col).Width() != 0) text += QLatin1Char('\t') + item.SubItem(col - 1);
        text += QStringLiteral("\r\n");
    }
    return text;
}

void TFindForm::CopyToClipboard() { QGuiApplication::clipboard()->setText(SelectedRowsText()); }

void TFindForm::Print(bool selectedOnly) {
    if (!hooks_.RBFindListForm) return;
    TDvIntegerList ids;
    for (int i = 0; i < BookingList->ItemCount(); ++i) {
        const TListItem& item = BookingList->Item(i);
        if (!selectedOnly || item.Selected()) ids.Add(item.Caption().toInt());
    }
    const QString title = data_.GetDatabaseTitle();
    const QString documentName =
        QStringLiteral("Tavorin Search Bookings") + (title.isEmpty() ? QString() : QStringLiteral(" - ") + title);
    hooks_.RBFindListForm(ids, documentName,
                          PreviewCheckBox->Checked() ? QStringLiteral("Screen") : QStringLiteral("Printer"));
}

void TFindForm::DateChange(bool first) {
    if (settingPickers_) return;
    settingPickers_ = true;
    const auto done = qScopeGuard([this] { settingPickers_ = false; });
    DatesCheckBox->SetChecked(true);
    controls::KeepDatesInOrder(*FromDatePicker, *ToDatePicker, first);
}

void TFindForm::TimeChange(bool first) {
    if (settingPickers_) return;
    settingPickers_ = true;
    const auto done = qScopeGuard([this] { settingPickers_ = false; });
    TimesCheckBox->SetChecked(true);
    if (DatesCheckBox->Checked() && DateOf(FromDatePicker->Date()) == DateOf(ToDatePicker->Date()))
        controls::KeepTimesInOrder(*FromTimePicker, *ToTimePicker, first);
}

void TFindForm::UpdateButtons() {
    EditButton->SetEnabled(static_cast<bool>(hooks_.BookingForm));
    PrintAllButton->SetEnabled(static_cast<bool>(hooks_.RBFindListForm));
    PrintSelectedButton->SetEnabled(static_cast<bool>(hooks_.RBFindListForm));
}

void TFindForm::FormResize() {
    BookingList->SetHeight(std::max(ClientHeight() - BookingList->Top() - StatusBar->Height() - 12, 40));
    BookingList->SetWidth(std::max(ClientWidth() - 2 * BookingList->Left(), 40));
}
