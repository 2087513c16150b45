#include "app/QuimbleDoc.h"

#include "app/QuimbleView.h"

BOOL CQuimbleDoc::OnSaveDocument(const char* path) {
    auto* view = dynamic_cast<CQuimbleView*>(GetFirstView());
    if (!view)
        return FALSE;
    BOOL saved = view->SavePicture(path);
    SetModifiedFlag(TRUE);
    return saved;
}
