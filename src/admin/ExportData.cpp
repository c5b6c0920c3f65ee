// The export window: the bookings a resource at a time, in resource name and start order, one line each.
#include "admin/ExportData.h"

#include "admin/CsvText.h"
#include "controls/edit/DatePickerPairs.h"
#include "controls/edit/DateTimePicker.h"
#include "controls/edit/WwFormClasses.h"
#include "data/module/DataModule.h"
#include "platform/db/Field.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Messages.h"
#include "platform/ui/Application.h"
#include "platform/ui/Bars.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Edits.h"
#include "platform/ui/FormDescription.h"
#include "util/DesktopOpen.h"
#include "util/core/DvRegistry.h"
#include "util/core/VersionHistory.h"

#include <QApplication>
#include <QPainter>
#include <algorithm>

namespace {

const QString kAlwaysDelimitValue = QStringLiteral("ExportAlwaysDelimit");
const QString kShowFieldNamesValue = QStringLiteral("ExportShowFieldNames");

// Columns of Bookings that are the program's own bookkeeping, never exported.
bool IsExported(const QString& column) {
    for (const char* own : {"resourceid", "trans", "transdatetime", "ep", "emailheader"})
        if (column.compare(QLatin1String(own), Qt::CaseInsensitive) == 0) return false;
    return true;
}

// The text after "where" that every statement of one export shares.
QString Condition(bool duration, TDateTime from, TDateTime to) {
    QString condition = QStringLiteral("[Resources].ResourceId = [Bookings].ResourceId");
    if (duration)
        condition += QStringLiteral("\n   and ([Bookings].BookingStart >= #%1#) and ([Bookings].BookingStart < #%2#)")
                         .arg(controls::UsDateText(DateOf(from)), controls::UsDateText(DateOf(to) + 1));
    return condition;
}

}  // namespace

