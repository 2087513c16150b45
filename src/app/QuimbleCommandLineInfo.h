#pragma once
// The command line, read as a whole by Qt's parser once the framework has handed over the last argument:
// a language number (1 Dutch, 2 French, 3 English, 4 German; the last one counts; -1 to -4 as well), a
// layered picture to open (any other argument; the last one counts), or one of the commands that show no
// window: --help (-h), --version (-v), --render PICTURE OUT [--size WxH]..., --thumbnail IN OUT SIZE. Its
// texts are made when asked for, in the language in force then.

#include "app/AppState.h"
#include "platform/CommandLineInfo.h"
#include <string>
#include <vector>

class CQuimbleCommandLineInfo : public CCommandLineInfo {
public:
    enum Mode { editor, help, version, render, thumbnail, badArguments };

    void ParseParam(const char* param, BOOL flag, BOOL last) override;

    // The line that says what is wrong with a command line of badArguments (without a line end); empty
    // for any other.
    std::string ErrorText() const;
    // The usage: the forms of the command line, the options and the arguments.
    static std::string HelpText();

    Mode m_mode = editor;
    // The language number given, or LANG_NONE.
    int m_language = LANG_NONE;
    // The layered picture to load at start, or empty.
    std::string m_strFileName;
    // Every argument as given, for --render, whose --size belongs to the pair before it.
    std::vector<std::string> m_arguments;
    // The arguments that are no options: IN, OUT and SIZE of --thumbnail.
    std::vector<std::string> m_positionals;

private:
    void Read();

    // What made the arguments bad, when the parser itself took them.
    enum Fault { parserFault, renderAndThumbnail, thumbnailArguments, sizeWithoutRender };
    Fault m_fault = parserFault;
};
