#include "print_support.h"

#include <winspool.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>

namespace print_support {

// ------------------------------------------------------ recorded pages

namespace {
bool IsStockFont(int index)
{
    switch (index) {
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case ANSI_VAR_FONT:
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT:
    case SYSTEM_FIXED_FONT:
    case DEFAULT_GUI_FONT:
        return true;
    }
    return false;
}

std::string Narrow(const WCHAR* text, int count)
{
    std::string result;
    for (int i = 0; i < count && text[i]; ++i)
        result += text[i] < 128 ? static_cast<char>(text[i]) : '?';
    return result;
}
}   // namespace

std::vector<EmfText> ReadEmfText(HENHMETAFILE page)
{
    std::vector<EmfText> texts;
    UINT size = GetEnhMetaFileBits(page, 0, nullptr);
    std::vector<BYTE> bits(size);
    if (size == 0 || GetEnhMetaFileBits(page, size, bits.data()) != size)
        return texts;

    std::map<DWORD, EmfFont> fonts;   // made in the metafile, by handle index
    EmfFont current;                  // an EMF DC starts with the system font
    current.stock = true;
    current.stockIndex = SYSTEM_FONT;
    std::vector<EmfFont> saved;

    for (size_t pos = 0; pos + sizeof(EMR) <= bits.size();) {
        const ENHMETARECORD* record = reinterpret_cast<const ENHMETARECORD*>(bits.data() + pos);
        if (record->nSize < sizeof(EMR) || pos + record->nSize > bits.size())
            break;
        switch (record->iType) {
        case EMR_EXTCREATEFONTINDIRECTW: {
            const EMREXTCREATEFONTINDIRECTW* font = reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(record);
            EmfFont made;
            made.height = font->elfw.elfLogFont.lfHeight;
            made.face = Narrow(font->elfw.elfLogFont.lfFaceName, LF_FACESIZE);
            fonts[font->ihFont] = made;
            break;
        }
        case EMR_DELETEOBJECT:
            fonts.erase(reinterpret_cast<const EMRDELETEOBJECT*>(record)->ihObject);
            break;
        case EMR_SELECTOBJECT: {
            DWORD object = reinterpret_cast<const EMRSELECTOBJECT*>(record)->ihObject;
            if (object & 0x80000000) {
                int index = static_cast<int>(object & 0x7FFFFFFF);
                if (IsStockFont(index)) {
                    current = EmfFont();
                    current.stock = true;
                    current.stockIndex = index;
                }
            } else {
                auto found = fonts.find(object);
                if (found != fonts.end())
                    current = found->second;
            }
            break;
        }
        case EMR_SAVEDC:
            saved.push_back(current);
            break;
        case EMR_RESTOREDC:
            if (!saved.empty()) {
                current = saved.back();
                saved.pop_back();
            }
            break;
        case EMR_EXTTEXTOUTW:
        case EMR_EXTTEXTOUTA: {
            const EMREXTTEXTOUTW* out = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
            EmfText text;
            text.x = out->emrtext.ptlReference.x;
            text.y = out->emrtext.ptlReference.y;
            const BYTE* chars = reinterpret_cast<const BYTE*>(record) + out->emrtext.offString;
            if (record->iType == EMR_EXTTEXTOUTW)
                text.text = Narrow(reinterpret_cast<const WCHAR*>(chars), static_cast<int>(out->emrtext.nChars));
            else
                text.text.assign(reinterpret_cast<const char*>(chars), out->emrtext.nChars);
            text.font = current;
            texts.push_back(text);
            break;
        }
        }
        pos += record->nSize;
    }
    return texts;
}

namespace {
template <typename Run>
std::vector<Row> JoinRunsIntoRows(const std::vector<Run>& runs)
{
    std::vector<const Run*> sorted;
    for (const Run& run : runs)
        sorted.push_back(&run);
    std::stable_sort(sorted.begin(), sorted.end(), [](const Run* a, const Run* b) {
        return a->y != b->y ? a->y < b->y : a->x < b->x;
    });
    std::vector<Row> rows;
    for (const Run* run : sorted) {
        if (rows.empty() || rows.back().y != run->y)
            rows.push_back(Row{run->y, std::string()});
        rows.back().text += run->text;
    }
    return rows;
}
}   // namespace

std::vector<Row> JoinRows(const std::vector<EmfText>& texts)
{
    return JoinRunsIntoRows(texts);
}

// ------------------------------------------------------ spooled PostScript

char GlyphChar(const std::string& name)
{
    if (name.size() == 1 && std::isalpha(static_cast<unsigned char>(name[0])))
        return name[0];
    static const std::map<std::string, char> names = {
        {"space", ' '},       {"exclam", '!'},     {"quotedbl", '"'},     {"numbersign", '#'},  {"dollar", '$'},
        {"percent", '%'},     {"ampersand", '&'},  {"quotesingle", '\''}, {"quoteright", '\''}, {"parenleft", '('},
        {"parenright", ')'},  {"asterisk", '*'},   {"plus", '+'},         {"comma", ','},       {"hyphen", '-'},
        {"minus", '-'},       {"period", '.'},     {"slash", '/'},        {"zero", '0'},        {"one", '1'},
        {"two", '2'},         {"three", '3'},      {"four", '4'},         {"five", '5'},        {"six", '6'},
        {"seven", '7'},       {"eight", '8'},      {"nine", '9'},         {"colon", ':'},       {"semicolon", ';'},
        {"less", '<'},        {"equal", '='},      {"greater", '>'},      {"question", '?'},    {"at", '@'},
        {"bracketleft", '['}, {"backslash", '\\'}, {"bracketright", ']'}, {"asciicircum", '^'}, {"underscore", '_'},
        {"grave", '`'},       {"quoteleft", '`'},  {"braceleft", '{'},    {"bar", '|'},         {"braceright", '}'},
        {"asciitilde", '~'},
    };
    auto found = names.find(name);
    return found == names.end() ? '?' : found->second;
}

namespace {
std::vector<std::string> Tokens(const std::string& line)
{
    std::vector<std::string> tokens;
    std::istringstream in(line);
    std::string token;
    while (in >> token)
        tokens.push_back(token);
    return tokens;
}

bool IsInteger(const std::string& text)
{
    if (text.empty())
        return false;
    size_t i = text[0] == '-' ? 1 : 0;
    if (i == text.size())
        return false;
    for (; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return false;
    }
    return true;
}

// The text of a PostScript string "(...)" with its escapes.
std::string PsString(const std::string& literal)
{
    std::string text;
    for (size_t i = 1; i + 1 < literal.size(); ++i) {
        char ch = literal[i];
        if (ch != '\\' || i + 2 >= literal.size()) {
            text += ch;
            continue;
        }
        char next = literal[++i];
        if (next >= '0' && next <= '7') {
            int value = 0;
            int digits = 0;
            while (digits < 3 && i + 1 < literal.size() && literal[i] >= '0' && literal[i] <= '7') {
                value = value * 8 + (literal[i] - '0');
                ++i;
                ++digits;
            }
            --i;
            text += static_cast<char>(value);
        } else {
            text += next == 'n' ? '\n' : next == 'r' ? '\r' : next == 't' ? '\t' : next;
        }
    }
    return text;
}
}   // namespace

std::vector<Row> PsPage::Rows() const
{
    return JoinRunsIntoRows(runs);
}

PsDocument ParsePostScript(const std::string& bytes)
{
    PsDocument doc;
    std::string font;
    int x = 0;
    int y = 0;
    bool runOpen = false;   // a moveto has started a run that has no glyph yet
    std::istringstream in(bytes);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.compare(0, 9, "%%Title: ") == 0) {
            doc.title = line.substr(9);
            continue;
        }
        if (line.compare(0, 15, "%%Orientation: ") == 0) {
            doc.orientation = line.substr(15);
            continue;
        }
        if (line.compare(0, 8, "%%Page: ") == 0) {
            doc.pages.emplace_back();
            runOpen = false;
            continue;
        }
        if (line.compare(0, 5, "%%EOF") == 0) {
            doc.complete = true;
            continue;
        }
        if (doc.pages.empty())
            continue;
        std::vector<PsRun>& runs = doc.pages.back().runs;
        std::vector<std::string> tokens = Tokens(line);
        if (tokens.size() == 2 && tokens[1] == "findfont" && tokens[0][0] == '/') {
            font = tokens[0].substr(1);
        } else if (tokens.size() == 3 && tokens[2] == "moveto" && IsInteger(tokens[0]) && IsInteger(tokens[1])) {
            x = std::atoi(tokens[0].c_str());
            y = std::atoi(tokens[1].c_str());
            runOpen = true;
        } else if (tokens.size() == 2 && tokens[1] == "glyphshow" && tokens[0][0] == '/') {
            if (runOpen) {
                runs.push_back(PsRun{x, y, std::string(), font});
                runOpen = false;
            }
            if (!runs.empty())
                runs.back().text += GlyphChar(tokens[0].substr(1));
        } else if (line.size() > 6 && line[0] == '(' && line.compare(line.size() - 6, 6, ") show") == 0) {
            runs.push_back(PsRun{x, y, PsString(line.substr(0, line.size() - 5)), font});
            runOpen = false;
        }
    }
    return doc;
}

