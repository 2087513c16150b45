#include "composition/CanvasComposer.h"
#include "ReferenceCompose.h"
#include "composition/BlendTable.h"
#include "composition/PixelKernels.h"
#include "support/Pictures.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <iterator>
#include <vector>

namespace {
constexpr COLORREF white = 0xFFFFFF;
constexpr COLORREF grey = 0xC8C8C8;

// A picture of any bit count pixel addressing knows, its bytes left for the caller to set.
std::unique_ptr<CDIB> Plane(int width, int height, int bitCount) {
    const DWORD colours = bitCount <= 8 ? 1u << bitCount : 0;
    const DWORD rows = CDIB::StrideOf(width, bitCount) * DWORD(height);
    const DWORD size = sizeof(BITMAPINFOHEADER) + 4 * colours + rows;
    auto block = std::make_unique<BYTE[]>(size);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = WORD(bitCount);
    header.biSizeImage = rows;
    std::memcpy(block.get(), &header, sizeof header);
    auto dib = std::make_unique<CDIB>();
    EXPECT_TRUE(dib->Attach(std::move(block), size));
    return dib;
}

struct Scene {
    std::vector<std::unique_ptr<CDIB>> sources;
    std::vector<std::unique_ptr<CDIBSlot>> slots;

    CDIBSlot* Add(std::unique_ptr<CDIB> source, int x, int y, int width, int height) {
        auto slot = std::make_unique<CDIBSlot>();
        EXPECT_TRUE(slot->CreateFromLayerDib(source.get(), std::uint32_t(slots.size() + 1)));
        slot->m_x = x, slot->m_y = y, slot->m_width = width, slot->m_height = height;
        slot->m_visible = 1;
        slot->SetMirrorHorizontal(width < 0);
        slot->SetMirrorVertical(height < 0);
        sources.push_back(std::move(source));
        slots.push_back(std::move(slot));
        return slots.back().get();
    }
};

// Composes one 1 x 1 layer pixel of colour through alpha over a 1 x 1 canvas of background.
COLORREF ComposeOnePixel(COLORREF colour, int alpha, COLORREF background, bool blend, const BYTE* table) {
    Scene scene;
    auto source = SolidPicture(1, 1, colour);
    if (alpha >= 0)
        source->SetAlpha(SolidAlpha(1, 1, BYTE(alpha)));
    scene.Add(std::move(source), 0, 0, 1, 1);
    auto canvas = SolidPicture(1, 1, 0x123456);
    CCanvasComposer(table).Compose(*canvas, scene.slots, 1.0, 1.0, nullptr, blend, white, background);
    return PixelAt(*canvas, 0, 0);
}
} // namespace

void PrintTo(KernelSet set, std::ostream* out) {
    *out << KernelSetName(set);
}

// The tests that reach the pixel kernels run with every set this build has: each must give the same bytes.
class CanvasComposerWithEachKernelSet : public testing::TestWithParam<KernelSet> {};
INSTANTIATE_TEST_SUITE_P(, CanvasComposerWithEachKernelSet,
                         testing::ValuesIn(KernelSets().begin(), KernelSets().end()),
                         [](const testing::TestParamInfo<KernelSet>& info) {
                             return KernelSetName(info.param);
                         });

TEST(BlendTable, HoldsTheTruncatedProducts) {
    CBlendTable table;
    ASSERT_TRUE(table.Build());
    const BYTE* t = table.Data();
    for (int a = 0; a < 256; ++a)
        for (int b = 0; b < 256; ++b)
            ASSERT_EQ(t[a * 256 + b], (a * b) >> 8) << a << " " << b;
    EXPECT_EQ(t[255 * 256 + 255], 254);
}

