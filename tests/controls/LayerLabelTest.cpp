#include "controls/LayerLabel.h"

#include <gtest/gtest.h>

TEST(LayerLabel, APictureIsNamedByItsFileNameReadAsWords) {
    const struct {
        const char* path;
        bool own;
        const char* label;
    } rows[] = {
        {"res/bckgnds/icastle-on-hill.bmp", false, "castle on hill"},
        {"res\\chars\\iDog.bmp", false, "Dog"},
        {"/home/u/.local/share/quimble/chars/ice_cream-2.png", true, "ice cream 2"},
        {"res/props/i.bmp", false, "i"},
        {"plain.bmp", false, "plain"},
        {"", false, ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(PictureLabel(row.path, row.own), row.label) << row.path;
}

TEST(LayerLabel, ATextIsNamedByItsStartOnOneLine) {
    const struct {
        const char* text;
        const char* label;
    } rows[] = {
        {"Hello!", "Hello!"},
        {"  Hi\n\nthere  ", "Hi there"},
        {"What a fine day for a walk", "What a fine da..."},
        {"\xc3\xa9t\xc3\xa9 \xc3\xa0 la plage, enfin", "\xc3\xa9t\xc3\xa9 \xc3\xa0 la plage..."},
        {"\n\n", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(TextLabel(row.text), row.label) << row.text;
}
