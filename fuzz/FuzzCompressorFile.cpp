// libFuzzer target: any bytes either read as a compressor file that then survives a write and
// a second read unchanged, or fail and leave the record exactly as it was.
#include "files/CompressorFile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    velutra::CompressorRecord record;
    record.ApplyNewDefaults();
    const velutra::CompressorRecord before = record;
    try {
        velutra::DecodeCompressorFile(
            std::string_view(reinterpret_cast<const char*>(data), size), record, "fuzz");
        velutra::CompressorRecord again;
        velutra::DecodeCompressorFile(velutra::EncodeCompressorFile(record), again, "again");
        if (!again.PersistentFieldsEqual(record))
            __builtin_trap();
    } catch (const velutra::CompressorFileError&) {
        if (!record.PersistentFieldsEqual(before))
            __builtin_trap();
    }
    return 0;
}
