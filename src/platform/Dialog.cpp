#include "platform/Dialog.h"

#include "platform/Button.h"
#include "platform/FullPath.h"
#include "platform/Modal.h"

#include <QApplication>
#include <QDialog>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {
// Pictures of dialogs are screen-sized; anything far beyond is refused before it is decoded.
constexpr int maxPictureMegabytes = 64;

RECT Place(int x, int y, int cx, int cy) {
    int left = x * 3 / 2, top = y * 13 / 8;
    return {left, top, left + cx * 3 / 2, top + cy * 13 / 8};
}

// A button of a dialog: its clicks are the dialog's commands.
class DialogButton : public CButton {
public:
    explicit DialogButton(CDialog* dialog) : m_dialog(dialog) {}
    void OnClicked() override { m_dialog->OnCommand(GetDlgCtrlID()); }

private:
    CDialog* m_dialog;
};

// A picture, text or edit of a dialog: a window over the Qt widget that shows it.
class DialogItemWnd : public CWnd {
public:
    BOOL Adopt(QWidget* widget, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return AdoptWidget(widget, style, rect, parent, id, false);
    }
};

// The Qt dialog: Esc and the close box ask the dialog for IDCANCEL, Enter for the default button.
class DialogWindow : public QDialog {
public:
    DialogWindow(CDialog* dialog, QWidget* owner) : QDialog(owner), m_dialog(dialog) {}

    void reject() override { m_dialog->OnCommand(IDCANCEL); }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
            QDialog::keyPressEvent(event);
            return;
        }
        // A focused push button takes Enter; else the default button; else the dialog hears IDOK.
        // A push-like check box is no push button: Enter there still means the default button.
        auto* target = qobject_cast<QPushButton*>(focusWidget());
        if (target && target->isCheckable())
            target = nullptr;
        for (QPushButton* b : findChildren<QPushButton*>())
            if (!target && b->isDefault())
                target = b;
        if (target) {
            if (target->isEnabled())
                target->click();
        } else {
            m_dialog->OnCommand(IDOK);
        }
    }

private:
    CDialog* m_dialog;
};

QLabel* MakePicture(const std::string& path) {
    auto* label = new QLabel;
    QImageReader reader(QString::fromLocal8Bit(path.c_str()));
    reader.setAllocationLimit(maxPictureMegabytes);
    QImage image = reader.read();
    if (!image.isNull())
        label->setPixmap(QPixmap::fromImage(image));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QLabel* MakeStatic(const DialogItem& item) {
    auto* label = new QLabel;
    label->setTextFormat(Qt::PlainText);
    label->setText(QString::fromStdString(item.text));
    Qt::Alignment across = (item.style & SS_CENTER) ? Qt::AlignHCenter : Qt::AlignLeft;
    Qt::Alignment down = (item.style & SS_CENTERIMAGE) ? Qt::AlignVCenter : Qt::AlignTop;
    label->setAlignment(across | down);
    // Unlike the original platform's, a centred line that does not fit wraps rather than being cut.
    label->setWordWrap(true);
    return label;
}

QWidget* MakeEdit(CDialog* dialog, const DialogItem& item) {
    UINT id = item.id;
    if (!(item.style & ES_MULTILINE)) {
        auto* line = new QLineEdit(QString::fromStdString(item.text));
        line->setFrame(item.style & WS_BORDER);
        QObject::connect(line, &QLineEdit::textChanged, line, [dialog, id] { dialog->OnCommand(id); });
        return line;
    }
    auto* edit = new QPlainTextEdit(QString::fromStdString(item.text));
    edit->setLineWrapMode((item.style & ES_AUTOHSCROLL) ? QPlainTextEdit::NoWrap
                                                        : QPlainTextEdit::WidgetWidth);
    edit->setTabChangesFocus(true);
    if (!(item.style & WS_BORDER))
        edit->setFrameShape(QFrame::NoFrame);
    QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [dialog, id] { dialog->OnCommand(id); });
    return edit;
}

void Frame(QWidget* widget, DWORD style) {
    auto* frame = qobject_cast<QFrame*>(widget);
    if (!frame || !(style & (SS_SUNKEN | WS_BORDER)))
        return;
    frame->setFrameShape((style & SS_SUNKEN) ? QFrame::Panel : QFrame::Box);
    frame->setFrameShadow((style & SS_SUNKEN) ? QFrame::Sunken : QFrame::Plain);
}
} // namespace

CDialog::CDialog(DialogTemplate dialogTemplate, CWnd* parent)
    : m_template(std::move(dialogTemplate)), m_pParentWnd(parent) {}

