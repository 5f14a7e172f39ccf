#include "search.h"

#include <cctype>
#include <cstring>

#include "regex.h"

namespace zodo {

namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// Bytes an item of compiled code takes, opcode included; 0 for a byte that
// starts no item the compiler writes.
int ItemLength(unsigned char op) {
  switch (op) {
    case REGEX_ANY:
    case REGEX_ANY | REGEX_STAR:
    case REGEX_EOL:
    case REGEX_END:
      return 1;
    case REGEX_GROUP_START:
    case REGEX_GROUP_END:
    case REGEX_CHAR:
    case REGEX_CHAR | REGEX_STAR:
    case REGEX_BACKREF:
    case REGEX_BACKREF | REGEX_STAR:
      return 2;
    case REGEX_ANY | REGEX_INTERVAL:
      return 3;
    case REGEX_CHAR | REGEX_INTERVAL:
      return 4;
    case REGEX_CLASS:
    case REGEX_CLASS | REGEX_STAR:
      return 1 + REGEX_CLASS_BYTES;
    case REGEX_CLASS | REGEX_INTERVAL:
      return 3 + REGEX_CLASS_BYTES;
    default:
      return 0;
  }
}

// Finds a literal in a stretch of the text, bytes compared after folding
// (lower-casing when case is ignored), skipping ahead by the byte under the
// window's far end (Horspool's rule), in either direction.
class LiteralScan {
 public:
  LiteralScan(const std::string& literal, bool ignoreCase) : literal_(literal) {
    const int m = static_cast<int>(literal.size());
    for (int b = 0; b < 256; ++b) fold_[b] = static_cast<unsigned char>(ignoreCase ? std::tolower(b) : b);
    int forward[256];
    int backward[256];
    for (int f = 0; f < 256; ++f) forward[f] = backward[f] = m;
    for (int i = 0; i + 1 < m; ++i) forward[static_cast<unsigned char>(literal[i])] = m - 1 - i;
    for (int i = m - 1; i >= 1; --i) backward[static_cast<unsigned char>(literal[i])] = i;
    for (int b = 0; b < 256; ++b) {
      skipForward_[b] = forward[fold_[b]];
      skipBackward_[b] = backward[fold_[b]];
    }
  }

  // The first occurrence lying wholly in [from, end), or null.
  const char* Forward(const char* from, const char* end) const {
    const long m = static_cast<long>(literal_.size());
    const unsigned char last = static_cast<unsigned char>(literal_[m - 1]);
    for (const char* p = from; end - p >= m;) {
      const unsigned char c = static_cast<unsigned char>(p[m - 1]);
      if (fold_[c] == last && Equal(p, m - 1)) return p;
      p += skipForward_[c];
    }
    return nullptr;
  }

  // The last occurrence lying wholly in [begin, end), or null.
  const char* Backward(const char* begin, const char* end) const {
    const long m = static_cast<long>(literal_.size());
    const unsigned char first = static_cast<unsigned char>(literal_[0]);
    if (end - begin < m) return nullptr;
    for (const char* p = end - m;;) {
      const unsigned char c = static_cast<unsigned char>(p[0]);
      if (fold_[c] == first && Equal(p + 1, m - 1, 1)) return p;
      if (p - begin < skipBackward_[c]) return nullptr;
      p -= skipBackward_[c];
    }
  }

 private:
  bool Equal(const char* p, long count, long from = 0) const {
    for (long i = 0; i < count; ++i)
      if (fold_[static_cast<unsigned char>(p[i])] != static_cast<unsigned char>(literal_[from + i])) return false;
    return true;
  }

  std::string literal_;
  unsigned char fold_[256];
  long skipForward_[256];
  long skipBackward_[256];
};

// The record of the line that holds the byte at offset, among the lines
// numbered lo to hi (records lie in line order, so they can be halved).
LineRecord* LineHolding(const LineIndex& index, long offset, long lo, long hi) {
  while (lo < hi) {
    long mid = lo + (hi - lo + 1) / 2;
    if (index.Line(mid)->offset <= offset)
      lo = mid;
    else
      hi = mid - 1;
  }
  return index.Line(lo);
}

bool LineMatches(const LineIndex& index, const LineRecord* line, const char* code, const SearchOptions& options,
                 const RenderOptions& render, std::string& text) {
  SearchTextOf(index, line, options, render, text);
  return RegexStep(text.c_str(), code) != 0;
}

// Whether a line whose bytes do not hold the literal can still match:
// only through what rendering adds or takes away. Blanks come from tabs,
// NULs and the line-number prefix, digits from that prefix, anything from
// the hexadecimal form; a backspace joins what stood apart. The caller
// rules out backspaces; this answers for the literal and the settings.
bool ScanAnswersFor(const std::string& literal, const SearchOptions& options, const RenderOptions& render) {
  if (literal.empty()) return false;
  if (!options.renderedText) return true;
  if (render.hexadecimal) return false;
  for (char c : literal) {
    if (c == ' ') return false;
    if (render.lineNumbers && c >= '0' && c <= '9') return false;
  }
  return true;
}

LineRecord* PlainWalk(const LineIndex& index, LineRecord* line, bool forward, const char* code,
                      const SearchOptions& options, const RenderOptions& render) {
  std::string text;
  for (; line; line = forward ? line->next : line->previous)
    if (LineMatches(index, line, code, options, render, text)) return line;
  return nullptr;
}

}  // namespace

