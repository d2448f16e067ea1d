#pragma once

#include "velutra_thermo.h"

#include <string>
#include <vector>

namespace velutra {

// Resolved routines of the property library (signatures of velutra_thermo.h).
struct EntryPoints {
    decltype(&SETUPdll) setup = nullptr;
    decltype(&WMOLdll) wmol = nullptr;
    decltype(&SATTdll) satt = nullptr;
    decltype(&TPFLSHdll) tpflsh = nullptr;
    decltype(&TPRHOdll) tprho = nullptr;
    decltype(&PSFLSHdll) psflsh = nullptr;
    decltype(&THERMdll) therm = nullptr;
};

// The property library, opened at run time with dlopen and never linked. Which file: the one
// named by the environment variable VELUTRA_PROPERTY_LIBRARY, else the one named by the
// program's settings, else the library built with this program, then libvelutra_thermo.so
// beside the executable, then that name through the loader's search path. A file named by the
// user is the only candidate: falling back to another library would hide the mistake.
class PropertyLibrary {
public:
    static constexpr const char* kEnvironmentVariable = "VELUTRA_PROPERTY_LIBRARY";
    static constexpr const char* kFileName = "libvelutra_thermo.so";

    // Library file chosen in the program's settings; empty for the default.
    void SetConfiguredPath(std::string path) { configuredPath_ = std::move(path); }
    const std::string& ConfiguredPath() const { return configuredPath_; }

    // Opens the library (once for a given choice of file; the handle is kept and the library
    // never unloaded, since it holds the fluid set up) and resolves every routine into
    // `entries`. Returns an empty string on success, otherwise what failed, with the loader's
    // own text; `entries` is then cleared.
    std::string Load(EntryPoints& entries);

    // File the library was opened from; empty while none is open.
    const std::string& LoadedPath() const { return loadedPath_; }

    // Files to try, in order, for the given settings value and the current environment.
    static std::vector<std::string> CandidatePaths(const std::string& configuredPath);

private:
    std::string Open(const std::vector<std::string>& candidates);

    std::string configuredPath_;
    void* handle_ = nullptr;
    std::string loadedPath_;
    std::vector<std::string> openedFor_;
};

} // namespace velutra
