#include "app/AppState.h"
#include "app/InfoDialog.h"
#include "app/PromptForFileName.h"
#include "app/TextDialog.h"
#include "support/ScriptedAnswers.h"
#include "support/ShellFixture.h"
#include "support/ShownTitle.h"

#include <QCoreApplication>
#include <QString>
#include <gtest/gtest.h>

namespace {
// The menu as MenuAsShown lists it, from the table of a language.
std::string TableMenu(int language) {
    const DOCRESOURCE resource = QuimbleDocResource(language);
    std::string menu;
    for (const MENUPOPUP& popup : resource.menu.Popups()) {
        menu += (menu.empty() ? "" : "|") + popup.text;
        for (const MENUITEM& item : popup.items)
            menu += item.command == 0 ? "|-" : "|  " + item.text;
    }
    return menu;
}
} // namespace

// Whatever the program says of its own accord speaks the language of the command line, as its tables
// give it, and so do Qt's standard dialogs; other numbers speak Dutch, as the messages do. (The English
// texts themselves are checked word for word where the commands are.)
TEST(Languages, MenuFrameworkQuestionsAndCaptionsSpeakTheLanguageOfTheCommandLine) {
    const struct {
        const char* argument;
        int table;            // the language whose texts it shows
        const char* qtCancel; // Qt's own text for the Cancel buttons of its dialogs
    } cases[] = {
        {"3", LANG_ENGLISH, "Cancel"},  {"4", LANG_GERMAN, "Abbrechen"}, {"2", LANG_FRENCH, "Annuler"},
        {"1", LANG_DUTCH, "Annuleren"}, {"0", LANG_DUTCH, "Annuleren"},  {"7", LANG_DUTCH, "Annuleren"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.argument);
        const FRAMEWORKTEXTS texts = QuimbleFrameworkTexts(c.table);
        std::string exitQuestion = texts.saveChanges;
        exitQuestion.replace(exitQuestion.find("%1"), 2, texts.untitled);
        if (c.table != LANG_ENGLISH) {
            EXPECT_NE(TableMenu(c.table), TableMenu(LANG_ENGLISH));
            EXPECT_NE(texts.saveChanges, QuimbleFrameworkTexts(LANG_ENGLISH).saveChanges);
        }
        {
            EmptyDataFolder here;
            ShellApp app;
            app.m_arguments = {c.argument};
            ScriptedAnswers answers; // Cancel to everything
            ASSERT_TRUE(app.InitInstance());
            EXPECT_EQ(app.MenuAsShown(), TableMenu(c.table));
            EXPECT_EQ(ShownTitle(app.Window()), texts.untitled + " - Quimble");

            app.Doc()->DoFileSave();
            app.Doc()->SetModifiedFlag();
            app.m_pMainWnd->OnClose();
            std::string path;
            PromptForFileName(&path, TRUE, nullptr, 0, "Quimble file (*.qmf)|*.qmf||");
            std::string prompt = "?", text;
            int centred = 0;
            COLORREF colour = 0;
            LOGFONT font;
            CTextDialog().Run(&prompt, &text, &centred, &colour, font);
            CInfoDialog().Run("about a layer", nullptr);

            ASSERT_EQ(answers.asked.size(), 6u); // after the start-up picture
            EXPECT_EQ(answers.asked[1].kind, ModalKind::SaveFile);
            EXPECT_EQ(answers.asked[1].text, texts.saveAsCaption);
            EXPECT_EQ(answers.asked[1].filter, texts.allFiles + "|*.*||");
            EXPECT_EQ(answers.asked[2].kind, ModalKind::MessageBox);
            EXPECT_EQ(answers.asked[2].text, exitQuestion);
            EXPECT_EQ(answers.asked[2].caption, "Quimble");
            EXPECT_EQ(answers.asked[3].kind, ModalKind::OpenFile);
            EXPECT_EQ(answers.asked[3].text, texts.openCaption);
            EXPECT_EQ(answers.asked[4].text, DialogCaption(IDD_TEXT, c.table));
            EXPECT_EQ(answers.asked[5].text, DialogCaption(IDD_INFO, c.table));
            EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel").toStdString(), c.qtCancel);
        }
        // Qt's translations go with the application.
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
        SetLanguage(LANG_NONE);
    }
}

// The shortcuts are the same in every language and each item shows its own; within the menu bar and
// within each menu no two mnemonics are the same letter.
TEST(Languages, EveryLanguageKeepsTheShortcutsAndDistinctMnemonics) {
    const DOCRESOURCE english = QuimbleDocResource(LANG_ENGLISH);
    auto mnemonic = [](const std::string& text) {
        QString t = QString::fromStdString(text);
        qsizetype at = t.indexOf('&');
        return at < 0 || at + 1 >= t.size() || t.indexOf('&', at + 1) >= 0 ? QChar() : t[at + 1].toLower();
    };
    for (int language = LANG_DUTCH; language <= LANG_GERMAN; ++language) {
        SCOPED_TRACE(language);
        const DOCRESOURCE r = QuimbleDocResource(language);
        ASSERT_EQ(r.accelerators.size(), english.accelerators.size());
        for (std::size_t i = 0; i < r.accelerators.size(); ++i) {
            EXPECT_EQ(r.accelerators[i].modifiers, english.accelerators[i].modifiers);
            EXPECT_EQ(r.accelerators[i].key, english.accelerators[i].key);
            EXPECT_EQ(r.accelerators[i].command, english.accelerators[i].command);
        }
        QString bar;
        for (const MENUPOPUP& popup : r.menu.Popups()) {
            QChar letter = mnemonic(popup.text);
            EXPECT_FALSE(letter.isNull() || bar.contains(letter)) << popup.text;
            bar += letter;
            QString items;
            for (const MENUITEM& item : popup.items) {
                if (item.command == 0)
                    continue;
                letter = mnemonic(item.text);
                EXPECT_FALSE(letter.isNull() || items.contains(letter)) << item.text;
                items += letter;
                std::string shown = item.text.find('\t') == std::string::npos
                                        ? ""
                                        : item.text.substr(item.text.find('\t') + 1);
                std::string expected;
                for (const ACCEL& a : r.accelerators)
                    if (a.command == item.command)
                        expected = std::string(language == LANG_GERMAN ? "Strg+" : "Ctrl+") + char(a.key);
                EXPECT_EQ(shown, expected) << item.text;
            }
        }
    }
}
