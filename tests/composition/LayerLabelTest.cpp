#include "composition/LayerLabel.h"

#include <gtest/gtest.h>

TEST(LayerLabel, APictureIsNamedByItsFileNameAsWordsAndATextByItsStartOnOneLine) {
    EXPECT_EQ(PictureLabel("res/bckgnds/icastle-on-hill.bmp", false), "castle on hill");
    EXPECT_EQ(PictureLabel("res\\chars\\iDog.bmp", false), "Dog");
    EXPECT_EQ(PictureLabel("/home/u/.local/share/quimble/chars/ice_cream-2.png", true), "ice cream 2");
    EXPECT_EQ(PictureLabel("res/props/i.bmp", false), "i");
    EXPECT_EQ(TextLabel("  Hi\n\nthere  "), "Hi there");
    EXPECT_EQ(TextLabel("What a fine day for a walk"), "What a fine da...");
    EXPECT_EQ(TextLabel("\xc3\xa9t\xc3\xa9 \xc3\xa0 la plage, enfin"),
              "\xc3\xa9t\xc3\xa9 \xc3\xa0 la plage...")
        << "whole characters";
}
