#include "app/RenderCommand.h"

#include "app/ControlIds.h"
#include "app/ScreenLayout.h"
#include "composition/DIBMixer.h"
#include "controls/ControlManager.h"
#include "controls/LayerControl.h"
#include "controls/LayerStrip.h"
#include "imaging/DIB.h"
#include "platform/FullPath.h"
#include "platform/Modal.h"
#include "platform/Wnd.h"

#include <algorithm>
#include <charconv>
#include <new>
#include <utility>

namespace {
const char usage[] =
    "usage: quimble --render PICTURE.qmf OUT.bmp|OUT.png [--size WxH] [PICTURE.qmf OUT [--size WxH]]...\n";

// The editor's picture area with its ten layers, at scale 1 (its canvas the size of its design
// rectangle), in a window that is never shown.
class PictureAreaAtScaleOne : public CWnd, public CControlManager {
public:
    PictureAreaAtScaleOne() : CControlManager(this) {
        if (!Create("", 0, {0, 0, DESIGN_WIDTH, DESIGN_HEIGHT}, nullptr, 0))
            return;
        CDIBMixer* mixer = Add<CDIBMixer>(IDC_MIXER, FindScreenPlace(IDC_MIXER)->rect, 0u);
        auto* strip = Add<CLayerStrip>(IDC_LAYER_STRIP, FindScreenPlace(IDC_LAYER_STRIP)->rect, 0u, 0, 0);
        if (!mixer || !strip)
            return;
        const std::string toggle = MakeFullPath(HIDE_TOGGLE_PICTURE);
        for (int k = 0; k < LAYER_COUNT; ++k) {
            const int id = IDC_LAYER1 + 2 * k;
            if (auto* layer = Add<CLayerControl>(id, RECT{}, nullptr, DWORD(0), toggle.c_str(), id + 1, 0, 0))
                strip->AddControl(layer);
        }
        if (strip->GetCount() != LAYER_COUNT)
            return;
        strip->SetCompositor(mixer);
        SetBackground(nullptr);
        PaintBackground(nullptr); // the window has the design screen's size: scale 1
        m_mixer = mixer;
    }

    // The picture area, or none when it could not be made.
    CDIBMixer* m_mixer = nullptr;

private:
    template <class Control, class... Arguments> Control* Add(Arguments&&... arguments) {
        auto* control = new (std::nothrow) Control(this, this, std::forward<Arguments>(arguments)...);
        if (control && !AddControl(control)) {
            delete control;
            return nullptr;
        }
        return control;
    }
};

// A whole number from 1 to the largest picture side at the start of [text, end); where it ends, or null.
const char* ParseSide(const char* text, const char* end, int* side) {
    auto [last, error] = std::from_chars(text, end, *side);
    return error == std::errc() && *side >= 1 && *side <= CDIB::maxDimension ? last : nullptr;
}

// "WxH", each a whole number from 1 to the largest picture side.
bool ParseSize(const std::string& text, int* width, int* height) {
    const char* end = text.data() + text.size();
    const char* x = ParseSide(text.data(), end, width);
    return x && x != end && *x == 'x' && ParseSide(x + 1, end, height) == end;
}

// The arguments of a render without "--render", and "--size=WxH" read as "--size" "WxH" (Qt's parser,
// which has seen the command line first, takes both spellings).
std::vector<std::string> RenderWords(const std::vector<std::string>& arguments) {
    const std::string joined = "--size=";
    std::vector<std::string> words;
    for (const std::string& argument : arguments) {
        if (argument == "--render")
            continue;
        if (argument.compare(0, joined.size(), joined) == 0) {
            words.push_back("--size");
            words.push_back(argument.substr(joined.size()));
        } else {
            words.push_back(argument);
        }
    }
    return words;
}

// The export's size (the canvas's for a picture without layers) shrunk, keeping its shape, until its long
// side is at most longSide.
RECT ThumbnailTarget(const RECT& exported, int longSide, const CDIB& canvas) {
    const bool empty = exported.Width() <= 0 || exported.Height() <= 0;
    const long long width = empty ? canvas.GetWidth() : exported.Width();
    const long long height = empty ? canvas.GetHeight() : exported.Height();
    const long long side = std::max(width, height);
    if (side <= longSide)
        return {0, 0, int(width), int(height)};
    // Rounded to the nearest pixel, and never below one.
    auto scaled = [&](long long length) { return int(std::max(1LL, (length * longSide + side / 2) / side)); };
    return {0, 0, scaled(width), scaled(height)};
}

// Nobody is there to answer: a question is told on standard error and answered with Cancel.
struct UnattendedAnswers {
    explicit UnattendedAnswers(std::FILE* err) {
        SetModalResponder([err](const ModalQuestion& question) {
            std::fprintf(err, "quimble: %s\n", question.text.c_str());
            return ModalAnswer{};
        });
    }
    ~UnattendedAnswers() { SetModalResponder({}); }
};
} // namespace

