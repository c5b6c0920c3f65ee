// Key presses typed through a picture mask, and typed text checked against a field's type.
#include "controls/edit/WwPictureRoutines.h"
#include "controls/edit/WwValueChecks.h"
#include "platform/db/Field.h"
#include "platform/ui/Edits.h"
#include "platform/ui/Form.h"

#include <gtest/gtest.h>

namespace {

struct PictureKeyCase {
    const char* mask;
    bool autoFill;
    const char* text;
    int selStart;
    int selLength;
    char key;
    const char* textAfterwards;
    int caretAfterwards;
};

void PrintTo(const PictureKeyCase& c, std::ostream* os) {
    *os << "mask '" << c.mask << "' text '" << c.text << "' selection " << c.selStart << "+" << c.selLength << " key '"
        << c.key << "'";
}

class KeyThroughPicture : public testing::TestWithParam<PictureKeyCase> {};

TEST_P(KeyThroughPicture, ConsumesTheKeyAndSetsTextAndCaret) {
    const PictureKeyCase& c = GetParam();
    TForm form;
    TEdit edit(&form);
    edit.SetText(QString::fromUtf8(c.text));
    edit.setSelection(c.selStart, c.selLength);
    QChar key = QLatin1Char(c.key);
    EXPECT_TRUE(ApplyPictureToKeyPress(edit, QString::fromUtf8(c.mask), c.autoFill, key));
    EXPECT_TRUE(key.isNull());
    EXPECT_EQ(edit.Text(), QString::fromUtf8(c.textAfterwards));
    EXPECT_EQ(edit.SelStart(), c.caretAfterwards);
    EXPECT_EQ(edit.SelLength(), 0);
}

INSTANTIATE_TEST_SUITE_P(PictureRoutines, KeyThroughPicture,
                         testing::Values(
                             // Incomplete with auto-fill: the caret goes past the filled literal.
                             PictureKeyCase{"###-####", true, "55", 2, 0, '5', "555-", 4},
                             // Complete: the caret moves by the growth.
                             PictureKeyCase{"##", false, "1", 1, 0, '2', "12", 2},
                             // The whole text selected: replaced, caret at the end.
                             PictureKeyCase{"&&", false, "XY", 0, 2, 'a', "A", 1},
                             // A selection at the end: the caret goes one past its start.
                             PictureKeyCase{"####", false, "1234", 2, 2, '9', "129", 3},
                             // A refused character leaves the text.
                             PictureKeyCase{"##", false, "1", 1, 0, 'x', "1", 1},
                             // A mask that fails the syntax check changes nothing but still takes the key.
                             PictureKeyCase{"[#", false, "1", 1, 0, '2', "1", 1}));

TEST(PictureRoutines, KeyInsideTheTextOrControlCharacterIsLeftAlone) {
    TForm form;
    TEdit edit(&form);
    edit.SetText(QStringLiteral("12"));
    edit.SetSelStart(1);
    QChar key = u'3';
    EXPECT_FALSE(ApplyPictureToKeyPress(edit, QStringLiteral("###"), true, key));
    EXPECT_EQ(key, QChar(u'3'));
    EXPECT_EQ(edit.Text(), QStringLiteral("12"));

    edit.SetSelStart(2);
    for (QChar control : {QChar(u'\b'), QChar(0xFF)}) {
        key = control;
        EXPECT_FALSE(ApplyPictureToKeyPress(edit, QStringLiteral("###"), true, key));
        EXPECT_EQ(key, control);
    }
}

struct FieldTextCase {
    TFieldType type;
    const char* text;
    bool valid;
};

TEST(PictureRoutines, TextValidForFieldFollowsTheFieldType) {
    const FieldTextCase cases[] = {
        {ftInteger, "", true},
        {ftInteger, "-5", true},
        {ftInteger, "-", false},
        {ftSmallint, "1.5", false},
        {ftAutoInc, " 1", false},
        {ftFloat, "1.5", true},
        {ftCurrency, "x", false},
        {ftBCD, "", true},
        {ftDate, "3/4/2026", true},
        {ftDate, "3/4/2026 1:00", false},
        {ftTime, "10:30", true},
        {ftTime, "25:99", false},
        {ftDateTime, "3/4/2026", true},
        {ftDateTime, "3/4/2026 1:00 PM", true},
        {ftDateTime, "soon", false},
        {ftBoolean, "anything", true},
        {ftString, "12ab", true},
        // Dates and times are read as the library's edits read them: month names, two-number dates.
        {ftDate, "Feb/3/07", true},
        {ftDate, "2/3", true},
        {ftDateTime, "Feb/3/07 9:05pm", true},
    };
    for (const FieldTextCase& c : cases) {
        TField field(c.type);
        EXPECT_EQ(IsValidTextForField(field, QString::fromUtf8(c.text)), c.valid) << c.type << " '" << c.text << "'";
    }
}

}  // namespace
