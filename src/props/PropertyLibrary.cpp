#include "props/PropertyLibrary.h"

#include <algorithm>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <system_error>
#include <utility>

namespace velutra {

namespace {

std::string ExecutableDirectory() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : exe.parent_path().string();
}

template <typename Function>
bool Resolve(void* handle, const char* name, Function& target, std::string& missing) {
    target = reinterpret_cast<Function>(dlsym(handle, name));
    if (target == nullptr)
        missing += missing.empty() ? name : std::string(", ") + name;
    return target != nullptr;
}

} // namespace

std::vector<std::string> PropertyLibrary::CandidatePaths(const std::string& configuredPath) {
    const char* fromEnvironment = std::getenv(kEnvironmentVariable);
    if (fromEnvironment != nullptr && *fromEnvironment != '\0')
        return { fromEnvironment };
    if (!configuredPath.empty())
        return { configuredPath };

    std::vector<std::string> candidates;
#ifdef VELUTRA_DEFAULT_PROPERTY_LIBRARY
    candidates.emplace_back(VELUTRA_DEFAULT_PROPERTY_LIBRARY);
#endif
    const std::string exeDir = ExecutableDirectory();
    if (!exeDir.empty())
        candidates.push_back(exeDir + "/" + kFileName);
    candidates.emplace_back(kFileName);
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
    return candidates;
}

std::string PropertyLibrary::Open(const std::vector<std::string>& candidates) {
    std::string failures;
    for (const auto& path : candidates) {
        dlerror();
        void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle != nullptr) {
            handle_ = handle;
            loadedPath_ = path;
            openedFor_ = candidates;
            return {};
        }
        const char* reason = dlerror();
        failures += failures.empty() ? "" : "; ";
        failures += reason != nullptr ? reason : path + ": cannot be opened";
    }
    return "the property library could not be loaded (" + failures + ")";
}

std::string PropertyLibrary::Load(EntryPoints& entries) {
    entries = {};
    const auto candidates = CandidatePaths(configuredPath_);
    if (handle_ == nullptr || candidates != openedFor_) {
        // A handle opened for another choice of file stays open: the library is never unloaded.
        handle_ = nullptr;
        loadedPath_.clear();
        openedFor_.clear();
        if (auto error = Open(candidates); !error.empty())
            return error;
    }

    EntryPoints resolved;
    std::string missing;
    Resolve(handle_, "SETUPdll", resolved.setup, missing);
    Resolve(handle_, "WMOLdll", resolved.wmol, missing);
    Resolve(handle_, "SATTdll", resolved.satt, missing);
    Resolve(handle_, "TPFLSHdll", resolved.tpflsh, missing);
    Resolve(handle_, "TPRHOdll", resolved.tprho, missing);
    Resolve(handle_, "PSFLSHdll", resolved.psflsh, missing);
    Resolve(handle_, "THERMdll", resolved.therm, missing);
    if (!missing.empty())
        return "the property library \"" + loadedPath_ + "\" has no routine " + missing;
    entries = resolved;
    return {};
}

} // namespace velutra
