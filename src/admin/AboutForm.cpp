// The About window: version facts read once at creation, and the maker's links.
#include "admin/AboutForm.h"

#include "platform/rtl/SystemFacts.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/Graphic.h"
#include "platform/ui/Image.h"
#include "platform/ui/Label.h"
#include "platform/ui/StandardIcons.h"
#include "util/DvSystemInfo.h"
#include "util/core/DvVersionInfo.h"

#include <QGuiApplication>
#include <QIcon>

namespace {

const QString kMakersWebSite = QStringLiteral("https://www.dulvex.example/");

QImage ProgramPicture() {
    const QIcon icon = QGuiApplication::windowIcon().isNull() ? ui::StandardIcon(QStyle::SP_ComputerIcon)
                                                              : QGuiApplication::windowIcon();
    return icon.pixmap(32, 32).toImage();
}

}  // namespace

TAboutForm::TAboutForm(std::function<void(const QString& address)> openAddress, QWidget* owner)
    : TForm(owner), openAddress_(std::move(openAddress)) {
    ui::DescribeForm(
        *this, {"AboutForm", "About Tavorin", bsToolWindow, poScreenCenter, 360, 214},
        {
            // name        class      parent left top width height caption  properties
            {"ProgramIcon", "TImage", "", 16, 16, 32, 32},
            {"MainLabel", "TLabel", "", 64, 16, 280, 22, "Dulvex Tavorin", "Font.Style=fsBold; Font.Height=-16"},
            {"VersionLabel", "TLabel", "", 64, 42, 280, 18, ""},
            {"OS", "TLabel", "", 64, 68, 280, 18, ""},
            {"MDAC", "TLabel", "", 64, 88, 280, 18, ""},
            {"Jet", "TLabel", "", 64, 108, 280, 18, ""},
            {"WebLinkLabel", "TLabel", "", 64, 136, 280, 18, "www.dulvex.example"},
            {"Label2", "TLabel", "", 64, 156, 280, 18, "support@dulvex.example"},
            {"OkButton", "TButton", "", 139, 182, 82, 25, "Ok", "Default=True; Cancel=True"},
        });
    MainLabel = Find<TLabel>("MainLabel");
    VersionLabel = Find<TLabel>("VersionLabel");
    OS = Find<TLabel>("OS");
    MDAC = Find<TLabel>("MDAC");
    Jet = Find<TLabel>("Jet");
    ProgramIcon = Find<TImage>("ProgramIcon");
    WebLinkLabel = Find<TLabel>("WebLinkLabel");
    Label2 = Find<TLabel>("Label2");
    OkButton = Find<TButton>("OkButton");
    TBitmap icon;
    icon.SetImage(ProgramPicture());
    ProgramIcon->Picture().SetGraphic(&icon);
    for (TLabel* link : {WebLinkLabel, Label2}) {
        link->Font().SetColor(clBlue);
        link->setCursor(Qt::PointingHandCursor);
        link->OnClick = [this](QObject*) { WebLinkLabelClick(); };
    }
    OkButton->OnClick = [this](QObject*) { OKButtonClick(); };
    OnCreate = [this](QObject*) { FormCreate(); };
    Loaded();
}

void TAboutForm::FormCreate() {
    OS->SetCaption(TDvSystemInfo().GetOSDescription());
    MDAC->SetCaption(QStringLiteral("MDAC version ") + TDvMDACInfo().GetVersionText());
    Jet->SetCaption(QStringLiteral("Jet version ") + TDvJetInfo().GetVersionText());
    VersionLabel->SetCaption(QString());
    if (QString version; GetFileVersionText(rtl::ExeName(), 1, version))
        VersionLabel->SetCaption(QStringLiteral("Version ") + version);
}

// Both links open the web site, where the support address is given as well.
void TAboutForm::WebLinkLabelClick() {
    if (openAddress_) openAddress_(kMakersWebSite);
}

void TAboutForm::OKButtonClick() { Close(); }
