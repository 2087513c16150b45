#pragma once
// Ties one document class, one frame class and one view class together with their resources, and makes
// the one document of the program with its frame and view.

#include "platform/Menu.h"
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CDocument;
class CFrameWnd;
class CView;

// What a document type shows of itself: the document string (seven fields separated by "\n": window
// title, default document name, new-file name, filter name, filter extension, file type id and name),
// the menu and the keyboard shortcuts.
struct DOCRESOURCE {
    std::string docString;
    CMenu menu;
    std::vector<ACCEL> accelerators;
};

class CSingleDocTemplate {
public:
    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName
    };

    using DocumentFactory = std::function<std::unique_ptr<CDocument>()>;
    using FrameFactory = std::function<std::unique_ptr<CFrameWnd>()>;
    using ViewFactory = std::function<std::unique_ptr<CView>()>;

    CSingleDocTemplate(DOCRESOURCE resource, DocumentFactory newDocument, FrameFactory newFrame,
                       ViewFactory newView);
    ~CSingleDocTemplate();
    CSingleDocTemplate(const CSingleDocTemplate&) = delete;
    CSingleDocTemplate& operator=(const CSingleDocTemplate&) = delete;

    // One field of the document string; FALSE (and an empty string) when there is no such field.
    BOOL GetDocString(std::string& out, DocStringIndex index) const;

    // The document with its frame and view: the document is made new, the frame shown and the view given
    // its initial update. Null when any part fails (nothing of it is left then) or when the document
    // exists already.
    CDocument* OpenNewDocument();

    CDocument* GetDocument() const { return m_document.get(); }

private:
    DOCRESOURCE m_resource;
    DocumentFactory m_newDocument;
    FrameFactory m_newFrame;
    ViewFactory m_newView;
    // The frame (with its view) goes before the document it shows.
    std::unique_ptr<CDocument> m_document;
    std::unique_ptr<CFrameWnd> m_frame;
};