TExportForm::TExportForm(TData& data, TDateTime date, QWidget* owner) : TForm(owner), data_(data) {
    controls::RegisterEditFormClasses();
    ui::DescribeForm(
        *this, {"ExportForm", "Export", bsDialog, poScreenCenter, 376, 266},
        {
            // name                  class         parent left top width height caption  properties
            {"EntireDatabaseRadioButton", "TRadioButton", "", 16, 12, 200, 21, "Entire database"},
            {"DurationRadioButton", "TRadioButton", "", 16, 38, 100, 21, "Duration"},
            {"FromLabel", "TLabel", "", 34, 68, 40, 17, "From"},
            {"StartDatePicker", "TwwDBDateTimePicker", "", 78, 64, 116, 23},
            {"ToLabel", "TLabel", "", 204, 68, 24, 17, "to"},
            {"EndDatePicker", "TwwDBDateTimePicker", "", 232, 64, 116, 23},
            {"FileLabel", "TLabel", "", 16, 98, 120, 17, "Export File"},
            {"FilenameEdit", "TEdit", "", 16, 116, 310, 23},
            {"BrowseButton", "TButton", "", 330, 116, 30, 23, "..."},
            {"AlwaysDelimitWithDoubleQuoteCheckBox", "TCheckBox", "", 16, 148, 344, 21,
             "Always delimit fields with double quote"},
            {"ShowFieldNamesCheckBox", "TCheckBox", "", 16, 172, 344, 21, "Show field names on first line"},
            {"StartButton", "TButton", "", 16, 204, 80, 25, "Export", "Default=True"},
            {"StopButton", "TButton", "", 104, 204, 80, 25, "Stop"},
            {"ViewButton", "TButton", "", 192, 204, 80, 25, "View File"},
            {"CancelButton", "TButton", "", 280, 204, 80, 25, "Close", "Cancel=True"},
            {"StatusBar", "TStatusBar", "", 0, 238, 376, 22, "", "Align=alBottom"},
        });
    EntireDatabaseRadioButton = Find<TRadioButton>("EntireDatabaseRadioButton");
    DurationRadioButton = Find<TRadioButton>("DurationRadioButton");
    StartDatePicker = Find<TwwDBDateTimePicker>("StartDatePicker");
    EndDatePicker = Find<TwwDBDateTimePicker>("EndDatePicker");
    FilenameEdit = Find<TEdit>("FilenameEdit");
    BrowseButton = Find<TButton>("BrowseButton");
    AlwaysDelimitWithDoubleQuoteCheckBox = Find<TCheckBox>("AlwaysDelimitWithDoubleQuoteCheckBox");
    ShowFieldNamesCheckBox = Find<TCheckBox>("ShowFieldNamesCheckBox");
    StartButton = Find<TButton>("StartButton");
    StopButton = Find<TButton>("StopButton");
    ViewButton = Find<TButton>("ViewButton");
    CancelButton = Find<TButton>("CancelButton");
    StatusBar = Find<TStatusBar>("StatusBar");
    SaveDialog = new TSaveDialog(this);
    SaveDialog->setObjectName(QStringLiteral("SaveDialog"));
    SaveDialog->SetFilter(QStringLiteral("CSV (*.csv)|*.csv|Text (*.txt)|*.txt"));
    SaveDialog->SetDefaultExt(QStringLiteral("txt"));
    Query.SetConnection(&data.ADOConnection);
    Query.LockType = ltReadOnly;

    EntireDatabaseRadioButton->SetChecked(true);
    settingDates_ = true;
    for (TwwDBDateTimePicker* picker : {StartDatePicker, EndDatePicker}) {
        picker->SetUnboundDataType(wwDTEdtDate);
        picker->SetDate(DateOf(date));
    }
    settingDates_ = false;
    StartDatePicker->OnChange = [this](QObject*) {
        if (!settingDates_) controls::KeepDatesInOrder(*StartDatePicker, *EndDatePicker, true);
    };
    EndDatePicker->OnChange = [this](QObject*) {
        if (!settingDates_) controls::KeepDatesInOrder(*StartDatePicker, *EndDatePicker, false);
    };
    StatusBar->AddPanel(100, true);
    StatusBar->AddPanel(150);
    StatusBar->OnDrawPanel = [this](TStatusBar&, int, QPainter& painter, const QRect& rect) {
        painter.fillRect(QRect(rect.left(), rect.top(), rect.width() * Percent / 100, rect.height()), Qt::blue);
    };

    FilenameEdit->OnChange = [this](QObject*) { FilenameEditChange(); };
    BrowseButton->OnClick = [this](QObject*) {
        if (SaveDialog->Execute()) FilenameEdit->SetText(SaveDialog->FileName());
    };
    StartButton->OnClick = [this](QObject*) { StartButtonClick(); };
    StopButton->OnClick = [this](QObject*) { Running = false; };
    CancelButton->OnClick = [this](QObject*) {
        if (!Running) Close();
    };
    ViewButton->OnClick = [this](QObject*) { util::CurrentFileViewer().Open(FilenameEdit->Text()); };
    OnShow = [this](QObject*) { FormShow(); };
    // A close while the export runs waits for it, as the Close button does.
    OnCloseQuery = [this](QObject*, bool& canClose) { canClose = !Running; };
    OnClose = [this](QObject*, TCloseAction&) {
        TDvRegistry reg;
        if (!VersionHistory || !VersionHistory->OpenWriteKey(reg)) return;
        reg.WriteBool(kAlwaysDelimitValue, AlwaysDelimitWithDoubleQuoteCheckBox->Checked());
        reg.WriteBool(kShowFieldNamesValue, ShowFieldNamesCheckBox->Checked());
    };
    Loaded();
}

void TExportForm::FormShow() {
    Percent = 0;
    count_ = 0;
    TDvRegistry reg(KEY_READ);
    const bool open = VersionHistory && VersionHistory->OpenReadKey(reg);
    AlwaysDelimitWithDoubleQuoteCheckBox->SetChecked(open && reg.ReadBoolDefault(kAlwaysDelimitValue, false));
    ShowFieldNamesCheckBox->SetChecked(!open || reg.ReadBoolDefault(kShowFieldNamesValue, true));
    Running = false;
    StopButton->SetEnabled(false);
    const QString folder = ExtractFilePath(data_.DatabaseFileName);
    FilenameEdit->SetText(folder + QStringLiteral("TavorinExport.csv"));
    FilenameEditChange();
    SaveDialog->SetInitialDir(folder);
    FilenameEdit->SetFocus();
}

void TExportForm::FilenameEditChange() {
    StartButton->SetEnabled(!FilenameEdit->Text().isEmpty());
    ViewButton->SetEnabled(StartButton->Enabled());
}

void TExportForm::StartButtonClick() {
    Running = true;
    StartButton->SetEnabled(false);
    StopButton->SetEnabled(true);
    try {
        ExportBookings();
    } catch (...) {
        StopButton->SetEnabled(false);
        StartButton->SetEnabled(true);
        Running = false;
        throw;
    }
    StopButton->SetEnabled(false);
    StartButton->SetEnabled(true);
    Running = false;
}

