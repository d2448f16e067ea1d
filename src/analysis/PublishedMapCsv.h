#pragma once

#include "record/CompressorRecord.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace velutra {

// A published-map file that cannot be used; the message names the file and the line.
class PublishedMapError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads a manufacturer's map kept as CSV ("#" comment lines; "refrigerant,NAME";
// "units,English|SI"; "evaporating,t1,..."; "capacity,tc,v1,..." and "power,tc,v1,..." rows;
// optional "rating,CONDITIONS" (the written form of rating conditions), "speed,RPM" and
// "displacement,CM3") into the record's refrigerantIndex, unit flags, counts, temperature texts
// and map texts, as if the numbers had been typed, and its rating conditions (default: ashrae),
// displacement (default: none) and, where given, speed. Nothing else is touched. Up to 6 condensing by 8
// evaporating temperatures; capacity and power need the same condensing temperatures in the same order. On
// failure throws PublishedMapError and leaves the record as it was.
void DecodePublishedMap(std::string_view text, CompressorRecord& record, const std::string& fileName);
void ReadPublishedMap(const std::string& path, CompressorRecord& record);

} // namespace velutra
