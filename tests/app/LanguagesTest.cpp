#include "app/AppState.h"
#include "app/FillMessageTable.h"
#include "app/InfoDialog.h"
#include "app/ProgramTexts.h"
#include "app/PromptForFileName.h"
#include "app/StartupPicture.h"
#include "app/TextDialog.h"
#include "controls/MessageTable.h"
#include "support/ScopedEnv.h"
#include "support/ScriptedAnswers.h"
#include "support/ShellFixture.h"
#include "support/ShownTitle.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QString>
#include <QStyle>
#include <gtest/gtest.h>
#include <set>

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

// The desktop's language counts only where the command line names none.
TEST(Languages, ANumberWinsOverTheDesktopsLanguage) {
    const ScopedEnv language("LANGUAGE", nullptr), all("LC_ALL", nullptr), messages("LC_MESSAGES", nullptr),
        lang("LANG", "de_DE.UTF-8");
    const struct {
        std::vector<std::string> arguments;
        int language;
    } cases[] = {{{"2"}, LANG_FRENCH}, {{"3"}, LANG_ENGLISH}, {{}, LANG_GERMAN}};
    for (const auto& c : cases) {
        EmptyDataFolder here;
        ShellApp app;
        app.m_arguments = c.arguments;
        ScriptedAnswers answers;
        ASSERT_TRUE(app.InitInstance());
        EXPECT_EQ(GetLanguage(), c.language) << c.arguments.size();
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

// Each of the program's own texts is said in every language, with the same placeholders as in English,
// and in other words than English but where the words are the same (OK).
TEST(Languages, EveryProgramTextIsSaidInEachLanguage) {
    const QRegularExpression placeholder(QStringLiteral("%[1-9]"));
    const auto placeholders = [&](const char* words) {
        std::set<QString> found;
        for (const auto& match : placeholder.globalMatch(QString::fromUtf8(words)))
            found.insert(match.captured());
        return found;
    };
    for (const ProgramTextRow& row : PROGRAM_TEXTS) {
        const char* english = row.words[LanguageColumn(LANG_ENGLISH)];
        for (int language = LANG_DUTCH; language <= LANG_GERMAN; ++language) {
            SCOPED_TRACE(std::to_string(language) + ": " + english);
            const std::string words = ProgramWords(row.text, language);
            EXPECT_FALSE(words.empty());
            EXPECT_EQ(placeholders(words.c_str()), placeholders(english));
            if (language != LANG_ENGLISH && row.text != ProgramText::okButton) {
                EXPECT_NE(words, english);
            }
        }
    }
    EXPECT_EQ(
        ProgramTextOf(ProgramText::layerInfo, LANG_ENGLISH, {"%2", "1", "2", "3", "4", "5", "6", "7", "8"}),
        "\n\nImage: <%2>\n1x2, 3 bits\nX: 4, Y: 5, W: 6, H: 7\n\nAlpha: <8>");
}

// In every language the words of the start-up picture, the Text dialog (its hint among them) and the Info
// dialog fit their places whole: a button's words on one line, a text wrapped within its frame.
TEST(Languages, DialogWordsFitTheirPlacesInEveryLanguage) {
    CMessageTable messages;
    FillMessageTable(messages);
    for (int language = LANG_DUTCH; language <= LANG_GERMAN; ++language) {
        SCOPED_TRACE(language);
        SetLanguage(language);
        messages.SetGroup(language);
        int checked = 0;
        ScriptedAnswers answers;
        answers.onDialog = [&](CDialog* dialog) {
            for (QPushButton* button : dialog->GetQWidget()->findChildren<QPushButton*>()) {
                const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
                EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()) + 2 * margin,
                          button->width())
                    << button->text().toStdString();
                ++checked;
            }
            for (QLabel* label : dialog->GetQWidget()->findChildren<QLabel*>()) {
                if (label->text().isEmpty())
                    continue; // a picture
                const QRect room = label->contentsRect();
                const QRect needed = label->fontMetrics().boundingRect(
                    room, int(label->alignment()) | Qt::TextWordWrap, label->text());
                EXPECT_TRUE(room.contains(needed)) << label->text().toStdString();
                ++checked;
            }
        };
        ShowStartupPicture(nullptr);
        std::string text;
        int centred = 0;
        COLORREF colour = 0;
        LOGFONT font;
        for (int hint : {MSG_REPLACE_PROMPT, MSG_TEXT_PROMPT_NEW, MSG_TEXT_PROMPT_ON_PICTURE})
            CTextDialog().Run(messages.FindMessage(hint), &text, &centred, &colour, font);
        CInfoDialog().Run(
            ProgramTextOf(ProgramText::layerInfo, language,
                          {"/home/ann/.local/share/quimble/chars/iDog.bmp", "200", "150", "24", "120", "80",
                           "200", "150", "/home/ann/.local/share/quimble/chars/aDog.bmp"}),
            nullptr);
        EXPECT_EQ(checked, 1 + 3 * 6 + 3);
    }
    SetLanguage(LANG_NONE);
}
