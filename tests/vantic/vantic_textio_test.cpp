// The block reader and writer against the runtime's own text mode: the same
// bytes must come out as fgets and fwrite on the same kind of stream give.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "textio.h"
#include "vantic_support.h"

namespace {

struct Piece {
    std::string text;
    bool lastAfter;   // nothing left to read after this piece
    bool operator==(const Piece& other) const { return text == other.text && lastAfter == other.lastAfter; }
};

std::ostream& operator<<(std::ostream& out, const Piece& piece)
{
    return out << ::testing::PrintToString(piece.text) << (piece.lastAfter ? " (last)" : "");
}

std::vector<Piece> ReadWithRuntime(const std::string& path, const char* mode, int size)
{
    std::vector<Piece> pieces;
    FILE* f = std::fopen(path.c_str(), mode);
    std::vector<char> buffer(static_cast<size_t>(size));
    while (std::fgets(buffer.data(), size, f)) {
        int c = std::getc(f);
        if (c != EOF)
            std::ungetc(c, f);
        pieces.push_back({buffer.data(), c == EOF});
    }
    std::fclose(f);
    return pieces;
}

std::vector<Piece> ReadWithBlocks(const std::string& path, const char* mode, int size)
{
    std::vector<Piece> pieces;
    FILE* f = std::fopen(path.c_str(), mode);
    BeginLineInput(f);
    std::vector<char> buffer(static_cast<size_t>(size));
    while (ReadLine(buffer.data(), size))
        pieces.push_back({buffer.data(), AtInputEnd()});
    EndLineInput();
    std::fclose(f);
    return pieces;
}

// Text with every awkward byte, from a fixed seed.
std::string Scrambled(size_t length, unsigned seed, bool withCtrlZ)
{
    std::string text;
    unsigned state = seed;
    for (size_t i = 0; i < length; ++i) {
        state = state * 1103515245u + 12345u;
        unsigned pick = (state >> 16) % 64;
        if (pick < 8)
            text += '\r';
        else if (pick < 16)
            text += "\r\n";
        else if (pick < 20)
            text += '\n';
        else
            text += static_cast<char>('a' + pick % 26);
    }
    if (withCtrlZ)
        text[length * 3 / 4] = '\x1a';
    return text;
}

// A CR at the last byte of the first block, then the byte given.
std::string StraddlingBlock(char after)
{
    std::string text;
    while (text.size() < kTextBlockSize - 600)
        text += "a line of text\r\n";
    text += std::string(kTextBlockSize - 1 - text.size(), 'q');
    text += '\r';
    text += after;
    text += "tail\r\n";
    return text;
}

TEST(VanticTextIo, ReadsAsTheRuntimeDoes)
{
    ScratchDir dir;
    struct Row {
        const char* name;
        std::string bytes;
        bool small = true;   // also read in tiny pieces
    } rows[] = {
        {"CR LF lines", "a\r\nb\r\n"},
        {"LF lines, no final newline", "a\nb"},
        {"lone CR kept", "a\rb\r\n"},
        {"CR before CR LF", "a\r\r\nb"},
        {"CR at the end", "x\r"},
        {"Ctrl+Z ends the input", std::string("a\r\nb\x1a") + "c\r\n"},
        {"empty lines", "\r\n\r\n\n"},
        {"511 characters, then CR LF", std::string(511, 'x') + "\r\nc"},
        {"510 characters, then CR LF", std::string(510, 'x') + "\r\nc"},
        {"long line", std::string(1300, 'y') + "\r\n"},
        {"CR LF across the block end", StraddlingBlock('\n'), false},
        {"lone CR at the block end", StraddlingBlock('z'), false},
        {"Ctrl+Z right after the block end", StraddlingBlock('\x1a'), false},
        {"scrambled", Scrambled(200000, 7, false)},
        {"scrambled with Ctrl+Z", Scrambled(150000, 11, true)},
        {"scrambled over several blocks", Scrambled(3 * kTextBlockSize, 5, false), false},
        {"empty file", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WriteFileBytes("in.txt", row.bytes);
        for (const char* mode : {"rt", "rb"}) {
            for (int size : {512, 8, 2}) {
                if (size < 512 && !row.small)
                    continue;
                SCOPED_TRACE(std::string(mode) + " " + std::to_string(size));
                EXPECT_EQ(ReadWithRuntime("in.txt", mode, size), ReadWithBlocks("in.txt", mode, size));
            }
        }
    }
}

TEST(VanticTextIo, WritesAsTheRuntimeDoes)
{
    ScratchDir dir;
    const std::string text = Scrambled(3 * kTextBlockSize, 3, false) + "\n";
    for (const char* mode : {"wt", "wb", "at"}) {
        SCOPED_TRACE(mode);
        WriteFileBytes("mine.txt", "before\r\n");
        WriteFileBytes("theirs.txt", "before\r\n");
        FILE* theirs = std::fopen("theirs.txt", mode);
        std::fwrite(text.data(), 1, text.size(), theirs);
        std::fputs("end\n", theirs);
        std::fclose(theirs);

        FILE* mine = std::fopen("mine.txt", mode);
        BeginLineOutput(mine);
        // Pieces of every size, the newline alone among them.
        size_t at = 0;
        for (size_t step = 1; at < text.size(); step = step % 97 + 1) {
            size_t take = std::min(step, text.size() - at);
            WriteOutput(text.data() + at, take);
            at += take;
        }
        EndLineOutput();
        // The stream is back in its own mode.
        std::fputs("end\n", mine);
        std::fclose(mine);
        EXPECT_TRUE(ReadFileBytes("mine.txt") == ReadFileBytes("theirs.txt"));
    }
}

}   // namespace
