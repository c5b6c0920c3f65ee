// The LDAP directory dialog's two pages and its close box.
#include "mail/LDAPServerPropertiesForm.h"

#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Dispatch.h"
#include "platform/ui/Edits.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/Label.h"

#include <QCloseEvent>

TLDAPServerPropertiesForm::TLDAPServerPropertiesForm(QWidget* owner) : TForm(owner) {
    ui::DescribeForm(
        *this, {"LDAPServerPropertiesForm", "LDAPServerPropertiesForm", bsDialog, poScreenCenter, 391, 317},
        {
            // name            class          parent         left top width height caption properties
            {"PageControl", "TPageControl", "", 8, 8, 375, 262},
            {"GeneralSheet", "TTabSheet", "PageControl", 0, 0, 0, 0, "General"},
            {"NameLabel", "TLabel", "GeneralSheet", 12, 15, 110, 18, "&Name:"},
            {"NameEdit", "TEdit", "GeneralSheet", 126, 12, 230, 23},
            {"HostnameLabel", "TLabel", "GeneralSheet", 12, 45, 110, 18, "H&ostname:"},
            {"HostnameEdit", "TEdit", "GeneralSheet", 126, 42, 230, 23},
            {"BaseDNLabel", "TLabel", "GeneralSheet", 12, 75, 110, 18, "&Base DN:"},
            {"BaseDNEdit", "TEdit", "GeneralSheet", 126, 72, 230, 23},
            {"PortNumberLabel", "TLabel", "GeneralSheet", 12, 105, 110, 18, "&Port number:"},
            {"PortNumberEdit", "TEdit", "GeneralSheet", 126, 102, 70, 23, "389"},
            {"BindDNLabel", "TLabel", "GeneralSheet", 12, 135, 110, 18, "B&ind DN:"},
            {"BindDNEdit", "TEdit", "GeneralSheet", 126, 132, 230, 23},
            {"UseSSLCheckBox", "TCheckBox", "GeneralSheet", 12, 168, 344, 21, "Use secure connection (SSL)"},
            {"AdvancedSheet", "TTabSheet", "PageControl", 0, 0, 0, 0, "Advanced"},
            {"MaxSizeLabel", "TLabel", "AdvancedSheet", 12, 15, 200, 18, "Maximum entries to return"},
            {"MaxSizeEdit", "TEdit", "AdvancedSheet", 220, 12, 70, 23},
            {"OkButton", "TButton", "", 222, 282, 75, 25, "Ok", "Default=True; ModalResult=mrOk"},
            {"CancelButton", "TButton", "", 308, 282, 75, 25, "Cancel", "Cancel=True; ModalResult=mrCancel"},
        });
    PageControl = Find<TPageControl>("PageControl");
    NameEdit = Find<TEdit>("NameEdit");
    HostnameEdit = Find<TEdit>("HostnameEdit");
    BaseDNEdit = Find<TEdit>("BaseDNEdit");
    PortNumberEdit = Find<TEdit>("PortNumberEdit");
    BindDNEdit = Find<TEdit>("BindDNEdit");
    UseSSLCheckBox = Find<TCheckBox>("UseSSLCheckBox");
    MaxSizeEdit = Find<TEdit>("MaxSizeEdit");
    OkButton = Find<TButton>("OkButton");
    CancelButton = Find<TButton>("CancelButton");
    PageControl->SetActivePageIndex(0);
    Loaded();
}

void TLDAPServerPropertiesForm::closeEvent(QCloseEvent* e) {
    e->ignore();
    ui::Dispatch(this, [this] {
        if (Modal()) SetModalResult(mrOk);
        else Close();
    });
}
