#pragma once
// A push button. Owner-drawn (BS_OWNERDRAW) it draws itself through DrawItem whenever its look changes;
// otherwise the platform draws it with its caption, and BS_AUTOCHECKBOX | BS_PUSHLIKE makes it a push
// button that stays in when checked.

#include "platform/Wnd.h"

struct DRAWITEMSTRUCT;

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
