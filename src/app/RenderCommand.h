#pragma once
// quimble --render PICTURE.qmf OUT.bmp|OUT.png [--size WxH] [PICTURE.qmf OUT [--size WxH]]...
// Writes each layered picture flat, composed as the editor's picture area composes it (at scale 1) and
// exported as Save exports it: at the size of its largest layer picture, or at the size given after the
// pair, which holds for that pair only. No window is shown and nobody is asked anything: one line on
// standard output says what was written, and what went wrong is said on standard error.

#include <cstdio>
#include <string>
#include <vector>

class CRenderCommand {
public:
    // Exit statuses: every file written, a pair failed (the others were still rendered), bad arguments
    // (nothing rendered).
    enum Status { rendered = 0, failed = 1, badArguments = 2 };

    // Whether the arguments ask for a render: the first one is "--render".
    static bool IsRequested(const std::vector<std::string>& arguments);

    // Renders every pair the arguments (the first being "--render") name. Needs the platform running.
    Status Run(const std::vector<std::string>& arguments, std::FILE* out, std::FILE* err);

private:
    struct Job {
        std::string picture;
        std::string output;
        int width = 0; // 0: the largest layer picture's size
        int height = 0;
    };
    // The pairs, or false (after the usage line on err) when the arguments are not a render.
    static bool Parse(const std::vector<std::string>& arguments, std::vector<Job>* jobs, std::FILE* err);
    static bool Render(const Job& job, std::FILE* out, std::FILE* err);
};
