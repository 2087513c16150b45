#include "platform/ColorDialog.h"

#include "platform/Modal.h"
#include "platform/Wnd.h"

#include <QApplication>
#include <QColorDialog>

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, CWnd* parent)
    : m_colour((flags & CC_RGBINIT) ? initial : RGB(0, 0, 0)), m_flags(flags), m_parent(parent) {}

int CColorDialog::DoModal() {
    ModalQuestion q;
    q.kind = ModalKind::Colour;
    q.style = m_flags;
    q.colour = m_colour;
    if (auto answer = ScriptedAnswer(q)) {
        if (answer->result != IDOK)
            return IDCANCEL;
        m_colour = answer->colour & 0xFFFFFF;
        return IDOK;
    }
    if (!qApp)
        return IDCANCEL;

    // Qt keeps custom colours for the whole process (and beyond); here each use starts afresh.
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, Qt::white);
    QWidget* owner =
        m_parent && m_parent->GetQWidget() ? m_parent->GetQWidget() : QApplication::activeWindow();
    QColorDialog dialog(QColor(GetRValue(m_colour), GetGValue(m_colour), GetBValue(m_colour)), owner);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted)
        return IDCANCEL;
    QColor chosen = dialog.selectedColor();
    m_colour = RGB(BYTE(chosen.red()), BYTE(chosen.green()), BYTE(chosen.blue()));
    return IDOK;
}
