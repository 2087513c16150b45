#pragma once
// The document holds no picture (the view's layers do): it names the file for the title and the recent
// files, knows whether the picture has changes to save, and passes the framework's saves on to the view.

#include "composition/PictureChangeListener.h"
#include "platform/Document.h"
#include <string>

class CQuimbleDoc : public CDocument, public CPictureChangeListener {
public:
    // An empty picture with no name and nothing to save.
    BOOL OnNewDocument() override;
    // The first view saves the picture under path as a layered picture file. TRUE only when it was
    // written, so that the framework never takes a path that holds nothing as the document's.
    BOOL OnSaveDocument(const char* path) override;

    // Every committed change of the picture arrives here.
    void OnPictureChanged() override;
    // The picture is what the layered file path holds now (it was just loaded or saved there).
    void PictureIsFile(const std::string& path);
};
