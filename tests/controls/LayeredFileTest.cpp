#include "composition/LayeredFile.h"
#include "LayerScreen.h"
#include "platform/File.h"
#include "support/BmpFixtures.h"
#include "support/ShownPictureFile.h"

#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <string_view>

namespace {
// The layer strip with five layers, and every message the picture area shows.
class LayeredFile : public LayerScreen {
protected:
    LayeredFile() { layerCount = 5; }
    void SetUp() override {
        LayerScreen::SetUp();
        SetModalResponder([this](const ModalQuestion& q) {
            messages.push_back(q.text);
            ModalAnswer answer;
            answer.result = IDOK;
            return answer;
        });
    }

    static std::string Bytes(const CDIB* dib) {
        return dib ? std::string(reinterpret_cast<const char*>(dib->GetBlock()), dib->GetSize()) : "none";
    }
    // Everything a load could change: the layers, the slots, the selection and the picture shown.
    std::string State() {
        std::ostringstream s;
        for (const CLayerControl* layer : layers)
            s << layer->GetContentKey() << ' ' << layer->GetImage() << ' ' << layer->GetLabel() << ' '
              << layer->GetToggle()->GetFlags() << ' ' << layer->IsChanged() << "; ";
        for (const auto& slot : Slots())
            s << slot.get() << ' ' << slot->m_key << ' ' << slot->m_x << ' ' << slot->m_y << ' '
              << slot->m_width << ' ' << slot->m_height << ' ' << slot->m_visible << "; ";
        s << mixer->GetSelectedSlot() << ' ' << std::hash<std::string>()(Bytes(&mixer->GetCanvas()));
        return s.str();
    }
    // The slot that shows layer i's content.
    CDIBSlot* SlotOf(int i) { return mixer->FindDibSlot(layers[i]->GetContentKey()); }
    std::string Path(const std::string& name) { return dir.Join(name); }

    std::vector<std::string> messages;
};

std::unique_ptr<CDIB> Named(std::unique_ptr<CDIB> picture, const std::string& name,
                            const std::string& alpha = "") {
    picture->SetName(name);
    if (picture->GetAlpha())
        picture->GetAlpha()->SetName(alpha);
    return picture;
}

// A 24-bit w x h BMP file image of one colour (blue, green, red bytes).
std::string SolidBmp(int w, int h, const std::string& bgr) {
    const DWORD stride = CDIB::StrideOf(w, 24);
    std::string rows;
    for (int y = 0; y < h; ++y) {
        std::string row;
        for (int x = 0; x < w; ++x)
            row += bgr;
        row.resize(stride, '\0');
        rows += row;
    }
    return MakeBmp({w, h, 24, BI_RGB, 0, 40, {}, rows});
}

struct Entry {
    std::int32_t x = 0, y = 0, width = 10, height = 10;
    bool visible = true, noImage = false;
    std::string name, image, alpha;                        // name: the whole 260-byte field when that long
    std::int32_t mirrorHorizontal = 0, mirrorVertical = 0; // as stored, whatever the signs say
};

// A layered file as the format lays it out, made here byte by byte.
std::string Qmf(std::int32_t count, const std::vector<Entry>& entries) {
    std::string bytes("QMF\0\0\0\0\0", 8);
    Poke<std::int32_t>(bytes, 4, count);
    for (const Entry& e : entries) {
        std::string record(564, '\0');
        const std::int32_t fields[] = {7,
                                       e.x,
                                       e.y,
                                       e.width,
                                       e.height,
                                       3,
                                       e.mirrorHorizontal,
                                       e.mirrorVertical,
                                       e.visible,
                                       !e.alpha.empty(),
                                       e.noImage};
        for (std::size_t i = 0; i < std::size(fields); ++i)
            Poke(record, 4 * i, fields[i]);
        record.replace(44, e.name.size(), e.name);
        bytes += record + e.image + e.alpha;
    }
    return bytes;
}
} // namespace

