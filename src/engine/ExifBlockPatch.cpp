#include "engine/ExifBlockPatch.h"

#include <algorithm>
#include <array>
#include <map>

namespace lumora::exifblockpatch {

namespace {

constexpr std::uint16_t kExifPointer = 0x8769;
constexpr std::uint16_t kGpsPointer = 0x8825;
constexpr std::uint16_t kInteropPointer = 0xA005;
constexpr std::uint16_t kThumbnailOffset = 0x0201;
constexpr std::uint16_t kThumbnailLength = 0x0202;
constexpr std::uint16_t kLongType = 4;
constexpr qsizetype kEntrySize = 12;

std::uint64_t typeSize(std::uint16_t type)
{
    switch (type) {
    case 1: case 2: case 6: case 7: return 1;
    case 3: case 8: return 2;
    case 4: case 9: case 11: case 13: return 4;
    case 5: case 10: case 12: return 8;
    default: return 0;
    }
}

bool isPointer(Directory directory, std::uint16_t tag)
{
    return (directory == Directory::Zero && (tag == kExifPointer || tag == kGpsPointer)) ||
           (directory == Directory::Exif && tag == kInteropPointer);
}

class Block {
public:
    explicit Block(QByteArray bytes) : bytes_(std::move(bytes)), bigEndian_(bytes_.startsWith("MM")) {}

    bool valid() const
    {
        return bytes_.size() >= 8 && (bytes_.startsWith("II") || bytes_.startsWith("MM")) && read16(2) == 42;
    }
    qsizetype size() const { return bytes_.size(); }
    QByteArray& bytes() { return bytes_; }
    const QByteArray& bytes() const { return bytes_; }

    std::uint16_t read16(qsizetype at) const
    {
        const auto a = uchar(bytes_.at(at)), b = uchar(bytes_.at(at + 1));
        return bigEndian_ ? std::uint16_t(a << 8 | b) : std::uint16_t(b << 8 | a);
    }
    std::uint32_t read32(qsizetype at) const
    {
        const std::uint32_t high = read16(at), low = read16(at + 2);
        return bigEndian_ ? (high << 16 | low) : (low << 16 | high);
    }
    QByteArray encode16(std::uint16_t value) const
    {
        const char high = char(value >> 8), low = char(value & 0xFF);
        QByteArray bytes(2, '\0');
        bytes[0] = bigEndian_ ? high : low;
        bytes[1] = bigEndian_ ? low : high;
        return bytes;
    }
    QByteArray encode32(std::uint32_t value) const
    {
        return bigEndian_ ? encode16(std::uint16_t(value >> 16)) + encode16(std::uint16_t(value & 0xFFFF))
                          : encode16(std::uint16_t(value & 0xFFFF)) + encode16(std::uint16_t(value >> 16));
    }

private:
    QByteArray bytes_;
    bool bigEndian_;
};

struct Entry {
    std::uint16_t tag = 0;
    QByteArray raw;  // the 12 bytes of the entry as they will stand
};

// The entries of the directory at `offset`, nullopt when it does not fit the block.
std::optional<std::vector<Entry>> entriesAt(const Block& block, std::uint32_t offset)
{
    if (offset < 8 || qsizetype(offset) + 2 > block.size())
        return std::nullopt;
    const std::uint16_t count = block.read16(offset);
    if (qsizetype(offset) + 2 + count * kEntrySize + 4 > block.size())
        return std::nullopt;
    std::vector<Entry> entries;
    for (std::uint16_t i = 0; i < count; ++i) {
        const qsizetype at = offset + 2 + i * kEntrySize;
        entries.push_back({block.read16(at), block.bytes().mid(at, kEntrySize)});
    }
    return entries;
}

qsizetype entryAt(std::uint32_t directory, std::size_t index) { return directory + 2 + qsizetype(index) * kEntrySize; }

// The value of a pointer entry of a directory; 0 when it has none.
std::uint32_t pointerIn(const Block& block, std::uint32_t directory, const std::vector<Entry>& entries, std::uint16_t tag)
{
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].tag == tag)
            return block.read32(entryAt(directory, i) + 8);
    return 0;
}

