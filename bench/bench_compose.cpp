// Composing the picture: ten soft-edged, overlapping layers (24-bit pictures with 8-bit alpha
// companions, three of them mirrored) over the whole canvas, at the design size, a full-HD window and a
// large export. Beside each, QPainter draws the same layers (premultiplied ARGB32, nearest scaling,
// SourceOver) onto a canvas of the same size. The last lines give the ratio of the medians.

#include "MedianReporter.h"
#include "composition/BlendTable.h"
#include "composition/CanvasComposer.h"
#include "composition/DIBSlot.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {
constexpr int designWidth = 569, designHeight = 421;
constexpr COLORREF background = 0xC8C8C8;

struct LayerPlan {
    int x, y, width, height; // design units; a negative width mirrors
    int pixelWidth, pixelHeight;
};
// Back-most first in this list; the compositor's slot 0 is the front-most.
const LayerPlan plans[] = {
    {0, 0, 569, 421, 569, 421},      {20, 30, 260, 200, 400, 300},   {300, 10, -220, 240, 320, 360},
    {150, 120, 300, 250, 480, 400},  {-40, 200, 240, 260, 300, 320}, {380, 180, 230, 280, 260, 330},
    {100, -30, -200, 180, 300, 270}, {240, 260, 280, 190, 420, 280}, {60, 90, 180, 180, 200, 200},
    {420, 40, -170, 230, 240, 320},
};

// Pixels with a pattern of colours, and a coverage that is opaque inside an ellipse, 0 outside, with a
// soft ramp of 12 pixels at its edge (the full-canvas background is opaque everywhere).
struct LayerPictures {
    std::unique_ptr<CDIB> picture;
    std::vector<BYTE> coverage; // top row first
};

LayerPictures MakePictures(const LayerPlan& plan, bool opaque, std::mt19937& rng) {
    LayerPictures out;
    out.picture = std::make_unique<CDIB>();
    out.picture->Create(plan.pixelWidth, plan.pixelHeight, 24);
    const int w = plan.pixelWidth, h = plan.pixelHeight;
    const BYTE base[3] = {BYTE(rng()), BYTE(rng()), BYTE(rng())};
    for (int y = 0; y < h; ++y) {
        BYTE* row = out.picture->GetBits() + std::size_t(h - 1 - y) * out.picture->GetStride();
        for (int x = 0; x < w; ++x) {
            row[3 * x] = BYTE(base[0] + x);
            row[3 * x + 1] = BYTE(base[1] + y);
            row[3 * x + 2] = BYTE(base[2] + x * y / 64);
        }
    }
    out.coverage.resize(std::size_t(w) * h);
    const double rx = w / 2.0, ry = h / 2.0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double dx = (x + 0.5 - rx) / rx, dy = (y + 0.5 - ry) / ry;
            const double inside = (1.0 - std::sqrt(dx * dx + dy * dy)) * std::min(rx, ry) / 12.0;
            out.coverage[std::size_t(y) * w + x] = opaque ? 255 : BYTE(std::clamp(inside, 0.0, 1.0) * 255.0);
        }
    return out;
}

struct Scene {
    std::vector<std::unique_ptr<CDIB>> sources;
    std::vector<std::unique_ptr<CDIBSlot>> layerSlots; // front-most first
    std::vector<QImage> images; // back-most first, premultiplied, mirrored where the layer is
    CBlendTable table;

