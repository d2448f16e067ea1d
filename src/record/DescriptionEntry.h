#pragma once

#include "record/CompressorRecord.h"

#include <string>

namespace velutra {

// The description form's own copy of its values, one per edit and check box. The refrigerant
// boxes are not part of it: the form selects and reads their entries directly.
struct DescriptionEntry {
    std::string manufacturer;
    std::string model;
    std::string voltageText;
    std::string speedText;
    std::string ratingCapacityText;
    std::string ratingEERText;
    int unitsEnglish = 0;
    int unitsSI = 0;
    int convertRefrigerant = 0;

    void LoadFrom(const CompressorRecord& record);
    // Writes the values and the two selected refrigerants into the record.
    void StoreInto(CompressorRecord& record, int refrigerantIndex, int newRefrigerantIndex) const;
    // The unit check boxes act as a pair: choosing one clears the other.
    void ChooseUnits(bool english);
};

// After New the map starts from the default axes of the chosen unit system; the flag stays
// set, so they are applied again on every pass until a file is read or a table imported.
void ApplyPendingDefaultAxes(CompressorRecord& record);

} // namespace velutra
