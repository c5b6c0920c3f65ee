// The OK, Cancel and Help buttons of the library's dialogs, at two screen resolutions.
#include "controls/edit/WwDialog.h"
#include "controls/edit/WwIntl.h"
#include "platform/ui/Application.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Form.h"

#include <gtest/gtest.h>

namespace {

class DialogButtons : public ::testing::Test {
protected:
    void TearDown() override {
        Screen->SetPixelsPerInch(96);
        TwwIntl(nullptr).CopyToGlobal();
    }
    TForm form;
};

}  // namespace

TEST_F(DialogButtons, AreSizedForThePixelsPerInch) {
    struct Row {
        int ppi;
        bool bitmapped;
        int width;
        int height;
    };
    const Row rows[] = {{96, false, 77, 24}, {96, true, 77, 27}, {120, false, 96, 30}, {120, true, 96, 33}};
    for (const Row& row : rows) {
        Screen->SetPixelsPerInch(row.ppi);
        TwwIntl::Global().OKCancelBitmapped = row.bitmapped;
        TButton* button = CreateDialogButton(form, dbkOK);
        EXPECT_EQ(button->Width(), row.width) << row.ppi << " " << row.bitmapped;
        EXPECT_EQ(button->Height(), row.height) << row.ppi << " " << row.bitmapped;
        EXPECT_EQ(dynamic_cast<TBitBtn*>(button) != nullptr, row.bitmapped);
    }
}

TEST_F(DialogButtons, TakeTheirCaptionsAndResultsFromTheKind) {
    TwwIntl::Global().BtnOKCaption = "&Go";
    TButton* ok = CreateDialogButton(form, dbkOK);
    TButton* cancel = CreateDialogButton(form, dbkCancel);
    TButton* help = CreateDialogButton(form, dbkHelp);
    EXPECT_EQ(ok->Caption(), "&Go");
    EXPECT_EQ(ok->ModalResult(), mrOk);
    EXPECT_FALSE(ok->Cancel());
    EXPECT_EQ(cancel->Caption(), "Cancel");
    EXPECT_EQ(cancel->ModalResult(), mrCancel);
    EXPECT_TRUE(cancel->Cancel());
    EXPECT_EQ(help->Caption(), "Help");
    EXPECT_EQ(help->ModalResult(), mrNone);
    EXPECT_FALSE(ok->Visible());
    EXPECT_EQ(ok->ParentForm(), &form);

    auto* glyph = dynamic_cast<TBitBtn*>(cancel);
    ASSERT_NE(glyph, nullptr);
    EXPECT_EQ(glyph->Kind(), bkCancel);
    EXPECT_EQ(glyph->Font().Height(), -11);
}
