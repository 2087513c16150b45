#include "platform/Modal.h"

#include "platform/WinApp.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {
ModalResponder& Responder() {
    static ModalResponder responder;
    return responder;
}

std::string& AppTitle() {
    static std::string title = "Quimble";
    return title;
}

constexpr UINT typeMask = 0xF;
constexpr UINT iconMask = 0xF0;
} // namespace

void SetModalResponder(ModalResponder responder) {
    Responder() = std::move(responder);
}

std::optional<ModalAnswer> ScriptedAnswer(const ModalQuestion& question) {
    if (!Responder())
        return std::nullopt;
    return Responder()(question);
}

void SetAppTitle(const std::string& title) {
    AppTitle() = title;
}
const std::string& GetAppTitle() {
    return AppTitle();
}

int AfxMessageBox(const char* text, UINT style) {
    if ((style & iconMask) == 0) {
        UINT type = style & typeMask;
        style |= (type == MB_OK || type == MB_OKCANCEL) ? MB_ICONWARNING : MB_ICONQUESTION;
    }
    ModalQuestion q;
    q.kind = ModalKind::MessageBox;
    q.text = text ? text : "";
    q.caption = GetAppTitle();
    q.style = style;
    if (auto answer = ScriptedAnswer(q))
        return answer->result;
    if (!qApp)
        return IDCANCEL;

    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QString::fromStdString(q.caption));
    box.setText(QString::fromUtf8(q.text.c_str()));
    switch (style & iconMask) {
    case MB_ICONERROR:
        box.setIcon(QMessageBox::Critical);
        break;
    case MB_ICONQUESTION:
        box.setIcon(QMessageBox::Question);
        break;
    case MB_ICONINFORMATION:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        box.setIcon(QMessageBox::Warning);
        break;
    }
    struct Choice {
        QMessageBox::StandardButton button;
        int id;
        const std::string* text = nullptr; // none: Qt's own, in Qt's translation
    };
    const FRAMEWORKTEXTS& texts = AfxGetFrameworkTexts();
    std::vector<Choice> choices;
    // The box closes by its escape button; without one (a question that must be answered) not at all.
    bool escapes = true;
    switch (style & typeMask) {
    case MB_OKCANCEL:
        choices = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_YESNOCANCEL:
        choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_YESNO:
        choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
        break;
    case MB_SAVEDISCARDCANCEL:
        choices = {{QMessageBox::Save, IDYES},
                   {QMessageBox::Discard, IDNO, &texts.dontSave},
                   {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_RESTOREDISCARD:
        choices = {{QMessageBox::Yes, IDYES, &texts.restore}, {QMessageBox::Discard, IDNO, &texts.discard}};
        escapes = false;
        break;
    default:
        choices = {{QMessageBox::Ok, IDOK}};
        break;
    }
    QMessageBox::StandardButtons buttons;
    for (const Choice& c : choices)
        buttons |= c.button;
    box.setStandardButtons(buttons);
    for (const Choice& c : choices)
        if (c.text)
            box.button(c.button)->setText(QString::fromStdString(*c.text));
    box.setDefaultButton(choices.front().button);
    // Closing the box counts as Cancel where there is one, else as the only button.
    if (escapes)
        box.setEscapeButton(choices.back().button);
    auto pressed = QMessageBox::StandardButton(box.exec());
    for (const Choice& c : choices)
        if (c.button == pressed)
            return c.id;
    return choices.back().id;
}
