#include "files/CompressorFile.h"

#include "files/ReplaceFile.h"
#include "files/Windows1252.h"
#include "record/MapEntry.h"
#include "record/RatingConditionsText.h"
#include "record/TextRules.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace velutra {

namespace {

// Length prefixes of a text: one byte below 255, then 0xFF and a 16-bit length, then 0xFF 0xFFFF
// and a 32-bit length. 0xFFFE after the first 0xFF marks a UTF-16 text, which only other writers
// produce.
constexpr std::uint8_t kLongerLength = 0xFF;
constexpr std::uint16_t kWideText = 0xFFFE;
constexpr std::uint16_t kLength32 = 0xFFFF;

class Writer {
public:
    void Int(std::int32_t value) {
        const auto bits = static_cast<std::uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8)
            bytes_ += static_cast<char>((bits >> shift) & 0xFF);
    }

    void Text(const std::string& utf8) {
        const std::string encoded = Utf8ToWindows1252(utf8);
        const size_t n = encoded.size();
        if (n < kLongerLength) {
            Byte(static_cast<std::uint8_t>(n));
        } else if (n < kWideText) {
            Byte(kLongerLength);
            Word(static_cast<std::uint16_t>(n));
        } else {
            Byte(kLongerLength);
            Word(kLength32);
            Int(static_cast<std::int32_t>(static_cast<std::uint32_t>(n)));
        }
        bytes_ += encoded;
    }

    std::string Take() { return std::move(bytes_); }

private:
    void Byte(std::uint8_t value) { bytes_ += static_cast<char>(value); }
    void Word(std::uint16_t value) {
        Byte(static_cast<std::uint8_t>(value & 0xFF));
        Byte(static_cast<std::uint8_t>(value >> 8));
    }

    std::string bytes_;
};

class Reader {
public:
    Reader(std::string_view bytes, const std::string& fileName)
        : bytes_(bytes)
        , fileName_(fileName) { }

    std::int32_t Int() { return static_cast<std::int32_t>(Unsigned(4)); }

    size_t Remaining() const { return bytes_.size() - position_; }
    std::string_view Take(size_t count) { return Bytes(count); }

    std::string Text() {
        std::uint64_t length = Length();
        if (length != kWideMarker)
            return Windows1252ToUtf8(Bytes(length));
        length = Length();
        if (length == kWideMarker)
            throw CompressorFileError(
                "\"" + fileName_ + "\" is not a compressor file: a text has two wide-text marks.");
        // Wide text is taken into the 8-bit code page as it is read: what Windows-1252 cannot
        // hold becomes "?" now, so the record holds what a save will write.
        return Windows1252ToUtf8(Utf8ToWindows1252(Utf16LeToUtf8(Bytes(2 * length))));
    }

private:
    static constexpr std::uint64_t kWideMarker = ~std::uint64_t { 0 };

    std::uint64_t Length() {
        const std::uint64_t first = Unsigned(1);
        if (first != kLongerLength)
            return first;
        const std::uint64_t word = Unsigned(2);
        if (word == kWideText)
            return kWideMarker;
        if (word == kLength32)
            return Unsigned(4);
        return word;
    }

    std::uint64_t Unsigned(int size) {
        const std::string_view raw = Bytes(static_cast<std::uint64_t>(size));
        std::uint64_t value = 0;
        for (int k = size - 1; k >= 0; --k)
            value = value << 8 | static_cast<unsigned char>(raw[static_cast<size_t>(k)]);
        return value;
    }

    // Checked against what is left before anything is taken, so a hostile length costs nothing.
    std::string_view Bytes(std::uint64_t count) {
        if (count > bytes_.size() - position_)
            throw CompressorFileError("An attempt was made to access \"" + fileName_
                + "\" past its end (a field of " + std::to_string(count) + " bytes at byte "
                + std::to_string(position_) + ", file length " + std::to_string(bytes_.size()) + ").");
        const std::string_view taken = bytes_.substr(position_, count);
        position_ += count;
        return taken;
    }

