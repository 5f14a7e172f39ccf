// The tool application skeleton: what every tool program of the suite is
// made of apart from its own document, dialogs and engine.
//
// A tool program defines its document (whose OnNewDocument runs the tool's
// dialog and work) and its resources, and then its one application object:
//
//     // quarn.cpp
//     CToolApp theApp(RUNTIME_CLASS(CQuarnDoc), RUNTIME_CLASS(COutputView),
//                     OutputCommands{ID_VIEW_FILE, ID_HELP_CONTENTS, ID_FILE_SAVE_AS, "quarn.out"});
//
// A program whose results show in the output view derives its document from
// COutputDoc (outview.h) and names the ids its menu gives View, Help
// Contents and Save As. A program with nothing to show (its work happens in
// a dialog, and its document refuses File New) passes CBlankView and no
// output commands.
//
// Start-up: grey dialogs, tool messages shown as message boxes, one
// single-document template on IDR_MAINFRAME with the program's document,
// the frame and the view, the command line kept in g_cmdLine, then File New.
// The application handles About (IDD_ABOUTBOX), New, Open and Print Setup.
#ifndef TAMREL_TOOLAPP_H
#define TAMREL_TOOLAPP_H

#include "afxwin.h"

// The command line after the program name, whole, trailing blanks
// included; empty when there was none. The document reads it on every File
// New and may rewrite it to carry a preset into the next File New.
extern CString g_cmdLine;

// The ids a program's menu gives the commands of its output view and
// document, which differ between programs; 0 for none.
struct OutputCommands {
    UINT viewFile = 0;                  // View: the pager on the selection
    UINT helpContents = 0;              // the contents page of the help file
    UINT saveAs = 0;                    // Save As of the whole output text
    const char* saveAsName = nullptr;   // the name the Save As dialog offers
};

// The main frame of a tool: the framework's frame as it is, with no bars;
// its caption is "document title - application title".
class CToolFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CToolFrame)
protected:
    CToolFrame() {}
};

// A view with nothing to show, for tools that work in a dialog only.
class CBlankView : public CView {
    DECLARE_DYNCREATE(CBlankView)
protected:
    CBlankView() {}

public:
    virtual void OnDraw(CDC* pDC);
};

// The About box (IDD_ABOUTBOX of the program's resources).
class CToolAboutDlg : public CDialog {
public:
    CToolAboutDlg();
};

class CToolApp : public CWinApp {
public:
    // frame: the program's own frame class, when the plain one will not do.
    CToolApp(CRuntimeClass* document, CRuntimeClass* view, const OutputCommands& output = OutputCommands(),
             CRuntimeClass* frame = RUNTIME_CLASS(CToolFrame));

    // The output commands of the running tool program; all 0 when the
    // program is not built on CToolApp.
    static const OutputCommands& Output();

    virtual BOOL InitInstance();

    afx_msg void OnAppAbout();

private:
    CRuntimeClass* m_documentClass;
    CRuntimeClass* m_viewClass;
    CRuntimeClass* m_frameClass;
    OutputCommands m_output;

    DECLARE_MESSAGE_MAP()
};

// Opens the contents page of the program's help file over window (a
// missing file is the help program's to report).
void ShowHelpContents(CWnd* window);

#endif
