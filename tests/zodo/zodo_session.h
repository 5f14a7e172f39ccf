// One pager on one file for the end-to-end tests of marks, the row band and
// Copy: the program started on a file of the test's bytes, its frame and
// the view of its one document window, and the dialogs its commands open.
#ifndef ZODO_SESSION_H
#define ZODO_SESSION_H

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "auto.h"
#include "zodo/resource.h"

namespace zodo_e2e {

using namespace tamrel_auto;

class PagerSession {
public:
    explicit PagerSession(const std::string& bytes, const std::string& name = "Text.txt")
    {
        temp_.Write(name, bytes);
        path_ = temp_.Path(name);
        process_ = Process::Launch(ProgramPath("zodo.exe"), path_, temp_.path());
        frame_ = process_.WaitWindow(
            [](const Window& w) { return w.ClassName() != "#32770" && w.FindChildByClass("MDIClient"); },
            "the pager's frame");
        view_ = WaitView();
    }

    const TempDir& temp() const { return temp_; }
    const Process& process() const { return process_; }
    const Window& frame() const { return frame_; }
    // The view of the active document window.
    const Window& view() const { return view_; }
    Window WaitView()
    {
        Window view;
        WaitUntil(
            [&] {
                Window child = frame_.MdiActive();
                if (!child || !child.Visible())
                    return false;
                for (const Window& w : child.Children())
                    if (w.Visible() && w.ClassName() != "ScrollBar")
                        view = w;
                return bool(view);
            },
            "the active document's view");
        return view_ = view;
    }

    void Command(int id) const { frame_.MenuCommand(id); }
    Window Dialog(int command, const std::string& caption) const
    {
        Command(command);
        return process_.WaitDialog(caption);
    }
    static void Press(const Window& dialog, int button)
    {
        dialog.Child(button).Click();
        dialog.WaitGone();
    }
    std::string Message() const { return AnswerMessageBox(process_); }

    // The top line, as Go To presets it.
    long TopLine() const
    {
        Window dialog = Dialog(ID_GOTO_LINE, "Go To");
        std::string text = dialog.Child(IDC_GOTO_LINE).Text();
        Press(dialog, IDCANCEL);
        return std::stol(text);
    }
    void GoTo(long line) const
    {
        Window dialog = Dialog(ID_GOTO_LINE, "Go To");
        dialog.Child(IDC_GOTO_LINE).SetText(std::to_string(line));
        Press(dialog, IDOK);
    }
    // Set Mark (or Skip to Mark) with this letter in the field.
    void Mark(int command, const std::string& letter) const
    {
        Window dialog = Dialog(command, command == ID_SET_MARK ? "Set Mark" : "Skip to Mark");
        dialog.Child(IDC_MARK_LETTER).SetText(letter);
        Press(dialog, IDOK);
    }
    // The text of Show all Marks, closed with OK or Clear All.
    std::string ShowMarks(int button = IDOK) const
    {
        Window dialog = Dialog(ID_SHOW_MARKS, "Show all Marks");
        std::string text = dialog.Child(IDC_MARKS_TEXT).Text();
        Press(dialog, button);
        return text;
    }
    // No message box of the program is open.
    bool NoMessageBox() const
    {
        for (const Window& w : process_.Windows())
            if (IsMessageBox(w))
                return false;
        return true;
    }

private:
    TempDir temp_;
    std::string path_;
    Process process_;
    Window frame_;
    Window view_;
};

// The files of a directory, sorted, without "." and "..".
inline std::vector<std::string> FilesIn(const std::string& directory)
{
    std::vector<std::string> names;
    for (const std::string& name : FilesMatching(directory + "\\*"))
        if (name != "." && name != "..")
            names.push_back(name);
    std::sort(names.begin(), names.end());
    return names;
}

// "line 1" to "line n", CR LF ended.
inline std::string NumberedLines(int n)
{
    std::string text;
    for (int i = 1; i <= n; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    return text;
}

}   // namespace zodo_e2e

#endif
