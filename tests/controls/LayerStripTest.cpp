#include "support/ControlTestKit.h"

#include "composition/ContentKey.h"
#include "controls/LayerControl.h"
#include "controls/LayerStrip.h"
#include "imaging/DIB.h"
#include "platform/Modal.h"
#include "support/TempDir.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace {
constexpr COLORREF normalField = RGB(171, 203, 171);
constexpr COLORREF selectedField = RGB(103, 154, 215);
constexpr COLORREF pictureField = RGB(171, 213, 171);
constexpr COLORREF enabledText = RGB(25, 30, 230);
constexpr COLORREF selectedText = RGB(80, 30, 30);
constexpr int infoId = 100012, glueId = 100013, upId = 100014, downId = 100015, deleteId = 100016,
              moveId = 100008;

// Stands in for the picture area: records what the strip asks of it.
class CFakeCompositor : public CLayerCompositor {
public:
    void SetLayerStrip(CLayerStrip* strip) override { m_strip = strip; }
    void Recompose(BOOL) override { ++m_recomposes; }
    bool FindSlotPlacement(std::uint32_t key, SlotPlacement* placement) const override {
        const auto it = m_slots.find(key);
        if (it == m_slots.end())
            return false;
        *placement = it->second;
        return true;
    }
    bool HasSelectedSlot() const override { return m_selectedKey != 0; }
    bool SelectSlotOfKey(std::uint32_t key) override {
        if (!m_slots.count(key))
            return false;
        m_selectedKey = key;
        return true;
    }
    void ClearSlotSelection() override { m_selectedKey = 0; }
    CButtonControl* GetMoveButton() const override { return m_move; }

    CLayerStrip* m_strip = nullptr;
    int m_recomposes = 0;
    std::map<std::uint32_t, SlotPlacement> m_slots;
    std::uint32_t m_selectedKey = 0;
    CButtonControl* m_move = nullptr;
};

// The layer strip where the editor screen has it, with its layers, its five buttons and the picture
// area's move button, at scale 1. Every layer control is 27 pixels high when there are ten.
struct Strip {
    explicit Strip(int count = 10) : view(DESIGN_WIDTH, DESIGN_HEIGHT) {
        const std::string toggle = WriteBandPicture(dir.Join("bvisib.bmp"), 25, 108);
        for (int i = 0; i < count; ++i) {
            layers.push_back(new CLayerControl(&view, &view, 100025 + 2 * i, {603, 233, 777, 260}, nullptr, 0,
                                               toggle.c_str(), 100026 + 2 * i, 2, 2));
            view.AddControl(layers.back());
        }
        for (int id = infoId; id <= deleteId; ++id)
            view.AddControl(new CButtonControl(
                &view, &view, id, {560, 10 * (id - infoId), 590, 10 * (id - infoId) + 8}, nullptr, 0, 0));
        compositor.m_move =
            new CButtonControl(&view, &view, moveId, {560, 60, 590, 70}, nullptr, CTL_TOGGLE, 0);
        view.AddControl(compositor.m_move);
        strip = new CLayerStrip(&view, &view, 100045, {599, 230, 781, 540}, 0x10400, 4, 3);
        view.AddControl(strip);
        for (CLayerControl* layer : layers)
            strip->AddControl(layer);
        strip->SetButtons(Button(infoId), Button(glueId), Button(upId), Button(downId), Button(deleteId));
        strip->SetCompositor(&compositor);
        view.PaintBackground(nullptr);
        view.GetMessageTable().AddMessage(MSG_CLEAR_LAYER, 0, "Clear this layer?");
        SetModalResponder([this](const ModalQuestion& q) {
            questions.push_back(q);
            ModalAnswer answer;
            answer.result = answerWith;
            return answer;
        });
        Settle();
    }
    ~Strip() { SetModalResponder({}); }

    CButtonControl* Button(int id) { return dynamic_cast<CButtonControl*>(view.FindControl(id)); }
    bool Enabled(int id) { return Button(id)->IsWindowEnabled(); }
    // Gives layer i a picture of its own with a new key and a label.
    void Fill(int i, const std::string& label) {
        auto picture = std::make_unique<CDIB>();
        picture->Create(40, 30, 24);
        picture->Fill(RGB(10 * i, 100, 200));
        ASSERT_TRUE(layers[i]->PutContent(std::move(picture), NewContentKey(), label));
    }
    std::vector<std::string> Labels() {
        std::vector<std::string> labels;
        for (CLayerControl* layer : layers)
            labels.push_back(layer->GetLabel());
        return labels;
    }
    void Unchange() {
        for (CLayerControl* layer : layers)
            layer->ClearChanged();
        compositor.m_recomposes = 0;
    }
    void Click(int id) { Button(id)->Clicked(); }

