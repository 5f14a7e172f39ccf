// The list-box copy onto the clipboard: the bytes that arrive, the 32 K
// bound on both sides, and a refusal that leaves the clipboard alone.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "listcopy.h"
#include "unit_support.h"

namespace {

class ListBox {
public:
    explicit ListBox(const std::vector<std::string>& lines)
    {
        m_window = CreateWindowA("LISTBOX",
                                 "",
                                 WS_OVERLAPPED | WS_VSCROLL,
                                 0,
                                 0,
                                 200,
                                 200,
                                 nullptr,
                                 nullptr,
                                 GetModuleHandleA(nullptr),
                                 nullptr);
        for (const std::string& line : lines)
            SendMessageA(m_window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }
    ~ListBox() { DestroyWindow(m_window); }
    HWND handle() const { return m_window; }

private:
    HWND m_window;
};

bool ClipboardText(std::string& text)
{
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (OpenClipboard(nullptr))
            break;
        Sleep(20);
    }
    HANDLE data = GetClipboardData(CF_TEXT);
    bool found = false;
    if (data) {
        const char* bytes = static_cast<const char*>(GlobalLock(data));
        if (bytes) {
            text = bytes;
            found = true;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return found;
}

void PutOnClipboard(const std::string& text)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
}

// Lines whose text with CR LF after each comes to exactly total bytes.
std::vector<std::string> LinesOfTotal(size_t total)
{
    std::vector<std::string> lines;
    while (total >= 102 + 2) {
        lines.push_back(std::string(100, 'a' + lines.size() % 26));
        total -= 102;
    }
    lines.push_back(std::string(total - 2, 'z'));
    return lines;
}

TEST(CopyListBoxToClipboard, TextArrivesByteForByte)
{
    struct Case {
        std::vector<std::string> lines;
        std::string text;
    } cases[] = {
        {{"Total 3", "drw---  0  x  .", "-rw---  5  y  a b.txt"},
         "Total 3\r\ndrw---  0  x  .\r\n-rw---  5  y  a b.txt\r\n"},
        {{}, ""},
        {{""}, "\r\n"},
    };
    for (const Case& c : cases) {
        ListBox list(c.lines);
        MessageRecorder messages;
        PutOnClipboard("before");
        EXPECT_TRUE(CopyListBoxToClipboard(nullptr, list.handle()));
        std::string text;
        EXPECT_TRUE(ClipboardText(text));
        EXPECT_EQ(text, c.text);
        EXPECT_TRUE(messages.messages().empty());
    }
}

TEST(CopyListBoxToClipboard, ThirtyTwoKAndNotAByteMore)
{
    ListBox exact(LinesOfTotal(32767));
    std::string text;
    ASSERT_TRUE(ListBoxText(exact.handle(), text));
    ASSERT_EQ(text.size(), 32767u);
    MessageRecorder messages;
    EXPECT_TRUE(CopyListBoxToClipboard(nullptr, exact.handle()));
    std::string copied;
    EXPECT_TRUE(ClipboardText(copied));
    EXPECT_EQ(copied, text);

    ListBox over(LinesOfTotal(32768));
    PutOnClipboard("kept");
    EXPECT_FALSE(CopyListBoxToClipboard(nullptr, over.handle()));
    EXPECT_EQ(messages.messages(), (std::vector<std::string>{"Copy action cannot be greater than 32k"}));
    // The refusal comes before the clipboard is touched.
    EXPECT_TRUE(ClipboardText(copied));
    EXPECT_EQ(copied, "kept");
}

}