CRenderCommand::Status CRenderCommand::Run(const std::vector<std::string>& arguments, std::FILE* out,
                                           std::FILE* err) {
    std::vector<Job> jobs;
    if (!Parse(arguments, &jobs, err)) {
        std::fputs(usage, err);
        return badArguments;
    }
    UnattendedAnswers unattended(err);
    Status status = rendered;
    for (const Job& job : jobs)
        if (!Render(job, out, err))
            status = failed;
    return status;
}

CRenderCommand::Status CRenderCommand::Thumbnail(const std::string& picture, const std::string& output,
                                                 const std::string& size, std::FILE* err) {
    Job job{picture, output};
    const char* end = size.data() + size.size();
    if (ParseSide(size.data(), end, &job.longSide) != end) {
        std::fprintf(err, "quimble: %s: SIZE must be a whole number from 1 to %d\n", size.c_str(),
                     CDIB::maxDimension);
        return badArguments;
    }
    UnattendedAnswers unattended(err);
    return Render(job, nullptr, err) ? rendered : failed;
}

bool CRenderCommand::Parse(const std::vector<std::string>& given, std::vector<Job>* jobs, std::FILE* err) {
    const std::vector<std::string> arguments = RenderWords(given);
    for (std::size_t i = 0; i < arguments.size(); i += 2) {
        const std::string& argument = arguments[i];
        if (argument == "--size") {
            Job* last = jobs->empty() ? nullptr : &jobs->back();
            if (!last || last->width || i + 1 == arguments.size() ||
                !ParseSize(arguments[i + 1], &last->width, &last->height)) {
                std::fputs(
                    "quimble: --size WxH follows a PICTURE OUT pair, once, with sides from 1 to 32768\n",
                    err);
                return false;
            }
            continue;
        }
        if (i + 1 == arguments.size()) {
            std::fprintf(err, "quimble: %s has no OUT file after it\n", argument.c_str());
            return false;
        }
        if (!CDIBMixer::FlatFormatOf(arguments[i + 1], nullptr)) {
            std::fprintf(err, "quimble: %s: OUT must end in .bmp or .png\n", arguments[i + 1].c_str());
            return false;
        }
        jobs->push_back({argument, arguments[i + 1]});
    }
    if (jobs->empty())
        std::fputs("quimble: --render needs a PICTURE and an OUT file\n", err);
    return !jobs->empty();
}

bool CRenderCommand::Render(const Job& job, std::FILE* out, std::FILE* err) {
    PictureAreaAtScaleOne screen;
    CDIBMixer* mixer = screen.m_mixer;
    if (!mixer) {
        std::fputs("quimble: the picture area could not be made\n", err);
        return false;
    }
    if (!mixer->LoadFromLayeredFile(job.picture.c_str())) {
        std::fprintf(err, "quimble: %s: cannot be read as a layered picture (missing or damaged)\n",
                     job.picture.c_str());
        return false;
    }
    RECT target = job.width ? RECT{0, 0, job.width, job.height} : mixer->GetFlatPictureTarget();
    CDIB::FileFormat format = CDIB::pngFile;
    if (job.longSide)
        target = ThumbnailTarget(target, job.longSide, mixer->GetCanvas());
    else
        CDIBMixer::FlatFormatOf(job.output, &format);
    SIZE written{};
    if (!mixer->ExportBitmap(job.output.c_str(), &target, format, &written)) {
        std::fprintf(err, "quimble: %s: cannot be written\n", job.output.c_str());
        return false;
    }
    if (out)
        std::fprintf(out, "wrote %s (%d x %d)\n", job.output.c_str(), int(written.cx), int(written.cy));
    return true;
}