TEST_F(LayeredFile, SlotsAreWrittenBackMostFirstAndComeBackOnTheBackLayersWithFreshKeys) {
    Put(0, Named(Picture(90, 45, RGB(200, 0, 0), true), "res/chars/ihouse.bmp", "res/chars/ahouse.bmp"));
    Put(2, Named(Picture(36, 72, RGB(0, 0, 200), false), "pics\\ballon.x.bmp"));
    const std::string front = Bytes(layers[0]->GetImage()),
                      frontAlpha = Bytes(layers[0]->GetImage()->GetAlpha());
    const std::string back = Bytes(layers[2]->GetImage());
    layers[2]->SetHidden(true);
    strip->Refresh(0, TRUE);
    Drag(SlotOf(0), {160, 90, 100, 50}); // dragged past its left and top edges
    SlotOf(0)->SetMirrorVertical(1);
    SlotOf(0)->SetStretchMode(HALFTONE);
    strip->Refresh(0, TRUE);
    ASSERT_TRUE(WriteShownPicture(*mixer, Path("p.qmf").c_str()));
    EXPECT_EQ(Peek<std::int32_t>(dir.Read("p.qmf"), 4), 2);

    Put(1, Picture(20, 20, RGB(0, 200, 0), false));
    strip->Refresh(0, TRUE);
    Drag(SlotOf(1), {300, 200, 340, 240}); // where the file puts nothing
    strip->Refresh(0, TRUE);
    const std::uint32_t newestBefore = NewContentKey();
    ASSERT_TRUE(ReadShownPicture(*mixer, Path("p.qmf").c_str()));

    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(layers[i]->GetImage(), nullptr) << i;
        EXPECT_EQ(layers[i]->GetContentKey(), 0u) << i;
        EXPECT_EQ(layers[i]->GetLabel(), "") << i;
    }
    CDIB* was2 = layers[4]->GetImage();
    CDIB* was0 = layers[3]->GetImage();
    ASSERT_TRUE(was2 && was0);
    EXPECT_EQ(Bytes(was2), back);
    EXPECT_EQ(Bytes(was0), front);
    EXPECT_EQ(Bytes(was0->GetAlpha()), frontAlpha);
    EXPECT_EQ(was0->GetName(), "res/chars/ihouse.bmp");
    EXPECT_EQ(was0->GetAlpha()->GetName(), "res/chars/ahouse.bmp");
    EXPECT_EQ(layers[3]->GetLabel(), "house");
    EXPECT_EQ(layers[4]->GetLabel(), "ballon.x") << "a folder written with backslashes goes too";
    EXPECT_TRUE(layers[3]->IsShown());
    EXPECT_FALSE(layers[4]->IsShown());
    EXPECT_GT(layers[3]->GetContentKey(), newestBefore);
    EXPECT_GT(layers[4]->GetContentKey(), newestBefore);
    EXPECT_NE(layers[3]->GetContentKey(), layers[4]->GetContentKey());

    ASSERT_EQ(Slots().size(), 2u);
    EXPECT_EQ(Slots()[0].get(), SlotOf(3)) << "the front-most layer's slot first";
    const CDIBSlot& mirrored = *Slots()[0];
    EXPECT_EQ(AreaOf(&mirrored), (RECT{100, 50, 160, 90}));
    EXPECT_EQ(mirrored.m_width, -60);
    EXPECT_EQ(mirrored.m_height, -40);
    EXPECT_EQ(mirrored.GetMirrorHorizontal(), 1);
    EXPECT_EQ(mirrored.GetMirrorVertical(), 1);
    EXPECT_EQ(mirrored.GetStretchMode(), HALFTONE);
    EXPECT_EQ(mirrored.m_visible, 1);
    EXPECT_EQ(mirrored.m_source, was0);
    EXPECT_EQ(Slots()[1]->m_visible, 0);
    EXPECT_EQ(AreaOf(Slots()[1].get()), (RECT{0, 0, 20, 40}));
    EXPECT_TRUE(CanvasIsComposedWhole()) << "nothing of the former picture stays";
    EXPECT_EQ(messages, std::vector<std::string>{});
}

