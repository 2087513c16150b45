#pragma once
// The keyed texts the editor shows to the user, one entry per key and language group. Look-ups are
// filtered by one group (the language number); group 0 matches every group, so the first entry added
// for a key wins.

#include "platform/WinTypes.h"
#include <memory>
#include <string>
#include <vector>

// Keys of the texts: the questions and errors the editor shows in the user's language.
enum : int {
    MSG_REPLACE_LAYER = 1,
    MSG_REPLACE_PROMPT = 2,
    MSG_CLEAR_LAYER = 3,
    MSG_QUIT = 4,
    MSG_SAVE_ERROR = 5,
    MSG_READ_ERROR = 6,
    MSG_PICTURE_UNREADABLE = 7,     // %1 stands for the file's name
    MSG_TEXT_PROMPT_NEW = 8,        // the Text dialog's hint on an empty layer
    MSG_TEXT_PROMPT_ON_PICTURE = 9, // on a layer with a picture
    MSG_NO_FREE_LAYER = 10,         // Text on a picture with no empty layer in front of it
    MSG_LAST = MSG_NO_FREE_LAYER
};

class CMessageTable {
public:
    void SetGroup(int group) { m_group = group; }

    // Appends a copy of text. Returns 0 (after an error box) when the entry cannot be allocated.
    int AddMessage(int key, int group, const std::string& text);
    // The text of the first entry with this key in the filter's group, or nullptr when there is none.
    const std::string* FindMessage(int key) const;
    int GetCount() const { return int(m_entries.size()); }
    void Clear() { m_entries.clear(); }

    // Shows text in the message box with the given style and returns the button pressed; without a text
    // nothing is shown and the answer is 0, which no caller takes as yes.
    static int ShowMessage(const std::string* text, UINT style);

private:
    struct Entry {
        int key;
        int group;
        std::string text;
    };
    std::vector<std::unique_ptr<Entry>> m_entries;
    int m_group = 0;
};
