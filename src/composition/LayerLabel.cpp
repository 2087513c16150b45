#include "composition/LayerLabel.h"

#include "platform/FullPath.h"

namespace {
// As many characters as a layer's text field shows at its usual size.
constexpr std::size_t textLabelLength = 14;

bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}
} // namespace

std::string PictureLabel(const std::string& path, bool ownPicture) {
    std::string name = SplitPath(path).name;
    if (!ownPicture && name.size() > 1 && (name[0] == 'i' || name[0] == 'I'))
        name.erase(0, 1);
    for (char& c : name)
        if (c == '-' || c == '_')
            c = ' ';
    return name;
}

std::string TextLabel(const std::string& text) {
    std::string label;
    std::size_t characters = 0;
    bool space = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        // Line breaks and runs of blanks read as one space; none before the first word.
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            space = !label.empty();
            continue;
        }
        if (!IsContinuation(c)) {
            if (characters + space >= textLabelLength) {
                label += "...";
                return label;
            }
            if (space)
                label += ' ', ++characters;
            space = false;
            ++characters;
        }
        label += c;
    }
    return label;
}
