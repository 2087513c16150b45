#pragma once
// A push button. Owner-drawn (BS_OWNERDRAW) it draws itself through DrawItem whenever its look changes;
// otherwise the platform draws it with its caption, and BS_AUTOCHECKBOX | BS_PUSHLIKE makes it a push
// button that stays in when checked.

#include "platform/Wnd.h"

class CDC;

// Button styles and check states.
constexpr DWORD BS_PUSHBUTTON = 0x0;
constexpr DWORD BS_DEFPUSHBUTTON = 0x1;
constexpr DWORD BS_CHECKBOX = 0x2;
constexpr DWORD BS_AUTOCHECKBOX = 0x3;
constexpr DWORD BS_OWNERDRAW = 0xB;
constexpr DWORD BS_TYPEMASK = 0xF;
constexpr DWORD BS_PUSHLIKE = 0x1000;
constexpr int BST_UNCHECKED = 0;
constexpr int BST_CHECKED = 1;

// Notification codes of buttons.
constexpr UINT BN_CLICKED = 0;
constexpr UINT BN_DOUBLECLICKED = 5;

// What an owner-drawn button gets to draw itself.
constexpr UINT ODT_BUTTON = 4;
constexpr UINT ODA_DRAWENTIRE = 0x1;
constexpr UINT ODA_SELECT = 0x2;
constexpr UINT ODA_FOCUS = 0x4;
constexpr UINT ODS_SELECTED = 0x1;
constexpr UINT ODS_DISABLED = 0x4;
constexpr UINT ODS_FOCUS = 0x10;
constexpr UINT ODS_HOTLIGHT = 0x40;
struct DRAWITEMSTRUCT {
    UINT CtlType = ODT_BUTTON;
    UINT CtlID = 0;
    UINT itemID = 0;
    UINT itemAction = ODA_DRAWENTIRE;
    UINT itemState = 0;
    CDC* hDC = nullptr;
    RECT rcItem;
};

class CButton : public CWnd {
public:
    CButton();
    ~CButton() override;

    BOOL Create(const std::string& caption, DWORD style, const RECT& rect, CWnd* parent, UINT id) override;

    // BST_CHECKED or BST_UNCHECKED.
    int GetCheck() const;
    void SetCheck(int check);
    bool IsOwnerDraw() const;

    // Draws the button: itemState holds ODS_SELECTED while it is held down, ODS_DISABLED, ODS_HOTLIGHT
    // while the pointer is over it, ODS_FOCUS; hDC draws on its surface; rcItem is its client rectangle.
    virtual void DrawItem(DRAWITEMSTRUCT* item);
    // A click: pressed and released over the button.
    virtual void OnClicked();
    // The second press of a double click (its release gives no further click).
    virtual void OnDoubleClicked();

    void OnPaint() override;

    struct ButtonImpl;

private:
    std::unique_ptr<ButtonImpl> b;
};
