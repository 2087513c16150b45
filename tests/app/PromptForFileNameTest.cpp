#include "app/PromptForFileName.h"
#include "platform/FileDialog.h"
#include "support/ScriptedAnswers.h"

#include <gtest/gtest.h>

TEST(PromptForFileName, AsksWithTheOptionBitsAndKeepsThePathUnlessAFileWasChosen) {
    struct Case {
        BOOL open;
        DWORD flags;
        const char* initial;
        int answer;
        const char* chosen;
        int result;
        const char* path;
        ModalKind kind;
        UINT askedFlags;
    };
    const Case cases[] = {
        {FALSE, 0, "", IDOK, "/pics/a.bmp", 1, "/pics/a.bmp", ModalKind::SaveFile, 0x880006},
        {TRUE, 0, "old.qmf", IDOK, "/pics/b.qmf", 1, "/pics/b.qmf", ModalKind::OpenFile, 0x881806},
        {FALSE, OFN_OVERWRITEPROMPT, "old.qmf", IDCANCEL, "/pics/c.qmf", 0, "old.qmf", ModalKind::SaveFile,
         0x2},
        {FALSE, 0, "old.qmf", IDOK, "", 0, "", ModalKind::SaveFile, 0x880006},
    };
    for (const Case& c : cases) {
        ScriptedAnswers answers;
        answers.Then(c.answer, c.chosen);
        std::string path = c.initial;
        EXPECT_EQ(PromptForFileName(&path, c.open, nullptr, c.flags, "Any (*.*)|*.*||"), c.result)
            << c.chosen;
        EXPECT_EQ(path, c.path);
        ASSERT_EQ(answers.asked.size(), 1u);
        const ModalQuestion& q = answers.asked[0];
        EXPECT_EQ(q.kind, c.kind);
        EXPECT_EQ(q.style, c.askedFlags);
        EXPECT_EQ(q.fileName, c.initial);
        EXPECT_EQ(q.filter, "Any (*.*)|*.*||");
    }
    ScriptedAnswers answers;
    EXPECT_EQ(PromptForFileName(nullptr, FALSE, nullptr, 0, "Any (*.*)|*.*||"), 0);
    EXPECT_TRUE(answers.asked.empty());
}