bool fitsItsType(const Change& change)
{
    const std::uint64_t size = typeSize(change.type);
    return change.remove || (size != 0 && size * change.count == std::uint64_t(change.value.size()));
}

// Overwrites the values where they stand when every change replaces an entry by one of the same
// type and count; false (and the block untouched) otherwise.
bool patchInPlace(Block& block, std::uint32_t directory, const std::vector<Entry>& entries,
                  const std::vector<Change>& changes)
{
    std::vector<qsizetype> targets;
    for (const Change& change : changes) {
        if (change.remove)
            return false;
        const auto found = std::find_if(entries.begin(), entries.end(), [&](const Entry& e) { return e.tag == change.tag; });
        if (found == entries.end())
            return false;
        const qsizetype at = entryAt(directory, std::size_t(found - entries.begin()));
        if (block.read16(at + 2) != change.type || block.read32(at + 4) != change.count)
            return false;
        qsizetype target = at + 8;
        if (change.value.size() > 4) {
            target = block.read32(at + 8);
            if (target < 8 || target + change.value.size() > block.size())
                return false;
        }
        targets.push_back(target);
    }
    for (std::size_t i = 0; i < changes.size(); ++i)
        block.bytes().replace(targets[i], changes[i].value.size(), changes[i].value);
    return true;
}

// Writes the directory with the changes anew at the end of the block; its offset there.
std::uint32_t relocate(Block& block, std::uint32_t directory, std::vector<Entry> entries,
                       const std::vector<Change>& changes)
{
    const std::uint32_t next = block.read32(entryAt(directory, entries.size()));
    QByteArray& bytes = block.bytes();
    if (bytes.size() % 2)
        bytes.append('\0');
    const auto start = std::uint32_t(bytes.size());

    std::vector<const Change*> outOfLine(entries.size() + changes.size(), nullptr);
    for (const Change& change : changes) {
        entries.erase(std::remove_if(entries.begin(), entries.end(), [&](const Entry& e) { return e.tag == change.tag; }),
                      entries.end());
        if (change.remove)
            continue;
        QByteArray raw = block.encode16(change.tag) + block.encode16(change.type) + block.encode32(change.count);
        raw += change.value.size() <= 4 ? change.value.leftJustified(4, '\0') : QByteArray(4, '\0');
        entries.push_back({change.tag, raw});
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.tag < b.tag; });

    QByteArray table = block.encode16(std::uint16_t(entries.size()));
    QByteArray values;
    std::uint32_t valuesAt = start + 2 + std::uint32_t(entries.size() * kEntrySize) + 4;
    for (Entry& entry : entries) {
        const auto change = std::find_if(changes.begin(), changes.end(),
                                         [&](const Change& c) { return c.tag == entry.tag && !c.remove; });
        if (change != changes.end() && change->value.size() > 4) {
            entry.raw.replace(8, 4, block.encode32(valuesAt + std::uint32_t(values.size())));
            values += change->value;
            if (values.size() % 2)
                values.append('\0');
        }
        table += entry.raw;
    }
    table += block.encode32(next);
    bytes += table + values;
    return start;
}

std::size_t indexOf(Directory directory) { return std::size_t(directory); }

}  // namespace

