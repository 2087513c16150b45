#include "app/QuimbleResource.h"

#include "platform/CmdTarget.h"

DOCRESOURCE QuimbleDocResource() {
    DOCRESOURCE r;
    // No filter name or extension, so the framework's Save As dialog offers all files only.
    r.docString = "Quimble\n\nQuimbl\n\n\nQuimble.Document\nQuimbl Document";
    r.menu.AddPopup("&File")
        .AddItem("&New...\tCtrl+N", ID_NEW_PICTURE)
        .AddItem("&Open...\tCtrl+O", ID_FILE_OPEN)
        .AddItem("&Save\tCtrl+S", ID_FILE_SAVE)
        .AddSeparator()
        .AddItem("&Print...\tCtrl+P", ID_FILE_PRINT)
        .AddItem("Print Pre&view", ID_FILE_PRINT_PREVIEW)
        .AddItem("P&rint Setup...", ID_FILE_PRINT_SETUP)
        .AddSeparator()
        .AddItem("E&xit", ID_APP_EXIT)
        .AddPopup("&Help")
        .AddItem("&About Quimble...", ID_APP_ABOUT);
    r.accelerators = {{FCONTROL, 'N', ID_NEW_PICTURE},
                      {FCONTROL, 'O', ID_FILE_OPEN},
                      {FCONTROL, 'S', ID_FILE_SAVE},
                      {FCONTROL, 'P', ID_FILE_PRINT}};
    return r;
}
