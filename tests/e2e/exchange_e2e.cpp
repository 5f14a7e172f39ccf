// End-to-end tests of the framework's dialog data exchange, on a one-dialog
// program: a bad field shows the framework's message, keeps the dialog open
// with that field selected, and good values reach the program's members.
#include <gtest/gtest.h>

#include <string>

#include "auto.h"
#include "tests/fwapp/resource.h"

using namespace tamrel_auto;

namespace {

const char kCaption[] = "Exchange Fixture";

struct BadField {
    int id;
    const char* text;
    const char* message;
};

// The framework's own messages, with the bounds the fixture checks.
const BadField kBadFields[] = {
    {IDC_FW_INT, "abc", "Please enter an integer."},
    {IDC_FW_INT, "", "Please enter an integer."},
    {IDC_FW_INT, "12x", "Please enter an integer."},
    {IDC_FW_INT, "101", "Please enter an integer between 1 and 100."},
    {IDC_FW_INT, "0", "Please enter an integer between 1 and 100."},
    {IDC_FW_LONG, "1.5", "Please enter an integer."},
    {IDC_FW_LONG, "100001", "Please enter an integer between -100000 and 100000."},
    {IDC_FW_TEXT, "abcdef", "Please enter no more than 5 characters."},
};

TEST(DataExchange, BadFieldShowsMessageAndKeepsDialogOpenWithFieldSelected)
{
    for (const BadField& bad : kBadFields) {
        SCOPED_TRACE(std::string("field ") + std::to_string(bad.id) + " = \"" + bad.text + "\"");
        TempDir dir("Exchange");
        std::string out = dir.Path("values.txt");
        Process app = Process::Launch(ProgramPath("fwapp.exe"), out, dir.path());
        Window dialog = app.WaitDialog(kCaption);
        dialog.Child(bad.id).SetText(bad.text);
        dialog.Child(IDOK).Click();

        Window box = app.WaitMessageBox();
        EXPECT_EQ(MessageText(box), bad.message);
        box.Child(IDOK).Click();
        box.WaitGone();

        // Still open, with the whole bad field selected for retyping.
        ASSERT_TRUE(dialog.Exists());
        Window field = dialog.Child(bad.id);
        if (bad.text[0] != 0) {
            EXPECT_EQ(field.Selection(), std::make_pair(0, static_cast<int>(std::string(bad.text).size())));
        }
        EXPECT_FALSE(FileExists(out));

        dialog.Child(IDCANCEL).Click();
        EXPECT_TRUE(app.WaitExit());
        EXPECT_FALSE(FileExists(out));
    }
}

TEST(DataExchange, GoodValuesReachTheMembers)
{
    TempDir dir("Exchange");
    std::string out = dir.Path("values.txt");
    Process app = Process::Launch(ProgramPath("fwapp.exe"), out, dir.path());
    Window dialog = app.WaitDialog(kCaption);

    // The members' first values are in the controls.
    EXPECT_EQ(dialog.Child(IDC_FW_INT).Text(), "10");
    EXPECT_EQ(dialog.Child(IDC_FW_LONG).Text(), "1000");
    EXPECT_EQ(dialog.Child(IDC_FW_TEXT).Text(), "abc");
    EXPECT_FALSE(dialog.Child(IDC_FW_CHECK).Checked());
    EXPECT_FALSE(dialog.Child(IDC_FW_RADIO1).Checked());
    EXPECT_FALSE(dialog.Child(IDC_FW_RADIO2).Checked());

    dialog.Child(IDC_FW_INT).SetText("100");
    dialog.Child(IDC_FW_LONG).SetText("-100000");
    dialog.Child(IDC_FW_TEXT).SetText("hello");
    dialog.Child(IDC_FW_CHECK).SetChecked(true);
    dialog.Child(IDC_FW_RADIO2).SelectRadio();
    dialog.Child(IDOK).Click();
    ASSERT_TRUE(app.WaitExit());
    EXPECT_EQ(ReadFileBytes(out), "100\r\n-100000\r\nhello\r\n1\r\n1\r\n");
}

}   // namespace
