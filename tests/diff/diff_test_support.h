// diff's scratch directory; the common helpers are tamrel_unit_support's.
#ifndef DIFF_TEST_SUPPORT_H
#define DIFF_TEST_SUPPORT_H

#include <string>

#include "unit_support.h"

// A fresh temporary directory, removed with all it holds when the object
// goes; the current directory of its making is restored then too, whether or
// not the test entered it.
class ScratchDir : public TempDir {
public:
    ScratchDir();
    ~ScratchDir();

    void enter() const;   // make it the current directory

private:
    std::string m_previous;
};

#endif
