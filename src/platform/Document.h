#pragma once
// A document: what the user saves and names. It keeps its path and title (the file name, or the
// template's default name before it has one), its views, and whether it has changes to save. The
// framework's Save, Save As and the question before closing go through here.

#include "platform/CmdTarget.h"
#include <string>
#include <vector>

class CSingleDocTemplate;
class CView;

class CDocument : public CCmdTarget {
public:
    CDocument();
    ~CDocument() override;

    const std::string& GetPathName() const { return m_strPathName; }
    // Sets the path and, as the title, its file name; with addToMRU the path joins the recent files.
    virtual void SetPathName(const std::string& path, BOOL addToMRU = TRUE);
    const std::string& GetTitle() const { return m_strTitle; }
    // Sets the title and puts it into the title bars of the document's frames.
    virtual void SetTitle(const std::string& title);
    // The template's default document name, or the framework's name for an untitled document.
    void SetDefaultTitle();

    BOOL IsModified() const { return m_bModified; }
    // The frames' title bars show whether there are changes to save.
    void SetModifiedFlag(BOOL modified = TRUE);

    // A fresh document: no path, the default title, nothing to save.
    virtual BOOL OnNewDocument();
    // Writes the document to path; TRUE only when it was written.
    virtual BOOL OnSaveDocument(const char* path) = 0;

    // Save: to the document's path, or, when it has none or no file can be written there (the file or
    // its folder is read-only), under a name asked with the Save As dialog.
    BOOL DoFileSave();
    // Saves under path (null: ask for a name) and, when replace is set and it worked, takes that path
    // and has nothing left to save.
    virtual BOOL DoSave(const char* path, BOOL replace = TRUE);
    // Before anything that would lose the changes: TRUE to go on. With changes it asks whether to save
    // them ("Save changes to <title>?" in English): Save saves (and goes on only when that worked),
    // Don't Save goes on, Cancel stops.
    virtual BOOL SaveModified();

    CView* GetFirstView() const { return m_views.empty() ? nullptr : m_views.front(); }
    void AddView(CView* view);
    void RemoveView(CView* view);
    // Puts the title into the title bars of the frames of the views.
    void UpdateFrameTitles();

    void SetDocTemplate(CSingleDocTemplate* docTemplate) { m_pDocTemplate = docTemplate; }

    BOOL OnCmdMsg(UINT id) override;

private:
    std::string m_strPathName;
    std::string m_strTitle;
    BOOL m_bModified = FALSE;
    std::vector<CView*> m_views;
    CSingleDocTemplate* m_pDocTemplate = nullptr;
};
