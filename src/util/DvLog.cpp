// The log dialogs' report preparation and writing.
#include "util/DvLog.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SystemFacts.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Edits.h"
#include "platform/ui/Form.h"
#include "platform/ui/FormDescription.h"
#include "util/DvLogReport.h"
#include "util/core/DvSysUtils.h"

#include <QDir>

namespace {

const QString kDefaultLogFileName = QStringLiteral("log.txt");

QString MessageOf(const std::exception& error) {
    if (const auto* e = dynamic_cast<const Exception*>(&error)) return e->Message();
    return QString::fromUtf8(error.what());
}

// The documents folder, else the home folder: never the working folder, which may be the program's own.
QString LogFolder() {
    const QString documents = rtl::ExistingDocumentsFolder();
    return documents.isEmpty() ? QDir::homePath() : documents;
}

}  // namespace

TDvCustomLogDialog::TDvCustomLogDialog(QObject* owner) : TComponent(owner), form_(std::make_unique<TForm>()) {
    TForm& form = *form_;
    ui::DescribeForm(
        form, {"LogDialog", "", bsDialog, poScreenCenter, 476, 300},
        {
            // name          class        parent     left top  width height caption   properties
            {"MessageMemo", "TMemo", "", 8, 8, 460, 170, "",
             "ReadOnly=True; ScrollBars=ssVertical; "
             "TabStop=False; Color=clBtnFace"},
            {"FileBox", "TGroupBox", "", 8, 186, 460, 60, "LogFile"},
            {"FileNameEdit", "TEdit", "FileBox", 10, 24, 400, 23},
            {"BrowseButton", "TButton", "FileBox", 418, 23, 30, 25, "..."},
            {"OkButton", "TButton", "", 306, 262, 75, 25, "Ok", "Default=True"},
            {"CancelButton", "TButton", "", 391, 262, 75, 25, "Cancel", "Cancel=True; ModalResult=mrCancel"},
        });
    MessageMemo = form.Find<TMemo>("MessageMemo");
    FileNameEdit = form.Find<TEdit>("FileNameEdit");
    BrowseButton = form.Find<TButton>("BrowseButton");
    OkButton = form.Find<TButton>("OkButton");
    CancelButton = form.Find<TButton>("CancelButton");

    SaveDialog = new TSaveDialog(this);
    SaveDialog->SetDefaultExt(QStringLiteral("txt"));
    SaveDialog->SetFileName(kDefaultLogFileName);
    SaveDialog->SetFilter(QStringLiteral("Text files (*.txt)|*.txt|All files (*.*)|*.*"));

    form.OnShow = [this](QObject*) { FormShow(); };
    BrowseButton->OnClick = [this](QObject*) { Browse(); };
    OkButton->OnClick = [this](QObject*) {
        WriteLogFile();
        form_->SetModalResult(mrOk);
    };
    form.Loaded();
}

TDvCustomLogDialog::~TDvCustomLogDialog() = default;

void TDvCustomLogDialog::FormShow() {
    if (FileNameEdit->Text().isEmpty()) FileNameEdit->SetText(LogFolder() + u'/' + SaveDialog->FileName());
    BrowseButton->SetFocus();
}

void TDvCustomLogDialog::Browse() {
    SaveDialog->SetFileName(FileNameEdit->Text());
    if (SaveDialog->Execute()) FileNameEdit->SetText(SaveDialog->FileName());
}

void TDvCustomLogDialog::WriteLogFile() {
    util::WriteLogFile(FileNameEdit->Text(), util::LogReportLines(OutputLines.ToStringList(), RegKeys));
}

bool TDvCustomLogDialog::ShowDialog() {
    form_->SetCaption(Caption);
    MessageMemo->Lines().Assign(MsgLines);
    return form_->ShowModal() == mrOk;
}

TDvLogSystemInfoDialog::TDvLogSystemInfoDialog(QObject* owner) : TDvCustomLogDialog(owner) {
    Caption = QStringLiteral("System Information Log");
    MsgLines.Add(QStringLiteral("Click Ok to save system information to the specified file."));
}

bool TDvLogSystemInfoDialog::Execute() {
    PrepareOutput();
    return ShowDialog();
}

void TDvLogSystemInfoDialog::PrepareOutput() { OutputLines.Assign(LogLines); }

TDvLogExceptionDialog::TDvLogExceptionDialog(QObject* owner) : TDvCustomLogDialog(owner) {
    Caption = QStringLiteral("Exception Log");
    MsgLines.Add(QStringLiteral("Click Ok to save exception information to the specified file."));
}

bool TDvLogExceptionDialog::Execute(const QString& caption, const std::exception& error, const QString& registryKey) {
    PrepareOutput(caption, error, registryKey);
    return ShowDialog();
}

void TDvLogExceptionDialog::PrepareOutput(const QString& caption, const std::exception& error,
                                          const QString& registryKey) {
    Caption = caption;
    OutputLines.Assign(LogLines);
    if (LogLines.Count() > 0) OutputLines.Add(QString());
    OutputLines.Add(QStringLiteral("Exception: ") + MessageOf(error));
    if (FExceptionInfoLines.Count() > 0) {
        OutputLines.Add(QString());
        OutputLines.AddStrings(FExceptionInfoLines);
    }
    TDvRegExport exporter;
    if (exporter.ExportKey(HKEY_CURRENT_USER, registryKey, true)) {
        OutputLines.Add(QString());
        OutputLines.Add(QStringLiteral("Registry Export Key = ") + registryKey);
        OutputLines.Add(QString());
        for (const QString& line : exporter.Lines()) OutputLines.Add(line);
    } else {
        OutputLines.Add(QStringLiteral("Error exporting registry key ") + registryKey);
    }
}
