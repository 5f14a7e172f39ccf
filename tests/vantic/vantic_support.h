// Fixtures for vantic's tests: a scratch directory made current, and the
// script field's line ends. The common helpers are tamrel_unit_support's.
#ifndef VANTIC_TEST_SUPPORT_H
#define VANTIC_TEST_SUPPORT_H

#include <string>
#include <vector>

#include "unit_support.h"

// A fresh temporary directory, current while the object lives, removed with
// what it holds afterwards.
class ScratchDir : public TempDir {
public:
    ScratchDir() : m_inside(path()) {}

    // Names of the plain files in it, sorted.
    std::vector<std::string> files() const { return FilesIn(path()); }

private:
    CurrentDirectory m_inside;
};

// "\n" line ends as CR LF, as the script field gives them.
std::string WithCrLf(const std::string& text);

#endif
