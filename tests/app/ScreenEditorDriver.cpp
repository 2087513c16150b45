// The editor driver over today's editor screen: the whole program with its document, frame and view,
// worked with the mouse as a user works it (clicks on its controls, drags on the picture area, the menu),
// its questions answered through the modal responder.

#include "app/AppState.h"
#include "app/ControlIds.h"
#include "app/ScreenLayout.h"
#include "app/TextDialog.h"
#include "composition/PickSlotAt.h"
#include "controls/DIBMixer.h"
#include "controls/LayerControl.h"
#include "controls/LayerStrip.h"
#include "platform/Dialog.h"
#include "platform/Modal.h"
#include "support/EditorDriver.h"
#include "support/ReplayContent.h"
#include "support/ScopedEnv.h"
#include "support/ScopedLanguage.h"
#include "support/ShellFixture.h"
#include "support/TempDir.h"

#include <QAction>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {
void Settle() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// Texts on one line of the transcript.
std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text)
        out += c == '\n' ? std::string("\\n") : std::string(1, c);
    return out + "\"";
}

// The buttons of a message box style, with what each answers.
struct Button {
    const char* name;
    int id;
    Reply reply;
};
std::vector<Button> ButtonsOf(UINT style) {
    switch (style & 0xF) {
    case MB_OKCANCEL:
        return {{"OK", IDOK, Reply::ok}, {"Cancel", IDCANCEL, Reply::cancel}};
    case MB_YESNOCANCEL:
        return {
            {"Yes", IDYES, Reply::save}, {"No", IDNO, Reply::dontSave}, {"Cancel", IDCANCEL, Reply::cancel}};
    case MB_YESNO:
        return {{"Yes", IDYES, Reply::save}, {"No", IDNO, Reply::dontSave}};
    case MB_SAVEDISCARDCANCEL:
        return {{"Save", IDYES, Reply::save},
                {"Don't Save", IDNO, Reply::dontSave},
                {"Cancel", IDCANCEL, Reply::cancel}};
    case MB_RESTOREDISCARD:
        return {{"Restore", IDYES, Reply::save}, {"Discard", IDNO, Reply::dontSave}};
    default:
        return {{"OK", IDOK, Reply::ok}};
    }
}

