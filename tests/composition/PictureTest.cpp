// The picture tells its listeners of each change, layer by layer and in what, then once that the edit is
// done; an edit that changes nothing tells nothing.

#include "composition/Picture.h"
#include "imaging/DIBManager.h"
#include "support/Pictures.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
// Every word the picture told, in order: "3 content", "selected 2", "done", "done replaced".
struct Heard : CPictureListener {
    void OnLayerChanged(int layer, LayerChange what) override {
        static const char* const names[] = {"content", "place", "hidden", "text"};
        words.push_back(std::to_string(layer) + " " + names[int(what)]);
    }
    void OnSelectionChanged(int layer) override { words.push_back("selected " + std::to_string(layer)); }
    void OnChangesDone(bool replaced) override { words.push_back(replaced ? "done replaced" : "done"); }
    std::vector<std::string> words;
};
} // namespace

TEST(Picture, TellsWhichLayerChangedInWhatThenThatTheEditIsDone) {
    CDIBManager store;
    const CDIBRef red = store.Adopt(SolidPicture(20, 10, RGB(200, 0, 0)));
    const CDIBRef blue = store.Adopt(SolidPicture(10, 10, RGB(0, 0, 200)));
    const auto layer = [](const CDIBRef& picture, std::uint32_t key, std::int32_t x = 0) {
        PictureLayer made;
        made.picture = picture;
        made.key = key;
        made.place = {key, x, 0, 20, 10};
        return made;
    };
    CPicture picture({569, 421}, 3);
    Heard heard;
    picture.AddListener(&heard);
    picture.AddListener(&heard); // once is enough
    const struct {
        const char* what;
        std::function<void()> edit;
        std::vector<std::string> told;
    } edits[] = {
        {"a picture put", [&] { picture.SetLayer(2, layer(red, 7)); }, {"2 content", "2 place", "done"}},
        {"the same again", [&] { picture.SetLayer(2, layer(red, 7)); }, {}},
        {"moved", [&] { picture.SetLayer(2, layer(red, 7, 30)); }, {"2 place", "done"}},
        {"hidden",
         [&] {
             PictureLayer hidden = picture.GetLayer(2);
             hidden.hidden = true;
             picture.SetLayer(2, hidden);
         },
         {"2 hidden", "done"}},
        {"a text on it",
         [&] {
             PictureLayer text = layer(blue, 8);
             text.text = LayerText{};
             text.attachedTo = 7;
             picture.SetLayer(0, text);
         },
         {"0 content", "0 place", "0 text", "done"}},
        {"beyond the layers", [&] { picture.SetLayer(3, layer(blue, 9)); }, {}},
        {"selected", [&] { picture.Select(0, FrameMode::move); }, {"selected 0", "done"}},
        {"selected beyond the layers", [&] { picture.Select(5); }, {"selected -1", "done"}},
        {"a step back: one edit",
         [&] {
             CPicture before({569, 421}, 3);
             before.SetLayer(1, layer(red, 7));
             picture.SetState(before.GetState());
         },
         {"0 content", "0 place", "0 text", "1 content", "1 place", "2 content", "2 place", "2 hidden",
          "done"}},
        {"cleared", [&] { picture.Clear(); }, {"1 content", "1 place", "done replaced"}},
        {"cleared again", [&] { picture.Clear(); }, {}},
    };
    for (const auto& e : edits) {
        heard.words.clear();
        e.edit();
        EXPECT_EQ(heard.words, e.told) << e.what;
    }

    // A copy is a picture of its own: its edits reach nobody, and a removed listener hears nothing more.
    CPicture copy = picture;
    heard.words.clear();
    copy.SetLayer(0, layer(red, 9));
    picture.RemoveListener(&heard);
    picture.SetLayer(0, layer(red, 9));
    EXPECT_EQ(heard.words, std::vector<std::string>{});
}

TEST(Picture, ItsStateComesBackAsItWasWithTheSelectionAndItsFrame) {
    CDIBManager store;
    CPicture picture({569, 421});
    PictureLayer back;
    back.picture = store.Adopt(SolidPicture(20, 10, RGB(200, 0, 0)));
    back.key = 3;
    back.label = "red";
    back.place = {0, -5, 6, -20, 10, 3, true, false};
    picture.SetLayer(9, back);
    picture.SetLayer(4, PictureLayer{}); // an empty layer has no place in the state
    picture.Select(9, FrameMode::text);
    const CPictureState state = picture.GetState();
    ASSERT_EQ(state.slots.size(), 1u);
    EXPECT_EQ(state.slots[0], (SlotState{3, -5, 6, -20, 10, 3, true, false})) << "the place takes the key";
    CPicture again({569, 421});
    again.SetState(state);
    EXPECT_EQ(again.GetLayers(), picture.GetLayers());
    EXPECT_EQ(again.GetSelected(), 9);
    EXPECT_EQ(again.GetFrame(), FrameMode::text);
    EXPECT_EQ(again.FindLayerOfKey(3), 9);
    EXPECT_EQ(again.FindLayerOfKey(0), -1);
}
