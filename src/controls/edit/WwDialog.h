// TwwCustomDialog, the base of the library's dialog components, and the OK, Cancel and Help buttons they use.
#pragma once

#include "platform/rtl/Component.h"

class TButton;
class TDataSet;
class TForm;

class TwwCustomDialog : public TComponent {
public:
    using TComponent::TComponent;

    // Shows the dialog; true when the user accepted it.
    virtual bool Execute() = 0;
    // The dataset the dialog works on.
    virtual TDataSet* GetPrimaryDataSet() = 0;
};

enum TwwDialogButtonKind { dbkOK = 1, dbkCancel = 2, dbkHelp = 3 };

// A hidden OK, Cancel or Help button on the form, sized for the screen's pixels per inch, captioned from
// the global TwwIntl; a glyph button when its OKCancelBitmapped is set. The caller places and shows it.
TButton* CreateDialogButton(TForm& form, TwwDialogButtonKind kind);