    std::string_view bytes_;
    const std::string& fileName_;
    size_t position_ = 0;
};

// One walk over the persistent fields in file order, shared by reading and writing.
template <typename Record, typename TextFn, typename IntFn>
void VisitFields(Record& record, TextFn text, IntFn integer) {
    text(record.manufacturer);
    text(record.model);
    text(record.ratingCapacityText);
    text(record.ratingEERText);
    text(record.speedText);
    text(record.voltageText);
    integer(record.unitsEnglish);
    integer(record.unitsSI);
    integer(record.refrigerantIndex);
    integer(record.condCount);
    integer(record.evapCount);
    for (auto& row : record.condTempText)
        for (auto& cell : row)
            text(cell);
    for (auto& cell : record.evapTempText)
        text(cell);
    for (auto& row : record.capacityText)
        for (auto& cell : row)
            text(cell);
    for (auto& row : record.powerText)
        for (auto& cell : row)
            text(cell);
}

// What today's fields cannot hold, the rating conditions and the displacement, follows them in
// a block of its own: a mark, a version, the length of the rest, then the conditions in their
// written form and the displacement as a text (empty: not known). Readers of the fields alone
// stop before it; a record rated at the default conditions without a displacement writes none,
// so its file is what it always was.
constexpr std::string_view kBlockMark = "VELUTRA-RATING";
constexpr std::int32_t kBlockVersion = 1;

bool NeedsBlock(const CompressorRecord& record) {
    return record.ratingConditions != RatingConditions {} || record.displacementCm3 != 0;
}

std::string DisplacementText(double cm3) {
    if (cm3 == 0)
        return {};
    char text[32];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, cm3);
    return ec == std::errc() ? std::string(text, end) : std::string();
}

void ReadBlock(Reader& reader, CompressorRecord& read, const std::string& fileName) {
    if (reader.Remaining() == 0)
        return;
    const auto damaged = [&](const std::string& why) {
        return CompressorFileError(
            "\"" + fileName + "\" has a damaged rating block after the map: " + why + ".");
    };
    if (reader.Remaining() < kBlockMark.size() + 8 || reader.Take(kBlockMark.size()) != kBlockMark)
        throw damaged("bytes follow the map that are not one");
    const std::int32_t version = reader.Int();
    if (version != kBlockVersion)
        throw damaged("version " + std::to_string(version) + ", this program reads version "
            + std::to_string(kBlockVersion));
    const std::int32_t length = reader.Int();
    if (length < 0 || static_cast<size_t>(length) != reader.Remaining())
        throw damaged("it states " + std::to_string(length) + " bytes, the file holds "
            + std::to_string(reader.Remaining()));
    std::string written, displacement;
    try {
        written = reader.Text();
        displacement = reader.Text();
    } catch (const CompressorFileError&) {
        throw damaged("a text runs past its end");
    }
    if (reader.Remaining() != 0)
        throw damaged(std::to_string(reader.Remaining()) + " bytes after its fields");
    const ParsedRatingConditions rating = ParseRatingConditions(written);
    if (!rating.ok())
        throw damaged("rating conditions " + rating.error);
    read.ratingConditions = rating.value;
    if (displacement.empty())
        return;
    double cm3 = 0;
    const auto [end, ec]
        = std::from_chars(displacement.data(), displacement.data() + displacement.size(), cm3);
    if (ec != std::errc() || end != displacement.data() + displacement.size() || !std::isfinite(cm3)
        || cm3 <= 0)
        throw damaged("displacement \"" + displacement + "\" is not a positive number");
    read.displacementCm3 = cm3;
}

// A map text that holds what a non-finite value formats to: "nan", "-inf" and the like, or a
// number too large for a double.
bool IsNonFiniteText(const std::string& text) {
    std::string word;
    for (const char c : text)
        if (c != ' ' && c != '\t' && c != '+' && c != '-')
            word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (word == "nan" || word == "inf" || word == "infinity")
        return true;
    return StartsWithNumber(text) && !std::isfinite(TextToNumber(text));
}

} // namespace

