#include "app/QuimbleCommandLineInfo.h"

#include "platform/CommandLineParser.h"

namespace {
// Each text in Dutch, French, English and German.
using Texts = const char* const[LANGUAGE_COUNT];

Texts description = {
    "Quimble maakt een plaat uit lagen van kant-en-klare plaatjes en tekst.\nZonder venster:",
    "Quimble compose une image à partir de calques d'images toutes faites et de texte.\nSans fenêtre\u00a0:",
    "Quimble builds a picture from layers of ready-made pictures and text.\nWithout a window:",
    "Quimble stellt ein Bild aus Ebenen mit fertigen Bildern und Text zusammen.\nOhne Fenster:",
};
const char forms[] = "\n  quimble --render PICTURE.qmf OUT.png|OUT.bmp [--size WxH] [PICTURE.qmf OUT ...]"
                     "\n  quimble --thumbnail IN.qmf OUT.png SIZE";
Texts helpOption = {
    "Toont deze hulp en stopt.",
    "Affiche cette aide et quitte.",
    "Shows this help and ends.",
    "Zeigt diese Hilfe und beendet das Programm.",
};
Texts versionOption = {
    "Toont het versienummer en stopt.",
    "Affiche la version et quitte.",
    "Shows the version and ends.",
    "Zeigt die Version und beendet das Programm.",
};
Texts renderOption = {
    "Schrijft elke gelaagde PICTURE.qmf als platte afbeelding OUT (.bmp of .png), zoals Opslaan dat doet, "
    "zonder venster: in de verhoudingen van het tekenvlak, op de resolutie van het grootste plaatje in een "
    "laag, of op de --size die direct na het paar staat.",
    "Écrit chaque image à calques PICTURE.qmf en image à plat OUT (.bmp ou .png), comme le fait "
    "Enregistrer, sans fenêtre\u00a0: aux proportions de la zone de dessin, à la résolution de la plus "
    "grande image d'un calque, ou à la taille --size donnée juste après la paire.",
    "Writes each layered PICTURE.qmf as the flat picture OUT (.bmp or .png), as Save would, without a "
    "window: in the picture area's proportions at the resolution of its largest layer picture, or at the "
    "--size given right after the pair.",
    "Schreibt jedes Ebenenbild PICTURE.qmf als flaches Bild OUT (.bmp oder .png), wie Speichern es tut, "
    "ohne Fenster: in den Proportionen der Bildfläche mit der Auflösung des größten Ebenenbildes oder in "
    "der Größe --size direkt nach dem Paar.",
};
Texts sizeOption = {
    "Bij --render: breedte en hoogte van het paar ervoor, in pixels.",
    "Avec --render\u00a0: largeur et hauteur de la paire qui précède, en pixels.",
    "With --render: the width and height of the pair before it, in pixels.",
    "Mit --render: Breite und Höhe des Paares davor, in Pixeln.",
};
Texts thumbnailOption = {
    "Schrijft een PNG-voorbeeld van IN.qmf als OUT, met de lange zijde hoogstens SIZE pixels, voor "
    "bestandsbeheerders.",
    "Écrit un aperçu PNG de IN.qmf dans OUT, d'au plus SIZE pixels sur son grand côté, pour les "
    "gestionnaires de fichiers.",
    "Writes a PNG preview of IN.qmf as OUT, at most SIZE pixels on its long side, for file managers.",
    "Schreibt eine PNG-Vorschau von IN.qmf als OUT, höchstens SIZE Pixel an der langen Seite, für "
    "Dateimanager.",
};
Texts languageArgument = {
    "De taal: 1 Nederlands, 2 Frans, 3 Engels, 4 Duits. Zonder nummer de taal van het bureaublad, anders "
    "Nederlands.",
    "La langue\u00a0: 1 néerlandais, 2 français, 3 anglais, 4 allemand. Sans numéro, la langue du bureau, "
    "sinon le néerlandais.",
    "The language: 1 Dutch, 2 French, 3 English, 4 German. Without it, the desktop's language, else Dutch.",
    "Die Sprache: 1 Niederländisch, 2 Französisch, 3 Englisch, 4 Deutsch. Ohne Nummer die Sprache des "
    "Desktops, sonst Niederländisch.",
};
Texts pictureArgument = {
    "Een gelaagde plaat om bij het starten te openen.",
    "Une image à calques à ouvrir au démarrage.",
    "A layered picture to open at start.",
    "Ein Ebenenbild, das beim Start geöffnet wird.",
};
// By Fault, from renderAndThumbnail on.
Texts faults[] = {
    {"--render en --thumbnail gaan niet samen.", "--render et --thumbnail ne vont pas ensemble.",
     "--render and --thumbnail cannot be used together.",
     "--render und --thumbnail lassen sich nicht zusammen verwenden."},
    {"--thumbnail heeft IN, OUT en SIZE nodig.", "--thumbnail attend IN, OUT et SIZE.",
     "--thumbnail needs IN, OUT and SIZE.", "--thumbnail braucht IN, OUT und SIZE."},
    {"--size hoort bij --render.", "--size va avec --render.", "--size belongs to --render.",
     "--size gehört zu --render."},
};

const char* InLanguage(Texts texts) {
    return texts[LanguageColumn(GetLanguage())];
}

// The program's options and arguments, described in the language in force.
void Declare(CCommandLineParser& parser) {
    parser.SetDescription(InLanguage(description) + std::string(forms));
    parser.AddOption({"h", "help"}, InLanguage(helpOption));
    parser.AddOption({"v", "version"}, InLanguage(versionOption));
    parser.AddOption({"render"}, InLanguage(renderOption));
    parser.AddOption({"size"}, InLanguage(sizeOption), "WxH");
    parser.AddOption({"thumbnail"}, InLanguage(thumbnailOption));
    // Started from old shortcuts, the program still takes a language as a switch.
    for (const char* number : {"1", "2", "3", "4"})
        parser.AddOption({number}, "", "", true);
    parser.AddPositional("1|2|3|4", InLanguage(languageArgument), "[1|2|3|4]");
    parser.AddPositional("PICTURE.qmf", InLanguage(pictureArgument), "[PICTURE.qmf]");
}

// The language of "1" to "4", else LANG_NONE.
int LanguageNumber(const std::string& text) {
    return text.size() == 1 && text[0] >= '1' && text[0] <= '4' ? text[0] - '0' : LANG_NONE;
}
} // namespace

