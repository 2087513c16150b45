#include "app/QuimbleApp.h"

int main(int argc, char** argv) {
    CQuimbleApp app;
    return app.Run(argc, argv);
}
