// Every line of a list box onto the clipboard as CR LF text: the shell's
// Copy all and the archiver's member list share it.
#ifndef TAMREL_LISTCOPY_H
#define TAMREL_LISTCOPY_H

#include <windows.h>

#include <string>

const size_t kMaxClipboardText = 32767;

// The lines of listBox, each followed by CR LF. False when the text would
// pass kMaxClipboardText bytes.
bool ListBoxText(HWND listBox, std::string& text);

// Puts the text of listBox on the clipboard for owner. The text is built and
// checked before the clipboard is touched; every failure is told through
// ToolMessage and leaves the clipboard as it was. True when the text is on
// the clipboard.
bool CopyListBoxToClipboard(HWND owner, HWND listBox);

#endif
