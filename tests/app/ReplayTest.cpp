// A recorded editing run, replayed through the editor driver alone: one script of steps at three window
// sizes, each step's composed picture and questions compared with those recorded in
// tests/data/replay/expected.txt. A change of the editor that changes what the user sees or is asked shows
// up here, step by step.
//
// After a change meant to alter the run, record it anew and read the difference before committing it:
//   QUIMBLE_REPLAY_UPDATE=1 ./test_app --gtest_filter='Replay.*'
//
// Also here: a layered picture file the editor saved, and every one of tests/data/golden, loaded and saved
// again keep their bytes (but for the content keys, which a reader draws afresh), or once saved do.

#include "support/EditorDriver.h"
#include "support/LayeredFileBytes.h"
#include "support/TempDir.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {
using Folder = PictureFolder;
using Act = std::function<void(CEditorDriver&, const TempDir&)>;

struct Step {
    const char* name;
    std::vector<Reply> replies; // for the questions the step asks
    Act act;
};

// The run. Layers fill from the back (position 9) towards the front, each put selecting the next.
const std::vector<Step>& Script() {
    static const std::vector<Step> steps = {
        {"start", {}, [](auto&, auto&) {}},
        {"put the hills", {}, [](auto& d, auto&) { d.Put(Folder::backgrounds, 0); }},
        {"put the cat", {}, [](auto& d, auto&) { d.Put(Folder::characters, 0); }},
        {"put the dog", {}, [](auto& d, auto&) { d.Put(Folder::characters, 1); }},
        {"put the ball", {}, [](auto& d, auto&) { d.Put(Folder::props, 0); }},
        {"select the cat", {}, [](auto& d, auto&) { d.SelectLayer(8); }},
        {"drag the cat", {}, [](auto& d, auto&) { d.Drag(150, 120); }},
        {"stretch the cat", {}, [](auto& d, auto&) { d.Stretch(40, 30); }},
        {"mirror the cat", {}, [](auto& d, auto&) { d.Mirror(); }},
        {"select the ball", {}, [](auto& d, auto&) { d.SelectLayer(6); }},
        {"drag the ball", {}, [](auto& d, auto&) { d.Drag(300, 60); }},
        {"select an empty layer", {}, [](auto& d, auto&) { d.SelectLayer(5); }},
        {"put the cloud", {}, [](auto& d, auto&) { d.Put(Folder::balloons, 0); }},
        {"select the cloud", {}, [](auto& d, auto&) { d.SelectLayer(5); }},
        {"drag the cloud", {}, [](auto& d, auto&) { d.Drag(330, 190); }},
        {"write on the cloud", {}, [](auto& d, auto&) { d.Text("Hello there!"); }},
        {"select the cloud again", {}, [](auto& d, auto&) { d.SelectLayer(5); }},
        {"drag the cloud with its text", {}, [](auto& d, auto&) { d.Drag(-70, -40); }},
        {"lay the cloud up over its text", {}, [](auto& d, auto&) { d.LayUp(); }},
        {"lay it down again", {}, [](auto& d, auto&) { d.LayDown(); }},
        {"hide the dog", {}, [](auto& d, auto&) { d.Hide(7); }},
        {"select the ball again", {}, [](auto& d, auto&) { d.SelectLayer(6); }},
        {"delete it, cancelled", {Reply::cancel}, [](auto& d, auto&) { d.Delete(); }},
        {"delete it", {Reply::ok}, [](auto& d, auto&) { d.Delete(); }},
        {"glue, the empty layer selected", {}, [](auto& d, auto&) { d.Glue(); }},
        {"select the cloud a third time", {}, [](auto& d, auto&) { d.SelectLayer(5); }},
        {"glue", {}, [](auto& d, auto&) { d.Glue(); }},
        {"undo the glue", {}, [](auto& d, auto&) { d.Undo(); }},
        {"undo the delete", {}, [](auto& d, auto&) { d.Undo(); }},
        {"redo the delete", {}, [](auto& d, auto&) { d.Redo(); }},
        {"redo the glue", {}, [](auto& d, auto&) { d.Redo(); }},
        {"show the dog again", {}, [](auto& d, auto&) { d.Hide(7); }},
        {"select the hills", {}, [](auto& d, auto&) { d.SelectLayer(9); }},
        {"replace them by the night", {Reply::ok}, [](auto& d, auto&) { d.Put(Folder::backgrounds, 1); }},
        {"select the cat again", {}, [](auto& d, auto&) { d.SelectLayer(8); }},
        {"keep it from the frog", {Reply::cancel}, [](auto& d, auto&) { d.Put(Folder::characters, 2); }},
        {"replace it by the frog", {Reply::ok}, [](auto& d, auto&) { d.Put(Folder::characters, 2); }},
        {"select the front layer", {}, [](auto& d, auto&) { d.SelectLayer(0); }},
        {"write a text of its own", {}, [](auto& d, auto&) { d.Text("The End"); }},
        {"drag the text", {}, [](auto& d, auto&) { d.Drag(400, 330); }},
        {"select the layer behind it", {}, [](auto& d, auto&) { d.SelectLayer(1); }},
        {"put the tree", {}, [](auto& d, auto&) { d.Put(Folder::props, 1); }},
        {"select the tree", {}, [](auto& d, auto&) { d.SelectLayer(1); }},
        {"stretch the tree", {}, [](auto& d, auto&) { d.Stretch(-10, 60); }},
        {"save", {}, [](auto& d, auto& dir) { d.SaveAs(dir.Join("picture.qmf")); }},
        {"drag the tree", {}, [](auto& d, auto&) { d.Drag(40, 20); }},
        {"new, cancelled", {Reply::cancel}, [](auto& d, auto&) { d.New(); }},
        {"new without saving", {Reply::dontSave}, [](auto& d, auto&) { d.New(); }},
        {"undo the new", {}, [](auto& d, auto&) { d.Undo(); }},
        {"redo the new", {}, [](auto& d, auto&) { d.Redo(); }},
        {"load the saved picture", {}, [](auto& d, auto& dir) { d.Load(dir.Join("picture.qmf")); }},
        {"undo after the load", {}, [](auto& d, auto&) { d.Undo(); }},
        {"redo after the load", {}, [](auto& d, auto&) { d.Redo(); }},
        {"load a file that is not there", {}, [](auto& d, auto& dir) { d.Load(dir.Join("none.qmf")); }},
        {"load again", {}, [](auto& d, auto& dir) { d.Load(dir.Join("picture.qmf")); }},
        {"select the frog", {}, [](auto& d, auto&) { d.SelectLayer(8); }},
        {"drag the frog", {}, [](auto& d, auto&) { d.Drag(-100, 30); }},
        {"load again, saving nothing",
         {Reply::dontSave},
         [](auto& d, auto& dir) { d.Load(dir.Join("picture.qmf")); }},
    };
    return steps;
}

