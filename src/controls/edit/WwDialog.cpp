// The OK, Cancel and Help buttons of the library's dialog forms.
#include "controls/edit/WwDialog.h"

#include "controls/edit/WwCommon.h"
#include "controls/edit/WwIntl.h"
#include "platform/ui/Application.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Form.h"

TButton* CreateDialogButton(TForm& form, TwwDialogButtonKind kind) {
    const TwwIntl& intl = TwwIntl::Global();
    const int ppi = Screen->PixelsPerInch();
    TButton* button;
    if (intl.OKCancelBitmapped) {
        auto* glyph = new TBitBtn(&form);
        glyph->Margin = 2;
        glyph->SetKind(kind == dbkOK ? bkOK : kind == dbkCancel ? bkCancel : bkHelp);
        glyph->Layout = blGlyphLeft;
        glyph->NumGlyphs = 2;
        glyph->Spacing = -1;
        glyph->SetWidth(ScaleFrom96Dpi(77, ppi));
        glyph->SetHeight(ScaleFrom96Dpi(27, ppi));
        TFont& font = glyph->Font();
        font.SetColor(clWindowText);
        font.SetHeight(-11);
        font.SetName(QStringLiteral("MS Sans Serif"));
        font.SetStyle(intl.DialogFontStyle);
        button = glyph;
    } else {
        button = new TButton(&form);
        button->SetWidth(ScaleFrom96Dpi(77, ppi));
        button->SetHeight(ScaleFrom96Dpi(24, ppi));
    }
    button->Hide();
    switch (kind) {
        case dbkOK:
            button->SetCaption(intl.BtnOKCaption);
            button->SetModalResult(mrOk);
            break;
        case dbkCancel:
            button->SetCaption(intl.BtnCancelCaption);
            button->SetModalResult(mrCancel);
            button->SetCancel(true);
            break;
        case dbkHelp: button->SetCaption(QStringLiteral("Help")); break;
    }
    return button;
}