// A text layer's text, font, colour and centring, and the picture it lies on, come back from the block
// after the entries. Without the block, or with a damaged one, the same pictures load, the texts as plain
// pictures; a record of a kind the reader does not know is passed over.
TEST_F(LayeredFile, TextsComeBackFromTheBlockAfterTheEntriesAndADamagedBlockIsPassedOver) {
    Put(3, Named(Picture(90, 60, RGB(0, 200, 0), true), "res/textblbs/ispeech-left.bmp", "a.bmp"));
    Put(0, Picture(20, 20, RGB(0, 0, 200), false));
    strip->Refresh(0, TRUE);
    strip->Select(layers[3]);
    LOGFONT font{};
    font.lfHeight = -30;
    font.lfItalic = 1;
    std::strcpy(font.lfFaceName, "DejaVu Sans");
    ASSERT_TRUE(mixer->SetTextLayer("H\xc3\xa9llo\nthere", &font, RGB(1, 2, 3), 1));
    const LayerText written = *layers[2]->GetText();
    ASSERT_TRUE(WriteShownPicture(*mixer, Path("p.qmf").c_str()));
    const std::string good = dir.Read("p.qmf");
    const std::size_t block = good.rfind("QMFX"), first = block + 12; // the first record: entry 1's text
    ASSERT_NE(block, std::string::npos);
    auto with = [&](std::size_t at, DWORD value) {
        std::string b = good;
        Poke(b, at, value);
        return b;
    };
    const struct {
        const char* what;
        std::string bytes;
        bool text;
    } rows[] = {
        {"no block", good.substr(0, block), false},
        {"a block cut short", good.substr(0, good.size() - 1), false},
        {"a length beyond the file", with(first + 8, 0x7FFFFFF0), false},
        {"too many records", with(block + 8, 5000), false},
        {"a kind not known", with(first + 4, 99), false},
        {"the whole block", good, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        // The slots of layers 0, 2 and 3 are written back-most first and come back on layers 2 to 4.
        ASSERT_TRUE(ReadShownPicture(*mixer, dir.Write("t.qmf", row.bytes).c_str()));
        EXPECT_EQ(Slots().size(), 3u);
        EXPECT_EQ(layers[3]->GetText() == written, row.text);
        EXPECT_EQ(layers[3]->GetAttachedTo(), row.text ? layers[4]->GetContentKey() : 0u);
        EXPECT_EQ(layers[4]->GetLabel(), "speech left");
    }
    EXPECT_EQ(layers[3]->GetLabel(), "H\xc3\xa9llo there");
}

TEST_F(LayeredFile, TheWrittenFileFollowsTheLayoutByteForByte) {
    const std::string longName = std::string(258, 'n') + "\xc3\xa9"; // 260 bytes, the last character two
    const std::uint32_t front = Put(0, Named(Picture(3, 2, RGB(1, 2, 3), true), longName, "a.bmp"));
    const std::uint32_t back = Put(1, Named(Picture(5, 1, RGB(4, 5, 6), false), std::string(259, 'm')));
    strip->Refresh(0, TRUE);
    Drag(SlotOf(1), {-7, 8, -27, 30});
    strip->Refresh(0, TRUE);
    ASSERT_TRUE(WriteShownPicture(*mixer, Path("p.qmf").c_str()));
    const std::string b = dir.Read("p.qmf");

    EXPECT_EQ(b.substr(0, 8), std::string("QMF\0\2\0\0\0", 8));
    // The back-most slot first: 5 x 1 without alpha companion, then 3 x 2 with one.
    const std::size_t first = 8, firstImage = first + 564, second = firstImage + 54 + 16;
    const std::int32_t firstRecord[] = {std::int32_t(back), -7, 8, -20, 22, COLORONCOLOR, 1, 0, 1, 0, 0};
    const std::int32_t secondRecord[] = {std::int32_t(front), 0, 0, 1, 1, COLORONCOLOR, 0, 0, 1, 1, 0};
    for (std::size_t i = 0; i < std::size(firstRecord); ++i) {
        EXPECT_EQ(Peek<std::int32_t>(b, first + 4 * i), firstRecord[i]) << "field at " << 4 * i;
        EXPECT_EQ(Peek<std::int32_t>(b, second + 4 * i), secondRecord[i]) << "field at " << 4 * i;
    }
    EXPECT_EQ(b.substr(first + 44, 260), std::string(259, 'm') + '\0');
    EXPECT_EQ(b.substr(first + 304, 260), std::string(260, '\0'));
    EXPECT_EQ(b.substr(second + 44, 260), std::string(258, 'n') + std::string(2, '\0'))
        << "a name too long loses its whole last character";
    EXPECT_EQ(b.substr(second + 304, 6), std::string("a.bmp\0", 6));

    EXPECT_EQ(b.substr(firstImage, 2), "BM");
    EXPECT_EQ(Peek<DWORD>(b, firstImage + 2), 54u + 16);
    EXPECT_EQ(Peek<DWORD>(b, firstImage + 10), 54u);
    EXPECT_EQ(b.substr(firstImage + 14, 40 + 16), Bytes(layers[1]->GetImage()));
    const std::size_t secondImage = second + 564, alpha = secondImage + 54 + 24;
    EXPECT_EQ(Peek<DWORD>(b, secondImage + 2), 54u + 24);
    EXPECT_EQ(Peek<DWORD>(b, alpha + 2), 14u + 40 + 1024 + 8) << "the 8-bit companion with its colour table";
    EXPECT_EQ(Peek<DWORD>(b, alpha + 10), 14u + 40 + 1024);
    EXPECT_EQ(b.size(), alpha + 14 + 40 + 1024 + 8);

    // Read back, a name without its terminating zero is its first 259 characters.
    ASSERT_TRUE(ReadShownPicture(*mixer, Path("p.qmf").c_str()));
    EXPECT_EQ(layers[4]->GetImage()->GetName(), std::string(259, 'm'));
    EXPECT_EQ(layers[3]->GetImage()->GetName(), std::string(258, 'n'));
    ASSERT_TRUE(ReadShownPicture(
        *mixer, dir.Write("unended.qmf", Qmf(1, {{0, 0, 9, 9, true, false, std::string(260, 'u'),
                                                  SolidBmp(2, 2, "abc"), ""}}))
                    .c_str()));
    EXPECT_EQ(layers[4]->GetImage()->GetName(), std::string(259, 'u'));
    EXPECT_EQ(layers[4]->GetLabel(), std::string(259, 'u'));
}

TEST_F(LayeredFile, EntriesFillTheLayersFromTheBackAndANoImageEntryUsesUpItsPlace) {
    const std::string gapped = MakeBmpWithGap({1, 1, 24, BI_RGB, 0, 40, {}, std::string("\x10\x20\x30\0", 4)},
                                              std::string(12, '\xff'));
    const std::vector<Entry> entries = {
        {5, 6, 7, 8, true, false, "back.bmp", SolidBmp(4, 4, "\x01\x02\x03"), ""},
        {0, 0, 0, 0, true, true, "", "", ""},
        {1, 2, 3, 4, false, false, "gap.bmp", gapped, SolidBmp(1, 1, "\x80\x80\x80")},
    };
    ASSERT_TRUE(ReadShownPicture(*mixer, dir.Write("three.qmf", Qmf(3, entries)).c_str()));
    EXPECT_EQ(layers[4]->GetLabel(), "back");
    EXPECT_EQ(layers[3]->GetImage(), nullptr);
    EXPECT_EQ(layers[2]->GetLabel(), "gap");
    EXPECT_EQ(PixelAt(*layers[2]->GetImage(), 0, 0), RGB(0x30, 0x20, 0x10)) << "rows after the gap";
    ASSERT_NE(layers[2]->GetImage()->GetAlpha(), nullptr);
    EXPECT_EQ(AreaOf(SlotOf(2)), (RECT{1, 2, 4, 6}));
    EXPECT_EQ(SlotOf(2)->m_visible, 0);
    EXPECT_EQ(Slots().size(), 2u);

    // Entries beyond the last layer are not read, whatever follows.
    std::vector<Entry> many(5, entries[0]);
    ASSERT_TRUE(ReadShownPicture(*mixer, dir.Write("many.qmf", Qmf(7, many) + "junk").c_str()));
    EXPECT_EQ(Slots().size(), 5u);
    EXPECT_EQ(messages, std::vector<std::string>{});
}

TEST_F(LayeredFile, ACountOfZeroOrLessEmptiesEveryLayerAndShowsTheBackground) {
    for (const std::int32_t count : {0, -3}) {
        Put(1, Picture(40, 40, RGB(0, 200, 0), false));
        strip->Refresh(0, TRUE);
        ASSERT_TRUE(ReadShownPicture(*mixer, dir.Write("empty.qmf", Qmf(count, {})).c_str())) << count;
        EXPECT_TRUE(Slots().empty());
        for (const CLayerControl* layer : layers)
            EXPECT_EQ(layer->GetImage(), nullptr);
        const CDIB& canvas = mixer->GetCanvas();
        EXPECT_EQ(PixelAt(canvas, 5, 5), MIXER_BACKGROUND);
        EXPECT_EQ(PixelAt(canvas, canvas.GetWidth() - 1, canvas.GetHeight() - 1), MIXER_BACKGROUND);
    }
}

// New, Delete and another Open all clear the layers: a layer that was loaded hidden shows what is put on it
// next.
TEST_F(LayeredFile, ALayerLoadedHiddenIsShownAgainOnceCleared) {
    const Entry hidden{0, 0, 10, 10, false, false, "h.bmp", SolidBmp(4, 4, "\x01\x02\x03"), ""};
    const std::string path = dir.Write("hidden.qmf", Qmf(1, {hidden}));
    const std::string empty = dir.Write("empty.qmf", Qmf(0, {}));
    const std::function<void()> clears[] = {
        [&] { strip->ClearAllLayers(); },
        [&] {
            strip->Select(layers[4]);
            strip->OnControlEvent(deleteId, 1); // Delete, already confirmed
        },
        [&] { ReadShownPicture(*mixer, empty.c_str()); },
    };
    for (std::size_t i = 0; i < std::size(clears); ++i) {
        ASSERT_TRUE(ReadShownPicture(*mixer, path.c_str()));
        ASSERT_FALSE(layers[4]->IsShown());
        clears[i]();
        EXPECT_EQ(layers[4]->GetImage(), nullptr) << i;
        EXPECT_TRUE(layers[4]->IsShown()) << i;
    }
}

// A file from elsewhere may store mirror flags that the signs contradict: the signs decide, as they do
// for where the layer is drawn and which areas its changes touch.
TEST_F(LayeredFile, MirrorFlagsFollowTheSignsOfWidthAndHeight) {
    const std::string image = SolidBmp(4, 4, "\x01\x02\x03");
    const std::vector<Entry> entries = {
        {0, 0, -30, 20, true, false, "a.bmp", image, "", 0, 1},
        {0, 0, 30, -20, true, false, "b.bmp", image, "", 1, 0},
        {0, 0, 30, 20, true, false, "c.bmp", image, "", 1, 1},
        {0, 0, -30, -20, true, false, "d.bmp", image, "", 0, 0},
    };
    ASSERT_TRUE(ReadShownPicture(*mixer, dir.Write("flags.qmf", Qmf(4, entries)).c_str()));
    const int expected[][2] = {{1, 0}, {0, 1}, {0, 0}, {1, 1}};
    for (int i = 0; i < 4; ++i) {
        const CDIBSlot* slot = SlotOf(4 - i);
        ASSERT_NE(slot, nullptr) << i;
        EXPECT_EQ(slot->GetMirrorHorizontal(), expected[i][0]) << i;
        EXPECT_EQ(slot->GetMirrorVertical(), expected[i][1]) << i;
    }
}

// Only a file that reads completely replaces the picture: every damage leaves it exactly as it was, and
// the caller reports the failure.
TEST_F(LayeredFile, ADamagedFileChangesNothing) {
    Put(0, Picture(30, 20, RGB(200, 0, 0), true));
    Put(2, Picture(20, 30, RGB(0, 0, 200), false));
    strip->Refresh(0, TRUE);
    ASSERT_TRUE(WriteShownPicture(*mixer, Path("good.qmf").c_str()));
    const std::string good = dir.Read("good.qmf");
    // Layout: the back slot's record and 20 x 30 image, then the front slot's record, image and companion.
    const std::size_t image = 8 + 564, front = image + 54 + 60 * 30, alpha = front + 564 + 54 + 92 * 20;
    auto with = [&](std::size_t at, DWORD value) {
        std::string b = good;
        Poke(b, at, value);
        return b;
    };
    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"part of the magic", good.substr(0, 3)},
        {"another magic", with(0, 0x01464D51)},
        {"no count", good.substr(0, 6)},
        {"record cut short", good.substr(0, 8 + 563)},
        {"image header cut short", good.substr(0, image + 13)},
        {"image rows cut short", good.substr(0, front - 1)},
        {"second record cut short", good.substr(0, front + 100)},
        {"companion cut short", good.substr(0, good.size() - 1)},
        {"image size beyond the file", with(image + 2, 0x7FFFFFF0)},
        {"image size within its header", with(image + 2, 20)},
        {"image the reader refuses", with(image + 14 + 4, 0)},
        {"companion the reader refuses", with(alpha + 14 + 14, 7)},
        {"count beyond the entries", with(4, 3)},
    };
    Drag(SlotOf(0), {50, 60, 80, 90});
    layers[4]->SetHidden(true);
    strip->Select(layers[0]);
    Button(moveId)->SetOn(true);
    mixer->OnControlEvent(moveId, 0);
    strip->Refresh(0, TRUE);
    const std::string before = State();
    ASSERT_NE(mixer->GetSelectedSlot(), nullptr);
    for (const auto& [what, bytes] : cases) {
        EXPECT_FALSE(ReadShownPicture(*mixer, dir.Write("bad.qmf", bytes).c_str())) << what;
        EXPECT_EQ(State(), before) << what;
    }
    EXPECT_EQ(messages, std::vector<std::string>{});
    ASSERT_TRUE(ReadShownPicture(*mixer, Path("good.qmf").c_str())) << "each case failed for its own fault";
}

