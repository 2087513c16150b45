// Saving and loading a layered picture file of ten layers, each a 1024 x 768 24-bit picture with an 8-bit
// alpha companion of the same size, through the picture area and the layer strip of a headless screen.
// Beside each, the same number of bytes is written to one file and read back from it, through the same
// file class. The last lines give the ratio of the medians: what the layered file costs beyond its bytes.

#include "MedianReporter.h"
#include "composition/ContentKey.h"
#include "controls/ButtonControl.h"
#include "controls/ControlManager.h"
#include "controls/DIBMixer.h"
#include "controls/LayerControl.h"
#include "controls/LayerStrip.h"
#include "platform/File.h"
#include "support/ShownPictureFile.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {
constexpr int layerCount = 10, width = 1024, height = 768;

// The picture area beside a strip of ten layers, joined as the editor screen joins them, every layer
// holding a picture with its alpha companion.
struct Screen : CWnd, CControlManager {
    Screen() : CControlManager(this) {
        Create("", WS_VISIBLE, {0, 0, 788, 550}, nullptr, 0);
        mixer = new CDIBMixer(this, this, 100046, {2, 23, 571, 444}, 0);
        AddControl(mixer);
        const std::string toggle = folder.filePath("bvisib.bmp").toStdString();
        CDIB togglePicture;
        togglePicture.Create(25, 108, 24);
        togglePicture.Save(toggle);
        strip = new CLayerStrip(this, this, 100045, {599, 230, 781, 540}, 0x10400, 4, 3);
        AddControl(strip);
        for (int i = 0; i < layerCount; ++i) {
            auto* layer = new CLayerControl(this, this, 100025 + 2 * i, {603, 233, 777, 260}, nullptr, 0,
                                            toggle.c_str(), 100026 + 2 * i, 2, 2);
            AddControl(layer);
            strip->AddControl(layer);
        }
        SetBackground(nullptr);
        PaintBackground(nullptr);
        strip->SetCompositor(mixer);
        for (int i = 0; i < layerCount; ++i) {
            auto picture = std::make_unique<CDIB>();
            picture->Create(width, height, 24);
            for (int y = 0; y < height; ++y)
                std::memset(picture->GetBits() + std::size_t(y) * picture->GetStride(), 16 * i + y % 16,
                            picture->GetStride());
            auto alpha = std::make_unique<CDIB>();
            alpha->Create(width, height, 8);
            std::memset(alpha->GetBits(), 128, std::size_t(alpha->GetStride()) * height);
            picture->SetName("res/chars/ilayer" + std::to_string(i) + ".bmp");
            alpha->SetName("res/chars/alayer" + std::to_string(i) + ".bmp");
            picture->SetAlpha(std::move(alpha));
            CLayerControl* layer = strip->GetLayer(i);
            layer->PutContent(std::move(picture), NewContentKey(), {});
        }
        strip->Refresh(0, TRUE);
    }

    QTemporaryDir folder;
    CDIBMixer* mixer = nullptr;
    CLayerStrip* strip = nullptr;
};

Screen* screen = nullptr;
std::string layeredPath, plainPath;
std::vector<char> bytes; // as many as the layered file holds

void SaveLayered(benchmark::State& state) {
    for (auto _ : state)
        if (!WriteShownPicture(*screen->mixer, layeredPath.c_str()))
            state.SkipWithError("save failed");
}

void LoadLayered(benchmark::State& state) {
    for (auto _ : state)
        if (!ReadShownPicture(*screen->mixer, layeredPath.c_str()))
            state.SkipWithError("load failed");
}

void WritePlain(benchmark::State& state) {
    for (auto _ : state) {
        CFile file;
        file.Open(plainPath.c_str(), CFile::modeCreate | CFile::modeWrite);
        file.Write(bytes.data(), UINT(bytes.size()));
        file.Close();
    }
}

void ReadPlain(benchmark::State& state) {
    for (auto _ : state) {
        CFile file;
        file.Open(plainPath.c_str(), CFile::modeRead);
        std::vector<char> in(file.GetLength());
        benchmark::DoNotOptimize(file.Read(in.data(), UINT(in.size())));
    }
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Screen built;
    screen = &built;
    layeredPath = built.folder.filePath("ten.qmf").toStdString();
    plainPath = built.folder.filePath("plain.bin").toStdString();
    if (!WriteShownPicture(*built.mixer, layeredPath.c_str())) {
        std::fprintf(stderr, "cannot write %s\n", layeredPath.c_str());
        return 1;
    }
    {
        CFile file;
        file.Open(layeredPath.c_str(), CFile::modeRead);
        bytes.resize(file.GetLength());
        file.Read(bytes.data(), UINT(bytes.size()));
    }
    const std::pair<const char*, void (*)(benchmark::State&)> runs[] = {{"save layered", SaveLayered},
                                                                        {"write plain", WritePlain},
                                                                        {"load layered", LoadLayered},
                                                                        {"read plain", ReadPlain}};
    for (auto [name, fn] : runs)
        RegisterMedian(name, fn);
    MedianReporter reporter;
    RunBenchmarks(&argc, argv, reporter);
    const double mb = bytes.size() / 1048576.0;
    const std::pair<const char*, const char*> pairs[] = {{"save layered", "write plain"},
                                                         {"load layered", "read plain"}};
    // Processor time is the steadier measure on a shared machine; wall time includes the disk.
    for (auto [ours, plain] : pairs) {
        const double a = reporter.Cpu(ours), b = reporter.Cpu(plain);
        if (a > 0 && b > 0)
            std::printf("%s (%.1f MB): ratio %.2f (processor %.1f ms, the same bytes as one file %.1f ms; "
                        "wall %.1f ms against %.1f ms)\n",
                        ours, mb, a / b, a, b, reporter.Real(ours), reporter.Real(plain));
    }
    return 0;
}
