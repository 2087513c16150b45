// The printed page of the editor, checked on the PDF as a reader renders it.

#include "PictureScreen.h"
#include "platform/DC.h"
#include "platform/PrintInfo.h"
#include "support/ScriptedAnswers.h"

#include <QMainWindow>
#include <QPainter>
#include <QPrinter>
#include <QTest>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace {
// A page as pdftoppm renders it at 72 dpi (one pixel a point) and the box of what is printed on it.
struct RenderedPage {
    int width = 0, height = 0;
    RECT ink{};
};

bool HasPdfRenderer() {
    return std::system("pdftoppm -v >/dev/null 2>&1") == 0;
}

int PageCount(const std::string& pdf) {
    FILE* info = popen(("pdfinfo '" + pdf + "'").c_str(), "r");
    if (!info)
        return -1;
    int pages = -1;
    char line[256];
    while (std::fgets(line, sizeof line, info))
        std::sscanf(line, "Pages: %d", &pages);
    pclose(info);
    return pages;
}

// The first page of pdf; a page of size 0 when it could not be rendered.
RenderedPage Render(const TempDir& dir, const std::string& pdf) {
    RenderedPage page;
    const std::string out = dir.Join("page");
    if (std::system(("pdftoppm -r 72 -singlefile '" + pdf + "' '" + out + "'").c_str()) != 0)
        return page;
    std::ifstream in(out + ".ppm", std::ios::binary);
    std::string magic;
    int maxValue = 0;
    in >> magic >> page.width >> page.height >> maxValue;
    in.get();
    std::string pixels(std::size_t(page.width) * page.height * 3, '\0');
    if (magic != "P6" || maxValue != 255 || !in.read(pixels.data(), std::streamsize(pixels.size())))
        return {};
    page.ink = {page.width, page.height, 0, 0};
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.width; ++x) {
            const auto* p =
                reinterpret_cast<const unsigned char*>(&pixels[(std::size_t(y) * page.width + x) * 3]);
            if (p[0] < 235 || p[1] < 235 || p[2] < 235) {
                page.ink.left = std::min<LONG>(page.ink.left, x);
                page.ink.top = std::min<LONG>(page.ink.top, y);
                page.ink.right = std::max<LONG>(page.ink.right, x + 1);
                page.ink.bottom = std::max<LONG>(page.ink.bottom, y + 1);
            }
        }
    return page;
}

class Printing : public PictureScreen {
protected:
    void SetUp() override {
        if (!HasPdfRenderer())
            GTEST_SKIP() << "pdftoppm (poppler-utils) is missing: the printed pages cannot be looked at";
        PictureScreen::SetUp();
        if (!IsSkipped())
            PutTwoLayers();
    }
    // Prints the view's page on printer as the framework does.
    void PrintOn(QPrinter& printer) {
        QPainter painter(&printer);
        painter.setRenderHint(QPainter::LosslessImageRendering);
        std::unique_ptr<CDC> dc = CDC::ForPainter(&painter, printer.width(), printer.height(),
                                                  printer.logicalDpiX(), printer.logicalDpiY());
        CPrintInfo info;
        view->OnPrint(dc.get(), &info);
    }
    // The picture area's proportions, whatever the window's.
    static double PictureAspect() { return 421.0 / 569.0; }
};

::testing::AssertionResult Near(const RECT& shown, const RECT& expected) {
    const LONG d =
        std::max({std::abs(shown.left - expected.left), std::abs(shown.top - expected.top),
                  std::abs(shown.right - expected.right), std::abs(shown.bottom - expected.bottom)});
    if (d <= 2)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "shown " << shown.left << ", " << shown.top << ", " << shown.right
                                         << ", " << shown.bottom << " instead of " << expected.left << ", "
                                         << expected.top << ", " << expected.right << ", " << expected.bottom;
}
} // namespace

