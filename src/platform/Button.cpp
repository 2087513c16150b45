#include "platform/Button.h"

#include "platform/DC.h"
#include "platform/WndQt.h"

#include <QMouseEvent>
#include <QPushButton>

// Watches the Qt button for what changes the look of an owner-drawn button and for double clicks.
class ButtonWatch : public QObject {
public:
    ButtonWatch(CButton::ButtonImpl* impl, QPushButton* button) : QObject(button), impl(impl) {
        button->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override;
    CButton::ButtonImpl* impl;
};

struct CButton::ButtonImpl {
    explicit ButtonImpl(CButton* self) : self(self) {}
    ~ButtonImpl() {
        if (watch)
            watch->impl = nullptr;
    }

    // The owner-draw state the button is in now.
    UINT State() const {
        UINT state = 0;
        if (!button)
            return state;
        if (button->isDown())
            state |= ODS_SELECTED;
        if (!button->isEnabled())
            state |= ODS_DISABLED;
        else if (button->underMouse())
            state |= ODS_HOTLIGHT;
        if (button->hasFocus())
            state |= ODS_FOCUS;
        return state;
    }

    void LookChanged() {
        if (ownerDraw && State() != drawnState)
            self->Invalidate(FALSE);
    }

    void Clicked() {
        if (swallowClick)
            swallowClick = false;
        else
            self->OnClicked();
    }

    CButton* self;
    QPointer<QPushButton> button;
    QPointer<ButtonWatch> watch;
    bool ownerDraw = false;
    // The state of the last DrawItem: a new one is drawn only when the look changes.
    UINT drawnState = 0;
    // The release that ends a double click gives no click.
    bool swallowClick = false;
};

bool ButtonWatch::eventFilter(QObject*, QEvent* event) {
    if (!impl)
        return false;
    WndHandlerScope scope;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        impl->swallowClick = false;
        break;
    case QEvent::MouseButtonDblClick:
        // A plain push button takes the second press of a double click as another click.
        if (impl->ownerDraw && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            impl->swallowClick = true;
            impl->self->OnDoubleClicked();
        }
        break;
    case QEvent::Enter:
    case QEvent::Leave:
    case QEvent::EnabledChange:
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        impl->LookChanged();
        break;
    default:
        break;
    }
    return false;
}

CButton::CButton() : b(std::make_unique<ButtonImpl>(this)) {}

CButton::~CButton() = default;

BOOL CButton::Create(const std::string& caption, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (GetSafeHwnd() || (parent && !parent->GetSafeHwnd()))
        return FALSE;
    auto* button = new QPushButton(QString::fromStdString(caption), parent ? parent->GetQWidget() : nullptr);
    DWORD type = style & BS_TYPEMASK;
    b->ownerDraw = type == BS_OWNERDRAW;
    b->button = button;
    b->drawnState = 0;
    b->swallowClick = false;
    button->setCheckable(type == BS_AUTOCHECKBOX);
    button->setDefault(type == BS_DEFPUSHBUTTON);
    // A picture button clicked leaves the keyboard where it was, with the picture area that takes keys;
    // Tab still reaches it.
    if (b->ownerDraw)
        button->setFocusPolicy(Qt::TabFocus);
    // In a dialog, Enter on a focused push button presses it, but Enter on a check box the default one.
    if (type == BS_AUTOCHECKBOX)
        button->setAutoDefault(false);
    auto* watch = new ButtonWatch(b.get(), button);
    b->watch = watch;
    // Through the watch: the button object may be gone while its widget still finishes a click.
    QObject::connect(button, &QPushButton::clicked, watch, [watch] {
        WndHandlerScope scope;
        if (watch->impl)
            watch->impl->Clicked();
    });
    auto lookChanged = [watch] {
        if (watch->impl)
            watch->impl->LookChanged();
    };
    QObject::connect(button, &QPushButton::pressed, watch, lookChanged);
    QObject::connect(button, &QPushButton::released, watch, lookChanged);
    return AdoptWidget(button, style, rect, parent, id, b->ownerDraw);
}

int CButton::GetCheck() const {
    return b->button && b->button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
}

void CButton::SetCheck(int check) {
    if (b->button && b->button->isCheckable())
        b->button->setChecked(check == BST_CHECKED);
}

bool CButton::IsOwnerDraw() const {
    return b->ownerDraw;
}

void CButton::OnPaint() {
    if (b->ownerDraw && b->button) {
        DRAWITEMSTRUCT item;
        item.CtlID = GetDlgCtrlID();
        item.itemState = b->drawnState = b->State();
        GetClientRect(&item.rcItem);
        item.hDC = GetDC();
        DrawItem(&item);
        ReleaseDC(item.hDC);
    }
    CWnd::OnPaint();
}

// A plain raised face with the caption, pushed in while held.
void CButton::DrawItem(DRAWITEMSTRUCT* item) {
    if (!item || !item->hDC || !b->button)
        return;
    QColor face = b->button->palette().color(QPalette::Button);
    QColor text = b->button->palette().color(b->button->isEnabled() ? QPalette::Active : QPalette::Disabled,
                                             QPalette::ButtonText);
    RECT rect = item->rcItem;
    item->hDC->FillSolidRect(rect, RGB(face.red(), face.green(), face.blue()));
    item->hDC->DrawEdge(&rect, (item->itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    item->hDC->SetBkMode(TRANSPARENT);
    item->hDC->SetTextColor(RGB(text.red(), text.green(), text.blue()));
    item->hDC->DrawText(GetWindowText(), &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void CButton::OnClicked() {}
void CButton::OnDoubleClicked() {}
