#include "scratch.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

ScratchDir::ScratchDir()
{
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = fs::temp_directory_path() / ("pellumar-" + std::to_string(random() % 100000000));
        std::error_code error;
        if (fs::create_directory(candidate, error)) {
            m_path = fs::canonical(candidate).string();
            return;
        }
    }
    throw std::runtime_error("no scratch directory");
}

ScratchDir::~ScratchDir()
{
    std::error_code error;
    // Read-only files of a test go too.
    for (auto& entry : fs::recursive_directory_iterator(m_path, error))
        fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(m_path, error);
}

std::string ScratchDir::operator/(const std::string& name) const
{
    return (fs::path(m_path) / name).string();
}

CurrentDirectoryGuard::CurrentDirectoryGuard(const std::string& path) : m_previous(fs::current_path().string())
{
    fs::current_path(path);
}

CurrentDirectoryGuard::~CurrentDirectoryGuard()
{
    std::error_code error;
    fs::current_path(m_previous, error);
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

bool ReadBytes(const std::string& path, std::string& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

void MakeDir(const std::string& path)
{
    if (!fs::create_directory(path))
        throw std::runtime_error("cannot make " + path);
}

std::vector<std::string> NamesIn(const std::string& directory)
{
    std::vector<std::string> names;
    for (auto& entry : fs::directory_iterator(directory))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void ExpectAssociations(RegistrySource& registry, const std::vector<AssociationCase>& cases)
{
    for (const AssociationCase& c : cases) {
        Association association;
        EXPECT_EQ(LookupAssociation(registry, c.name, association), c.found) << c.name;
        EXPECT_EQ(association.command, c.command) << c.name;
        EXPECT_EQ(association.file, c.file) << c.name;
    }
}
