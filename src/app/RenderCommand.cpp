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

// "WxH", each a whole number from 1 to the largest picture side.
bool ParseSize(const std::string& text, int* width, int* height) {
    const char* end = text.data() + text.size();
    auto [x, error] = std::from_chars(text.data(), end, *width);
    if (error != std::errc() || x == end || *x != 'x')
        return false;
    auto [last, error2] = std::from_chars(x + 1, end, *height);
    return error2 == std::errc() && last == end && *width >= 1 && *height >= 1 &&
           *width <= CDIB::maxDimension && *height <= CDIB::maxDimension;
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

bool CRenderCommand::IsRequested(const std::vector<std::string>& arguments) {
    return !arguments.empty() && arguments.front() == "--render";
}

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

bool CRenderCommand::Parse(const std::vector<std::string>& arguments, std::vector<Job>* jobs,
                           std::FILE* err) {
    if (!IsRequested(arguments))
        return false;
    for (std::size_t i = 1; i < arguments.size(); i += 2) {
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
    const RECT target = job.width ? RECT{0, 0, job.width, job.height} : mixer->GetLargestSlotTarget();
    CDIB::FileFormat format = CDIB::bmpFile;
    CDIBMixer::FlatFormatOf(job.output, &format);
    SIZE written{};
    if (!mixer->ExportBitmap(job.output.c_str(), &target, format, &written)) {
        std::fprintf(err, "quimble: %s: cannot be written\n", job.output.c_str());
        return false;
    }
    std::fprintf(out, "wrote %s (%d x %d)\n", job.output.c_str(), int(written.cx), int(written.cy));
    return true;
}