CDialog::~CDialog() {
    // The items' widgets live inside the dialog's: their objects go first.
    m_items.clear();
}

int CDialog::DoModal() {
    if (GetSafeHwnd() || !qApp)
        return IDCANCEL;
    m_ended = false;
    m_result = IDCANCEL;

    QWidget* owner = m_pParentWnd ? m_pParentWnd->GetQWidget() : nullptr;
    if (!owner)
        owner = QApplication::activeWindow();
    auto* window = new DialogWindow(this, owner);
    Qt::WindowFlags flags = Qt::Dialog;
    if (!(m_template.style & WS_CAPTION))
        flags |= Qt::FramelessWindowHint;
    else if (!(m_template.style & WS_SYSMENU))
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    window->setWindowFlags(flags);
    window->setWindowTitle(QString::fromStdString(m_template.caption));
    QFont font = window->font();
    font.setPointSize(8);
    window->setFont(font);
    RECT size = Place(0, 0, m_template.cx, m_template.cy);
    window->setFixedSize(size.right, size.bottom);
    AdoptWidget(window, m_template.style & ~WS_VISIBLE, size, nullptr, 0, false);
    // Placing it made it count as moved by hand; unmoved, Qt centres it over its owner (or the screen).
    window->setAttribute(Qt::WA_Moved, false);
    BuildItems();

    OnInitDialog();
    ModalQuestion q;
    q.kind = ModalKind::Dialog;
    q.text = m_template.caption;
    q.dialog = this;
    int result = m_result;
    if (!m_ended) {
        if (auto answer = ScriptedAnswer(q))
            result = m_ended ? m_result : answer->result;
        else if (GetSafeHwnd()) {
            window->exec();
            result = m_result;
        }
    }
    m_items.clear();
    DestroyWindow();
    return result;
}

void CDialog::BuildItems() {
    for (const DialogItem& item : m_template.items) {
        RECT place = Place(item.x, item.y, item.cx, item.cy);
        DWORD style = WS_CHILD | WS_VISIBLE | item.style;
        if (item.kind == DialogItemKind::Button) {
            auto button = std::make_unique<DialogButton>(this);
            if (button->Create(item.text, style, place, this, item.id))
                m_items.push_back(std::move(button));
            continue;
        }
        QWidget* widget = nullptr;
        switch (item.kind) {
        case DialogItemKind::Picture:
            // The program's pictures lie in its data folder, wherever that was found.
            widget = MakePicture(item.text.starts_with('/') ? item.text : MakeFullPath(item.text));
            // A picture looks the same enabled or not; it never takes input anyway.
            style &= ~WS_DISABLED;
            widget->setAttribute(Qt::WA_TransparentForMouseEvents);
            break;
        case DialogItemKind::Edit:
            widget = MakeEdit(this, item);
            break;
        default:
            widget = MakeStatic(item);
            break;
        }
        if (item.kind != DialogItemKind::Edit)
            Frame(widget, item.style);
        auto wnd = std::make_unique<DialogItemWnd>();
        if (wnd->Adopt(widget, style, place, this, item.id))
            m_items.push_back(std::move(wnd));
    }
}

void CDialog::EndDialog(int result) {
    m_ended = true;
    m_result = result;
    if (auto* window = qobject_cast<QDialog*>(GetQWidget()))
        window->done(result);
}

BOOL CDialog::OnInitDialog() {
    return TRUE;
}
void CDialog::OnOK() {
    EndDialog(IDOK);
}
void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::OnCommand(UINT id) {
    if (id == UINT(IDOK))
        OnOK();
    else if (id == UINT(IDCANCEL))
        OnCancel();
}

CWnd* CDialog::GetDlgItem(UINT id) const {
    for (const auto& item : m_items)
        if (item->GetSafeHwnd() && item->GetDlgCtrlID() == id)
            return item.get();
    return nullptr;
}

void CDialog::SetDlgItemText(UINT id, const std::string& text) {
    if (CWnd* item = GetDlgItem(id))
        item->SetWindowText(text);
}

std::string CDialog::GetDlgItemText(UINT id) const {
    CWnd* item = GetDlgItem(id);
    return item ? item->GetWindowText() : std::string();
}

void CDialog::CheckDlgButton(UINT id, UINT check) {
    if (auto* button = dynamic_cast<CButton*>(GetDlgItem(id)))
        button->SetCheck(int(check));
}

UINT CDialog::IsDlgButtonChecked(UINT id) const {
    auto* button = dynamic_cast<CButton*>(GetDlgItem(id));
    return button ? UINT(button->GetCheck()) : 0;
}

void CDialog::GotoDlgCtrl(CWnd* control) {
    if (control)
        control->SetFocus();
}
