// TLDAPServerPropertiesForm: the settings of one LDAP directory; the address book window fills and reads it.
#pragma once

#include "platform/ui/Form.h"

class TButton;
class TCheckBox;
class TEdit;
class TPageControl;

class TLDAPServerPropertiesForm : public TForm {
public:
    explicit TLDAPServerPropertiesForm(QWidget* owner = nullptr);

    TPageControl* PageControl;
    TEdit* NameEdit;
    TEdit* HostnameEdit;
    TEdit* BaseDNEdit;
    TEdit* PortNumberEdit;
    TEdit* BindDNEdit;
    TCheckBox* UseSSLCheckBox;
    TEdit* MaxSizeEdit;
    TButton* OkButton;
    TButton* CancelButton;

protected:
    // The close box keeps what was typed, as "Ok" does.
    void closeEvent(QCloseEvent* e) override;
};
