#pragma once
// A row (or column) of hold cells showing consecutive pictures of one content folder (and the user's own
// pictures of the same kind after them) as thumbnails, with
// a back and a forward button that move the window over the folder one picture at a time. Alpha
// companions never show: the listing leaves them out. A step passes the cells' pictures along, so only
// the newly shown picture is loaded and scaled.

#include "controls/ControlStrip.h"
#include "imaging/ContentListing.h"
#include <cstdint>
#include <set>
#include <string>

class CHoldControl;

class CThumbStrip : public CControlStrip {
public:
    // folder: listed at once when given; pattern: the files to list, "*.bmp" when none. Registers itself
    // as a listener, so that the scroll buttons' clicks reach it.
    CThumbStrip(CControlManager* manager, CWnd* parentWnd, int id, const RECT& designRect,
                std::uint32_t flags, const char* folder, const char* pattern, int m, int g);
    ~CThumbStrip() override;

    // Appends a hold control as the next cell. False for anything else.
    bool AddControl(CControl* control) override;
    // The strip places the buttons from now on; none forgets the button.
    void SetBackButton(CControl* button);
    void SetForwardButton(CControl* button);

    // Shows folder, then the user's folder ownFolder (none: no own pictures), from the first picture on.
    void SetFolder(const char* folder, const char* ownFolder = nullptr);
    // Lists the folders again and moves the window the least that shows path; false (the window stays)
    // when path is not listed.
    bool ShowPicture(const std::string& path);
    // Brings every cell in line with the listing; a cell beyond the last picture is emptied. Returns how
    // many cells show an entry.
    int Refresh();
    // One picture towards the start, or nothing at the start.
    void ScrollBack();
    // One picture towards the end, or nothing when the last picture shows already.
    void ScrollForward();
    // Each button is enabled exactly when its direction has a picture left to show.
    void UpdateScrollButtons();

    bool OnControlEvent(int id, WPARAM param) override;
    void Draw(const RECT* area) override;
    // Places the strip, then the back button, the cells and the forward button in a row (or a column).
    void Rescale() override;

    int GetFirstIndex() const { return m_firstIndex; }
    const CContentListing& GetDirectory() const { return m_directory; }
    CControl* GetBackButton() const { return m_backButton; }
    CControl* GetForwardButton() const { return m_forwardButton; }

private:
    CHoldControl* Cell(int index) const;
    // The cell shows its overlay until the entry at index, loaded, takes its place.
    void LoadEntry(CHoldControl* cell, int index);
    // Gives cell the picture at path; a picture that cannot be read leaves the cell empty.
    void Load(CHoldControl* cell, const std::string& path);
    // The first index that still fills every cell.
    int LastFirstIndex() const;

    CContentListing m_directory;
    std::set<std::string> m_refused; // files of the folder the reader refused
    int m_firstIndex = 0;
    CControl* m_backButton = nullptr;    // owned by the manager
    CControl* m_forwardButton = nullptr; // owned by the manager
};
