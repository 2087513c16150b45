#include "LayerScreen.h"

#include <functional>
#include <map>
#include <sstream>

namespace {
CPictureState StateWith(std::uint32_t key, int selected = -1) {
    CPictureState state;
    state.layers.emplace_back().key = key;
    state.selectedLayer = selected;
    return state;
}

std::uint32_t KeyOf(const CPictureState& state) {
    return state.layers.at(0).key;
}

std::string Bytes(const CDIB& dib) {
    return {reinterpret_cast<const char*>(dib.GetBlock()), dib.GetSize()};
}
} // namespace

TEST(UndoHistory, KeepsItsLimitDropsTheStepsAheadOnANewChangeAndFollowsTheSelection) {
    CUndoHistory history(3);
    history.Reset(StateWith(0));
    EXPECT_FALSE(history.CanUndo() || history.CanRedo());
    EXPECT_FALSE(history.Commit(StateWith(0, 4))) << "a new selection alone is no step";
    EXPECT_EQ(history.Current().selectedLayer, 4);
    for (std::uint32_t key = 1; key <= 4; ++key)
        EXPECT_TRUE(history.Commit(StateWith(key)));
    EXPECT_EQ(history.GetCount(), 3u) << "the oldest step went";
    EXPECT_EQ(KeyOf(history.Undo()), 3u);
    EXPECT_EQ(KeyOf(history.Undo()), 2u);
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(KeyOf(history.Undo()), 2u) << "nothing before the first step";
    EXPECT_EQ(KeyOf(history.Redo()), 3u);
    EXPECT_TRUE(history.Commit(StateWith(9)));
    EXPECT_FALSE(history.CanRedo()) << "a change after going back drops the steps ahead";
    EXPECT_EQ(KeyOf(history.Undo()), 3u);
}

TEST(UndoHistory, KnowsTheStepTheFileHoldsUntilItIsDroppedOrOverwritten) {
    // Steps of a limit of 3: c a change, u undo, r redo, s saved, k nothing; a 1 or 0 after one says
    // whether the picture then has nothing to save. A new picture is clean; the saved step moves to the
    // front as the oldest go, is lost once the limit drops it, and a change after going back drops it only
    // when it lay ahead.
    const std::string script = "k1 c s c0 u1 u0 r r c u u1 r c c0 u0 u0 u s r c u u1 r s u c r0";
    CUndoHistory history(3);
    history.Reset(StateWith(0));
    std::uint32_t key = 0;
    const std::map<char, std::function<void()>> act{{'c', [&] { history.Commit(StateWith(++key)); }},
                                                    {'u', [&] { history.Undo(); }},
                                                    {'r', [&] { history.Redo(); }},
                                                    {'s', [&] { history.MarkClean(); }},
                                                    {'k', [] {}}};
    std::istringstream steps(script);
    for (std::string step; steps >> step;) {
        act.at(step[0])();
        if (step.size() > 1) {
            EXPECT_EQ(history.IsClean(), step[1] == '1') << "after " << key << " changes: " << step;
        }
    }
}

TEST_F(LayerScreen, UndoAndRedoBringBackEachStepByteForByte) {
    HistoryRecorder recorder(mixer);
    std::vector<std::string> canvases{Bytes(mixer->GetCanvas())};
    const auto step = [&](const std::function<void()>& change) {
        change();
        canvases.push_back(Bytes(mixer->GetCanvas()));
    };
    // The layer, the selected layer and its frame as the current step has them.
    const auto restored = [&] {
        const CPictureState now = mixer->CaptureState(), &step = recorder.history.Current();
        return now.SamePicture(step) && now.selectedLayer == step.selectedLayer && now.frame == step.frame;
    };
    step([&] {
        Put(9, Picture(300, 200, RGB(200, 0, 0), true));
        strip->Refresh(0, TRUE);
    });
    step([&] {
        Button(moveId)->Clicked(); // the frame shows: a new selection, no step
        Drag(mixer->FindDibSlot(layers[9]->GetContentKey()), {120, 40, 20, 240}); // mirrored
        mixer->Recompose(TRUE);
    });
    step([&] {
        Put(8, Picture(120, 90, RGB(0, 0, 200), false));
        strip->Select(layers[8]);
    });
    step([&] { layers[9]->GetToggle()->Clicked(); });
    step([&] { strip->OnControlEvent(deleteId, 1); });
    ASSERT_EQ(recorder.history.GetCount(), canvases.size()) << "one step per change";

    for (std::size_t i = canvases.size() - 1; i-- > 0;) {
        mixer->RestoreState(recorder.history.Undo());
        EXPECT_EQ(Bytes(mixer->GetCanvas()), canvases[i]) << "undone to step " << i;
        EXPECT_TRUE(CanvasIsComposedWhole()) << i;
        EXPECT_TRUE(restored()) << i;
    }
    EXPECT_FALSE(layers[9]->GetImage());
    for (std::size_t i = 1; i < canvases.size(); ++i) {
        mixer->RestoreState(recorder.history.Redo());
        EXPECT_EQ(Bytes(mixer->GetCanvas()), canvases[i]) << "redone to step " << i;
        EXPECT_TRUE(restored()) << i;
    }
    EXPECT_EQ(recorder.history.GetCount(), canvases.size()) << "restoring is no change of its own";
}
