// A one-dialog program on the framework for the end-to-end tests of dialog
// data exchange. The dialog "Exchange Fixture" starts with the int 10, the
// long 1000, the text "abc", the box unchecked and no radio button chosen.
// On OK the values go, one a line (CR LF), to the file named by the whole
// command line: int, long, text, check (0/1), radio (-1, 0 or 1). Cancel
// writes nothing. Either way the program then ends.
#include <cstdio>

#include "afxwin.h"
#include "resource.h"

class CExchangeDlg : public CDialog {
public:
    CExchangeDlg() : CDialog(IDD_EXCHANGE) {}

    int m_int = 10;
    long m_long = 1000;
    CString m_text = "abc";
    BOOL m_check = FALSE;
    int m_radio = -1;

protected:
    virtual void DoDataExchange(CDataExchange* pDX)
    {
        CDialog::DoDataExchange(pDX);
        DDX_Text(pDX, IDC_FW_INT, m_int);
        DDV_MinMaxInt(pDX, m_int, FWAPP_INT_MIN, FWAPP_INT_MAX);
        DDX_Text(pDX, IDC_FW_LONG, m_long);
        DDV_MinMaxLong(pDX, m_long, FWAPP_LONG_MIN, FWAPP_LONG_MAX);
        DDX_Text(pDX, IDC_FW_TEXT, m_text);
        DDV_MaxChars(pDX, m_text, FWAPP_TEXT_MAX);
        DDX_Check(pDX, IDC_FW_CHECK, m_check);
        DDX_Radio(pDX, IDC_FW_RADIO1, m_radio);
    }
};

class CFixtureApp : public CWinApp {
public:
    virtual BOOL InitInstance()
    {
        SetDialogBkColor();
        CExchangeDlg dlg;
        if (dlg.DoModal() == IDOK && m_lpCmdLine[0] != 0) {
            if (FILE* out = std::fopen(m_lpCmdLine, "wb")) {
                std::fprintf(out,
                             "%d\r\n%ld\r\n%s\r\n%d\r\n%d\r\n",
                             dlg.m_int,
                             dlg.m_long,
                             static_cast<const char*>(dlg.m_text),
                             dlg.m_check,
                             dlg.m_radio);
                std::fclose(out);
            }
        }
        // No main window: the program ends here.
        return FALSE;
    }
};

CFixtureApp theApp;
