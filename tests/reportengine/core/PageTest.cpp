// Pages: draw commands in page order, the clickable and updatable lists kept in step, and the deep page copy.
#include "reportengine/core/ppDrwCmd.h"

#include <gtest/gtest.h>

using reportengine::EnginePtr;

namespace {

template <class Kind>
Kind* PutOnPage(TppPage& page, bool clickable = false) {
    auto* command = new Kind(nullptr);
    command->Clickable = clickable;
    command->SetPage(&page);
    return command;
}

TppDrawVariable* PutUpdatableOnPage(TppPage& page) {
    auto* variable = new TppDrawVariable(nullptr);
    variable->SetUpdatable(true);
    variable->Clickable = true;
    variable->SetPage(&page);
    return variable;
}

TEST(Page, ACommandOnAPageIsItsOwnedChildAndListedByKind) {
    EnginePtr<TppPage> page{new TppPage(nullptr)};
    EXPECT_EQ(page->GetClickable(0), nullptr);
    EXPECT_EQ(page->GetClickableCount(), 0);
    EXPECT_FALSE(page->HasUpdateables());

    auto* text = PutOnPage<TppDrawText>(*page);
    auto* line = PutOnPage<TppDrawLine>(*page, true);
    auto* variable = PutUpdatableOnPage(*page);
    ASSERT_EQ(page->GetDrawCommandCount(), 3);
    EXPECT_EQ(page->GetDrawCommand(0), text);
    EXPECT_EQ(page->GetDrawCommand(2), variable);
    EXPECT_EQ(line->Owner(), page.get());
    EXPECT_EQ(line->Page(), page.get());
    EXPECT_EQ(page->GetClickableCount(), 2);
    EXPECT_EQ(page->GetClickable(1), variable);
    EXPECT_EQ(page->GetClickable(2), nullptr);
    EXPECT_EQ(page->GetUpdatableCount(), 1);
    EXPECT_EQ(page->FindDrawCommandOfClass(TppDrawText::StaticClass()), text);
    EXPECT_EQ(page->FindDrawCommandOfClass(TppDrawLine::StaticClass()), line);
}

TEST(Page, AFreedCommandLeavesTheChildrenAndBothLists) {
    EnginePtr<TppPage> page{new TppPage(nullptr)};
    PutOnPage<TppDrawText>(*page);
    auto* variable = PutUpdatableOnPage(*page);
    ASSERT_EQ(page->ComponentCount(), 2);

    variable->Free();
    EXPECT_EQ(page->GetDrawCommandCount(), 1);
    EXPECT_EQ(page->ComponentCount(), 1);
    EXPECT_EQ(page->GetClickableCount(), 0);
    EXPECT_EQ(page->GetClickable(0), nullptr);
    EXPECT_FALSE(page->HasUpdateables());
}

TEST(Page, ACommandMovedToAnotherPageLeavesTheFirst) {
    EnginePtr<TppPage> first{new TppPage(nullptr)};
    EnginePtr<TppPage> second{new TppPage(nullptr)};
    auto* line = PutOnPage<TppDrawLine>(*first, true);
    line->SetPage(second.get());
    EXPECT_EQ(first->GetDrawCommandCount(), 0);
    EXPECT_EQ(first->ComponentCount(), 0);
    EXPECT_EQ(first->GetClickableCount(), 0);
    EXPECT_EQ(second->GetDrawCommand(0), line);
    EXPECT_EQ(line->Owner(), second.get());
}

TEST(Page, AssignCopiesEveryCommandIntoNewOnesOfTheSameClass) {
    EnginePtr<TppPage> source{new TppPage(nullptr)};
    source->AbsolutePageNo = 3;
    source->LastPage = true;
    auto* text = PutOnPage<TppDrawText>(*source);
    text->Text = "Total";
    PutOnPage<TppDrawLine>(*source, true)->Weight = 1.5f;
    PutUpdatableOnPage(*source);
    EnginePtr<TppPage> target{new TppPage(nullptr)};
    PutOnPage<TppDrawLine>(*target);  // replaced by the copies

    target->Assign(source.get());
    EXPECT_EQ(target->AbsolutePageNo, 3);
    EXPECT_TRUE(target->LastPage);
    ASSERT_EQ(target->GetDrawCommandCount(), 3);
    EXPECT_EQ(target->ComponentCount(), 3);
    for (int index = 0; index < 3; ++index) {
        TppDrawCommand* copy = target->GetDrawCommand(index);
        TppDrawCommand* original = source->GetDrawCommand(index);
        EXPECT_NE(copy, original);
        EXPECT_EQ(copy->ClassName(), original->ClassName());
        EXPECT_EQ(copy->Owner(), target.get());
        EXPECT_EQ(copy->Page(), target.get());
        EXPECT_TRUE(copy->SameBounds(*original));
    }
    EXPECT_EQ(static_cast<TppDrawText*>(target->GetDrawCommand(0))->Text, "Total");
    EXPECT_FLOAT_EQ(static_cast<TppDrawLine*>(target->GetDrawCommand(1))->Weight, 1.5f);
    EXPECT_EQ(target->GetClickableCount(), 2);
    EXPECT_EQ(target->GetUpdatableCount(), 1);

    ASSERT_EQ(source->GetDrawCommandCount(), 3);
    EXPECT_EQ(source->GetDrawCommand(0), text);
    EXPECT_EQ(text->Owner(), source.get());
    EXPECT_EQ(source->GetClickableCount(), 2);
}

TEST(Page, AssignFromAnotherKindRaisesTheAssignmentError) {
    EnginePtr<TppPage> page{new TppPage(nullptr)};
    EnginePtr<TppDrawText> text{new TppDrawText(nullptr)};
    EXPECT_ANY_THROW(page->Assign(text.get()));
    EXPECT_ANY_THROW(text->Assign(page.get()));
}

TEST(Page, ClearFreesTheCommandsAndKeepsFirstPageAndColor) {
    EnginePtr<TppPage> page{new TppPage(nullptr)};
    page->AbsolutePageNo = 4;
    page->PageCount = 9;
    page->Final = true;
    page->FirstPage = true;
    page->Color = 0x00FF00;
    PutOnPage<TppDrawText>(*page, true);
    page->Clear();
    EXPECT_EQ(page->GetDrawCommandCount(), 0);
    EXPECT_EQ(page->GetClickableCount(), 0);
    EXPECT_EQ(page->AbsolutePageNo, 0);
    EXPECT_EQ(page->PageCount, 0);
    EXPECT_FALSE(page->Final);
    EXPECT_TRUE(page->FirstPage);
    EXPECT_EQ(page->Color, 0x00FF00u);
}

}  // namespace