// The program in a working folder of its own: the screen's pictures from the build's data folder, the
// content folders drawn for the run, and empty folders for the user's own pictures and autosaves (so that
// nothing another test left behind is listed or offered).
class CScreenEditorDriver : public CEditorDriver {
public:
    explicit CScreenEditorDriver(const fs::path& builtRes)
        : m_res(MakeRes(m_dir, builtRes)), m_cwd(m_dir.path),
          m_state("XDG_STATE_HOME", m_dir.Mkdir("state").c_str()) {
        SetModalResponder([this](const ModalQuestion& q) { return Respond(q); });
        if (!m_app.Start()) {
            ADD_FAILURE() << "the program did not start";
            return;
        }
        m_view = m_app.View();
        m_app.Window()->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_app.Window()));
        Settle();
    }
    ~CScreenEditorDriver() override { SetModalResponder({}); }
    bool Started() const { return m_view != nullptr; }

    void SetWindowSize(int width, int height) override {
        QWidget* window = m_app.Window();
        const QSize frame = window->size() - m_view->GetQWidget()->size();
        window->resize(QSize(width, height) + frame);
        Settle();
        const QSize now = m_view->GetQWidget()->size();
        EXPECT_EQ(now, QSize(width, height)) << "the window cannot be made that size";
    }
    void Answer(std::vector<Reply> replies) override { m_replies.assign(replies.begin(), replies.end()); }

    void Put(PictureFolder folder, int index) override {
        static constexpr int folderButtons[] = {IDC_BACKGROUNDS, IDC_BALLOONS, IDC_CHARACTERS, IDC_PROPS};
        Click(folderButtons[int(folder)]);
        // The strip shows four pictures from its first; forward shows one more each time.
        for (int shown = 0; index - shown >= THUMB_CELL_COUNT; ++shown)
            Click(IDC_THUMB_FORWARD);
        Click(IDC_THUMB_CELL1 + std::min(index, THUMB_CELL_COUNT - 1));
        Click(IDC_PICKED);
    }
    void SelectLayer(int position) override {
        if (CLayerControl* layer = Strip()->GetLayer(position)) {
            // On the label, away from the thumbnail and the hide toggle.
            const QWidget* widget = Widget(layer);
            ClickAt(widget, {widget->width() - 4, widget->height() / 2});
        }
    }
    void Drag(int dx, int dy) override { DragBy(-1, dx, dy); }
    void Stretch(int dw, int dh) override { DragBy(bottomRightHandle, dw, dh); }
    void Mirror() override {
        const CDIBSlot* slot = TakeFrame();
        DragBy(rightEdgeHandle, slot ? -2 * slot->m_width : 0, 0);
    }
    void Text(const std::string& text) override {
        m_text = text;
        Click(IDC_TEXT);
        m_text.reset();
    }
    void Glue() override { Click(IDC_GLUE); }
    void LayUp() override { Click(IDC_LAYER_UP); }
    void LayDown() override { Click(IDC_LAYER_DOWN); }
    void Delete() override { Click(IDC_LAYER_DELETE); }
    void Hide(int position) override {
        if (CLayerControl* layer = Strip()->GetLayer(position); layer && layer->GetToggle()) {
            const QWidget* toggle = Widget(layer->GetToggle());
            ClickAt(toggle, toggle->rect().center());
        }
    }
    void Undo() override { Click(IDC_UNDO); }
    void Redo() override { Click(IDC_REDO); }
    void New() override {
        if (QAction* item = m_app.MenuItem("&New...\tCtrl+N"))
            item->trigger();
        else
            ADD_FAILURE() << "the menu has no New";
        Settle();
    }
    void Load(const std::string& path) override {
        m_path = path;
        Click(IDC_LOAD);
        m_path.reset();
    }
    void SaveAs(const std::string& path) override {
        m_path = path;
        Click(IDC_SAVE);
        m_path.reset();
    }

    std::string ComposedHash() override {
        const CDIBMixer* mixer = Mixer();
        if (!mixer || mixer->GetCanvas().BitCount() != 24)
            return "no 24-bit picture";
        const CDIB& canvas = mixer->GetCanvas();
        const int w = canvas.GetWidth(), h = canvas.GetHeight();
        QByteArray bytes = QByteArray::number(w) + ' ' + QByteArray::number(h) + '\n';
        for (int y = 0; y < h; ++y) {
            const BYTE* row = canvas.GetBits() + std::size_t(h - 1 - y) * canvas.GetStride();
            for (int x = 0; x < w; ++x)
                bytes.append(char(row[3 * x + 2])).append(char(row[3 * x + 1])).append(char(row[3 * x]));
        }
        return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().toStdString();
    }
    const std::vector<std::string>& Questions() const override { return m_questions; }

