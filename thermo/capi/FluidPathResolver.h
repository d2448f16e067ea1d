#pragma once

#include <optional>
#include <string>
#include <vector>

namespace velutra::thermo {

// Finds a fluid file as the program names it ("..\fluids\R134a.fld"): backslashes become "/",
// then the path as given, relative to the working directory; failing that the file's base name,
// compared case-insensitively, in each of `folders` in turn. Empty when nothing matches.
std::optional<std::string> ResolveFluidFile(
    const std::string& given, const std::vector<std::string>& folders);

// The library's own fluid folders, in search order: $VELUTRA_FLUIDS_DIR when set, the "fluids"
// folder next to the shared library, and the source folder the library was built from.
std::vector<std::string> LibraryFluidFolders();

} // namespace velutra::thermo
