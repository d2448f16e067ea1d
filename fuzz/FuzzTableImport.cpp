// libFuzzer target: any bytes either import as a table with counts inside the record's tables
// (and export again), or are refused and leave the record exactly as it was.
#include "files/TableExport.h"
#include "files/TableFileError.h"
#include "files/TableImport.h"

#include <cstdint>
#include <fstream>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The import reads a file; a RAM-backed one keeps the runs fast.
    static const std::string path = "/dev/shm/velutra-fuzz-" + std::to_string(getpid()) + ".tab";
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    velutra::CompressorRecord record;
    record.ApplyNewDefaults();
    const velutra::CompressorRecord before = record;
    try {
        velutra::ImportTable(path, record);
        if (record.condCount < 0 || record.condCount > velutra::kMaxCond || record.evapCount < 1
            || record.evapCount > velutra::kMaxEvap)
            __builtin_trap();
        (void)velutra::FormatTable(record);
    } catch (const velutra::TableFileError&) {
        if (!record.PersistentFieldsEqual(before))
            __builtin_trap();
    }
    return 0;
}
