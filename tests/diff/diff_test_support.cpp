#include "diff_test_support.h"

#include "sysio.h"

ScratchDir::ScratchDir() : m_previous(CurrentDirectoryName()) {}

ScratchDir::~ScratchDir()
{
    _chdir(m_previous.c_str());
}

void ScratchDir::enter() const
{
    _chdir(path().c_str());
}
