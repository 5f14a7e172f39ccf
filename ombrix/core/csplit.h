// Context split: a text file cut into numbered parts at line numbers and at
// lines that patterns match, with skipped stretches and repeats.
#ifndef OMBRIX_CSPLIT_H
#define OMBRIX_CSPLIT_H

// Given arguments beyond this many are refused; one more slot takes the
// argument that sends the rest of the file into a last part.
const int kCsplitMaxArguments = 99;

// A whole run: cuts filename by the blank-separated arguments into parts
// named prefix followed by the part number in at least digits digits. False
// when it stopped after telling the user why.
bool CsplitRun(const char* filename, const char* arguments, const char* prefix, int digits);

#endif
