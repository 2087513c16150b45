#include "support/ControlTestKit.h"

#include "controls/Control.h"
#include "imaging/DIB.h"
#include "platform/DC.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

std::unique_ptr<CDIB> MakeBandPicture(int width, int height) {
    auto dib = std::make_unique<CDIB>();
    if (!dib->Create(width, height, 24))
        return nullptr;
    const int q = height / 4;
    // Picture rows count from the top: the top quarter is band 3.
    for (int band = 0; band < 4; ++band) {
        const RECT rows = {0, (3 - band) * q, width, (4 - band) * q};
        dib->Fill(kBandColour[band], &rows);
    }
    return dib;
}

std::string WriteBandPicture(const std::string& path, int width, int height) {
    auto dib = MakeBandPicture(width, height);
    return dib && dib->Save(path) ? path : std::string();
}

CTestView::CTestView(int width, int height) {
    Create("", WS_VISIBLE, {0, 0, width, height}, nullptr, 0);
}

bool CTestView::OnControlEvent(int id, WPARAM) {
    m_commands.push_back(id);
    return true;
}

void CSolidControl::Draw(const RECT*) {
    ++m_draws;
    CWnd* wnd = GetWindow();
    if (!wnd || !IsDrawingEnabled())
        return;
    CDC* dc = wnd->GetDC();
    RECT client;
    wnd->GetClientRect(&client);
    dc->FillSolidRect(client, m_colour);
    wnd->ReleaseDC(dc);
}

void Settle() {
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

QWidget* WidgetOf(CWnd* wnd) {
    return wnd->GetQWidget();
}

COLORREF PixelOf(CWnd* wnd, int x, int y) {
    CDC* dc = wnd->GetDC();
    if (!dc)
        return CLR_INVALID;
    const COLORREF colour = dc->GetPixel(x, y);
    wnd->ReleaseDC(dc);
    return colour;
}

COLORREF CentreOf(CWnd* wnd) {
    RECT client;
    wnd->GetClientRect(&client);
    return PixelOf(wnd, client.right / 2, client.bottom / 2);
}

RECT GeometryOf(CWnd* wnd) {
    const QRect g = WidgetOf(wnd)->geometry();
    return {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

int CountHot(const CControlManager& manager) {
    int hot = 0;
    for (int i = 0; i < manager.GetControlCount(); ++i)
        hot += (manager.GetControl(i)->GetFlags() & CTL_HOT) ? 1 : 0;
    return hot;
}