// ------------------------------------------------------ a test printer

const char TestPrinter::kName[] = "Tamrel Test Printer";
const char TestPrinter::kPort[] = "LPT3:";

namespace {
const char kDriver[] = "Tamrel Test PostScript";
const char kSpoolerKey[] = "Software\\Wine\\Printing\\Spooler";

// A letter-size PostScript printer at 300 dpi with the standard fonts.
const char kPpd[] =
    "*PPD-Adobe: \"4.3\"\n"
    "*FormatVersion: \"4.3\"\n"
    "*FileVersion: \"1.0\"\n"
    "*LanguageVersion: English\n"
    "*LanguageEncoding: ISOLatin1\n"
    "*PCFileName: \"TAMREL.PPD\"\n"
    "*Manufacturer: \"Tamrel\"\n"
    "*Product: \"(Tamrel Test Printer)\"\n"
    "*ModelName: \"Tamrel Test Printer\"\n"
    "*ShortNickName: \"Tamrel Test Printer\"\n"
    "*NickName: \"Tamrel Test Printer\"\n"
    "*PSVersion: \"(3010.000) 0\"\n"
    "*LanguageLevel: \"3\"\n"
    "*ColorDevice: False\n"
    "*DefaultColorSpace: Gray\n"
    "*FileSystem: False\n"
    "*Throughput: \"1\"\n"
    "*LandscapeOrientation: Plus90\n"
    "*TTRasterizer: Type42\n"
    "*DefaultResolution: 300dpi\n"
    "*OpenUI *PageSize/Media Size: PickOne\n"
    "*OrderDependency: 10 AnySetup *PageSize\n"
    "*DefaultPageSize: Letter\n"
    "*PageSize Letter/US Letter: \"<</PageSize[612 792]/ImageableArea null>>setpagedevice\"\n"
    "*PageSize A4/A4: \"<</PageSize[595 842]/ImageableArea null>>setpagedevice\"\n"
    "*CloseUI: *PageSize\n"
    "*OpenUI *PageRegion: PickOne\n"
    "*OrderDependency: 10 AnySetup *PageRegion\n"
    "*DefaultPageRegion: Letter\n"
    "*PageRegion Letter/US Letter: \"<</PageSize[612 792]/ImageableArea null>>setpagedevice\"\n"
    "*PageRegion A4/A4: \"<</PageSize[595 842]/ImageableArea null>>setpagedevice\"\n"
    "*CloseUI: *PageRegion\n"
    "*DefaultImageableArea: Letter\n"
    "*ImageableArea Letter/US Letter: \"18 36 594 756\"\n"
    "*ImageableArea A4/A4: \"18 36 577 806\"\n"
    "*DefaultPaperDimension: Letter\n"
    "*PaperDimension Letter/US Letter: \"612 792\"\n"
    "*PaperDimension A4/A4: \"595 842\"\n"
    "*DefaultFont: Courier\n"
    "*Font Courier: Standard \"(002.004S)\" Standard ROM\n"
    "*Font Courier-Bold: Standard \"(002.004S)\" Standard ROM\n"
    "*Font Helvetica: Standard \"(001.006S)\" Standard ROM\n"
    "*Font Times-Roman: Standard \"(001.007S)\" Standard ROM\n";

// Wine's own translation of a Windows path into its Unix one.
std::string UnixPath(const std::string& windowsPath)
{
    typedef char*(CDECL * UnixName)(const WCHAR*);
    UnixName unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName)
        return std::string();
    std::wstring wide(windowsPath.size() + 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
    char* path = unixName(wide.c_str());
    if (!path)
        return std::string();
    std::string result = path;
    HeapFree(GetProcessHeap(), 0, path);
    return result;
}

std::string DriverDirectory()
{
    char buffer[MAX_PATH] = "";
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(buffer), sizeof(buffer), &needed))
        return std::string();
    return buffer;
}
}   // namespace

