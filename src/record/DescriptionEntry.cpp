#include "record/DescriptionEntry.h"

namespace velutra {

void DescriptionEntry::LoadFrom(const CompressorRecord& record) {
    manufacturer = record.manufacturer;
    model = record.model;
    ratingCapacityText = record.ratingCapacityText;
    ratingEERText = record.ratingEERText;
    speedText = record.speedText;
    voltageText = record.voltageText;
    unitsEnglish = record.unitsEnglish;
    unitsSI = record.unitsSI;
    convertRefrigerant = record.convertRefrigerant;
}

void DescriptionEntry::StoreInto(
    CompressorRecord& record, int refrigerantIndex, int newRefrigerantIndex) const {
    record.refrigerantIndex = refrigerantIndex;
    record.manufacturer = manufacturer;
    record.model = model;
    record.ratingCapacityText = ratingCapacityText;
    record.ratingEERText = ratingEERText;
    record.speedText = speedText;
    record.voltageText = voltageText;
    record.unitsEnglish = unitsEnglish;
    record.unitsSI = unitsSI;
    record.convertRefrigerant = convertRefrigerant;
    record.newRefrigerantIndex = newRefrigerantIndex;
}

void DescriptionEntry::ChooseUnits(bool english) {
    unitsEnglish = english ? 1 : 0;
    unitsSI = english ? 0 : 1;
}

void ApplyPendingDefaultAxes(CompressorRecord& record) {
    if (record.newRecordDefaultsPending == 1)
        record.ApplyDefaultAxes(record.unitsEnglish == 1);
}

} // namespace velutra
