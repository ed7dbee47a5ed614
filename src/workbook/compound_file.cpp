#include "workbook/compound_file.h"

#include "core/messages.h"
#include "core/user_error.h"
#include "workbook/little_endian.h"

#include <vector>

namespace yilou::history {

namespace {

constexpr std::uint32_t kSectorSize = 512;
constexpr std::uint32_t kEntriesPerSector = kSectorSize / 4;
constexpr std::uint32_t kHeaderDifatEntries = 109;
constexpr std::uint32_t kFreeSector = 0xFFFFFFFF;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFatSector = 0xFFFFFFFD;
constexpr std::uint32_t kDifatSector = 0xFFFFFFFC;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;
/// Streams shorter than this would belong in the mini stream; the stream is padded up to it
/// instead, which readers of the workbook stream ignore after its last record.
constexpr std::uint64_t kMiniStreamCutoff = 4096;
/// Version 3 files hold streams below 2 GB.
constexpr std::uint64_t kLargestStream = 0x7FFFFFFF;
constexpr std::size_t kBufferSize = 1 << 20;

std::uint32_t sectorsFor(std::uint64_t bytes, std::uint32_t perSector) {
    return static_cast<std::uint32_t>((bytes + perSector - 1) / perSector);
}

/// A directory entry of 128 bytes.
std::string directoryEntry(const std::string& name, int type, std::uint32_t child,
                           std::uint32_t start, std::uint64_t size) {
    std::string entry;
    for (char c : name)
        append16(entry, static_cast<unsigned char>(c));
    entry.resize(64, '\0');
    append16(entry, name.empty() ? 0 : static_cast<std::uint32_t>(2 * (name.size() + 1)));
    entry += static_cast<char>(type);
    entry += static_cast<char>(type == 0 ? 0 : 1); // black in the red-black tree
    append32(entry, kNoStream);                    // left sibling
    append32(entry, kNoStream);                    // right sibling
    append32(entry, child);
    entry.resize(116, '\0'); // class id, state bits, creation and modification times
    append32(entry, start);
    appendLittleEndian(entry, size, 8);
    return entry;
}

/// Where the sectors after the stream go: one directory sector, the FAT, and the DIFAT sectors
/// beyond the 109 FAT locations the header holds.
struct SectorLayout {
    std::uint32_t streamSectors = 0;
    std::uint32_t directorySector = 0;
    std::uint32_t fatSectors = 0;
    std::uint32_t difatSectors = 0;
    std::uint32_t firstFatSector = 0;
    std::uint32_t firstDifatSector = 0;
};

SectorLayout layoutFor(std::uint64_t streamSize) {
    SectorLayout layout;
    layout.streamSectors = sectorsFor(streamSize, kSectorSize);
    layout.directorySector = layout.streamSectors;
    // The FAT covers itself and the DIFAT: grow both until they hold still.
    for (;;) {
        const std::uint32_t total =
            layout.streamSectors + 1 + layout.fatSectors + layout.difatSectors;
        const std::uint32_t fat = sectorsFor(total, kEntriesPerSector);
        const std::uint32_t difat =
            fat > kHeaderDifatEntries ? sectorsFor(fat - kHeaderDifatEntries, kEntriesPerSector - 1)
                                      : 0;
        if (fat == layout.fatSectors && difat == layout.difatSectors)
            break;
        layout.fatSectors = fat;
        layout.difatSectors = difat;
    }
    layout.firstFatSector = layout.directorySector + 1;
    layout.firstDifatSector = layout.firstFatSector + layout.fatSectors;
    return layout;
}

/// What follows the stream: the padding of its last sector, the directory, the FAT and the
/// DIFAT sectors.
std::string tailBytes(const SectorLayout& layout, const std::string& streamName,
                      std::uint64_t streamSize) {
    std::string tail(static_cast<std::size_t>(layout.streamSectors) * kSectorSize - streamSize,
                     '\0');
    tail += directoryEntry("Root Entry", 5, 1, kEndOfChain, 0);
    tail += directoryEntry(streamName, 2, kNoStream, 0, streamSize);
    tail += directoryEntry("", 0, kNoStream, 0, 0);
    tail += directoryEntry("", 0, kNoStream, 0, 0);

    std::vector<std::uint32_t> fat(static_cast<std::size_t>(layout.fatSectors) * kEntriesPerSector,
                                   kFreeSector);
    for (std::uint32_t i = 0; i + 1 < layout.streamSectors; ++i)
        fat[i] = i + 1;
    fat[layout.streamSectors - 1] = kEndOfChain;
    fat[layout.directorySector] = kEndOfChain;
    for (std::uint32_t i = 0; i < layout.fatSectors; ++i)
        fat[layout.firstFatSector + i] = kFatSector;
    for (std::uint32_t i = 0; i < layout.difatSectors; ++i)
        fat[layout.firstDifatSector + i] = kDifatSector;
    for (std::uint32_t entry : fat)
        append32(tail, entry);

    // FAT locations past the header's 109, 127 to a DIFAT sector, each ending with the next.
    for (std::uint32_t d = 0; d < layout.difatSectors; ++d) {
        for (std::uint32_t i = 0; i < kEntriesPerSector - 1; ++i) {
            const std::uint32_t index = kHeaderDifatEntries + d * (kEntriesPerSector - 1) + i;
            append32(tail, index < layout.fatSectors ? layout.firstFatSector + index : kFreeSector);
        }
        append32(tail, d + 1 < layout.difatSectors ? layout.firstDifatSector + d + 1 : kEndOfChain);
    }
    return tail;
}

/// The file's first sector.
std::string headerBytes(const SectorLayout& layout) {
    std::string header("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    header.resize(24, '\0');  // class id
    append16(header, 0x003E); // minor version
    append16(header, 0x0003); // major version 3
    append16(header, 0xFFFE); // little-endian
    append16(header, 9);      // 512-byte sectors
    append16(header, 6);      // 64-byte mini sectors
    header.resize(40, '\0');
    append32(header, 0); // directory sectors: not counted in version 3
    append32(header, layout.fatSectors);
    append32(header, layout.directorySector);
    append32(header, 0); // transactions: none
    append32(header, static_cast<std::uint32_t>(kMiniStreamCutoff));
    append32(header, kEndOfChain); // no mini FAT
    append32(header, 0);
    append32(header, layout.difatSectors ? layout.firstDifatSector : kEndOfChain);
    append32(header, layout.difatSectors);
    for (std::uint32_t i = 0; i < kHeaderDifatEntries; ++i)
        append32(header, i < layout.fatSectors ? layout.firstFatSector + i : kFreeSector);
    return header;
}

} // namespace

CompoundFileWriter::CompoundFileWriter(const std::filesystem::path& file, std::string streamName)
    : file_(file), streamName_(std::move(streamName)) {
    file_.write(std::string(kSectorSize, '\0')); // the header, written by close()
    buffer_.reserve(kBufferSize);
}

void CompoundFileWriter::write(std::string_view bytes) {
    buffer_ += bytes;
    size_ += bytes.size();
    if (buffer_.size() >= kBufferSize)
        flush();
}

void CompoundFileWriter::flush() {
    file_.write(buffer_);
    buffer_.clear();
}

void CompoundFileWriter::overwrite(std::uint64_t offset, std::string_view bytes) {
    flush();
    file_.writeAt(kSectorSize + offset, bytes);
}

void CompoundFileWriter::close() {
    if (size_ < kMiniStreamCutoff)
        write(std::string(kMiniStreamCutoff - size_, '\0'));
    if (size_ > kLargestStream)
        throw UserError(messages::workbookTooLarge());
    flush();
    const SectorLayout layout = layoutFor(size_);
    file_.write(tailBytes(layout, streamName_, size_));
    file_.writeAt(0, headerBytes(layout));
    file_.close();
}

} // namespace yilou::history