TEST(CanvasComposer, PixelRulesGiveThePinnedValues) {
    CBlendTable built;
    ASSERT_TRUE(built.Build());
    for (const BYTE* table : {built.Data(), static_cast<const BYTE*>(nullptr)}) {
        SCOPED_TRACE(table ? "with table" : "without table");
        EXPECT_EQ(ComposeOnePixel(white, 128, 0x000000, true, table), RGB(127, 127, 127));
        EXPECT_EQ(ComposeOnePixel(RGB(10, 200, 77), 1, white, true, table), RGB(253, 253, 253));
        EXPECT_EQ(ComposeOnePixel(white, 1, 0x000000, true, table), 0u);
        EXPECT_EQ(ComposeOnePixel(white, 254, 0x000000, true, table), RGB(253, 253, 253));
        // Alpha 255 copies exactly, white included; alpha 0 leaves the background.
        EXPECT_EQ(ComposeOnePixel(white, 255, 0x000000, true, table), white);
        EXPECT_EQ(ComposeOnePixel(RGB(1, 2, 3), 0, grey, true, table), grey);
        // Blending off drops soft pixels but keeps opaque ones.
        EXPECT_EQ(ComposeOnePixel(white, 200, 0x000000, false, table), 0u);
        EXPECT_EQ(ComposeOnePixel(RGB(9, 8, 7), 255, 0x000000, false, table), RGB(9, 8, 7));
    }
    // Without an alpha companion white is the key colour; anything else (254, 255, 255 too) covers.
    EXPECT_EQ(ComposeOnePixel(white, -1, grey, true, nullptr), grey);
    EXPECT_EQ(ComposeOnePixel(RGB(255, 255, 254), -1, grey, true, nullptr), RGB(255, 255, 254));
}

// Every weight over every pair of canvas and picture bytes, in long runs as the vector mixing takes
// them: each byte must be the table's sum.
TEST_P(CanvasComposerWithEachKernelSet, SoftPixelsMatchTheTableForEveryWeightAndByte) {
    CBlendTable built;
    ASSERT_TRUE(built.Build());
    const BYTE* t = built.Data();
    auto rampAcross = SolidPicture(256, 256, 0); // the canvas bytes behind: column x is x
    auto rampDown = SolidPicture(256, 256, 0);   // the picture bytes in front: row y is y
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            SetPixelAt(*rampAcross, x, y, RGB(x, x, x));
            SetPixelAt(*rampDown, x, y, RGB(y, y, y));
        }
    rampAcross->SetAlpha(SolidAlpha(256, 256, 255));
    Scene scene;
    CDIB* front = rampDown.get();
    scene.Add(std::move(rampDown), 0, 0, 256, 256);
    scene.Add(std::move(rampAcross), 0, 0, 256, 256);
    auto canvas = SolidPicture(256, 256, 0);
    for (int a = 1; a < 255; ++a) {
        front->SetAlpha(SolidAlpha(256, 256, BYTE(a)));
        CCanvasComposer(t, GetParam()).Compose(*canvas, scene.slots, 1.0, 1.0, nullptr, true, white, grey);
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x) {
                const int mixed = t[x * 256 + 255 - a] + t[y * 256 + a];
                ASSERT_EQ(PixelAt(*canvas, x, y), RGB(mixed, mixed, mixed)) << a << " " << x << " " << y;
            }
    }
}

TEST(CanvasComposer, WithoutSlotsTheWholeCanvasTurnsGreyEvenForASmallArea) {
    auto canvas = SolidPicture(7, 5, 0x010203);
    RECT rect{1, 1, 2, 2};
    CCanvasComposer().Compose(*canvas, {}, 1.0, 1.0, &rect, true, white, grey);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            ASSERT_EQ(PixelAt(*canvas, x, y), grey);
}

TEST(CanvasComposer, AnEmptyUpdateAreaChangesNothingAndTheAreaIsScaledInPlace) {
    Scene scene;
    scene.Add(SolidPicture(4, 4, 0x0000FF), 0, 0, 4, 4);
    auto canvas = SolidPicture(8, 8, 0x010203);
    RECT rect{3, 5, 3, 1};
    CCanvasComposer().Compose(*canvas, scene.slots, 2.0, 2.0, &rect, true, white, grey);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(PixelAt(*canvas, x, y), 0x010203u);
    EXPECT_EQ(rect, (RECT{6, 2, 6, 10}));
}

