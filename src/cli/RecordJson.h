#pragma once

#include "record/CompressorRecord.h"

#include <nlohmann/json.hpp>

namespace velutra::cli {

// The persistent fields of a record in file order, keyed by their field names; texts as UTF-8,
// the text tables as nested arrays ([row][cell]).
nlohmann::ordered_json PersistentFieldsToJson(const CompressorRecord& record);

} // namespace velutra::cli