void CQuimbleCommandLineInfo::ParseParam(const char*, BOOL, BOOL last) {
    m_arguments.push_back(GetArgument());
    if (last)
        Read();
}

void CQuimbleCommandLineInfo::Read() {
    CCommandLineParser parser;
    Declare(parser);
    if (!parser.Parse(m_arguments)) {
        m_mode = badArguments;
    } else {
        m_positionals = parser.Positionals();
        const bool rendering = parser.IsSet("render"), thumbnailing = parser.IsSet("thumbnail");
        if (parser.IsSet("help"))
            m_mode = help;
        else if (parser.IsSet("version"))
            m_mode = version;
        else if (rendering && thumbnailing)
            m_mode = badArguments, m_fault = renderAndThumbnail;
        else if (rendering)
            m_mode = render;
        else if (thumbnailing && m_positionals.size() == 3)
            m_mode = thumbnail;
        else if (thumbnailing)
            m_mode = badArguments, m_fault = thumbnailArguments;
        else if (parser.IsSet("size"))
            m_mode = badArguments, m_fault = sizeWithoutRender;
        // Their arguments are pictures and sizes, never a language.
        if (m_mode == render || m_mode == thumbnail)
            return;
    }
    // The help and the faults speak the language given too. Besides language switches, the options are
    // all passed over here: numbers and switches count in the order given, the last deciding; "--" ends
    // the options, so "-3" after it is a picture's name.
    bool options = true;
    for (const std::string& argument : m_arguments) {
        if (options && argument == "--")
            options = false;
        else if (options && argument.size() > 1 && argument[0] == '-') {
            if (const int language = LanguageNumber(argument.substr(argument.size() - 1))) // "-3", "-43"
                m_language = language;
        } else if (const int language = LanguageNumber(argument))
            m_language = language;
        else if (m_mode == editor)
            m_strFileName = argument;
    }
}

std::string CQuimbleCommandLineInfo::ErrorText() const {
    if (m_fault != parserFault)
        return InLanguage(faults[m_fault - renderAndThumbnail]);
    // Read again, so that Qt's words are in the language in force now.
    CCommandLineParser parser;
    Declare(parser);
    parser.Parse(m_arguments);
    return parser.ErrorText();
}

std::string CQuimbleCommandLineInfo::HelpText() {
    CCommandLineParser parser;
    Declare(parser);
    return parser.HelpText();
}
