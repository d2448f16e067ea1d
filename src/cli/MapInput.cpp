#include "cli/MapInput.h"

#include "analysis/PublishedMapCsv.h"
#include "analysis/SmoothingMethods.h"
#include "cli/CliCommand.h"
#include "files/CompressorFile.h"
#include "files/TableImport.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace velutra::cli {

namespace {

bool HasExtension(const std::string& path, const std::string& extension) {
    if (path.size() < extension.size())
        return false;
    return std::equal(extension.rbegin(), extension.rend(), path.rbegin(),
        [](char wanted, char c) { return wanted == std::tolower(static_cast<unsigned char>(c)); });
}

} // namespace

void ReadMapFile(const std::string& path, CompressorRecord& record) {
    record.ApplyNewDefaults();
    if (HasExtension(path, ".csv"))
        ReadPublishedMap(path, record);
    else if (HasExtension(path, ".tab"))
        ImportTable(path, record);
    else
        ReadCompressorFile(path, record);
}

int RefrigerantIndexOf(const std::string& name) {
    if (const int code = RefrigerantCodeOf(name); code >= 0)
        return code;
    std::string known;
    for (const char* refrigerant : kRefrigerantNames)
        known += std::string(known.empty() ? "" : ", ") + refrigerant;
    throw UsageError("unknown refrigerant \"" + name + "\" (one of " + known + ")");
}

int SmoothingMethodOf(const std::string& name) {
    const int method = SmoothingMethodOfKey(name);
    if (method >= 0)
        return method;
    std::string known;
    for (const SmoothingMethodName& each : kSmoothingMethods)
        known += std::string(known.empty() ? "" : ", ") + each.key;
    throw UsageError("unknown smoothing \"" + name + "\" (one of " + known + ")");
}

} // namespace velutra::cli
