// Keys pass the framework's stages in order: menu shortcut, wants-key, dialog key, key-down, character, key-up.
#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"
#include "platform/ui/Form.h"
#include "platform/ui/Menus.h"

#include <gtest/gtest.h>
#include <QTest>

namespace {

// A form with a previewing key log, an edit, a memo, a default and a cancel button and a Ctrl+S menu item.
struct KeyForm {
    KeyForm() {
        form.SetKeyPreview(true);
        save->SetCaption(QStringLiteral("&Save"));
        save->SetShortCut(ShortCut('S', {ssCtrl}));
        save->OnClick = [this](QObject*) { log.push_back("menu"); };
        menu->Items()->Add(save);
        ok->SetDefault(true);
        ok->OnClick = [this](QObject*) { log.push_back("default"); };
        cancel->SetCancel(true);
        cancel->OnClick = [this](QObject*) { log.push_back("cancel"); };
        Watch(&form, "form");
        Watch(edit, "edit");
        Watch(memo, "memo");
    }
    void Watch(TControl* control, std::string who) {
        control->OnKeyDown = [this, who](QObject*, Word& key, TShiftState) {
            log.push_back(who + ".down " + std::to_string(key));
            if (who == "edit" && clearKeyInEdit) key = 0;
        };
        control->OnKeyPress = [this, who](QObject*, QChar& ch) {
            log.push_back(who + ".press " + std::to_string(ch.unicode()));
            if (who == "edit" && clearCharInEdit) ch = QChar();
        };
        control->OnKeyUp = [this, who](QObject*, Word& key, TShiftState) {
            log.push_back(who + ".up " + std::to_string(key));
        };
    }
    TForm form;
    TMainMenu* menu = new TMainMenu(&form);
    TMenuItem* save = new TMenuItem(&form);
    TEdit* edit = new TEdit(&form);
    TMemo* memo = new TMemo(&form);
    TButton* ok = new TButton(&form);
    TButton* cancel = new TButton(&form);
    std::vector<std::string> log;
    bool clearKeyInEdit = false;
    bool clearCharInEdit = false;
};

using Log = std::vector<std::string>;

}  // namespace

TEST(KeyStages, ArriveInTheFrameworksOrderWithPreviewFirst) {
    KeyForm f;
    QTest::keyClick(f.edit, Qt::Key_A);
    EXPECT_EQ(f.log,
              (Log{"form.down 65", "edit.down 65", "form.press 97", "edit.press 97", "form.up 65", "edit.up 65"}));
    EXPECT_EQ(f.edit->Text(), QStringLiteral("a"));
}

TEST(KeyStages, CharacterStillArrivesAfterKeyDownClearedTheKey) {
    KeyForm f;
    f.clearKeyInEdit = true;
    QTest::keyClick(f.edit, Qt::Key_B);
    EXPECT_EQ(f.log,
              (Log{"form.down 66", "edit.down 66", "form.press 98", "edit.press 98", "form.up 66", "edit.up 66"}));
    EXPECT_EQ(f.edit->Text(), QStringLiteral("b"));
}

TEST(KeyStages, ClearedCharacterIsNotTyped) {
    KeyForm f;
    f.clearCharInEdit = true;
    QTest::keyClick(f.edit, Qt::Key_C);
    QTest::keyClick(f.edit, Qt::Key_Backspace);
    EXPECT_EQ(f.edit->Text(), QString());
    f.clearCharInEdit = false;
    QTest::keyClicks(f.edit, QStringLiteral("xy"));
    f.clearCharInEdit = true;
    QTest::keyClick(f.edit, Qt::Key_Backspace);  // the framework's edit erases on the Backspace character
    EXPECT_EQ(f.edit->Text(), QStringLiteral("xy"));
}

TEST(KeyStages, MenuShortcutComesFirstAndEndsTheKey) {
    KeyForm f;
    QTest::keyClick(f.edit, Qt::Key_S, Qt::ControlModifier);
    // The Ctrl key itself passes the stages as its own key, as in the framework.
    EXPECT_EQ(f.log,
              (Log{"form.down 17", "edit.down 17", "menu", "form.up 83", "edit.up 83", "form.up 17", "edit.up 17"}));
    f.log.clear();
    f.save->SetEnabled(false);
    QTest::keyClick(f.edit, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(f.log.at(2), "form.down 83");
}

TEST(KeyStages, DialogKeysGoToTheFormUnlessTheControlWantsThem) {
    KeyForm f;
    QTest::keyClick(f.edit, Qt::Key_Return);
    QTest::keyClick(f.edit, Qt::Key_Escape);
    EXPECT_EQ(f.log, (Log{"default", "form.up 13", "edit.up 13", "cancel", "form.up 27", "edit.up 27"}));
    f.log.clear();
    QTest::keyClick(f.memo, Qt::Key_Return);  // the memo wants Enter
    EXPECT_EQ(f.log,
              (Log{"form.down 13", "memo.down 13", "form.press 13", "memo.press 13", "form.up 13", "memo.up 13"}));
    EXPECT_EQ(f.memo->Text(), QStringLiteral("\n"));
}

TEST(KeyStages, ControlsOverrideTheStages) {
    // A control that keeps Enter and turns '+' into Up before the character stage.
    class StepEdit : public TEdit {
    public:
        using TEdit::TEdit;
        bool WantsKey(Word key, TShiftState shift) const override {
            return key == VK_RETURN || TEdit::WantsKey(key, shift);
        }
        void KeyDown(Word& key, TShiftState shift) override {
            if (key == VK_OEM_PLUS) key = VK_UP;
            keys.push_back(key);
            TEdit::KeyDown(key, shift);
        }
        void KeyPress(QChar& ch) override {
            if (ch == QLatin1Char('+')) ch = QChar();
        }
        std::vector<Word> keys;
    };
    KeyForm f;
    auto* step = new StepEdit(&f.form);
    QTest::keyClick(step, Qt::Key_Return);
    QTest::keyClick(step, Qt::Key_Plus, Qt::ShiftModifier);
    EXPECT_EQ(step->keys, (std::vector<Word>{VK_RETURN, VK_SHIFT, VK_UP}));
    EXPECT_EQ(step->Text(), QString());
    EXPECT_TRUE(std::find(f.log.begin(), f.log.end(), "default") == f.log.end());
}

TEST(KeyStages, TabMovesTheFocusAndEnterAndExitRunOnce) {
    KeyForm f;
    f.form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.form));
    std::vector<std::string> focus;
    f.edit->OnExit = [&](QObject*) { focus.push_back("edit.exit"); };
    f.memo->OnEnter = [&](QObject*) { focus.push_back("memo.enter"); };
    f.memo->OnExit = [&](QObject*) { focus.push_back("memo.exit"); };
    f.edit->SetFocus();
    QTest::keyClick(f.edit, Qt::Key_Tab);
    EXPECT_TRUE(f.memo->Focused());
    EXPECT_EQ(f.form.ActiveControl(), f.memo);
    f.form.SetActiveControl(nullptr);  // the focused editor hands in its value now
    EXPECT_EQ(focus, (Log{"edit.exit", "memo.enter", "memo.exit"}));
    EXPECT_FALSE(f.memo->Focused());
}
