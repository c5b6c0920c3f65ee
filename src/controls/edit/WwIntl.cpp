// TwwIntl: every caption, hint and message of the control library and its library-wide settings.
#include "controls/edit/WwIntl.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Format.h"

#include <QApplication>

namespace {

TwwIntl* globalIntl = nullptr;

// An empty name or a bare extension clears the global one; any other name gains ".ini", even a second one.
QString GlobalIniFileName(const QString& name) {
    if (name.isEmpty() || name == QLatin1String(".ini")) return {};
    return name + QLatin1String(".ini");
}

}  // namespace

TwwIntl::TwwIntl(QObject* owner) : TComponent(owner) {}

TwwIntl::~TwwIntl() {
    if (globalIntl == this) globalIntl = nullptr;
}

TwwIntl& TwwIntl::Global() {
    if (!globalIntl) globalIntl = new TwwIntl(QCoreApplication::instance());
    return *globalIntl;
}

bool TwwIntl::IsGlobal() const { return globalIntl == this; }

void TwwIntl::SetConnected(bool connected) {
    connected_ = connected;
    if (connected) CopyToGlobal();
}

void TwwIntl::Loaded() {
    if (connected_) CopyToGlobal();
}

template <class T>
void TwwIntl::SetShared(T TwwIntl::*member, T value) {
    this->*member = value;
    if (connected_ && !IsGlobal()) Global().*member = value;
}

void TwwIntl::SetCheckBoxInGridStyle(TwwCheckBoxInGridStyle style) { SetShared(&TwwIntl::checkBoxInGridStyle_, style); }

void TwwIntl::SetGridPaintStyle(TwwGridPaintStyle style) { SetShared(&TwwIntl::gridPaintStyle_, style); }

void TwwIntl::CopyToGlobal() {
    if (IsGlobal()) return;
    TwwIntl& global = Global();
    global.FilterDialog = FilterDialog;
    global.RichEdit = RichEdit;
    global.SearchDialog = SearchDialog;
    global.MonthCalendar = MonthCalendar;
    global.LocateDialog = LocateDialog;
    global.ADO = ADO;
    global.Navigator = Navigator;
    global.OKCancelBitmapped = OKCancelBitmapped;
    global.UserMessages = UserMessages;
    global.BtnOKCaption = BtnOKCaption;
    global.BtnCancelCaption = BtnCancelCaption;
    global.IniFileName = GlobalIniFileName(IniFileName);
    global.SetCheckBoxInGridStyle(checkBoxInGridStyle_);
    global.SetGridPaintStyle(gridPaintStyle_);
    global.OnValidationErrorUsingMask = OnValidationErrorUsingMask;
    global.DialogFontStyle = DialogFontStyle;
    global.UseLocateMethodForSearch = UseLocateMethodForSearch;
    global.ResetRangeByReopen = ResetRangeByReopen;
    global.DefaultEpochYear = DefaultEpochYear;
    global.FilterMemoSize = FilterMemoSize;
}

void TwwIntl::DoValidationErrorUsingMask(QObject* sender, TField* field) {
    QString message = Format(QStringLiteral("Invalid input value.  Use escape key to abandon changes"), {});
    bool doDefault = true;
    if (OnValidationErrorUsingMask) OnValidationErrorUsingMask(sender, field, message, doDefault);
    if (!doDefault) return;
    QApplication::beep();
    throw EInvalidOperation(message);
}

int GetFilterMemoSize() { return TwwIntl::Global().FilterMemoSize; }