// The design size, a larger and a smaller window.
const std::pair<int, int> windowSizes[] = {{788, 550}, {1000, 700}, {600, 420}};

// What the run showed and asked at one step of one window size; key names both.
struct Record {
    std::string key;
    std::string hash;
    std::vector<std::string> questions;
};

std::string ExpectedPath() {
    return std::string(QUIMBLE_TEST_DATA) + "/replay/expected.txt";
}

// Lines "<size> <step> <name> <hash>", each followed by its questions indented by two spaces.
std::map<std::string, Record> ReadRecords(const std::string& path) {
    std::map<std::string, Record> records;
    std::ifstream in(path);
    std::string line;
    Record* last = nullptr;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        if (line.rfind("  ", 0) == 0) {
            if (last)
                last->questions.push_back(line.substr(2));
            continue;
        }
        const std::size_t space = line.rfind(' ');
        Record r{line.substr(0, space), line.substr(space + 1), {}};
        last = &(records[r.key] = r);
    }
    return records;
}

void WriteRecords(const std::string& path, const std::vector<Record>& records) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream out(path);
    out << "# The recorded editing run of ReplayTest.cpp: per window size and step, the SHA-256 of the\n"
           "# composed picture, then the questions the step asked with the answers given.\n"
           "# Rewritten by QUIMBLE_REPLAY_UPDATE=1.\n";
    for (const Record& r : records) {
        out << r.key << ' ' << r.hash << '\n';
        for (const std::string& q : r.questions)
            out << "  " << q << '\n';
    }
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string s;
    for (const std::string& line : lines)
        s += "\n    " + line;
    return s.empty() ? "\n    (nothing)" : s;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Where two byte strings first differ, or success.
::testing::AssertionResult SameBytes(const std::string& expected, const std::string& actual) {
    if (expected == actual)
        return ::testing::AssertionSuccess();
    const auto at = std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end());
    return ::testing::AssertionFailure() << expected.size() << " bytes against " << actual.size()
                                         << ", first different at byte " << (at.first - expected.begin());
}
} // namespace

