#include "files/ReplaceFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

namespace velutra {

namespace {

namespace fs = std::filesystem;

[[noreturn]] void Fail(const std::string& path, const std::string& reason) {
    throw FileWriteError("Cannot write \"" + path + "\": " + reason + ".");
}

// Creates a file that did not exist before (fopen's "x" mode), next to the target so that the
// final rename stays on one file system.
std::FILE* CreateTemporary(const std::string& path, std::string& tempPath) {
    std::random_device seed;
    std::mt19937 generator(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = path + ".tmp" + std::to_string(generator() % 1000000);
        if (std::FILE* file = std::fopen(tempPath.c_str(), "wbx"))
            return file;
        if (errno != EEXIST)
            Fail(path, std::strerror(errno));
    }
    Fail(path, "no temporary file name was free");
}

} // namespace

void ReplaceFileContents(const std::string& path, std::string_view bytes) {
    std::error_code ec;
    if (fs::is_directory(path, ec))
        Fail(path, "it is a folder");

    std::string tempPath;
    std::FILE* file = CreateTemporary(path, tempPath);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int writeErrno = errno;
    const bool closed = std::fclose(file) == 0;
    const int closeErrno = errno;
    if (!written || !closed) {
        fs::remove(tempPath, ec);
        Fail(path, std::strerror(!written ? writeErrno : closeErrno));
    }

    const auto status = fs::status(path, ec);
    if (!ec && fs::exists(status))
        fs::permissions(tempPath, status.permissions(), ec);

    fs::rename(tempPath, path, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(tempPath, ignored);
        Fail(path, ec.message());
    }
}

} // namespace velutra
