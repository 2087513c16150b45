#pragma once
// The picture area, its four mode buttons and the layer strip with its ten layers and five buttons, joined
// as the editor screen joins them, for the tests of the compositor following the strip, dragged, and given
// text.

#include "composition/BlendTable.h"
#include "composition/ContentKey.h"
#include "composition/ReferenceCompose.h"
#include "composition/UndoHistory.h"
#include "controls/ButtonControl.h"
#include "controls/ControlManager.h"
#include "controls/DIBMixer.h"
#include "controls/LayerControl.h"
#include "controls/LayerStrip.h"
#include "platform/DC.h"
#include "platform/Modal.h"
#include "support/Pictures.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>
inline constexpr int moveId = 100008, infoId = 100012, glueId = 100013, upId = 100014, downId = 100015,
                     deleteId = 100016;

// A view that is its own control manager, holding that screen.
class LayerScreen : public ::testing::Test, public CWnd, public CControlManager {
protected:
    LayerScreen() : CControlManager(this) {}

    // background: the screen background picture, or none for the plain colour.
    void Build(int width, int height, const std::string& togglePicture, const char* background = nullptr) {
        Create("", WS_VISIBLE, {0, 0, width, height}, nullptr, 0);
        mixer = new CDIBMixer(this, this, 100046, {2, 23, 571, 444}, 0);
        AddControl(mixer);
        CButtonControl* modes[4];
        for (int i = 0; i < 4; ++i) {
            modes[i] = new CButtonControl(this, this, moveId + i, {580 + 50 * i, 98, 628 + 50 * i, 158},
                                          nullptr, CTL_TOGGLE, 0);
            AddControl(modes[i]);
        }
        mixer->SetButtons(modes[0], modes[1], modes[2], modes[3]);
        for (int i = 0; i < layerCount; ++i) {
            layers.push_back(new CLayerControl(this, this, 100025 + 2 * i, {603, 233, 777, 260}, nullptr, 0,
                                               togglePicture.c_str(), 100026 + 2 * i, 2, 2));
            AddControl(layers.back());
        }
        for (int id = infoId; id <= deleteId; ++id)
            AddControl(new CButtonControl(this, this, id,
                                          {580 + 40 * (id - infoId), 170, 615 + 40 * (id - infoId), 205},
                                          nullptr, 0, 0));
        strip = new CLayerStrip(this, this, 100045, {599, 230, 781, 540}, 0x10400, 4, 3);
        AddControl(strip);
        for (CLayerControl* layer : layers)
            strip->AddControl(layer);
        strip->SetButtons(Button(infoId), Button(glueId), Button(upId), Button(downId), Button(deleteId));
        strip->SetCompositor(mixer);
        SetBackground(background);
        PaintBackground(nullptr);
        GetMessageTable().AddMessage(MSG_CLEAR_LAYER, 0, "Clear the layer?");
        SetModalResponder([](const ModalQuestion&) {
            ModalAnswer answer;
            answer.result = IDOK;
            return answer;
        });
        ASSERT_TRUE(table.Build());
    }
    void SetUp() override {
        const std::string toggle = dir.Join("bvisib.bmp");
        SolidPicture(25, 108, RGB(90, 90, 90))->Save(toggle);
        Build(1000, 700, toggle);
    }
    void TearDown() override { SetModalResponder({}); }
    BOOL OnEraseBkgnd(CDC* dc) override { return PaintBackground(dc) ? TRUE : CWnd::OnEraseBkgnd(dc); }

    CButtonControl* Button(int id) { return static_cast<CButtonControl*>(FindControl(id)); }
    const std::vector<std::unique_ptr<CDIBSlot>>& Slots() { return mixer->GetSlots(); }

    // Puts picture on layer i with a new key, as the editor does with a picked picture (without the
    // strip's refresh).
    std::uint32_t Put(int i, std::unique_ptr<CDIB> picture) {
        EXPECT_TRUE(layers[i]->PutContent(std::move(picture), NewContentKey(), "layer " + std::to_string(i)));
        return layers[i]->GetContentKey();
    }
    RECT Update() {
        RECT rect{};
        EXPECT_TRUE(mixer->UpdateFromLayerStrip(&rect));
        return rect;
    }
    static RECT AreaOf(const CDIBSlot* slot) {
        RECT area{slot->m_x, slot->m_y, slot->m_x + slot->m_width, slot->m_y + slot->m_height};
        NormalizeRect(area);
        return area;
    }
    static RECT Union(RECT a, const RECT& b) {
        UnionRect(a, a, b);
        return a;
    }
    // Puts slot at place (right before left mirrors it) as a drag does: it gathers its old and new area.
    static void Drag(CDIBSlot* slot, const RECT& place) {
        const RECT old = AreaOf(slot);
        slot->m_x = place.left, slot->m_y = place.top;
        slot->m_width = place.Width(), slot->m_height = place.Height();
        slot->SetMirrorHorizontal(slot->m_width < 0);
        slot->m_changed = 1;
        slot->m_changedArea = Union(old, AreaOf(slot));
    }
    // Whether the canvas is what composing every slot from scratch gives.
    ::testing::AssertionResult CanvasIsComposedWhole() {
        const CDIB& canvas = mixer->GetCanvas();
        CDIB expected;
        expected.Create(canvas.GetWidth(), canvas.GetHeight(), 24);
        ReferenceCompose(expected, Slots(), GetScaleX(), GetScaleY(), nullptr, true, table.Data(),
                         MIXER_KEY_COLOUR, MIXER_BACKGROUND);
        for (int y = 0; y < canvas.GetHeight(); ++y)
            for (int x = 0; x < canvas.GetWidth(); ++x)
                if (PixelAt(canvas, x, y) != PixelAt(expected, x, y))
                    return ::testing::AssertionFailure() << "first difference at " << x << ", " << y;
        return ::testing::AssertionSuccess();
    }

    int layerCount = 10; // layer controls Build makes
    TempDir dir;
    CBlendTable table;
    CDIBMixer* mixer = nullptr;
    CLayerStrip* strip = nullptr;
    std::vector<CLayerControl*> layers;
};

// Keeps every composed change of mixer's picture as a step, as the editor does, from the picture it has now
// for as long as it lives.
struct HistoryRecorder : CPictureObserver {
    explicit HistoryRecorder(CDIBMixer* mixer) : mixer(mixer) {
        history.Reset(mixer->CaptureState());
        mixer->SetObserver(this);
    }
    ~HistoryRecorder() { mixer->SetObserver(nullptr); }
    HistoryRecorder(const HistoryRecorder&) = delete;
    HistoryRecorder& operator=(const HistoryRecorder&) = delete;
    void OnPictureComposed() override { history.Commit(mixer->CaptureState()); }
    CDIBMixer* mixer;
    CUndoHistory history;
};

// A picture of w x h in colour with a white (key) hole, or cut out through an alpha companion with a
// soft edge.
inline std::unique_ptr<CDIB> Picture(int w, int h, COLORREF colour, bool withAlpha) {
    auto picture = SolidPicture(w, h, colour);
    const RECT hole{w / 4, h / 4, w / 2, h / 2};
    picture->Fill(0xFFFFFF, &hole);
    if (withAlpha) {
        auto alpha = SolidAlpha(w, h, 255);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w / 5; ++x)
                alpha->GetBits()[std::size_t(y) * alpha->GetStride() + x] = BYTE(40 * x % 256);
        picture->SetAlpha(std::move(alpha));
    }
    return picture;
}
