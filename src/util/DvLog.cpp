// The log dialogs' report preparation and writing.
#include "util/DvLog.h"

#include "platform/rtl/Exceptions.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Edits.h"
#include "platform/ui/Form.h"
#include "util/DvLogReport.h"
#include "util/core/DvSysUtils.h"

namespace {

const QString kDefaultLogFileName = QStringLiteral("log.txt");

QString MessageOf(const std::exception& error) {
    if (const auto* e = dynamic_cast<const Exception*>(&error)) return e->Message();
    return QString::fromUtf8(error.what());
}

}  // namespace

TDvCustomLogDialog::TDvCustomLogDialog(QObject* owner) : TComponent(owner), form_(std::make_unique<TForm>()) {
    TForm& form = *form_;
    form.SetName(QStringLiteral("LogDialog"));
    form.SetBorderStyle(bsDialog);
    form.SetPosition(poScreenCenter);
    form.SetClientWidth(476);
    form.SetClientHeight(300);

    MessageMemo = new TMemo(&form);
    MessageMemo->SetBounds(8, 8, 460, 170);
    MessageMemo->SetReadOnly(true);
    MessageMemo->SetScrollBars(ssVertical);
    MessageMemo->SetTabStop(false);
    MessageMemo->SetColor(clBtnFace);

    auto* fileBox = new TGroupBox(&form);
    fileBox->SetCaption(QStringLiteral("LogFile"));
    fileBox->SetBounds(8, 186, 460, 60);
    FileNameEdit = new TEdit(fileBox);
    FileNameEdit->SetBounds(10, 24, 400, 23);
    BrowseButton = new TButton(fileBox);
    BrowseButton->SetCaption(QStringLiteral("..."));
    BrowseButton->SetBounds(418, 23, 30, 25);

    OkButton = new TButton(&form);
    OkButton->SetCaption(QStringLiteral("Ok"));
    OkButton->SetDefault(true);
    OkButton->SetBounds(306, 262, 75, 25);
    CancelButton = new TButton(&form);
    CancelButton->SetCaption(QStringLiteral("Cancel"));
    CancelButton->SetCancel(true);
    CancelButton->SetModalResult(mrCancel);
    CancelButton->SetBounds(391, 262, 75, 25);

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
    if (FileNameEdit->Text().isEmpty())
        FileNameEdit->SetText(GetMyDocumentsFolder() + u'/' + SaveDialog->FileName());
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

bool TDvLogExceptionDialog::Execute(const QString& caption, const std::exception& error,
                                    const QString& registryKey) {
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