std::optional<QByteArray> apply(const QByteArray& tiff, const std::vector<Change>& changes)
{
    Block block(tiff);
    if (!block.valid())
        return std::nullopt;
    std::array<std::vector<Change>, 5> pending;
    for (const Change& change : changes) {
        if (isPointer(change.directory, change.tag) || !fitsItsType(change))
            return std::nullopt;
        pending[indexOf(change.directory)].push_back(change);
    }

    // Where each directory stands (0: the block has none).
    std::array<std::uint32_t, 5> offsets{};
    offsets[indexOf(Directory::Zero)] = block.read32(4);
    const auto zero = entriesAt(block, offsets[0]);
    if (!zero)
        return std::nullopt;
    offsets[indexOf(Directory::Exif)] = pointerIn(block, offsets[0], *zero, kExifPointer);
    offsets[indexOf(Directory::Gps)] = pointerIn(block, offsets[0], *zero, kGpsPointer);
    offsets[indexOf(Directory::Thumbnail)] = block.read32(entryAt(offsets[0], zero->size()));
    if (const std::uint32_t exif = offsets[indexOf(Directory::Exif)]) {
        const auto entries = entriesAt(block, exif);
        if (!entries)
            return std::nullopt;
        offsets[indexOf(Directory::Interop)] = pointerIn(block, exif, *entries, kInteropPointer);
    }

    // Children before parents: a directory written anew changes its parent's pointer.
    for (const Directory directory :
         {Directory::Interop, Directory::Exif, Directory::Gps, Directory::Thumbnail, Directory::Zero}) {
        const std::vector<Change>& mine = pending[indexOf(directory)];
        if (mine.empty())
            continue;
        const std::uint32_t offset = offsets[indexOf(directory)];
        const auto entries = offset ? entriesAt(block, offset) : std::nullopt;
        if (!entries)
            return std::nullopt;
        if (patchInPlace(block, offset, *entries, mine))
            continue;
        const std::uint32_t moved = relocate(block, offset, *entries, mine);
        if (directory == Directory::Zero) {
            block.bytes().replace(4, 4, block.encode32(moved));
            continue;
        }
        if (directory == Directory::Thumbnail) {
            // IFD0 links to it; an IFD0 written anew later takes the link along.
            const auto zeroNow = entriesAt(block, offsets[0]);
            block.bytes().replace(entryAt(offsets[0], zeroNow->size()), 4, block.encode32(moved));
            continue;
        }
        const Directory parent = directory == Directory::Interop ? Directory::Exif : Directory::Zero;
        const std::uint16_t tag = directory == Directory::Interop ? kInteropPointer
                                  : directory == Directory::Exif  ? kExifPointer
                                                                  : kGpsPointer;
        const auto parentEntries = entriesAt(block, offsets[indexOf(parent)]);
        std::uint16_t type = kLongType;
        for (std::size_t i = 0; parentEntries && i < parentEntries->size(); ++i)
            if ((*parentEntries)[i].tag == tag)
                type = block.read16(entryAt(offsets[indexOf(parent)], i) + 2);
        pending[indexOf(parent)].push_back({parent, tag, false, type, 1, block.encode32(moved)});
    }
    return block.bytes();
}

std::optional<QByteArray> withThumbnail(const QByteArray& tiff, const std::function<QByteArray()>& makeThumbnail,
                                        qsizetype maxSize)
{
    Block block(tiff);
    if (!block.valid())
        return std::nullopt;
    const std::uint32_t zero = block.read32(4);
    const auto zeroEntries = entriesAt(block, zero);
    if (!zeroEntries)
        return std::nullopt;
    const qsizetype link = entryAt(zero, zeroEntries->size());
    const std::uint32_t thumbnail = block.read32(link);
    const auto entries = thumbnail ? entriesAt(block, thumbnail) : std::nullopt;
    if (!entries)
        return tiff;
    const std::uint32_t offset = pointerIn(block, thumbnail, *entries, kThumbnailOffset);
    const std::uint32_t length = pointerIn(block, thumbnail, *entries, kThumbnailLength);
    if (offset == 0 || length == 0)
        return tiff;
    QByteArray bytes = tiff;
    // The old picture goes where nothing follows it; elsewhere its bytes stay unused.
    if (qsizetype(offset) + qsizetype(length) == bytes.size())
        bytes.truncate(offset);
    if (bytes.size() % 2)
        bytes.append('\0');
    const auto at = std::uint32_t(bytes.size());
    const QByteArray jpeg = makeThumbnail();
    if (at + jpeg.size() > maxSize) {
        // No room for the new picture: the thumbnail goes rather than show the old pixels.
        bytes.replace(link, 4, block.encode32(0));
        return bytes;
    }
    bytes += jpeg;
    std::vector<Change> changes(2);
    changes[0] = {Directory::Thumbnail, kThumbnailOffset, false, kLongType, 1, block.encode32(at)};
    changes[1] = {Directory::Thumbnail, kThumbnailLength, false, kLongType, 1, block.encode32(std::uint32_t(jpeg.size()))};
    return exifblockpatch::apply(bytes, changes);
}

}  // namespace lumora::exifblockpatch
