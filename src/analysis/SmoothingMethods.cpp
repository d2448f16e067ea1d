#include "analysis/SmoothingMethods.h"

namespace velutra {

int SmoothingMethodOfKey(std::string_view key) {
    for (size_t i = 0; i < kSmoothingMethods.size(); ++i)
        if (key == kSmoothingMethods[i].key)
            return static_cast<int>(i);
    return -1;
}

const char* SmoothingMethodTitle(int method) {
    if (method < 0 || method >= static_cast<int>(kSmoothingMethods.size()))
        return "unknown smoothing";
    return kSmoothingMethods[static_cast<size_t>(method)].title;
}

} // namespace velutra
