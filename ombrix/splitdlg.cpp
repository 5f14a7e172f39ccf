#include "splitdlg.h"

BEGIN_MESSAGE_MAP(CSplitDlg, CUtilityDlg)
    ON_BN_CLICKED(IDC_SPLIT_BROWSE, OnBrowse)
END_MESSAGE_MAP()

CSplitDlg::CSplitDlg() : CUtilityDlg(kUtilitySplit), m_type(-1), m_units(-1), m_unitsPerFile(0) {}

void CSplitDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SPLIT_EXTENSION, m_extension);
    DDX_Text(pDX, IDC_SPLIT_FILENAME, m_filename);
    DDX_Radio(pDX, IDC_SPLIT_SPLIT, m_type);
    DDX_Radio(pDX, IDC_SPLIT_LINES, m_units);
    DDX_Text(pDX, IDC_SPLIT_COUNT, m_unitsPerFile);
}

const char* CSplitDlg::MissingInput() const
{
    if (m_filename.IsEmpty())
        return "No Filename specified!";
    if (m_extension.GetLength() != 3)
        return "Extension must be 3-characters!";
    return nullptr;
}

void CSplitDlg::OnBrowse()
{
    BrowseIntoField(*this, m_filename);
}

void CSplitDlg::Run()
{
    m_extension.MakeLower();
    char base[1024];
    SplitBaseName(m_filename, base, sizeof base);
    m_baseName = base;
    if (m_type == kUnsplit)
        UnsplitFile(m_filename);
    else
        SplitFile(m_filename);
}

void CSplitDlg::SplitFile(const char* input)
{
    // Megabytes are counted as 1024 blocks of 1024 bytes, in 64 bits.
    long long perFile = m_unitsPerFile;
    if (m_units == kSplitMegabytes)
        perFile *= 1024;
    SplitIntoParts(input, m_baseName, m_extension, m_units, perFile);
}

void CSplitDlg::UnsplitFile(const char* output)
{
    SplitJoinParts(output, m_baseName, m_extension);
}

bool CSplitDlg::NextPartName(char* name)
{
    return ::NextPartName(name);
}
