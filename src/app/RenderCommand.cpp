#include "app/RenderCommand.h"

#include "app/ControlIds.h"
#include "app/ScreenLayout.h"
#include "composition/Picture.h"
#include "composition/PictureComposer.h"
#include "composition/PictureFile.h"
#include "controls/DIBMixer.h"
#include "imaging/DIB.h"
#include "imaging/DIBManager.h"
#include "platform/Modal.h"

#include <algorithm>
#include <charconv>

namespace {
const char usage[] =
    "usage: quimble --render PICTURE.qmf OUT.bmp|OUT.png [--size WxH] [PICTURE.qmf OUT [--size WxH]]...\n";

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

// The export's size (the design size for a picture without layers) shrunk, keeping its shape, until its
// long side is at most longSide.
SIZE ThumbnailSize(SIZE exported, int longSide, SIZE design) {
    const bool empty = exported.cx <= 0 || exported.cy <= 0;
    const long long width = empty ? design.cx : exported.cx;
    const long long height = empty ? design.cy : exported.cy;
    const long long side = std::max(width, height);
    if (side <= longSide)
        return {LONG(width), LONG(height)};
    // Rounded to the nearest pixel, and never below one.
    auto scaled = [&](long long length) {
        return LONG(std::max(1LL, (length * longSide + side / 2) / side));
    };
    return {scaled(width), scaled(height)};
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
    // The picture alone, composed as the editor's picture area composes it: no window is made.
    const RECT area = FindScreenPlace(IDC_MIXER)->rect;
    CDIBManager store;
    CPicture picture({area.Width(), area.Height()});
    if (!CPictureFile::Read(job.picture, store, &picture)) {
        std::fprintf(err, "quimble: %s: cannot be read as a layered picture (missing or damaged)\n",
                     job.picture.c_str());
        return false;
    }
    SIZE size = job.width ? SIZE{job.width, job.height} : CPictureComposer::FlatSize(picture);
    CDIB::FileFormat format = CDIB::pngFile;
    if (job.longSide)
        size = ThumbnailSize(size, job.longSide, picture.GetSize());
    else
        CDIBMixer::FlatFormatOf(job.output, &format);
    // Where the picture cannot be made at that size (memory ran out), it is written at its design size.
    CPictureComposer composer;
    CDIB composed;
    if (!composer.ComposeAt(picture, size, &composed) &&
        !composer.ComposeAt(picture, picture.GetSize(), &composed)) {
        std::fputs("quimble: the picture could not be composed\n", err);
        return false;
    }
    if (!composed.Save(job.output, CDIB::callerReportsFailure, format)) {
        std::fprintf(err, "quimble: %s: cannot be written\n", job.output.c_str());
        return false;
    }
    if (out)
        std::fprintf(out, "wrote %s (%d x %d)\n", job.output.c_str(), composed.GetWidth(),
                     composed.GetHeight());
    return true;
}
