// Keyboard, focus, pop-up menus and form controls for the end-to-end tests.
//
// Keys are pressed as the keyboard would press them (SendInput), so they
// reach the window that has the focus in the program's foreground window and
// pass through its message loop: accelerators, dialog keys and context-menu
// keys all see them. A pop-up menu is a "#32768" window of the program; this
// Wine keeps its items in the program, so a test chooses an item by its
// mnemonic key and learns the items' states from what the program does.
#ifndef TAMREL_AUTO_INPUT_H
#define TAMREL_AUTO_INPUT_H

#include <string>
#include <vector>

#include "auto.h"

namespace tamrel_auto {

enum KeyModifier { kNoModifier = 0, kShift = 1, kCtrl = 2, kAlt = 4 };

// Makes the top-level window that holds `window` the foreground window and
// waits until it is.
void BringToForeground(const Window& window, DWORD timeoutMs = kTimeoutMs);

// Brings `window`'s top-level window to the foreground, then presses and
// releases the virtual key `vk` with the modifiers held (a character key is
// its upper-case letter or digit). The key goes to the window with the focus.
void PressKey(const Window& window, WORD vk, int modifiers = kNoModifier);

// Clicks a mouse button (VK_LBUTTON or VK_RBUTTON) at x, y of `window`'s
// client area, as the mouse would, after bringing its top-level window to
// the foreground; returns the point in screen coordinates.
POINT ClickMouse(const Window& window, int x, int y, WORD button = VK_LBUTTON);

// One step of a drag with the left button, as the mouse would make it, at
// x, y of `window`'s client area (which may lie outside it): press, move
// with the button held, release. Each moves the pointer there first; the
// press brings the top-level window to the foreground. The program may
// merge moves it has not yet read, so a test that needs every step seen
// waits for each step's effect before the next.
void PressMouseAt(const Window& window, int x, int y);
void DragMouseTo(const Window& window, int x, int y);
void ReleaseMouseAt(const Window& window, int x, int y);

// The window that holds the mouse capture in the thread of `window` (empty
// when none): a press that captured, and a release that let go, show here.
Window CaptureOf(const Window& window);

// Has the window paint now what a command or a closed dialog left it to
// repaint (WM_PAINT sent, waited for), so that no late paint follows and
// the screen shows it.
void WaitPainted(const Window& window, DWORD timeoutMs = kTimeoutMs);

// The text metrics of a stock font (ANSI_FIXED_FONT...) on the screen.
TEXTMETRICA StockFontMetrics(int stockObject);

// The colour of the screen at x, y of `window`'s client area, as shown: the
// window must be uncovered there.
COLORREF ScreenPixel(const Window& window, int x, int y);

// The window with the keyboard focus in the thread of `window` (empty when
// none).
Window FocusOf(const Window& window);
// Waits until the focus in the thread of `window` is on `expected`.
void WaitFocus(const Window& expected, DWORD timeoutMs = kTimeoutMs);

// A visible pop-up menu window of the process.
bool IsPopupMenu(const Window& window);
Window WaitPopupMenu(const Process& process, DWORD timeoutMs = kTimeoutMs);

// The control with this id anywhere below `window` (a form view's controls
// sit in the view, inside the frame); empty when there is none.
Window FindDescendant(const Window& window, int id);
// The same, waiting for it to appear.
Window WaitDescendant(const Window& window, int id, DWORD timeoutMs = kTimeoutMs);

// Lists of several selections (extended or multiple): the selected
// indices in ascending order, and a selection of exactly these entries
// (by text) followed by LBN_SELCHANGE to the parent.
std::vector<int> SelectedIndices(const Window& list);
void SelectItems(const Window& list, const std::vector<std::string>& items);

// Lines of a log file that a program appends to ("" line ends removed);
// none while the file does not exist.
std::vector<std::string> ReadLogLines(const std::string& path);
// Waits until the log holds a line equal to `line` (or, with a trailing
// '*', one that begins with the text before it); returns the log's lines.
std::vector<std::string> WaitLogLine(const std::string& path, const std::string& line, DWORD timeoutMs = kTimeoutMs);

}   // namespace tamrel_auto

#endif