    CFakeCompositor compositor; // outlives the view, which unlinks the strip from it
    TempDir dir;
    CTestView view;
    std::vector<CLayerControl*> layers;
    CLayerStrip* strip;
    std::vector<ModalQuestion> questions;
    int answerWith = IDOK;
};

int CountColour(CWnd* wnd, const RECT& area, COLORREF colour) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += PixelOf(wnd, x, y) == colour;
    return count;
}

} // namespace

TEST(LayerControl, At27PixelsHasA36PixelThumbnailTheToggleAt38And25WideAndTheTextFrom63WithItsLabel) {
    Strip s;
    CLayerControl* layer = s.layers[0];
    EXPECT_EQ(layer->GetRect(), (RECT{603, 233, 777, 260}));
    EXPECT_EQ(layer->GetFlags() & CTL_KEEP_ASPECT, CTL_KEEP_ASPECT);
    CButtonControl* toggle = layer->GetToggle();
    ASSERT_NE(toggle, nullptr);
    EXPECT_EQ(toggle->GetId(), 100026);
    EXPECT_TRUE(toggle->GetFlags() & CTL_TOGGLE);
    EXPECT_EQ(toggle->GetRect(), (RECT{38, 0, 63, 27}));
    EXPECT_EQ(GeometryOf(toggle), (RECT{38, 0, 63, 27}));
    EXPECT_EQ(s.view.FindControl(100026), toggle) << "the manager owns the toggle";

    // The text field from 63 (a 2-pixel edge first); the picture field inside the 36-pixel thumbnail.
    layer->Draw(nullptr);
    EXPECT_EQ(PixelOf(layer, 65, 13), normalField);
    EXPECT_EQ(PixelOf(layer, 171, 13), normalField);
    EXPECT_EQ(PixelOf(layer, 33, 13), pictureField);
    EXPECT_NE(PixelOf(layer, 34, 13), pictureField);
    EXPECT_EQ(CountColour(layer, {63, 0, 174, 27}, enabledText), 0) << "no label, no text";

    // The label in the colour of the state.
    s.Fill(0, "Tree");
    layer->Draw(nullptr);
    EXPECT_GT(CountColour(layer, {63, 0, 174, 27}, enabledText), 10);
    s.strip->Select(layer);
    EXPECT_EQ(PixelOf(layer, 65, 13), selectedField);
    EXPECT_GT(CountColour(layer, {63, 0, 174, 27}, selectedText), 10);
    EXPECT_EQ(CountColour(layer, {63, 0, 174, 27}, enabledText), 0);
}

TEST(LayerControl, ClearingSwitchesTheToggleOffAndSwappingMovesContentButNotPlace) {
    Strip s;
    s.Fill(0, "A");
    s.Fill(1, "B");
    CLayerControl* a = s.layers[0];
    CLayerControl* b = s.layers[1];
    const std::uint32_t keyA = a->GetContentKey(), keyB = b->GetContentKey();
    CDIB* pictureA = a->GetImage();
    a->SetHidden(true);
    a->ClearChanged();

    EXPECT_TRUE(a->SwapLayerWith(b));
    EXPECT_EQ(a->GetLabel(), "B");
    EXPECT_EQ(b->GetLabel(), "A");
    EXPECT_EQ(a->GetContentKey(), keyB);
    EXPECT_EQ(b->GetContentKey(), keyA);
    EXPECT_EQ(b->GetImage(), pictureA);
    EXPECT_TRUE(b->GetToggle()->GetFlags() & CTL_ON);
    EXPECT_FALSE(a->GetToggle()->GetFlags() & CTL_ON);
    EXPECT_TRUE(a->IsChanged() && b->IsChanged()) << "both show something else now";
    EXPECT_EQ(a->GetRect().top, 233);
    EXPECT_EQ(a->GetToggle()->GetId(), 100026);
    EXPECT_TRUE(a->IsShown());
    EXPECT_FALSE(b->IsShown());

    b->ClearImage();
    EXPECT_FALSE(b->GetToggle()->GetFlags() & CTL_ON);
    EXPECT_TRUE(b->IsShown());
    EXPECT_EQ(b->GetContentKey(), 0u);
    EXPECT_TRUE(b->GetLabel().empty());
    EXPECT_EQ(b->GetImage(), nullptr);
    EXPECT_FALSE(a->SwapLayerWith(nullptr));
}

