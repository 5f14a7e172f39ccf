// The document: the file shown, held whole in one block (hexfile.h).
#ifndef OLMET_OLMETDOC_H
#define OLMET_OLMETDOC_H

#include <string>

#include "afxwin.h"
#include "hexfile.h"

class COlmetDoc : public CDocument {
    DECLARE_DYNCREATE(COlmetDoc)
protected:
    COlmetDoc() {}

public:
    virtual BOOL OnNewDocument();
    // Loads the file; a failure says why and leaves the file shown before
    // as it was.
    virtual BOOL OnOpenDocument(const char* lpszPathName);

    const unsigned char* Data() const { return m_file.Data(); }
    olmet::Offset Size() const { return m_file.Size(); }
    // The path as opened, in lower case: the print header's.
    const std::string& Path() const { return m_file.Path(); }

private:
    olmet::HexFile m_file;
};

#endif
