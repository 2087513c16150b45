#include "platform/CommandLineParser.h"

#include <QCommandLineParser>

namespace {
QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

std::string Utf8(const QString& text) {
    return text.toStdString();
}
} // namespace

CCommandLineParser::CCommandLineParser() : m_parser(std::make_unique<QCommandLineParser>()) {}

CCommandLineParser::~CCommandLineParser() = default;

void CCommandLineParser::AddOption(const std::vector<std::string>& names, const std::string& description,
                                   const std::string& valueName, bool hidden) {
    QStringList list;
    for (const std::string& name : names)
        list << Text(name);
    QCommandLineOption option(list, Text(description), Text(valueName));
    if (hidden)
        option.setFlags(QCommandLineOption::HiddenFromHelp);
    m_parser->addOption(option);
}

void CCommandLineParser::AddPositional(const std::string& name, const std::string& description,
                                       const std::string& syntax) {
    m_parser->addPositionalArgument(Text(name), Text(description), Text(syntax));
}

void CCommandLineParser::SetDescription(const std::string& text) {
    m_parser->setApplicationDescription(Text(text));
}

bool CCommandLineParser::Parse(const std::vector<std::string>& arguments) {
    // Qt's parser skips the first entry, the program's name. Arguments are bytes: read as Latin-1 they
    // come back unchanged, whatever the bytes of a file's name; the options themselves are ASCII.
    QStringList list{QString()};
    for (const std::string& argument : arguments)
        list << QString::fromLatin1(argument);
    return m_parser->parse(list);
}

bool CCommandLineParser::IsSet(const std::string& name) const {
    return m_parser->isSet(Text(name));
}

std::vector<std::string> CCommandLineParser::Positionals() const {
    std::vector<std::string> positionals;
    for (const QString& argument : m_parser->positionalArguments())
        positionals.push_back(argument.toLatin1().toStdString());
    return positionals;
}

std::string CCommandLineParser::ErrorText() const {
    return Utf8(m_parser->errorText());
}

std::string CCommandLineParser::HelpText() const {
    return Utf8(m_parser->helpText());
}
