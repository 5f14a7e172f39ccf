// The one check every extracted member's name passes before anything is
// written for it, the directories on its path included.
#ifndef TREVAK_ARCNAME_H
#define TREVAK_ARCNAME_H

#include <string>

// Backslashes become slashes, "." and empty components are dropped, and
// the name is refused when it could reach outside the target directory or
// name a device: a leading slash, a ':' anywhere (drives, streams), a ".."
// component or one of only dots and blanks, or a component that is con, prn,
// aux, nul, com1-9 or lpt1-9 (or com and lpt with a superscript 1, 2 or
// 3), with or without an extension. On success
// *clean holds the relative path (empty for the target itself) and
// *trailingSlash whether the stored name ended in a '/'.
bool CheckMemberName(const std::string& stored, std::string* clean, bool* trailingSlash);

#endif
