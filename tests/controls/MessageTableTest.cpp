#include "controls/MessageTable.h"
#include "support/ScriptedAnswers.h"

#include <gtest/gtest.h>

TEST(MessageTable, FilterPicksTheGroupAndZeroTakesTheFirstEntryOfAKey) {
    CMessageTable table;
    table.AddMessage(1, 1, "een");
    table.AddMessage(2, 1, "twee");
    table.AddMessage(1, 3, "one");
    table.AddMessage(1, 3, "one again");

    ASSERT_NE(table.FindMessage(1), nullptr);
    EXPECT_EQ(*table.FindMessage(1), "een");
    table.SetGroup(3);
    EXPECT_EQ(*table.FindMessage(1), "one");
    EXPECT_EQ(table.FindMessage(2), nullptr);
    table.SetGroup(7);
    EXPECT_EQ(table.FindMessage(1), nullptr);
    EXPECT_EQ(table.GetCount(), 4);
    table.Clear();
    EXPECT_EQ(table.GetCount(), 0);
}

TEST(MessageTable, AddCopiesTheText) {
    CMessageTable table;
    std::string text = "Wil je de laag wissen?";
    EXPECT_EQ(table.AddMessage(3, 1, text), 1);
    text = "changed";
    EXPECT_EQ(*table.FindMessage(3), "Wil je de laag wissen?");
}

TEST(MessageTable, ShowMessageAsksOnlyWithAText) {
    ScriptedAnswers boxes;
    boxes.Then(IDOK);
    EXPECT_EQ(CMessageTable::ShowMessage(nullptr, 33), 0);
    EXPECT_TRUE(boxes.asked.empty());

    std::string text = "Do you really want to Quit?";
    EXPECT_EQ(CMessageTable::ShowMessage(&text, 33), IDOK);
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].kind, ModalKind::MessageBox);
    EXPECT_EQ(boxes.asked[0].text, text);
    EXPECT_EQ(boxes.asked[0].style, 33u);
    EXPECT_EQ(boxes.asked[0].caption, "Quimble");
}
