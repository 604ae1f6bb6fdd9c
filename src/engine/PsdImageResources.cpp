#include "engine/PsdImageResources.h"

#include <QtEndian>

#include <vector>

namespace lumora::psdresources {

namespace {

constexpr qsizetype kHeaderSize = 26;

struct Resource {
    std::uint16_t id = 0;
    qsizetype start = 0;  // the signature
    qsizetype end = 0;    // past the padding of its data
    qsizetype dataStart = 0;
    qsizetype dataSize = 0;
};

struct Sections {
    qsizetype resourcesStart = 0;  // the section's length field
    qsizetype resourcesEnd = 0;
    std::vector<Resource> resources;
};

std::uint32_t be32(const QByteArray& bytes, qsizetype at) { return qFromBigEndian<quint32>(bytes.constData() + at); }

bool fits(const QByteArray& bytes, qsizetype at, qsizetype size) { return at >= 0 && size >= 0 && at + size <= bytes.size(); }

// The resources, each checked to lie within the section; nullopt at the first that does not.
std::optional<Sections> sectionsOf(const QByteArray& psd)
{
    if (!psd.startsWith("8BPS") || !fits(psd, kHeaderSize, 4))
        return std::nullopt;
    Sections sections;
    sections.resourcesStart = kHeaderSize + 4 + qsizetype(be32(psd, kHeaderSize));
    if (!fits(psd, sections.resourcesStart, 4))
        return std::nullopt;
    sections.resourcesEnd = sections.resourcesStart + 4 + qsizetype(be32(psd, sections.resourcesStart));
    if (!fits(psd, 0, sections.resourcesEnd))
        return std::nullopt;
    qsizetype at = sections.resourcesStart + 4;
    while (at < sections.resourcesEnd) {
        Resource resource;
        resource.start = at;
        if (!fits(psd, at, 7) || at + 7 > sections.resourcesEnd)
            return std::nullopt;
        resource.id = qFromBigEndian<quint16>(psd.constData() + at + 4);
        const qsizetype nameSize = (1 + qsizetype(uchar(psd[at + 6])) + 1) & ~qsizetype(1);  // padded to even
        const qsizetype sizeAt = at + 6 + nameSize;
        if (sizeAt + 4 > sections.resourcesEnd)
            return std::nullopt;
        resource.dataStart = sizeAt + 4;
        resource.dataSize = qsizetype(be32(psd, sizeAt));
        resource.end = resource.dataStart + ((resource.dataSize + 1) & ~qsizetype(1));
        if (resource.end > sections.resourcesEnd)
            return std::nullopt;
        sections.resources.push_back(resource);
        at = resource.end;
    }
    return sections;
}

QByteArray resourceBlock(std::uint16_t id, const QByteArray& data)
{
    QByteArray block("8BIM", 4);
    block += char(id >> 8);
    block += char(id & 0xFF);
    block += QByteArray(2, '\0');  // no name, padded to even
    const auto size = std::uint32_t(data.size());
    for (int shift = 24; shift >= 0; shift -= 8)
        block += char((size >> shift) & 0xFF);
    block += data;
    if (data.size() % 2)
        block += '\0';
    return block;
}

}  // namespace

std::optional<QByteArray> find(const QByteArray& psd, std::uint16_t id)
{
    const auto sections = sectionsOf(psd);
    if (!sections)
        return std::nullopt;
    for (const Resource& resource : sections->resources)
        if (resource.id == id)
            return psd.mid(resource.dataStart, resource.dataSize);
    return std::nullopt;
}

std::optional<QByteArray> withResources(const QByteArray& psd, const std::map<std::uint16_t, QByteArray>& replacements)
{
    const auto sections = sectionsOf(psd);
    if (!sections)
        return std::nullopt;
    std::map<std::uint16_t, QByteArray> pending = replacements;
    QByteArray resources;
    const auto putPendingBelow = [&](std::uint32_t id) {
        while (!pending.empty() && pending.begin()->first < id) {
            if (!pending.begin()->second.isEmpty())
                resources += resourceBlock(pending.begin()->first, pending.begin()->second);
            pending.erase(pending.begin());
        }
    };
    for (const Resource& resource : sections->resources) {
        putPendingBelow(resource.id);
        const auto replacement = replacements.find(resource.id);
        if (replacement == replacements.end()) {
            resources += psd.mid(resource.start, resource.end - resource.start);
            continue;
        }
        // The first resource of the id takes the new data; any further one goes.
        if (pending.erase(resource.id) && !replacement->second.isEmpty())
            resources += resourceBlock(resource.id, replacement->second);
    }
    putPendingBelow(0x10000);
    QByteArray out = psd.left(sections->resourcesStart);
    const auto size = std::uint32_t(resources.size());
    for (int shift = 24; shift >= 0; shift -= 8)
        out += char((size >> shift) & 0xFF);
    return out + resources + psd.mid(sections->resourcesEnd);
}

}  // namespace lumora::psdresources
