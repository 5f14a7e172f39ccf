#include "trevak_test_support.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include <gtest/gtest.h>

#include "arcreader.h"

namespace fs = std::filesystem;

ArcUi::Answer ScriptedUi::AskYesNoCancel(const std::string& text)
{
    questions.push_back(text);
    if (answers.empty())
        return kYes;
    Answer a = answers.front();
    answers.pop_front();
    return a;
}

bool ScriptedUi::AskRename(const std::string& from, std::string* to)
{
    questions.push_back("rename " + from);
    std::string answer = ".";
    if (!renames.empty()) {
        answer = renames.front();
        renames.pop_front();
    }
    if (answer == "\x18")
        return false;
    *to = answer;
    return true;
}

ScratchDir::ScratchDir()
{
    std::random_device rd;
    for (;;) {
        fs::path p = fs::temp_directory_path() / ("trevak-test-" + std::to_string(rd()));
        std::error_code ec;
        if (fs::create_directory(p, ec)) {
            path_ = p.generic_string();
            return;
        }
    }
}

ScratchDir::~ScratchDir()
{
    std::error_code ec;
    // Extracted read-only files must be writable again to go.
    for (auto& e : fs::recursive_directory_iterator(path_, ec))
        fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

void ScratchDir::Write(const std::string& rel, const std::string& bytes) const
{
    fs::path p = fs::path(At(rel));
    fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    ASSERT_TRUE(out.good()) << rel;
}

void ScratchDir::MakeDir(const std::string& rel) const
{
    fs::create_directories(fs::path(At(rel)));
}

std::string ScratchDir::Read(const std::string& rel) const
{
    return ReadWholeFile(At(rel));
}

bool ScratchDir::Exists(const std::string& rel) const
{
    std::error_code ec;
    return fs::exists(fs::symlink_status(fs::path(At(rel)), ec));
}

std::vector<std::string> ScratchDir::Tree() const
{
    std::vector<std::string> out;
    for (auto& e : fs::recursive_directory_iterator(path_)) {
        std::string rel = fs::relative(e.path(), path_).generic_string();
        out.push_back(e.is_directory() ? rel + "/" : rel);
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(fs::path(path), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void FixTarChecksum(unsigned char* block)
{
    memset(block + 148, ' ', 8);
    char text[16];
    snprintf(text, sizeof text, "%06lo ", TarChecksum(block));
    memcpy(block + 148, text, 7);
    block[155] = 0;
}

std::string BuildTar(const std::vector<TestMember>& members, int type, bool noEnd)
{
    std::string out;
    for (const TestMember& m : members) {
        ArcStatus st;
        st.mode = m.mode;
        st.size = static_cast<long long>(m.data.size());
        st.mtime = m.mtime;
        st.isDir = m.typeflag == '5';
        std::string name = m.name;
        if (st.isDir && !name.empty() && name.back() == '/')
            name.pop_back();
        unsigned char block[kTarBlock];
        EXPECT_EQ(FormatTarHeader(name, st, type, block), kHeaderOk) << m.name;
        if (m.typeflag != '5' && m.typeflag != '0') {
            block[156] = static_cast<unsigned char>(m.typeflag);
            // A size of its own for members with data of another kind.
            char size[16];
            snprintf(size, sizeof size, "%011llo ", static_cast<long long>(m.data.size()));
            memcpy(block + 124, size, 12);
            FixTarChecksum(block);
        }
        out.append(reinterpret_cast<char*>(block), kTarBlock);
        out.append(m.data);
        out.append((kTarBlock - m.data.size() % kTarBlock) % kTarBlock, '\0');
    }
    if (!noEnd)
        out.append(2 * kTarBlock, '\0');
    return out;
}

std::string BuildCpio(const std::vector<TestMember>& members, bool noTrailer)
{
    std::string out;
    for (const TestMember& m : members) {
        char h[128];
        snprintf(h,
                 sizeof h,
                 "070707%06o%06o%06o%06o%06o%06o%06o%011llo%06o%011llo",
                 1,
                 2,
                 m.mode,
                 0,
                 0,
                 1,
                 0,
                 m.mtime,
                 static_cast<unsigned>(m.name.size() + 1),
                 static_cast<long long>(m.data.size()));
        out.append(h, kCpioHeaderSize);
        out.append(m.name);
        out.push_back('\0');
        out.append(m.data);
    }
    if (!noTrailer)
        out.append(CpioTrailer());
    return out;
}

std::vector<std::string> MemberNames(const std::string& archive, int type)
{
    ArcMemStream in(archive.data(), archive.size());
    ScriptedUi ui;
    std::vector<std::string> names;
    EXPECT_TRUE(ListArchive(
        in,
        type,
        [&](const ArcMember& m) {
            names.push_back(m.name);
            return true;
        },
        ui));
    return names;
}