void TExportForm::ShowStatus(const QString& text) {
    StatusBar->SetPanelText(1, text);
    StatusBar->repaint();
}

QString TExportForm::ExportSql() {
    Query.Close();
    Query.SQL.SetText(QStringLiteral("Select * from [Bookings] where BookingId = -1"));
    Query.Open();
    QString list = QStringLiteral("[Resources].ResourceName");
    for (int i = 0; i < Query.FieldCount(); ++i)
        if (const QString name = Query.Fields()[i]->FieldName(); IsExported(name))
            list += QStringLiteral(", [Bookings].") + name;
    Query.Close();
    return QStringLiteral("Select ") + list + QStringLiteral("\nfrom [Resources], [Bookings]\nwhere ") +
           Condition(DurationRadioButton->Checked(), StartDatePicker->Date(), EndDatePicker->Date());
}

void TExportForm::ExportBookings() {
    Percent = 0;
    count_ = 0;
    const QString fileName = FilenameEdit->Text();
    admin::CsvFile file;
    if (!file.OpenAsking(fileName)) return;
    try {
        ui::HourGlass hourGlass;
        ShowStatus(QStringLiteral("0%"));
        const QString sql = ExportSql();
        Query.SQL.SetText(QStringLiteral("select count(*) as Total from [Resources], [Bookings] where ") +
                          Condition(DurationRadioButton->Checked(), StartDatePicker->Date(), EndDatePicker->Date()));
        Query.Open();
        const int recordCount = Query.Fields()[0]->AsInteger();
        Query.Close();
        Percent = recordCount == 0 ? 100 : 0;
        WriteRows(file, sql, recordCount);
        file.Commit();
    } catch (...) {
        Query.Close();
        // The old file stays; nothing claims the export succeeded.
        ShowStatus(QString());
        throw;
    }
    if (Running) {
        ShowStatus(QStringLiteral("Records exported %1").arg(count_));
        QApplication::beep();
    } else {
        ShowStatus(QStringLiteral(" Processing cancelled by user."));
    }
}

void TExportForm::WriteRows(admin::CsvFile& file, const QString& sql, int recordCount) {
    const bool always = AlwaysDelimitWithDoubleQuoteCheckBox->Checked();
    bool headerDone = !ShowFieldNamesCheckBox->Checked();
    // One resource's bookings at a time, so that a file of a million bookings is never held whole.
    TADOQuery resources;
    resources.SetConnection(Query.Connection());
    resources.LockType = ltReadOnly;
    resources.SQL.SetText(QStringLiteral("select ResourceId from Resources order by ResourceName, ResourceId"));
    resources.Open();
    Query.SQL.SetText(sql + QStringLiteral("\n   and [Bookings].ResourceId = :ResourceId\norder by "
                                           "[Resources].ResourceName, [Bookings].BookingStart"));
    ShowStatus(QStringLiteral("0%"));
    for (; !resources.Eof() && Running; resources.Next()) {
        Query.Close();
        Query.Parameters.ParamByName(QStringLiteral("ResourceId")).SetValue(resources.Fields()[0]->AsInteger());
        Query.Open();
        QStringList values;
        if (!headerDone) {
            for (int i = 0; i < Query.FieldCount(); ++i) values << Query.Fields()[i]->FieldName();
            file.Write(admin::CsvLine(values, always, false));
            headerDone = true;
        }
        for (; !Query.Eof(); Query.Next()) {
            ++count_;
            // Others may add bookings after the count was taken.
            const int percent = recordCount == 0 ? 100 : std::min(100, count_ * 100 / recordCount);
            if (percent != Percent) {
                Percent = percent;
                ShowStatus(QString::number(Percent) + u'%');
            }
            values.clear();
            for (int i = 0; i < Query.FieldCount(); ++i) values << Query.Fields()[i]->AsString();
            file.Write(admin::CsvLine(values, always, true));
            Application->ProcessMessages();
            if (!Running) break;
        }
        if (!Running) break;
    }
    Query.Close();
    // With no booking the header still names the columns.
    if (!headerDone) {
        Query.SQL.SetText(sql + QStringLiteral("\n   and 1 = 0"));
        Query.Open();
        QStringList names;
        for (int i = 0; i < Query.FieldCount(); ++i) names << Query.Fields()[i]->FieldName();
        Query.Close();
        file.Write(admin::CsvLine(names, always, false));
    }
}