TEST_F(LayeredFile, FilesThatCannotBeOpenedOrWrittenFailQuietlyForTheCallerToSayAndTheOldFileStays) {
    Put(0, Picture(30, 20, RGB(200, 0, 0), true));
    strip->Refresh(0, TRUE);
    const std::string before = State();
    EXPECT_FALSE(ReadShownPicture(*mixer, Path("missing.qmf").c_str()));
    EXPECT_FALSE(WriteShownPicture(*mixer, Path("no/folder.qmf").c_str()));
    EXPECT_FALSE(ReadShownPicture(*mixer, ""));
    EXPECT_FALSE(WriteShownPicture(*mixer, ""));
    EXPECT_EQ(messages, std::vector<std::string>{});
    EXPECT_EQ(State(), before);

    // A picture that writes nothing stops the save; what the path held stays, and nothing is left beside it.
    const std::string old = dir.Write("old/picture.qmf", "precious");
    layers[0]->GetImage()->GetAlpha()->Free();
    EXPECT_FALSE(WriteShownPicture(*mixer, old.c_str()));
    EXPECT_EQ(dir.Read("old/picture.qmf"), "precious");
    EXPECT_EQ(dir.List("old"), std::vector<std::string>{"picture.qmf"});
}

// All entries together stay within the reader's memory budget: the pictures as held (a small run-length
// file grows), their companions and the picture area's 24-bit copies. One byte less than they take
// refuses the file, though each entry alone would fit.
TEST(LayeredFileBudget, TheEntriesTogetherStayWithinTheBudget) {
    const std::vector<RGBQUAD> two = {{10, 20, 30, 0}, {40, 50, 60, 0}};
    const std::string runs = MakeBmp({300, 200, 8, BI_RLE8, 2, 40, two, std::string("\xff\x01\0\x01", 4)});
    const std::string alpha = MakeBmp({4, 4, 8, BI_RGB, 2, 40, two, std::string(16, '\1')});
    TempDir dir;
    const std::string path =
        dir.Write("three.qmf", Qmf(3, {{0, 0, 10, 10, true, false, "", SolidBmp(9, 9, "abc"), ""},
                                       {0, 0, 10, 10, true, false, "", runs, ""},
                                       {0, 0, 10, 10, true, false, "", SolidBmp(4, 4, "xyz"), alpha}}));
    auto read = [&](std::uint64_t budget, CLayeredFile& layered) {
        CFile file;
        return file.Open(path.c_str(), CFile::modeRead) ? layered.Read(&file, 10, budget)
                                                        : CLayeredFile::ReadResult::damaged;
    };
    CLayeredFile all, exact, less;
    ASSERT_EQ(read(std::uint64_t(1) << 30, all), CLayeredFile::ReadResult::read);
    std::uint64_t taken = 0, largest = 0;
    for (const LayeredEntry& entry : all.GetEntries()) {
        const CDIB* alpha = entry.image->GetAlpha();
        const std::uint64_t one =
            entry.image->GetSize() + CDIBSlot::CopySize(*entry.image) + (alpha ? alpha->GetSize() : 0);
        largest = std::max(largest, one);
        taken += one;
    }
    EXPECT_EQ(all.GetEntries()[1].image->GetSize(), 40u + 8 + 300 * 200) << "as held, not as stored";
    EXPECT_LT(largest, taken - 1);
    EXPECT_EQ(read(taken, exact), CLayeredFile::ReadResult::read);
    EXPECT_EQ(exact.GetEntries().size(), 3u);
    EXPECT_EQ(read(taken - 1, less), CLayeredFile::ReadResult::damaged);
    EXPECT_TRUE(less.GetEntries().empty());
}
