// The user's own pictures on the whole editor screen: Add Pictures from the menu and files dropped from a
// file manager, with the file dialog and the messages answered by script.

#include "app/ControlIds.h"
#include "controls/HoldControl.h"
#include "controls/LayerControl.h"
#include "controls/LayerStrip.h"
#include "controls/ThumbStrip.h"
#include "imaging/DIB.h"
#include "platform/FullPath.h"
#include "support/EditorFixture.h"
#include "support/PictureFiles.h"
#include "support/ScriptedAnswers.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>
#include <gtest/gtest.h>

namespace {
class OwnPicturesEditor : public EditorFixture {
protected:
    // A picture of a figure on a transparent ground, in dir.
    std::string Figure(const std::string& name) const {
        return files.Write(name, EncodedPicture(60, 40, "png", [](int x, int) {
                               return x < 30 ? 0xFF2080C0u : 0x00000000u;
                           }));
    }
    // Drags paths from a file manager over the control id, to its centre, and drops them there when drop
    // is set. Returns whether the view took the drag there.
    bool Drag(int id, const std::vector<std::string>& paths, bool drop = true) {
        QMimeData data;
        QList<QUrl> urls;
        for (const std::string& path : paths)
            urls << QUrl::fromLocalFile(QString::fromStdString(path));
        data.setUrls(urls);
        QWidget* target = view->FindControl(id)->GetWindow()->GetQWidget();
        const QPoint at = target->mapTo(view->GetQWidget(), target->rect().center());
        // As a drag does: it enters first, and what takes it there takes the moves and the drop.
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view->GetQWidget(), &enter);
        QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view->GetQWidget(), &move);
        if (move.isAccepted() && drop) {
            QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(view->GetQWidget(), &dropped);
        }
        return move.isAccepted();
    }
    void Drop(int id, const std::vector<std::string>& paths) { Drag(id, paths); }
    std::string LayerPicture(int k) const {
        const CDIB* image = Find<CLayerControl>(IDC_LAYER1 + 2 * (k - 1))->GetImage();
        return image ? image->GetName() : "";
    }
    std::vector<std::string> Shown() const {
        std::vector<std::string> names;
        for (int k = 0; k < THUMB_CELL_COUNT; ++k) {
            const CDIB* image = Find<CHoldControl>(IDC_THUMB_CELL1 + k)->GetImage();
            names.push_back(image ? image->GetName() : "");
        }
        return names;
    }

    ScopedDataHome data;
    TempDir files;
};
} // namespace

TEST_F(OwnPicturesEditor, AddPicturesCopiesIntoTheShownContentAndSaysWhichFileItCannotRead) {
    Find<CButtonControl>(IDC_CHARACTERS)->Clicked();
    ScriptedAnswers answers;
    answers.Then(IDOK, Figure("cat.png") + "\n" + files.Write("notes.png", "no picture"));
    app.MenuItem("A&dd Pictures...")->trigger();
    ASSERT_EQ(answers.Count(ModalKind::OpenFile), 1);
    EXPECT_NE(answers.Last(ModalKind::OpenFile)->filter.find("*.png"), std::string::npos);
    ASSERT_EQ(answers.Count(ModalKind::MessageBox), 1);
    EXPECT_NE(answers.Last(ModalKind::MessageBox)->text.find("notes.png"), std::string::npos)
        << answers.Last(ModalKind::MessageBox)->text;
    EXPECT_EQ(data.home.List("quimble/chars"), std::vector<std::string>{"cat.png"});
    EXPECT_EQ(Shown().back(), data.Own("chars/cat.png")) << "the strip moved to show it at once";
    EXPECT_TRUE(Find<CButtonControl>(IDC_THUMB_BACK)->GetWindow()->IsWindowEnabled());

    answers.Then(IDCANCEL);
    app.MenuItem("A&dd Pictures...")->trigger();
    EXPECT_EQ(answers.Last(ModalKind::OpenFile)->fileName, SplitPath(Figure("cat.png")).folder)
        << "the next one opens where the last pictures came from";
}

TEST_F(OwnPicturesEditor, ADropOnThePictureAreaAlsoFillsTheSelectedOrTheNearestEmptyLayer) {
    Find<CButtonControl>(IDC_PROPS)->Clicked();
    auto* strip = Find<CLayerStrip>(IDC_LAYER_STRIP);
    Drop(IDC_MIXER, {Figure("fig.png"), Figure("other.png")});
    EXPECT_EQ(LayerPicture(10), data.Own("props/fig.png"))
        << "the first dropped picture, in the selected layer";
    EXPECT_EQ(strip->GetSelected(), Find<CLayerControl>(IDC_LAYER9)) << "the next one in front is selected";
    EXPECT_EQ(data.home.List("quimble/props"), (std::vector<std::string>{"fig.png", "other.png"}));
    ASSERT_NE(Find<CLayerControl>(IDC_LAYER10)->GetImage()->GetAlpha(), nullptr);

    strip->Select(Find<CLayerControl>(IDC_LAYER10));
    Drop(IDC_MIXER, {Figure("fig.png")});
    EXPECT_EQ(LayerPicture(9), data.Own("props/fig-2.png")) << "the nearest empty layer";
    EXPECT_EQ(LayerPicture(10), data.Own("props/fig.png"));

    Drop(IDC_THUMB_CELL2, {Figure("strip.png")});
    EXPECT_EQ(LayerPicture(8), "") << "a drop on the strip only adds";
    EXPECT_EQ(Shown().back(), data.Own("props/strip.png"));
    EXPECT_FALSE(Drag(IDC_QUIT, {Figure("elsewhere.png")})) << "no drop elsewhere";
    EXPECT_FALSE(Drag(IDC_LAYER3, {Figure("elsewhere.png")}));
    EXPECT_TRUE(Drag(IDC_THUMB_FORWARD, {Figure("elsewhere.png")}, false));
    EXPECT_EQ(data.home.List("quimble/props").size(), 4u);
}