bool TestPrinter::Install(std::string* error)
{
    Remove();
    std::string dir = DriverDirectory();
    if (dir.empty()) {
        *error = "no printer driver directory";
        return false;
    }
    // The driver looks for its PPD in the directory of version-3 drivers.
    std::string versionDir = dir + "\\3";
    CreateDirectoryA(versionDir.c_str(), nullptr);
    std::string ppd = versionDir + "\\tamrel.ppd";
    HANDLE file = CreateFileA(ppd.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    if (file == INVALID_HANDLE_VALUE) {
        *error = "cannot write " + ppd;
        return false;
    }
    WriteFile(file, kPpd, sizeof(kPpd) - 1, &written, nullptr);
    CloseHandle(file);

    DRIVER_INFO_3A driver = {};
    driver.cVersion = 3;
    driver.pName = const_cast<char*>(kDriver);
    driver.pDriverPath = const_cast<char*>("wineps.drv");
    driver.pDataFile = const_cast<char*>(ppd.c_str());
    driver.pConfigFile = const_cast<char*>("wineps.drv");
    if (!AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver)) &&
        GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED) {
        *error = "AddPrinterDriver failed: " + std::to_string(GetLastError());
        return false;
    }

    PRINTER_INFO_2A info = {};
    info.pPrinterName = const_cast<char*>(kName);
    info.pPortName = const_cast<char*>(kPort);
    info.pDriverName = const_cast<char*>(kDriver);
    info.pPrintProcessor = const_cast<char*>("WinPrint");
    info.pDatatype = const_cast<char*>("RAW");
    HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (!printer) {
        *error = "AddPrinter failed: " + std::to_string(GetLastError());
        return false;
    }
    ClosePrinter(printer);
    SetDefaultPrinterA(kName);
    HDC probe = OpenDC();
    if (!probe) {
        *error = "the printer gives no DC";
        return false;
    }
    DeleteDC(probe);
    return true;
}

void TestPrinter::Remove()
{
    HANDLE printer = nullptr;
    if (OpenPrinterA(const_cast<char*>(kName), &printer, nullptr)) {
        DeletePrinter(printer);
        ClosePrinter(printer);
    }
    DeletePrinterDriverA(nullptr, nullptr, const_cast<char*>(kDriver));
    std::string dir = DriverDirectory();
    if (!dir.empty())
        DeleteFileA((dir + "\\3\\tamrel.ppd").c_str());
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSpoolerKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, kPort);
        RegCloseKey(key);
    }
}

bool TestPrinter::SpoolTo(const std::string& windowsPath)
{
    std::string unixPath = UnixPath(windowsPath);
    if (unixPath.empty())
        return false;
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSpoolerKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    LONG result = RegSetValueExA(key,
                                 kPort,
                                 0,
                                 REG_SZ,
                                 reinterpret_cast<const BYTE*>(unixPath.c_str()),
                                 static_cast<DWORD>(unixPath.size() + 1));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

HDC TestPrinter::OpenDC(const DEVMODEA* mode)
{
    return ::CreateDCA("WINSPOOL", kName, nullptr, mode);
}

}   // namespace print_support
