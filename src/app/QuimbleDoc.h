#pragma once
// The document holds no picture (the view's layers do): it names the file for the title and the recent
// files, and passes the framework's saves on to the view.

#include "platform/Document.h"

class CQuimbleDoc : public CDocument {
public:
    // The first and only document needs no preparing: its path and flags stay as they are.
    BOOL OnNewDocument() override { return TRUE; }
    // The first view saves the picture under path in the format its extension asks for. The document
    // counts as changed afterwards, so closing asks again. TRUE only when the picture was written, so
    // that the framework never takes a path that holds nothing as the document's.
    BOOL OnSaveDocument(const char* path) override;
};
