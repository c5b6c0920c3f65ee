// The database information window: everything is read when it shows.
#include "admin/DatabaseInfoForm.h"

#include "data/module/DataModule.h"
#include "data/module/LookupQueries.h"
#include "platform/rtl/DateTimeFormat.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Edits.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/Label.h"
#include "util/CodeNames.h"
#include "util/DvSystemInfo.h"
#include "util/core/DvSysUtils.h"

namespace {

QString Seconds(double milliseconds) { return QString::number(milliseconds / 1000, 'f', 2); }

}  // namespace

TDatabaseInfoForm::TDatabaseInfoForm(TData& data, QWidget* owner) : TForm(owner), data_(data) {
    std::vector<ui::ControlRow> rows{
        // name        class      parent left top width height caption  properties
        {"GroupBox", "TGroupBox", "", 8, 8, 464, 412},
    };
    const char* const labels[] = {"DBMSNameLabel",   "DBMSVersionLabel", "ProviderNameLabel", "ProviderVersionLabel",
                                  "OpenModeLabel",   "LockModeLabel",    "ReclaimSpaceLabel", "SecurityLabel",
                                  "UseridModeLabel", "UserNameLabel",    "MDACVersionLabel",  "OldestBookingLabel",
                                  "ElapsedLabel",    "LongestLabel",     "AverageLabel",      "PathLabel"};
    int top = 20;
    for (const char* name : labels) {
        rows.push_back({name, "TLabel", "GroupBox", 12, top, 440, 18, "", "AutoSize=False"});
        top += 20;
    }
    rows.push_back({"FilenameMemo", "TMemo", "GroupBox", 12, top, 440, 66, "", "ReadOnly=True; WordWrap=True"});
    rows.push_back({"OkButton", "TButton", "", 199, 430, 82, 25, "Ok", "Default=True; ModalResult=mrOk"});
    ui::DescribeForm(*this, {"DatabaseInfoForm", "Database Info", bsDialog, poScreenCenter, 480, 464}, rows);
    OkButton = Find<TButton>("OkButton");
    GroupBox = Find<TGroupBox>("GroupBox");
    DBMSNameLabel = Find<TLabel>("DBMSNameLabel");
    DBMSVersionLabel = Find<TLabel>("DBMSVersionLabel");
    ProviderNameLabel = Find<TLabel>("ProviderNameLabel");
    ProviderVersionLabel = Find<TLabel>("ProviderVersionLabel");
    OpenModeLabel = Find<TLabel>("OpenModeLabel");
    LockModeLabel = Find<TLabel>("LockModeLabel");
    ReclaimSpaceLabel = Find<TLabel>("ReclaimSpaceLabel");
    SecurityLabel = Find<TLabel>("SecurityLabel");
    UseridModeLabel = Find<TLabel>("UseridModeLabel");
    UserNameLabel = Find<TLabel>("UserNameLabel");
    MDACVersionLabel = Find<TLabel>("MDACVersionLabel");
    OldestBookingLabel = Find<TLabel>("OldestBookingLabel");
    ElapsedLabel = Find<TLabel>("ElapsedLabel");
    LongestLabel = Find<TLabel>("LongestLabel");
    AverageLabel = Find<TLabel>("AverageLabel");
    PathLabel = Find<TLabel>("PathLabel");
    FilenameMemo = Find<TMemo>("FilenameMemo");
    PathLabel->SetCaption(QStringLiteral("Filename:"));
    OnShow = [this](QObject*) { FormShow(); };
    Loaded();
}

void TDatabaseInfoForm::FormShow() {
    if (data_.ADOConnection.Connected()) ShowConnectedFacts();
    else ShowCaptionsOnly();
    MDACVersionLabel->SetCaption(QStringLiteral("MDAC Version: ") + TDvMDACInfo().GetVersionText());
    OldestBookingLabel->SetCaption(QStringLiteral("Oldest Booking: ") + OldestBookingText());
    SetActiveControl(OkButton);
}

void TDatabaseInfoForm::ShowConnectedFacts() {
    ShowProviderProperties();
    ShowReclaimableSpace();
    FilenameMemo->SetText(data_.DatabaseFileName);
    ShowTimings();
    SecurityLabel->SetCaption(data_.DatabasePassword.isEmpty() ? QStringLiteral("Password protected: No")
                                                               : QStringLiteral("Password protected: Yes"));
    const qint64 mode = data_.GlobalTable.Active() && !data_.GlobalTable.IsEmpty()
                            ? data_.GlobalTable.FieldByName(QStringLiteral("UseridMode")).AsInteger()
                            : 0;
    UseridModeLabel->SetCaption(mode == 2   ? QStringLiteral("Userid Mode: Novell Userid")
                                : mode == 1 ? QStringLiteral("Userid Mode: Workstation Logon")
                                            : QStringLiteral("Userid Mode: Unknown"));
    UserNameLabel->SetCaption(QStringLiteral("Username: ") + data_.CurrentUserId());
}

