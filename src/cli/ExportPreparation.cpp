#include "cli/ExportPreparation.h"

#include "app/TextRules.h"

namespace velutra::cli {

void PrepareMapForExport(CompressorRecord& record) {
    for (int r = 0; r < kMaxCond; ++r) {
        record.condTemp[r] = TextToNumber(record.condTempText[r][0]);
        for (int c = 0; c < kMaxEvap; ++c) {
            record.capacity[r][c] = TextToNumber(record.capacityText[r][c]);
            record.power[r][c] = TextToNumber(record.powerText[r][c]);
        }
    }
    for (int c = 0; c < kMaxEvap; ++c)
        record.evapTemp[c] = TextToNumber(record.evapTempText[c]);
}

} // namespace velutra::cli
