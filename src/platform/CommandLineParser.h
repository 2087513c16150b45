#pragma once
// A program's options and arguments as Qt's command-line parser reads them: an option may stand anywhere,
// "-h" and "--help" alike, "--size=WxH" or "--size WxH", and "--" ends the options. The usage text is laid
// out with the headings of Qt's translations where the application has installed them. Texts are UTF-8.

#include <memory>
#include <string>
#include <vector>

class QCommandLineParser;

class CCommandLineParser {
public:
    CCommandLineParser();
    ~CCommandLineParser();
    CCommandLineParser(const CCommandLineParser&) = delete;
    CCommandLineParser& operator=(const CCommandLineParser&) = delete;

    // names: a letter is a short option ("-h"), a longer name a long one ("--help"). An option with a
    // valueName takes a value. A hidden one is understood but not listed in the usage.
    void AddOption(const std::vector<std::string>& names, const std::string& description,
                   const std::string& valueName = "", bool hidden = false);
    // An argument as the usage lists it: syntax on the usage line, name and description below.
    void AddPositional(const std::string& name, const std::string& description, const std::string& syntax);
    // The text between the usage line and the options.
    void SetDescription(const std::string& text);

    // Reads the arguments (the program's name not among them). False on an unknown option or a value
    // missing; ErrorText then says which.
    bool Parse(const std::vector<std::string>& arguments);
    bool IsSet(const std::string& name) const;
    std::vector<std::string> Positionals() const;
    std::string ErrorText() const;
    // The usage line, the description, the options and the arguments. Needs the platform running.
    std::string HelpText() const;

private:
    std::unique_ptr<QCommandLineParser> m_parser;
};
