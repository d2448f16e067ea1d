#include "FluidPathResolver.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>

namespace velutra::thermo {

namespace {

namespace fs = std::filesystem;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

bool IsRegularFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

std::optional<std::string> FindInFolder(const std::string& folder, const std::string& baseName) {
    const fs::path exact = fs::path(folder) / baseName;
    if (IsRegularFile(exact))
        return exact.string();
    const std::string wanted = Lower(baseName);
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (Lower(it->path().filename().string()) == wanted && IsRegularFile(it->path()))
            return it->path().string();
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> ResolveFluidFile(
    const std::string& given, const std::vector<std::string>& folders) {
    std::string path = given;
    std::replace(path.begin(), path.end(), '\\', '/');
    if (path.empty())
        return std::nullopt;
    if (IsRegularFile(path))
        return path;
    const std::string baseName = fs::path(path).filename().string();
    if (baseName.empty())
        return std::nullopt;
    for (const std::string& folder : folders) {
        if (auto found = FindInFolder(folder, baseName))
            return found;
    }
    return std::nullopt;
}

std::vector<std::string> LibraryFluidFolders() {
    std::vector<std::string> folders;
    if (const char* env = std::getenv("VELUTRA_FLUIDS_DIR"); env && *env)
        folders.emplace_back(env);
    Dl_info info {};
    if (dladdr(reinterpret_cast<void*>(&LibraryFluidFolders), &info) != 0 && info.dli_fname)
        folders.push_back((fs::path(info.dli_fname).parent_path() / "fluids").string());
    folders.emplace_back(VELUTRA_THERMO_FLUIDS_DIR);
    return folders;
}

} // namespace velutra::thermo