// The toggle's on state alone hides the layer: held down, as while its click is handled, it counts as it is.
TEST(LayerControl, OnlyTheToggleSwitchedOnHidesTheLayerHeldDownOrNot) {
    Strip s;
    s.Fill(0, "A");
    CLayerControl* layer = s.layers[0];
    const struct {
        bool on, held, shown;
    } rows[] = {{false, false, true}, {false, true, true}, {true, false, false}, {true, true, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << (row.on ? "on" : "off") << (row.held ? ", held" : ""));
        layer->SetHidden(row.on);
        DRAWITEMSTRUCT item{};
        item.itemState = row.held ? ODS_SELECTED : 0;
        layer->GetToggle()->DrawItem(&item);
        EXPECT_EQ((layer->GetToggle()->GetFlags() & CTL_PRESSED) != 0, row.held);
        EXPECT_EQ(layer->IsShown(), row.shown);
        EXPECT_EQ(layer->IsHidden(), !row.shown);
    }
}

TEST(LayerStrip, SelectsTheLastAddedAndKeepsItsButtonsToWhatCanBeDone) {
    Strip s;
    EXPECT_EQ(s.strip->GetFlags(), 0x10400u);
    EXPECT_EQ(s.compositor.m_strip, s.strip);
    EXPECT_EQ(s.strip->GetSelected(), s.layers[9]);
    EXPECT_TRUE(s.layers[9]->GetFlags() & CTL_SELECTED);
    EXPECT_FALSE(s.Enabled(downId)) << "nothing below the last";
    EXPECT_TRUE(s.Enabled(upId));
    for (int id : {infoId, glueId, deleteId, moveId})
        EXPECT_FALSE(s.Enabled(id)) << id << " without content";

    s.Fill(0, "A");
    s.strip->Refresh(0, FALSE);
    EXPECT_TRUE(s.Enabled(moveId)) << "with Move on a click on the picture takes A";
    EXPECT_FALSE(s.Enabled(deleteId)) << "the selected layer is still empty";
    QTest::mouseClick(WidgetOf(s.layers[0]), Qt::LeftButton, {}, QPoint(100, 13));
    Settle();
    EXPECT_EQ(s.strip->GetSelected(), s.layers[0]);
    EXPECT_FALSE(s.layers[9]->GetFlags() & CTL_SELECTED);
    EXPECT_FALSE(s.Enabled(upId)) << "nothing above the first";
    EXPECT_TRUE(s.Enabled(downId));
    for (int id : {infoId, glueId, deleteId, moveId})
        EXPECT_TRUE(s.Enabled(id)) << id << " with content";
    EXPECT_EQ(s.strip->GetPreviousLayer(s.layers[1]), s.layers[0]);
    EXPECT_EQ(s.strip->GetPreviousLayer(s.layers[0]), nullptr);
}

TEST(LayerStrip, TheSelectedSlotFollowsTheSelectionAndGoesWithItsContent) {
    Strip s;
    s.Fill(1, "A");
    s.Fill(2, "B");
    s.compositor.m_slots[s.layers[1]->GetContentKey()] = {};
    s.compositor.m_slots[s.layers[2]->GetContentKey()] = {};
    s.strip->Select(s.layers[1]);
    EXPECT_EQ(s.compositor.m_selectedKey, 0u) << "without a selected slot nothing is selected";
    s.compositor.m_selectedKey = s.layers[1]->GetContentKey();
    s.strip->Select(s.layers[2]);
    EXPECT_EQ(s.compositor.m_selectedKey, s.layers[2]->GetContentKey());
    s.strip->Select(s.layers[5]);
    EXPECT_EQ(s.compositor.m_selectedKey, 0u) << "an empty layer clears the selection";
}

TEST(LayerStrip, GlueGathersTheContentAtTheBackInItsOrder) {
    Strip s(4);
    s.Fill(0, "A");
    s.Fill(2, "B");
    s.strip->Select(s.layers[0]);
    s.Unchange();
    s.Click(glueId);
    EXPECT_EQ(s.Labels(), (std::vector<std::string>{"", "", "A", "B"}));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(s.layers[i]->IsChanged(), i != 1) << i << ": changed when swapped";
    EXPECT_EQ(s.compositor.m_recomposes, 1) << "composed once per click";
    // The selected look moved with A, and so did the selection.
    EXPECT_EQ(s.strip->GetSelected(), s.layers[2]);
    int selected = 0;
    for (CLayerControl* layer : s.layers)
        selected += (layer->GetFlags() & CTL_SELECTED) != 0;
    EXPECT_EQ(selected, 1);
}