std::string SearchExpressionText(const SearchOptions& options) {
  std::string text = options.anchorStart ? "^" + options.expression : options.expression;
  if (options.ignoreCase)
    for (char& c : text) c = Lower(c);
  if (options.anchorEnd) text += '$';
  return text;
}

bool CompileSearch(const SearchOptions& options, char* code, int codeSize) {
  // A fresh buffer each time: an empty expression then has no earlier code
  // to fall back on and does not compile.
  std::memset(code, 0, static_cast<size_t>(codeSize));
  const std::string text = SearchExpressionText(options);
  return RegexCompile(text.c_str(), code, code + codeSize, 0) != nullptr;
}

void PrepareSearchText(std::string& text, bool ignoreCase) {
  if (ignoreCase)
    for (char& c : text) c = Lower(c);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
}

void SearchTextOf(const LineIndex& index, const LineRecord* line, const SearchOptions& options,
                  const RenderOptions& render, std::string& out) {
  const char* bytes = index.BytesOf(line);
  const int length = index.LengthOf(line);
  if (options.renderedText) {
    RenderLine(bytes, length, line->lineNumber, line->offset, render, out);
  } else {
    // The line is matched as a C string: a NUL ends it.
    const void* nul = std::memchr(bytes, '\0', static_cast<size_t>(length));
    out.assign(bytes, nul ? static_cast<const char*>(nul) : bytes + length);
  }
  PrepareSearchText(out, options.ignoreCase);
}

LineRecord* SearchStartLine(const LineRecord* top, bool forward) {
  if (!top) return nullptr;
  return forward ? top->next : top->previous;
}

std::string RequiredLiteral(const char* code, int codeSize) {
  std::string best, run;
  for (int at = 0; at < codeSize;) {
    const unsigned char op = static_cast<unsigned char>(code[at]);
    const int length = ItemLength(op);
    if (length == 0 || at + length > codeSize) return std::string();  // not code the compiler writes
    if (op == REGEX_CHAR) {
      run += code[at + 1];
    } else if (op != REGEX_GROUP_START && op != REGEX_GROUP_END) {
      // Group marks take no text; anything else may take none or several.
      if (run.size() > best.size()) best = run;
      run.clear();
      if (op == REGEX_END) return best;
    }
    at += length;
  }
  return std::string();
}

LineRecord* FindLine(const LineIndex& index, LineRecord* first, bool forward, const char* code, int codeSize,
                     const SearchOptions& options, const RenderOptions& render, SearchWalk walk) {
  if (!first) return nullptr;
  const std::string literal = walk == SearchWalk::Scan ? RequiredLiteral(code, codeSize) : std::string();
  const char* text = index.Text();
  const char* end = text + index.TextSize();
  if (!ScanAnswersFor(literal, options, render) ||
      (options.renderedText && std::memchr(text, '\b', static_cast<size_t>(index.TextSize()))))
    return PlainWalk(index, first, forward, code, options, render);

  // Every line that can match holds the literal in its own bytes, so the
  // first (or last) occurrence in the block names the next line worth a
  // full match; lines in between cannot match.
  const LiteralScan scan(literal, options.ignoreCase);
  const long lastNumber = index.LastLine()->lineNumber;
  const long reach = static_cast<long>(literal.size()) - 1;
  std::string lineText;
  LineRecord* line = first;
  while (line) {
    const char* lineStart = text + line->offset;
    const char* hit;
    if (forward) {
      hit = scan.Forward(lineStart, end);
    } else {
      const char* lineEnd = lineStart + index.LengthOf(line);
      hit = scan.Backward(text, end - lineEnd > reach ? lineEnd + reach : end);
    }
    if (!hit) return nullptr;
    const long offset = hit - text;
    LineRecord* candidate = forward ? LineHolding(index, offset, line->lineNumber, lastNumber)
                                    : LineHolding(index, offset, 1, line->lineNumber);
    if (LineMatches(index, candidate, code, options, render, lineText)) return candidate;
    line = forward ? candidate->next : candidate->previous;
  }
  return nullptr;
}

SearchOutcome SearchLines(const LineIndex& index, LineRecord* first, bool forward, const SearchOptions& options,
                          const RenderOptions& render, LineRecord** found, SearchWalk walk) {
  *found = nullptr;
  char code[REGEX_CODE_SIZE];
  if (!CompileSearch(options, code, sizeof code)) return SearchOutcome::InvalidPattern;
  *found = FindLine(index, first, forward, code, sizeof code, options, render, walk);
  return *found ? SearchOutcome::Found : SearchOutcome::NotFound;
}

}  // namespace zodo