TEST(PrintDestination, AcrossThePrintableWidthOrDownItsHeightInThePicturesProportionsCentred) {
    const struct {
        int w, h, pageWidth, pageHeight, dpiX, dpiY;
        RECT expected;
    } cases[] = {
        {569, 421, 9000, 12000, 1200, 1200, {0, 2670, 9000, 9329}}, // 421 x 9000 / 569 = 6659.06
        {569, 421, 9000, 14000, 600, 1200, {0, 341, 9000, 13659}},  // tall pixels: twice as high...
        {569, 421, 9000, 12000, 600, 1200, {445, 0, 8554, 12000}},  // ...unless the page is lower
        {569, 421, 9000, 6000, 1200, 1200, {445, 0, 8554, 6000}},
        {200, 600, 9000, 12000, 1200, 1200, {2500, 0, 6500, 12000}}, // a tall picture fits the page height
        {600, 200, 12000, 9000, 300, 300, {0, 2500, 12000, 6500}},
        {0, 421, 9000, 12000, 1200, 1200, {0, 0, 0, 0}}, // no canvas: an empty page
        {569, 421, 9000, 12000, 0, 1200, {0, 0, 0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CQuimbleView::PrintDestination(c.w, c.h, c.pageWidth, c.pageHeight, c.dpiX, c.dpiY),
                  c.expected)
            << c.w << " x " << c.h << " on " << c.pageWidth << " x " << c.pageHeight;
}

TEST_F(Printing, ThePictureAreaSpansThePrintableWidthOrFitsThePageHeightCentredAtAnyWindowShape) {
    const struct {
        const char* what;
        QPageLayout::Orientation orientation;
        QSize window;
    } cases[] = {
        {"portrait", QPageLayout::Portrait, {800, 600}},
        {"landscape", QPageLayout::Landscape, {800, 600}},
        {"a tall window on portrait", QPageLayout::Portrait, {300, 760}},
    };
    for (const auto& c : cases) {
        app.Window()->resize(c.window);
        Settle();
        const std::string pdf = dir.Join(std::string(c.what) + ".pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf));
        printer.setPageOrientation(c.orientation);
        PrintOn(printer);

        const RenderedPage page = Render(dir, pdf);
        const QRect paper = printer.pageLayout().fullRectPoints();
        ASSERT_EQ(QSize(page.width, page.height), paper.size()) << c.what;
        // As large as the printable area allows, centred on it, in the picture area's proportions.
        const QRect printable = printer.pageLayout().paintRectPoints();
        const double scale = std::min(double(printable.width()), printable.height() / PictureAspect());
        const double left = printable.left() + (printable.width() - scale) / 2;
        const double top = printable.top() + (printable.height() - scale * PictureAspect()) / 2;
        const RECT expected{LONG(left), LONG(top), LONG(left + scale), LONG(top + scale * PictureAspect())};
        EXPECT_TRUE(Near(page.ink, expected)) << c.what;
        EXPECT_TRUE(page.ink.Width() >= printable.width() - 2 || page.ink.Height() >= printable.height() - 2)
            << c.what;
    }
}

TEST_F(Printing, PrintAndPreviewMakeOnePageOfThePictureAndTheScreenIsPaintedAgain) {
    ScriptedAnswers answers;
    answers.Then(IDOK, dir.Join("printed.pdf")).Then(IDOK, dir.Join("preview.pdf"));
    EXPECT_TRUE(view->OnControlEvent(IDC_PRINT, 0));
    QTest::qWait(20);
    ASSERT_EQ(answers.Count(ModalKind::Print), 1);
    Settle();
    EXPECT_TRUE(view->IsDrawingEnabled()) << "the screen is painted again";

    app.m_pMainWnd->RouteCommand(ID_FILE_PRINT_PREVIEW);
    EXPECT_EQ(answers.Count(ModalKind::PrintPreview), 1);
    EXPECT_EQ(answers.Count(ModalKind::Print), 1) << "the preview asks no printer";

    const RenderedPage printed = Render(dir, dir.Join("printed.pdf"));
    ASSERT_GT(printed.width, 0);
    EXPECT_EQ(PageCount(dir.Join("printed.pdf")), 1);
    // The default page: the picture from margin to margin, in its proportions.
    EXPECT_NEAR(printed.ink.left, printed.width - printed.ink.right, 2);
    EXPECT_NEAR(double(printed.ink.Height()) / printed.ink.Width(), PictureAspect(), 0.01);
    const RenderedPage previewed = Render(dir, dir.Join("preview.pdf"));
    EXPECT_EQ(previewed.ink, printed.ink);
}
