#pragma once
// quimble --render PICTURE.qmf OUT.bmp|OUT.png [--size WxH] [PICTURE.qmf OUT [--size WxH]]...
// Writes each layered picture flat, composed as the editor's picture area composes it (at scale 1) and
// exported as Save exports it: in the picture area's proportions at its largest layer picture's
// resolution, or at the size given after the
// pair, which holds for that pair only. No window is shown and nobody is asked anything: one line on
// standard output says what was written, and what went wrong is said on standard error.
// quimble --thumbnail IN.qmf OUT SIZE writes the same picture as a PNG (whatever OUT's name) for a file
// manager's preview: no larger than the export, and at most SIZE pixels on its long side.

#include <cstdio>
#include <string>
#include <vector>

class CRenderCommand {
public:
    // Exit statuses: every file written, a pair failed (the others were still rendered), bad arguments
    // (nothing rendered).
    enum Status { rendered = 0, failed = 1, badArguments = 2 };

    // Renders every pair the arguments (among them "--render", which is passed over) name. Needs the
    // platform running.
    Status Run(const std::vector<std::string>& arguments, std::FILE* out, std::FILE* err);
    // Writes the preview of picture; size is the long side's bound as given. Needs the platform running.
    Status Thumbnail(const std::string& picture, const std::string& output, const std::string& size,
                     std::FILE* err);

private:
    struct Job {
        std::string picture;
        std::string output;
        int width = 0; // 0: the flat picture's size
        int height = 0;
        int longSide = 0; // a thumbnail's bound, or 0 for a render
    };
    // The pairs, or false (after the usage line on err) when the arguments are not a render.
    static bool Parse(const std::vector<std::string>& arguments, std::vector<Job>* jobs, std::FILE* err);
    // Writes job's picture; says so on out when one is given.
    static bool Render(const Job& job, std::FILE* out, std::FILE* err);
};
