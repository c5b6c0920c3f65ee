// Finding a grid's in-place editor.
#include "util/DvGridEditor.h"

#include "platform/ui/CustomGrid.h"
#include "platform/ui/InplaceEdit.h"

#include <gtest/gtest.h>

TEST(DvGridEditor, FindsTheGridsInplaceEditorOnceShown) {
    TCustomGrid grid(nullptr);
    grid.SetBounds(0, 0, 400, 300);
    grid.show();
    grid.SetOptions(grid.Options().Include(goEditing));
    EXPECT_EQ(FindInplaceEditor(grid), nullptr);
    grid.ShowEditor();
    EXPECT_NE(FindInplaceEditor(grid), nullptr);
    EXPECT_EQ(FindInplaceEditor(grid), grid.InplaceEditor());
}
