// TAboutForm: the program's version, the versions of the system and the data-access components it runs on, and
// links to the maker's web site.
#pragma once

#include "platform/ui/Form.h"

#include <functional>

class TButton;
class TImage;
class TLabel;

class TAboutForm : public TForm {
public:
    // openAddress opens an address of the maker (the main window's, which says when it cannot).
    explicit TAboutForm(std::function<void(const QString& address)> openAddress, QWidget* owner = nullptr);

    TLabel* MainLabel;
    TLabel* VersionLabel;
    TLabel* OS;
    TLabel* MDAC;
    TLabel* Jet;
    TImage* ProgramIcon;
    TLabel* WebLinkLabel;
    TLabel* Label2;
    TButton* OkButton;

    void FormCreate();
    void WebLinkLabelClick();
    void OKButtonClick();

private:
    std::function<void(const QString& address)> openAddress_;
};