TEST(Replay, EachStepShowsAndAsksWhatWasRecordedAtEveryWindowSize) {
    std::vector<Record> actual;
    for (const auto& [width, height] : windowSizes) {
        std::string whyNot;
        std::unique_ptr<CEditorDriver> driver = StartEditorDriver(&whyNot);
        if (!driver)
            GTEST_SKIP() << whyNot;
        driver->SetWindowSize(width, height);
        TempDir dir;
        const std::vector<Step>& steps = Script();
        for (std::size_t i = 0; i < steps.size(); ++i) {
            const std::string key = std::to_string(width) + "x" + std::to_string(height) + " " +
                                    (i < 10 ? "0" : "") + std::to_string(i) + " " + steps[i].name;
            SCOPED_TRACE(key); // what the driver finds wrong names the step too
            const std::size_t asked = driver->Questions().size();
            driver->Answer(steps[i].replies);
            steps[i].act(*driver, dir);
            actual.push_back({key,
                              driver->ComposedHash(),
                              {driver->Questions().begin() + long(asked), driver->Questions().end()}});
        }
    }

    if (const char* update = std::getenv("QUIMBLE_REPLAY_UPDATE"); update && *update == '1') {
        WriteRecords(ExpectedPath(), actual);
        std::printf("recorded the run anew in %s\n", ExpectedPath().c_str());
        return;
    }
    const std::map<std::string, Record> expected = ReadRecords(ExpectedPath());
    ASSERT_FALSE(expected.empty()) << "no recorded run in " << ExpectedPath()
                                   << "; record one with QUIMBLE_REPLAY_UPDATE=1";
    for (const Record& r : actual) {
        const auto found = expected.find(r.key);
        if (found == expected.end()) {
            ADD_FAILURE() << "at " << r.key << ": no such step was recorded";
            continue;
        }
        EXPECT_EQ(r.hash, found->second.hash) << "at " << r.key << ": the picture differs";
        EXPECT_EQ(r.questions, found->second.questions)
            << "at " << r.key << ": asked" << Joined(r.questions) << "\n  where the recording asked"
            << Joined(found->second.questions);
    }
    EXPECT_EQ(actual.size(), expected.size()) << "the recording has steps the run no longer makes";
}

// Golden files the reader turns into the program's own form, which their first save writes: what changes.
// Saved once, they keep their bytes like every other file.
const std::map<std::string, std::string> convertedOnReading = {
    {"bits-16-555-fields.qmf", "16 bits with bit fields become 24 bits"},
    {"bits-16-565-fields.qmf", "16 bits with bit fields become 24 bits"},
    {"bits-24.qmf", "rows stored top down are stored bottom up"},
    {"bits-32-alpha-fields.qmf", "the alpha mask becomes a 24-bit picture with an alpha companion"},
    {"old-text-on-balloon.qmf", "the entry without a picture is left out, and so are the bytes after names"},
};

TEST(Replay, LayeredFilesLoadedAndSavedAgainKeepTheirBytes) {
    std::string whyNot;
    std::unique_ptr<CEditorDriver> driver = StartEditorDriver(&whyNot);
    if (!driver)
        GTEST_SKIP() << whyNot;
    TempDir dir;
    // A picture of the editor's own with each kind of layer it writes: with and without coverage, mirrored,
    // of 256 colours, hidden, a text on a picture.
    driver->Put(Folder::backgrounds, 1);
    driver->Put(Folder::characters, 0);
    driver->SelectLayer(8);
    driver->Drag(120, 40);
    driver->Mirror();
    driver->SelectLayer(7);
    driver->Put(Folder::characters, 2);
    driver->Put(Folder::balloons, 0);
    driver->SelectLayer(6);
    driver->Text("Round trip");
    driver->Hide(7);
    std::vector<std::string> files = {dir.Join("made.qmf")};
    driver->SaveAs(files[0]);
    const fs::path golden = fs::path(QUIMBLE_TEST_DATA) / "golden";
    if (fs::is_directory(golden)) {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(golden))
            if (entry.path().extension() == ".qmf")
                found.push_back(entry.path().string());
        std::sort(found.begin(), found.end());
        files.insert(files.end(), found.begin(), found.end());
    }

    // Each file loaded into an empty picture (so that one that does not load cannot pass for the one before
    // it) and saved; then that file the same way once more.
    const auto loadAndSave = [&](const std::string& from, const std::string& to) {
        driver->Answer({Reply::dontSave});
        driver->New();
        const std::size_t asked = driver->Questions().size();
        driver->Load(from);
        const std::string shown = driver->ComposedHash();
        driver->SaveAs(to);
        const std::vector<std::string> questions(driver->Questions().begin() + long(asked),
                                                 driver->Questions().end());
        EXPECT_EQ(questions.size(), 2u) << "only the two file dialogs" << Joined(questions);
        return shown;
    };
    const std::string once = dir.Join("once.qmf"), twice = dir.Join("twice.qmf");
    for (const std::string& file : files) {
        const std::string name = fs::path(file).filename().string();
        SCOPED_TRACE(name);
        const std::string shown = loadAndSave(file, once);
        const auto converted = convertedOnReading.find(name);
        if (converted == convertedOnReading.end())
            EXPECT_TRUE(
                SameBytes(LayeredFileWithoutKeys(ReadFile(file)), LayeredFileWithoutKeys(ReadFile(once))));
        else
            EXPECT_FALSE(SameBytes(ReadFile(file), ReadFile(once)))
                << "no longer converted: " << converted->second;
        EXPECT_EQ(loadAndSave(once, twice), shown) << "the saved file shows another picture";
        EXPECT_TRUE(
            SameBytes(LayeredFileWithoutKeys(ReadFile(once)), LayeredFileWithoutKeys(ReadFile(twice))));
    }
}