// A slot over columns 0 and 1 of one row of eight. Past the slot the row turns to background up to the
// right edge only when the update area holds column 3 or beyond, and then from the update area's first
// column past the slot; the columns before the update area stay as they were.
TEST(CanvasComposer, PastTheLastSlotTheRowTurnsToBackgroundBeyondTheUpdateArea) {
    const struct {
        LONG left, right;
        const char* expected; // per column: s slot, g background, . untouched
    } cases[] = {
        {0, 3, "ssg....."}, {0, 4, "ssgggggg"}, {1, 2, ".s......"},
        {2, 3, "..g....."}, {3, 4, "...ggggg"}, {5, 6, ".....ggg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        Scene scene;
        scene.Add(SolidPicture(2, 1, 0x0000FF), 0, 0, 2, 1);
        auto canvas = SolidPicture(8, 1, 0x010203);
        RECT rect{c.left, 0, c.right, 1};
        CCanvasComposer().Compose(*canvas, scene.slots, 1.0, 1.0, &rect, true, white, grey);
        for (int x = 0; x < 8; ++x) {
            const char e = c.expected[x];
            EXPECT_EQ(PixelAt(*canvas, x, 0), e == 's' ? 0x0000FFu : e == 'g' ? grey : 0x010203u) << x;
        }
    }
}

TEST(CanvasComposer, NegativeWidthMirrorsBetweenXMinusWidthAndX) {
    Scene scene;
    auto source = SolidPicture(3, 1, 0x000010);
    SetPixelAt(*source, 0, 0, 0x000001);
    SetPixelAt(*source, 2, 0, 0x000003);
    scene.Add(std::move(source), 5, 0, -3, 1);
    auto canvas = SolidPicture(6, 1, 0);
    CCanvasComposer().Compose(*canvas, scene.slots, 1.0, 1.0, nullptr, true, white, grey);
    EXPECT_EQ(PixelAt(*canvas, 1, 0), grey);
    EXPECT_EQ(PixelAt(*canvas, 2, 0), 0x000003u);
    EXPECT_EQ(PixelAt(*canvas, 3, 0), 0x000010u);
    EXPECT_EQ(PixelAt(*canvas, 4, 0), 0x000001u);
    EXPECT_EQ(PixelAt(*canvas, 5, 0), grey);
}

TEST(CanvasComposer, ASlotPartlyOffTheCanvasIsClippedAndAHalfSizeAlphaCoversTwoPixels) {
    Scene scene;
    auto source = SolidPicture(4, 4, 0x00FF00);
    auto alpha = SolidAlpha(2, 2, 0);
    alpha->GetBits()[alpha->GetStride()] = 255; // top-left alpha pixel opaque
    source->SetAlpha(std::move(alpha));
    scene.Add(std::move(source), -2, -2, 4, 4);
    auto canvas = SolidPicture(4, 4, 0);
    CCanvasComposer().Compose(*canvas, scene.slots, 1.0, 1.0, nullptr, true, white, grey);
    // The opaque quarter lies wholly above and left of the canvas; the rest of the slot is transparent.
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            ASSERT_EQ(PixelAt(*canvas, x, y), grey) << x << "," << y;
    scene.slots[0]->m_x = scene.slots[0]->m_y = 0;
    CCanvasComposer().Compose(*canvas, scene.slots, 1.0, 1.0, nullptr, true, white, grey);
    EXPECT_EQ(PixelAt(*canvas, 1, 1), 0x00FF00u);
    EXPECT_EQ(PixelAt(*canvas, 2, 1), grey);
    EXPECT_EQ(PixelAt(*canvas, 1, 2), grey);
}

// Stored slots can hold any numbers: the far ends of the range must neither overflow nor reach outside.
TEST_P(CanvasComposerWithEachKernelSet, SlotsAtTheEndsOfTheRangeAreSafe) {
    for (int value : {INT32_MIN, INT32_MIN + 1, -70000, 70000, INT32_MAX}) {
        const int opposite = value == INT32_MIN ? INT32_MAX : -value;
        Scene scene;
        scene.Add(SolidPicture(3, 3, 0x0000FF), value, 0, value, 2);
        scene.Add(SolidPicture(3, 3, 0x00FF00), 0, value, 2, value);
        scene.Add(SolidPicture(3, 3, 0xFF0000), value, value, opposite, value);
        auto canvas = SolidPicture(5, 4, 0);
        RECT rect{value, value, opposite, 3};
        CCanvasComposer(nullptr, GetParam())
            .Compose(*canvas, scene.slots, 3.5, 0.25, &rect, true, white, grey);
        CCanvasComposer(nullptr, GetParam())
            .Compose(*canvas, scene.slots, 3.5, 0.25, nullptr, true, white, grey);
    }
}

// Random scenes: slots in and out of the canvas, negative sizes and mirror flags in any combination,
// companions of other sizes and depths, hidden slots, update areas, blending on and off, with and
// without the table. Every byte must equal the yardstick's, including the bytes left alone.
TEST_P(CanvasComposerWithEachKernelSet, MatchesThePlainReadingOfTheRulesOnRandomScenes) {
    CBlendTable built;
    ASSERT_TRUE(built.Build());
    std::mt19937 rng(12345);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    auto randomise = [&](CDIB& dib) {
        for (DWORD i = 0; i < dib.GetStride() * DWORD(dib.GetHeight()); ++i)
            dib.GetBits()[i] = BYTE(pick(0, 255));
    };
    const double scales[] = {1.0, 0.5, 0.73, 1.37, 2.0, 0.3, 1.7612};
    for (int round = 0; round < 3000; ++round) {
        SCOPED_TRACE(round);
        Scene scene;
        const int slotCount = pick(0, 5);
        for (int i = 0; i < slotCount; ++i) {
            auto source = std::make_unique<CDIB>();
            source->Create(pick(1, 30), pick(1, 30), 24);
            randomise(*source);
            if (pick(0, 2) == 0) // key-colour layers: make some pixels white
                for (int k = 0; k < 20; ++k)
                    SetPixelAt(*source, pick(0, source->GetWidth() - 1), pick(0, source->GetHeight() - 1),
                               white);
            const int alphaKind = pick(0, 3);
            if (alphaKind) {
                const int bitCounts[] = {8, 24, 1, 4, 16};
                auto alpha = Plane(pick(1, 90), pick(1, 40),
                                   alphaKind < 3 ? bitCounts[alphaKind - 1] : bitCounts[pick(2, 4)]);
                // Coverage in runs of 0, 255 and values between, as real companions have it; short runs
                // or long ones.
                const int longest = pick(0, 1) ? 3 : 40;
                BYTE* bytes = alpha->GetBits();
                for (DWORD k = 0, end = alpha->GetStride() * DWORD(alpha->GetHeight()); k < end;) {
                    const int c = pick(0, 3);
                    const BYTE v = c == 0 ? 0 : c == 1 ? 255 : BYTE(pick(1, 254));
                    for (int n = pick(1, longest); n > 0 && k < end; --n)
                        bytes[k++] = c == 3 ? BYTE(pick(0, 255)) : v;
                }
                source->SetAlpha(std::move(alpha));
            }
            CDIBSlot* slot =
                scene.Add(std::move(source), pick(-40, 70), pick(-40, 70), pick(-45, 45), pick(-45, 45));
            if (pick(0, 4) == 0) {
                slot->SetMirrorHorizontal(pick(0, 1));
                slot->SetMirrorVertical(pick(0, 1));
            }
            slot->m_visible = pick(0, 5) != 0;
        }
        const double sx = scales[pick(0, 6)], sy = scales[pick(0, 6)];
        auto canvas = std::make_unique<CDIB>();
        canvas->Create(pick(1, 60), pick(1, 50), 24);
        randomise(*canvas);
        auto expected = canvas->Clone();
        RECT rect{pick(-10, 60), pick(-10, 60), pick(-10, 60), pick(-10, 60)};
        const bool withRect = pick(0, 2) != 0;
        const bool blend = pick(0, 3) != 0;
        const BYTE* table = pick(0, 3) ? built.Data() : nullptr;
        const COLORREF background = pick(0, 1) ? grey : 0x102030;

        ReferenceCompose(*expected, scene.slots, sx, sy, withRect ? &rect : nullptr, blend, table, white,
                         background);
        CCanvasComposer(table, GetParam())
            .Compose(*canvas, scene.slots, sx, sy, withRect ? &rect : nullptr, blend, white, background);
        ASSERT_EQ(0, std::memcmp(canvas->GetBlock(), expected->GetBlock(), canvas->GetSize()));
    }
}

namespace {
// A picture of varied colours whose companion is opaque inside an ellipse, soft over a ramp at its edge
// and transparent outside.
std::unique_ptr<CDIB> SoftDisc(int width, int height, int seed) {
    auto picture = SolidPicture(width, height, 0);
    auto alpha = SolidAlpha(width, height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            SetPixelAt(*picture, x, y, RGB(seed * 50 + x, seed * 30 + y, x * y));
            const double dx = (x + 0.5) / width * 2 - 1, dy = (y + 0.5) / height * 2 - 1;
            const double inside = (1 - std::sqrt(dx * dx + dy * dy)) * 6;
            alpha->GetBits()[std::size_t(height - 1 - y) * alpha->GetStride() + x] =
                BYTE(std::clamp(inside, 0.0, 1.0) * 255);
        }
    picture->SetAlpha(std::move(alpha));
    return picture;
}
} // namespace

// Each step of a drag composes only the old and new place of the dragged layer and keeps what the layers
// in front decide; the canvas must stay what composing everything anew gives, byte for byte, also when a
// layer in front moves during the drag.
TEST(CanvasComposer, ADragStepGivesTheSameCanvasAsComposingEverythingAnew) {
    CBlendTable table;
    ASSERT_TRUE(table.Build());
    const struct {
        std::size_t dragged;
        double scale;
    } cases[] = {{0, 1.0}, {2, 1.0}, {4, 1.0}, {2, 1.7}, {4, 0.8}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "slot " << c.dragged << " at " << c.scale);
        Scene scene;
        scene.Add(SoftDisc(40, 30, 1), 10, 8, 40, 30);
        scene.Add(SoftDisc(30, 30, 2), 30, 20, -30, 30); // mirrored
        scene.Add(SoftDisc(50, 40, 3), 20, 10, 50, 40);
        scene.Add(SolidPicture(20, 20, 0x00FF00), 50, 30, 20, 20); // no companion: covers where not white
        scene.Add(SoftDisc(120, 90, 4), 0, 0, 100, 70);            // the back-most, nearly whole
        const int width = int(100 * c.scale), height = int(70 * c.scale);
        auto canvas = SolidPicture(width, height, 0);
        CCanvasComposer composer(table.Data());
        composer.Compose(*canvas, scene.slots, c.scale, c.scale, nullptr, true, white, grey);
        CDIBSlot& dragged = *scene.slots[c.dragged];
        composer.BeginDrag({&dragged});
        const POINT steps[] = {{1, 0}, {3, 2}, {-7, 1}, {0, -4}, {12, 9}, {-2, -2}};
        for (std::size_t i = 0; i < std::size(steps); ++i) {
            // Halfway a layer in front changes too: its place is composed with the step.
            CDIBSlot& moved = i == 3 && c.dragged > 0 ? *scene.slots[0] : dragged;
            // Wide enough each way for a mirrored slot too.
            const auto place = [&moved] {
                const LONG w = std::abs(moved.m_width) + 1, h = std::abs(moved.m_height) + 1;
                return RECT{moved.m_x - w, moved.m_y - h, moved.m_x + w, moved.m_y + h};
            };
            RECT area = place();
            moved.m_x += steps[i].x;
            moved.m_y += steps[i].y;
            UnionRect(area, area, place());
            composer.Compose(*canvas, scene.slots, c.scale, c.scale, &area, true, white, grey);
            auto whole = SolidPicture(width, height, 0);
            CCanvasComposer(table.Data())
                .Compose(*whole, scene.slots, c.scale, c.scale, nullptr, true, white, grey);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    ASSERT_EQ(PixelAt(*canvas, x, y), PixelAt(*whole, x, y))
                        << "step " << i << " at " << x << ", " << y;
        }
        composer.EndDrag();
    }
}
