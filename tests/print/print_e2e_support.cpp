#include "print_e2e_support.h"

#include "afxres.h"

namespace print_support {

void PrinterEnvironment::SetUp()
{
    std::string error;
    installed_ = TestPrinter::Install(&error);
    ASSERT_TRUE(installed_) << "cannot add the test printer: " << error;
}

void PrinterEnvironment::TearDown()
{
    if (installed_)
        TestPrinter::Remove();
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

PsDocument WaitSpooled(const std::string& path)
{
    std::string bytes;
    tamrel_auto::WaitUntil(
        [&] { return tamrel_auto::TryReadFileBytes(path, &bytes) && ParsePostScript(bytes).complete; },
        "the print job in " + path);
    return ParsePostScript(bytes);
}

std::vector<std::string> RowTexts(const PsDocument& doc)
{
    std::vector<std::string> rows;
    for (const PsPage& page : doc.pages)
        for (const Row& row : page.Rows())
            rows.push_back(row.text);
    return rows;
}

PsDocument PrintFromMenu(const tamrel_auto::Process& process, const tamrel_auto::Window& frame,
                         const std::string& spool)
{
    using namespace tamrel_auto;
    if (!TestPrinter::SpoolTo(spool))
        throw AutoError("cannot spool the test printer to " + spool);
    frame.MenuCommand(ID_FILE_PRINT);
    Window dialog = process.WaitDialog("Print");
    dialog.Child(IDOK).Click();
    dialog.WaitGone();
    return WaitSpooled(spool);
}

void PrintAndCompare(const tamrel_auto::Process& process, const tamrel_auto::Window& frame, const std::string& spool)
{
    using namespace tamrel_auto;
    std::string text = frame.ChildByClass("Edit").Text();
    ASSERT_FALSE(text.empty());
    PsDocument doc = PrintFromMenu(process, frame, spool);
    EXPECT_GE(doc.pages.size(), 1u);
    // Blank lines of the results print as empty rows or not at all; every
    // line with text prints once, in order.
    std::vector<std::string> expected;
    for (const std::string& line : SplitLines(text))
        if (!line.empty())
            expected.push_back(line);
    std::vector<std::string> printed;
    for (const std::string& row : RowTexts(doc))
        if (!row.empty())
            printed.push_back(row);
    EXPECT_EQ(printed, expected);
}

std::string PressAndRead(const tamrel_auto::Window& preview, int button, const std::string& before)
{
    preview.Child(button).Click();
    std::string text;
    tamrel_auto::PollUntil(
        [&] {
            text = preview.Child(AFX_IDC_PREVIEW_PAGES).Text();
            return text != before;
        },
        5000);
    return text;
}

int CountPreviewPages(const tamrel_auto::Window& preview)
{
    int pages = 1;
    std::string text = preview.Child(AFX_IDC_PREVIEW_PAGES).Text();
    EXPECT_EQ(text, "Page 1");
    while (preview.Child(AFX_ID_PREVIEW_NEXT).Enabled() && pages < 50) {
        text = PressAndRead(preview, AFX_ID_PREVIEW_NEXT, text);
        ++pages;
        EXPECT_EQ(text, "Page " + std::to_string(pages));
    }
    return pages;
}

}   // namespace print_support