TEST(LayerStrip, LayUpAndDownSwapWithTheNeighbourAndTheSelectionFollows) {
    Strip s;
    s.Fill(3, "C");
    s.Fill(2, "B");
    s.strip->Select(s.layers[3]);
    s.Unchange();
    s.Click(upId);
    EXPECT_EQ(s.layers[2]->GetLabel(), "C");
    EXPECT_EQ(s.layers[3]->GetLabel(), "B");
    EXPECT_EQ(s.strip->GetSelected(), s.layers[2]);
    EXPECT_TRUE(s.layers[2]->GetFlags() & CTL_SELECTED);
    EXPECT_FALSE(s.layers[3]->GetFlags() & CTL_SELECTED);
    EXPECT_TRUE(s.layers[2]->IsChanged() && s.layers[3]->IsChanged());
    EXPECT_FALSE(s.layers[1]->IsChanged());
    EXPECT_EQ(s.compositor.m_recomposes, 1) << "composed once per click";

    s.Click(downId);
    s.Click(downId);
    EXPECT_EQ(s.layers[4]->GetLabel(), "C");
    EXPECT_EQ(s.layers[3]->GetLabel(), "");
    EXPECT_EQ(s.strip->GetSelected(), s.layers[4]);
}

TEST(LayerStrip, DeleteAsksUnlessToldNotToAndCancelChangesNothing) {
    Strip s;
    s.Fill(4, "D");
    s.strip->Select(s.layers[4]);
    s.Unchange();
    s.answerWith = IDCANCEL;
    s.Click(deleteId);
    ASSERT_EQ(s.questions.size(), 1u);
    EXPECT_EQ(s.questions[0].text, "Clear this layer?");
    EXPECT_EQ(s.questions[0].style, MB_OKCANCEL | MB_ICONQUESTION);
    EXPECT_NE(s.layers[4]->GetImage(), nullptr);
    EXPECT_FALSE(s.layers[4]->IsChanged());
    EXPECT_EQ(s.compositor.m_recomposes, 0);

    s.answerWith = IDOK;
    s.Click(deleteId);
    EXPECT_EQ(s.layers[4]->GetImage(), nullptr);
    EXPECT_TRUE(s.layers[4]->IsChanged());
    EXPECT_EQ(s.compositor.m_recomposes, 1);
    EXPECT_FALSE(s.Enabled(deleteId));

    s.Fill(4, "E");
    s.strip->OnControlEvent(deleteId, 1);
    EXPECT_EQ(s.questions.size(), 2u) << "parameter 1 does not ask";
    EXPECT_EQ(s.layers[4]->GetImage(), nullptr);
}

TEST(LayerStrip, TheHideToggleOfALayerWithContentRecomposesAndOfAnEmptyOneDoesNot) {
    Strip s;
    s.Fill(1, "A");
    s.Unchange();
    s.layers[6]->GetToggle()->Clicked();
    EXPECT_TRUE(s.layers[6]->GetToggle()->GetFlags() & CTL_ON);
    EXPECT_FALSE(s.layers[6]->IsChanged());
    EXPECT_EQ(s.compositor.m_recomposes, 0);

    s.layers[1]->GetToggle()->Clicked();
    EXPECT_TRUE(s.layers[1]->IsChanged());
    EXPECT_EQ(s.compositor.m_recomposes, 1);
    EXPECT_FALSE(s.layers[1]->IsShown());

    s.strip->ClearAllLayers();
    EXPECT_EQ(s.layers[1]->GetImage(), nullptr);
    EXPECT_TRUE(s.layers[1]->IsShown());
}

TEST(LayerStrip, SlotAreasAreNormalisedAndUnited) {
    struct Case {
        RECT start;
        SlotPlacement slot;
        RECT united;
    } cases[] = {
        {{}, {10, 20, 30, 40}, {10, 20, 40, 60}},
        {{}, {10, 20, -5, -8}, {5, 12, 10, 20}},
        {{0, 0, 5, 5}, {10, 20, 30, 40}, {0, 0, 40, 60}},
        {{50, 50, 40, 40}, {0, 0, 1, 1}, {0, 0, 50, 50}},
        {{0, 0, 5, 5}, {3, 3, 0, 7}, {0, 0, 5, 5}},
        {{}, {INT32_MAX - 5, INT32_MIN + 5, 10, -10}, {INT32_MAX - 5, INT32_MIN, INT32_MAX, INT32_MIN + 5}},
    };
    for (const Case& c : cases) {
        RECT rect = c.start;
        CLayerStrip::UniteSlotArea(&rect, c.slot);
        EXPECT_EQ(rect, c.united) << c.slot.x << "," << c.slot.y << " " << c.slot.width << "x"
                                  << c.slot.height;
    }

    Strip s;
    s.Fill(0, "A");
    RECT rect{};
    EXPECT_FALSE(s.strip->UniteLayerArea(&rect, s.layers[0]));
    s.compositor.m_slots[s.layers[0]->GetContentKey()] = {4, 4, 6, 6};
    EXPECT_TRUE(s.strip->UniteLayerArea(&rect, s.layers[0]));
    EXPECT_EQ(rect, (RECT{4, 4, 10, 10}));
}
