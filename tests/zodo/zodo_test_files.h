// Scratch files for the pager's unit tests, which build natively as well as
// for Windows (so the Windows-only test helpers are out of reach).
#ifndef ZODO_TEST_FILES_H
#define ZODO_TEST_FILES_H

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace zodo_test {

// A fresh directory, removed with what it holds when the object goes.
class ScratchDir {
public:
    ScratchDir()
    {
        auto base = std::filesystem::temp_directory_path();
        for (int i = 0;; ++i) {
            dir_ = base / ("zodo-test-" + std::to_string(reinterpret_cast<uintptr_t>(this) % 100000) + "-" +
                           std::to_string(i));
            if (std::filesystem::create_directory(dir_))
                break;
        }
    }
    ~ScratchDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    std::string file(const std::string& name) const { return (dir_ / name).string(); }

private:
    std::filesystem::path dir_;
};

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush())
        throw std::runtime_error("cannot write " + path);
}

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}   // namespace zodo_test

#endif