void TDatabaseInfoForm::ShowProviderProperties() {
    DBMSNameLabel->SetCaption(QStringLiteral("DBMS Name: Unknown"));
    DBMSVersionLabel->SetCaption(QStringLiteral("DBMS Version: Unknown"));
    ProviderNameLabel->SetCaption(QStringLiteral("Provider Name: Unknown"));
    ProviderVersionLabel->SetCaption(QStringLiteral("Provider Version: Unknown"));
    OpenModeLabel->SetCaption(QStringLiteral("Open mode: Unknown"));
    LockModeLabel->SetCaption(QStringLiteral("Lock mode: Unknown"));
    ReclaimSpaceLabel->SetCaption(QStringLiteral("Reclaimable space: Unknown"));
    const struct {
        QString property;
        TLabel* label;
        QString prefix;
        std::function<QString(const QVariant&)> text;
    } shown[] = {
        {QStringLiteral("DBMS Name"), DBMSNameLabel, QStringLiteral("DBMS Name: "), {}},
        {QStringLiteral("DBMS Version"), DBMSVersionLabel, QStringLiteral("DBMS Version: "), {}},
        {QStringLiteral("Provider Friendly Name"), ProviderNameLabel, QStringLiteral("Provider Name: "), {}},
        {QStringLiteral("Provider Version"), ProviderVersionLabel, QStringLiteral("Provider Version: "), {}},
        {QStringLiteral("Mode"), OpenModeLabel, QStringLiteral("Open Mode: "),
         [](const QVariant& v) { return OpenModeName(v.toUInt()); }},
        {QStringLiteral("Jet OLEDB:Database Locking Mode"), LockModeLabel, QStringLiteral("Lock Mode: "),
         [](const QVariant& v) { return LockingModeName(v.toInt()); }},
    };
    const TADOProperties properties = data_.ADOConnection.Properties();
    for (int i = 0; i < properties.Count(); ++i)
        for (const auto& entry : shown)
            if (properties.Name(i).compare(entry.property, Qt::CaseInsensitive) == 0)
                entry.label->SetCaption(
                    entry.prefix + (entry.text ? entry.text(properties.Value(i)) : properties.Value(i).toString()));
}

void TDatabaseInfoForm::ShowReclaimableSpace() {
    qint64 size = 0;
    qint64 reclaimable = 0;
    data_.GetReclaimableSpace(data_.DatabaseFileName, size, reclaimable);
    const qint64 percent = size < 1 ? 0 : static_cast<qint64>(static_cast<double>(reclaimable) / size * 100);
    ReclaimSpaceLabel->SetCaption(QStringLiteral("Reclaimable Space: ") +
                                  FormatByteSize(static_cast<quint64>(reclaimable)) + QStringLiteral(" (") +
                                  QString::number(percent) + QStringLiteral("%)"));
}

void TDatabaseInfoForm::ShowTimings() {
    ElapsedLabel->SetCaption(QStringLiteral("Last retrieval (sec): ") + Seconds(LastRetrievalMs));
    LongestLabel->SetCaption(QStringLiteral("Longest retrieval: ") + Seconds(LongestRetrievalMs));
    AverageLabel->SetCaption(
        QStringLiteral("Average retrieval: ") +
        (RetrievalCount < 1 ? QStringLiteral("0.00") : Seconds(TotalRetrievalMs / RetrievalCount)));
}

void TDatabaseInfoForm::ShowCaptionsOnly() {
    const std::pair<TLabel*, const char*> captions[] = {
        {ElapsedLabel, "Last retrieval (sec): "},
        {LongestLabel, "Longest retrieval: "},
        {AverageLabel, "Average retrieval: "},
        {SecurityLabel, "Security: "},
        {UseridModeLabel, "User Id Type: "},
        {UserNameLabel, "Username: "},
        {ProviderNameLabel, "Provider Name:"},
        {ProviderVersionLabel, "Provider Version:"},
        {DBMSNameLabel, "DBMS Name:"},
        {DBMSVersionLabel, "DBMS Version:"},
        {OpenModeLabel, "Open mode:"},
        {LockModeLabel, "Lock mode:"},
        {ReclaimSpaceLabel, "Reclaimable space:"},
    };
    for (const auto& [label, caption] : captions) label->SetCaption(QString::fromLatin1(caption));
    FilenameMemo->Clear();
}

// The earliest start of all bookings: the shadow table's index runs by resource first, so its first row is only
// the first resource's earliest booking.
QString TDatabaseInfoForm::OldestBookingText() {
    if (!data_.ADOConnection.Connected() || !data_.BookingsShadowTable.Active()) return QStringLiteral("none");
    TADOQuery query;
    query.SetConnection(&data_.ADOConnection);
    query.SQL.SetText(QStringLiteral("select min(BookingStart) as Oldest from Bookings"));
    data::OpenedQuery opened(query);
    const TField& oldest = query.FieldByName(QStringLiteral("Oldest"));
    if (query.IsEmpty() || oldest.IsNull()) return QStringLiteral("none");
    return FormatDateTime(QStringLiteral("mmm d yyyy"), oldest.AsDateTime());
}
