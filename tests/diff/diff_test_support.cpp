#include "diff_test_support.h"

#include <windows.h>

ScratchDir::ScratchDir() : m_previous(CurrentDirectoryName()) {}

ScratchDir::~ScratchDir()
{
    SetCurrentDirectoryA(m_previous.c_str());
}

void ScratchDir::enter() const
{
    SetCurrentDirectoryA(path().c_str());
}
