#pragma once
// The editor as a user works it, in the few words a recorded editing run needs: pictures put from the
// content folders into layers, moved, stretched and mirrored on the picture with the selection frame,
// texts written, the layer strip worked, undo and redo, a new picture, load and save, the window made
// larger or smaller. A run written in these words alone replays on any editor that implements them, so
// the same recording pins the behaviour of today's editor and of whatever replaces it.
//
// Words of the run:
// - Layer positions count from 0, the front-most layer at the top of the layer strip, to 9.
// - Distances are design units, the 788 x 550 screen the layout is drawn on. The pointer moves in whole
//   window pixels: a distance becomes the nearest number of pixels at the window's scale.
// - Questions are answered from the replies given with Answer, in order, as the user would press their
//   buttons; a question with a choice and no reply left is cancelled. A message with only OK is closed
//   with OK and takes no reply. The file dialogs of Load and SaveAs choose the file the step names, the
//   Text dialog takes the step's text; any other dialog is cancelled.
// - The content folders hold the pictures that ReplayContent.h draws; the program speaks English.

#include <memory>
#include <string>
#include <vector>

enum class PictureFolder { backgrounds, balloons, characters, props };

// A button of a question: OK, Cancel, Save or Don't Save (Yes and No where the question has those).
enum class Reply { ok, cancel, save, dontSave };

class CEditorDriver {
public:
    virtual ~CEditorDriver() = default;

    // The editor's screen (the window inside its frame and menu) becomes width x height pixels.
    virtual void SetWindowSize(int width, int height) = 0;
    // The replies to the questions from now on, in place of any left unused.
    virtual void Answer(std::vector<Reply> replies) = 0;

    // Shows the folder, picks its picture number index (from 0, in the order the thumb strip lists them)
    // and puts it into the selected layer.
    virtual void Put(PictureFolder folder, int index) = 0;
    // Clicks the layer at position in the layer strip.
    virtual void SelectLayer(int position) = 0;
    // With Move on (switched on first when it is off), drags the selected layer by its body.
    virtual void Drag(int dx, int dy) = 0;
    // The same by the frame's bottom-right corner handle: the far edges move by dw and dh.
    virtual void Stretch(int dw, int dh) = 0;
    // The same by the frame's right-edge handle, past the left edge until the layer is as wide the other
    // way: it flips about its left edge (its x).
    virtual void Mirror() = 0;
    // Clicks the Text button and writes text in the dialog it opens.
    virtual void Text(const std::string& text) = 0;
    // The layer strip's buttons.
    virtual void Glue() = 0;
    virtual void LayUp() = 0;
    virtual void LayDown() = 0;
    virtual void Delete() = 0;
    // Clicks the hide toggle of the layer at position: a shown layer hides, a hidden one shows again.
    virtual void Hide(int position) = 0;
    virtual void Undo() = 0;
    virtual void Redo() = 0;
    // The menu's New.
    virtual void New() = 0;
    // The Load button, choosing path in the open dialog.
    virtual void Load(const std::string& path) = 0;
    // The Save button, choosing path in the save dialog.
    virtual void SaveAs(const std::string& path) = 0;

    // SHA-256 (lower-case hex) of the composed picture the picture area shows, without the selection frame:
    // the text "width height\n" (decimal pixels), then its rows from the top, each pixel as the bytes red,
    // green and blue.
    virtual std::string ComposedHash() = 0;
    // Every question and message since the driver started, one line each, with the answer given:
    //   message "<text>" [<buttons>|...] -> <button>
    //   open file "<title>" -> <file name> | Cancel
    //   save file "<title>" -> <file name> | Cancel
    //   text dialog "<prompt>" showing "<text>" -> OK "<text>"
    // Line breaks in texts are written \n.
    virtual const std::vector<std::string>& Questions() const = 0;
};

// The editor under test, started afresh at the design size; none, with why in whyNot, when it cannot be
// (the build has no data folder). The implementation linked with the tests defines it.
std::unique_ptr<CEditorDriver> StartEditorDriver(std::string* whyNot);
