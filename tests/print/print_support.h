// What the printing tests read back and set up: the text of recorded pages
// (enhanced metafiles), the text of PostScript that a printer spooled, and
// a printer that spools to a file in a test Wine prefix.
#ifndef TAMREL_PRINT_SUPPORT_H
#define TAMREL_PRINT_SUPPORT_H

#include <windows.h>

#include <string>
#include <vector>

namespace print_support {

// ------------------------------------------------------ recorded pages

// The font selected when a text was drawn: a stock font, or one made from
// a LOGFONT inside the metafile.
struct EmfFont {
    bool stock = false;
    int stockIndex = -1;   // DEVICE_DEFAULT_FONT..., when stock
    LONG height = 0;       // lfHeight, when created
    std::string face;      // lfFaceName, when created
};

struct EmfText {
    int x = 0;
    int y = 0;
    std::string text;
    EmfFont font;
};

// Every text the page draws, in drawing order.
std::vector<EmfText> ReadEmfText(HENHMETAFILE page);

// Texts at the same y joined in x order into rows, rows sorted by y.
struct Row {
    int y = 0;
    std::string text;
};
std::vector<Row> JoinRows(const std::vector<EmfText>& texts);

// ------------------------------------------------------ spooled PostScript

struct PsRun {
    int x = 0;
    int y = 0;
    std::string text;
    std::string font;   // the PostScript name of the font set when drawn
};

struct PsPage {
    std::vector<PsRun> runs;
    // The runs joined into rows as JoinRows does.
    std::vector<Row> Rows() const;
};

struct PsDocument {
    std::string title;         // %%Title
    std::string orientation;   // %%Orientation
    bool complete = false;     // %%EOF seen
    std::vector<PsPage> pages;
};

// Reads what the Wine PostScript driver writes: text drawn with a
// downloaded font comes as one "/name glyphshow" per character after a
// "x y moveto"; text in a printer font as "(...) show".
PsDocument ParsePostScript(const std::string& bytes);

// The character a PostScript glyph name stands for ('?' when unknown).
char GlyphChar(const std::string& name);

// ------------------------------------------------------ a test printer

// A PostScript printer (Wine's driver, a small PPD of our own) whose port
// the Wine spooler maps to a file; made the default printer. Wine only.
struct TestPrinter {
    static const char kName[];
    static const char kPort[];

    // FALSE with a reason when the printer cannot be made.
    static bool Install(std::string* error);
    static void Remove();
    // Where the next job spools (a Windows path, made into the Unix path
    // the spooler wants).
    static bool SpoolTo(const std::string& windowsPath);
    static HDC OpenDC(const DEVMODEA* mode = nullptr);
};

}   // namespace print_support

#endif