private:
    static constexpr int rightEdgeHandle = 2, bottomRightHandle = 6;
    // How many moves a drag makes on its way, as a hand's would be several.
    static constexpr int dragSteps = 6;

    static std::string MakeRes(const TempDir& dir, const fs::path& built) {
        const std::string res = dir.Mkdir("res");
        const char* content[] = {"bckgnds", "textblbs", "chars", "props"};
        for (const auto& entry : fs::directory_iterator(built))
            if (std::find(std::begin(content), std::end(content), entry.path().filename()) ==
                std::end(content))
                fs::create_symlink(entry.path(), fs::path(res) / entry.path().filename());
        EXPECT_TRUE(WriteReplayContent(res));
        return res;
    }

    static QWidget* Widget(const CControl* control) {
        CWnd* wnd = control ? control->GetWindow() : nullptr;
        return wnd ? wnd->GetQWidget() : nullptr;
    }
    CLayerStrip* Strip() const { return m_view->FindControlAs<CLayerStrip>(IDC_LAYER_STRIP); }
    CDIBMixer* Mixer() const { return m_view->GetPictureArea(); }
    CDIBSlot* SelectedSlot() const { return Mixer() ? Mixer()->GetSelectedSlot() : nullptr; }

    // A click as a hand makes it, at p of the widget's window: the pressed button shows before it is let
    // go. A disabled control takes none.
    static void ClickAt(const QWidget* widget, QPoint p) {
        if (!widget)
            return;
        QTest::mousePress(const_cast<QWidget*>(widget), Qt::LeftButton, Qt::NoModifier, p);
        Settle();
        QTest::mouseRelease(const_cast<QWidget*>(widget), Qt::LeftButton, Qt::NoModifier, p);
        Settle();
    }
    void Click(int id) {
        const QWidget* widget = Widget(m_view->FindControl(id));
        if (!widget)
            ADD_FAILURE() << "the screen has no control " << id;
        ClickAt(widget, widget ? widget->rect().center() : QPoint());
    }

    // Where a press takes the selected layer by handle (-1: its body, anywhere it shows in front and no
    // handle is), in the picture area's pixels; none when it cannot be taken there.
    std::optional<QPoint> PressPoint(int handle) {
        CDIBMixer* mixer = Mixer();
        const std::optional<CSelectionFrame> frame = mixer ? mixer->CurrentFrame() : std::nullopt;
        if (!frame)
            return std::nullopt;
        const QRect area = Widget(mixer)->rect();
        if (handle >= 0) {
            const RECT& h = frame->GetHandle(handle);
            const QPoint p((h.left + h.right) / 2, (h.top + h.bottom) / 2);
            return area.contains(p) ? std::optional(p) : std::nullopt;
        }
        const RECT& o = frame->GetOutline();
        const double sx = m_view->GetScaleX(), sy = m_view->GetScaleY();
        // From the middle outwards, on a grid of the frame's eighths.
        for (int ring = 0; ring <= 4; ++ring)
            for (int j = -ring; j <= ring; ++j)
                for (int i = -ring; i <= ring; ++i) {
                    if (std::max(std::abs(i), std::abs(j)) != ring)
                        continue;
                    const POINT p{(o.left + o.right) / 2 + i * (o.right - o.left) / 8,
                                  (o.top + o.bottom) / 2 + j * (o.bottom - o.top) / 8};
                    if (area.contains(QPoint(p.x, p.y)) && frame->HandleAt(p) < 0 &&
                        PickSlotAt(mixer->GetSlots(), p, sx, sy, SelectedSlot(), MIXER_KEY_COLOUR) ==
                            SelectedSlot())
                        return QPoint(p.x, p.y);
                }
        return std::nullopt;
    }

    // Switches Move on unless it is: the selected layer shows its frame. Its slot, or none.
    const CDIBSlot* TakeFrame() {
        auto* move = m_view->FindControlAs<CButtonControl>(IDC_MOVE);
        if (move && !move->IsOn())
            Click(IDC_MOVE);
        return SelectedSlot();
    }
    // Presses on the handle (or the body) of the selected layer with Move on, moves the pointer dx, dy
    // design units in a few steps, and lets go.
    void DragBy(int handle, int dx, int dy) {
        CDIBMixer* mixer = Mixer();
        TakeFrame();
        const std::optional<QPoint> from = PressPoint(handle);
        if (!from) {
            ADD_FAILURE() << "the selected layer shows no " << (handle < 0 ? "place" : "handle")
                          << " to take it by";
            return;
        }
        QWidget* widget = Widget(mixer);
        const QPoint travel(int(std::lround(dx * m_view->GetScaleX())),
                            int(std::lround(dy * m_view->GetScaleY())));
        QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, *from);
        EXPECT_EQ(mixer->GetHotHandle(), handle) << "the press took another handle";
        for (int step = 1; step <= dragSteps; ++step) {
            QTest::mouseMove(widget, *from + travel * step / dragSteps);
            QCoreApplication::processEvents();
        }
        QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, *from + travel);
        Settle();
    }

    ModalAnswer Respond(const ModalQuestion& q) {
        ModalAnswer a;
        switch (q.kind) {
        case ModalKind::MessageBox: {
            const std::vector<Button> buttons = ButtonsOf(q.style);
            const Button* pressed = &buttons.back();
            if (buttons.size() == 1) {
                pressed = &buttons.front();
            } else if (!m_replies.empty()) {
                const Reply reply = m_replies.front();
                m_replies.pop_front();
                for (const Button& b : buttons)
                    if (b.reply == reply)
                        pressed = &b;
            }
            std::string names;
            for (const Button& b : buttons)
                names += (names.empty() ? "" : "|") + std::string(b.name);
            m_questions.push_back("message " + Quoted(q.text) + " [" + names + "] -> " + pressed->name);
            a.result = pressed->id;
            break;
        }
        case ModalKind::OpenFile:
        case ModalKind::SaveFile: {
            const std::string kind = q.kind == ModalKind::OpenFile ? "open file " : "save file ";
            if (m_path) {
                a.result = IDOK;
                a.path = *m_path;
            }
            m_questions.push_back(kind + Quoted(q.text) + " -> " +
                                  (m_path ? fs::path(*m_path).filename().string() : "Cancel"));
            break;
        }
        case ModalKind::Dialog:
            if (auto* text = dynamic_cast<CTextDialog*>(q.dialog)) {
                const std::string prompt = text->GetDlgItemText(CTextDialog::IDC_PROMPT);
                const std::string shown = text->GetDlgItemText(CTextDialog::IDC_TEXT);
                if (m_text)
                    text->SetDlgItemText(CTextDialog::IDC_TEXT, *m_text);
                text->OnCommand(m_text ? IDOK : IDCANCEL);
                m_questions.push_back("text dialog " + Quoted(prompt) + " showing " + Quoted(shown) + " -> " +
                                      (m_text ? "OK " + Quoted(*m_text) : std::string("Cancel")));
                break;
            }
            if (q.dialog)
                q.dialog->OnCommand(IDCANCEL);
            m_questions.push_back("dialog -> Cancel");
            break;
        default:
            m_questions.push_back("question of kind " + std::to_string(int(q.kind)) + " " + Quoted(q.text) +
                                  " -> Cancel");
            break;
        }
        return a;
    }

    // Destroyed from the last: the program first, the folders it worked in last.
    TempDir m_dir;
    std::string m_res; // made before the program starts in m_dir
    ScopedCwd m_cwd;
    ScopedDataHome m_data;
    ScopedEnv m_state;
    ScopedLanguage m_english{LANG_ENGLISH};
    ShellApp m_app;
    RecordingView* m_view = nullptr;
    std::deque<Reply> m_replies;
    std::optional<std::string> m_path;
    std::optional<std::string> m_text;
    std::vector<std::string> m_questions;
};
} // namespace

std::unique_ptr<CEditorDriver> StartEditorDriver(std::string* whyNot) {
    const char* res = std::getenv("QUIMBLE_RES_DIR");
    if (!res || !fs::exists(fs::path(res) / "Backg.BMP")) {
        if (whyNot)
            *whyNot = "QUIMBLE_RES_DIR names no data folder";
        return nullptr;
    }
    auto driver = std::make_unique<CScreenEditorDriver>(res);
    if (!driver->Started()) {
        if (whyNot)
            *whyNot = "the program did not start";
        return nullptr;
    }
    return driver;
}