void CheckWritableMapTexts(const CompressorRecord& record, const std::string& path) {
    MapEntry entry;
    entry.LoadFrom(record);
    for (int r = 0; r < kMaxCond; ++r)
        for (int c = 0; c < kMaxEvap; ++c) {
            if (!InUse(r, record.condCount) || !InUse(c, record.evapCount))
                continue;
            for (const bool capacity : { true, false }) {
                const std::string& text = capacity ? record.capacityText[r][c] : record.powerText[r][c];
                if (IsNonFiniteText(text))
                    throw CompressorFileError("Cannot write \"" + path + "\": the "
                        + (capacity ? "capacity" : "power") + " at "
                        + MapCellName(entry, record.unitsSI == 1, r, c) + " could not be computed ("
                        + QuoteForMessage(text) + "); nothing was written.");
            }
        }
}

std::string EncodeCompressorFile(const CompressorRecord& record) {
    Writer writer;
    VisitFields(
        record, [&](const std::string& text) { writer.Text(text); }, [&](int value) { writer.Int(value); });
    std::string bytes = writer.Take();
    if (!NeedsBlock(record))
        return bytes;
    Writer block;
    block.Text(FormatRatingConditions(record.ratingConditions));
    block.Text(DisplacementText(record.displacementCm3));
    const std::string payload = block.Take();
    Writer head;
    head.Int(kBlockVersion);
    head.Int(static_cast<std::int32_t>(payload.size()));
    return bytes.append(kBlockMark).append(head.Take()).append(payload);
}

void DecodeCompressorFile(std::string_view bytes, CompressorRecord& record, const std::string& fileName) {
    Reader reader(bytes, fileName);
    CompressorRecord read;
    VisitFields(
        read, [&](std::string& text) { text = reader.Text(); }, [&](int& value) { value = reader.Int(); });
    ReadBlock(reader, read, fileName);
    // A code past the list would index past every refrigerant table: the file is from a newer
    // program or damaged.
    if (!IsRefrigerantCode(read.refrigerantIndex))
        throw CompressorFileError("\"" + fileName + "\" names refrigerant code "
            + std::to_string(read.refrigerantIndex) + ", which this program does not know (it knows 0 to "
            + std::to_string(kRefrigerantCount - 1) + ").");
    // An empty map text is a blank cell; a cell with one value only or a value that cannot be a
    // capacity or power is refused here rather than analysed as 0.
    if (const std::string problem = CheckMapCells(read); !problem.empty())
        throw CompressorFileError("\"" + fileName + "\": " + problem);
    record.CopyPersistentFrom(read);
    record.recordLoaded = 1;
    record.newRecordDefaultsPending = 0;
}

void ReadCompressorFile(const std::string& path, CompressorRecord& record) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        throw CompressorFileError("Cannot read \"" + path + "\": it is a folder.");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw CompressorFileError("Cannot open \"" + path + "\" for reading.");
    const std::string bytes { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
    if (in.bad())
        throw CompressorFileError("Cannot read \"" + path + "\".");
    DecodeCompressorFile(bytes, record, path);
}

void WriteCompressorFile(const std::string& path, const CompressorRecord& record) {
    CheckWritableMapTexts(record, path);
    try {
        ReplaceFileContents(path, EncodeCompressorFile(record));
    } catch (const FileWriteError& error) {
        throw CompressorFileError(error.what());
    }
}

std::string SaveAsPath(const std::string& chosenPath) {
    const size_t lastSlash = chosenPath.rfind('/');
    const size_t nameStart = lastSlash == std::string::npos ? 0 : lastSlash + 1;
    const size_t firstDot = chosenPath.find('.', nameStart);
    if (firstDot == std::string::npos)
        return chosenPath;
    const size_t secondDot = chosenPath.find('.', firstDot + 1);
    return secondDot == std::string::npos ? chosenPath : chosenPath.substr(0, secondDot);
}

} // namespace velutra