    Scene() {
        table.Build();
        std::mt19937 rng(7);
        for (const LayerPlan& plan : plans) {
            LayerPictures pictures = MakePictures(plan, &plan == &plans[0], rng);
            const int w = plan.pixelWidth, h = plan.pixelHeight;
            auto alpha = std::make_unique<CDIB>();
            alpha->Create(w, h, 8);
            QImage image(w, h, QImage::Format_ARGB32);
            for (int y = 0; y < h; ++y) {
                const BYTE* in =
                    pictures.picture->GetBits() + std::size_t(h - 1 - y) * pictures.picture->GetStride();
                BYTE* a = alpha->GetBits() + std::size_t(h - 1 - y) * alpha->GetStride();
                auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
                for (int x = 0; x < w; ++x) {
                    a[x] = pictures.coverage[std::size_t(y) * w + x];
                    out[x] = qRgba(in[3 * x + 2], in[3 * x + 1], in[3 * x], a[x]);
                }
            }
            image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
            images.push_back(plan.width < 0 ? image.mirrored(true, false) : image);

            pictures.picture->SetAlpha(std::move(alpha));
            auto slot = std::make_unique<CDIBSlot>();
            slot->CreateFromLayerDib(pictures.picture.get(), std::uint32_t(layerSlots.size() + 1));
            slot->m_x = plan.x, slot->m_y = plan.y, slot->m_width = plan.width, slot->m_height = plan.height;
            slot->m_visible = 1;
            slot->SetMirrorHorizontal(plan.width < 0);
            sources.push_back(std::move(pictures.picture));
            layerSlots.insert(layerSlots.begin(), std::move(slot));
        }
    }
};

Scene& TheScene() {
    static Scene scene;
    return scene;
}

void ComposeQuimble(benchmark::State& state) {
    const int width = int(state.range(0)), height = int(state.range(1));
    Scene& scene = TheScene();
    CDIB canvas;
    canvas.Create(width, height, 24);
    CCanvasComposer composer(scene.table.Data());
    const double sx = double(width) / designWidth, sy = double(height) / designHeight;
    for (auto _ : state) {
        composer.Compose(canvas, scene.layerSlots, sx, sy, nullptr, true, 0xFFFFFF, background);
        benchmark::DoNotOptimize(canvas.GetBits());
    }
}

void ComposeQPainter(benchmark::State& state) {
    const int width = int(state.range(0)), height = int(state.range(1));
    Scene& scene = TheScene();
    QImage canvas(width, height, QImage::Format_RGB32);
    const double sx = double(width) / designWidth, sy = double(height) / designHeight;
    std::vector<QRect> targets;
    for (const LayerPlan& plan : plans) {
        const int left = plan.width < 0 ? plan.x + plan.width : plan.x;
        targets.emplace_back(int(left * sx), int(plan.y * sy), int(std::abs(plan.width) * sx),
                             int(plan.height * sy));
    }
    for (auto _ : state) {
        canvas.fill(QColor(200, 200, 200));
        QPainter painter(&canvas);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        for (std::size_t i = 0; i < scene.images.size(); ++i)
            painter.drawImage(targets[i], scene.images[i]);
        painter.end();
        benchmark::DoNotOptimize(canvas.bits());
    }
}

const std::pair<int, int> sizes[] = {{569, 421}, {1386, 827}, {2048, 1536}};

// Keeps the median processor time of every benchmark (steadier than wall time on a shared machine) while the
// console shows the usual table.
} // namespace

int main(int argc, char** argv) {
    for (auto [w, h] : sizes) {
        for (auto [name, fn] :
             {std::pair{"quimble", &ComposeQuimble}, std::pair{"qpainter", &ComposeQPainter}})
            RegisterMedian(name, fn)->Args({w, h});
    }
    MedianReporter reporter;
    RunBenchmarks(&argc, argv, reporter);
    for (auto [w, h] : sizes) {
        auto median = [&](std::string name) {
            name.append("/").append(std::to_string(w)).append("/").append(std::to_string(h));
            return reporter.Cpu(name);
        };
        const double ours = median("quimble"), theirs = median("qpainter");
        if (ours > 0 && theirs > 0)
            std::printf("compose %dx%d: ratio %.2f (quimble %.2f ms, qpainter %.2f ms)\n", w, h,
                        ours / theirs, ours, theirs);
    }
    return 0;
}
