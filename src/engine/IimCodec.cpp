#include "engine/IimCodec.h"

#include <exiv2/datasets.hpp>
#include <exiv2/value.hpp>

#include <functional>

namespace lumora::iimcodec {

namespace {

constexpr uchar kMarker = 0x1C;

struct Dataset {
    int record = 0;
    int number = 0;
    qsizetype offset = 0;  // of the data
    qsizetype length = 0;
};

// Walks the datasets, handing each to `take`; false at the first damaged one. Trailing NULs end
// the walk cleanly.
bool walk(const QByteArray& bytes, const std::function<void(const Dataset&)>& take)
{
    const auto* p = reinterpret_cast<const uchar*>(bytes.constData());
    const qsizetype size = bytes.size();
    qsizetype at = 0;
    while (at < size) {
        if (p[at] == 0) {
            for (; at < size; ++at)
                if (p[at] != 0)
                    return false;
            return true;
        }
        if (size - at < 5 || p[at] != kMarker || p[at + 1] < 1 || p[at + 1] > 9)
            return false;
        Dataset dataset;
        dataset.record = p[at + 1];
        dataset.number = p[at + 2];
        qint64 length = (p[at + 3] << 8) | p[at + 4];
        at += 5;
        if (length & 0x8000) {
            // An extended dataset: the low bits tell how many bytes the length takes.
            const int lengthBytes = int(length & 0x7FFF);
            if (lengthBytes < 1 || lengthBytes > 4 || size - at < lengthBytes)
                return false;
            length = 0;
            for (int i = 0; i < lengthBytes; ++i)
                length = (length << 8) | p[at++];
        }
        if (length > size - at)
            return false;
        dataset.offset = at;
        dataset.length = length;
        take(dataset);
        at += length;
    }
    return true;
}

}  // namespace

bool isWellFormed(const QByteArray& bytes)
{
    int datasets = 0;
    return walk(bytes, [&](const Dataset&) { ++datasets; }) && datasets > 0;
}

Exiv2::IptcData decode(const QByteArray& bytes)
{
    Exiv2::IptcData iptc;
    int seen = 0;
    walk(bytes, [&](const Dataset& dataset) {
        if (++seen > kMaxDatasets)
            return;
        const Exiv2::IptcKey key(static_cast<std::uint16_t>(dataset.number), static_cast<std::uint16_t>(dataset.record));
        const char* data = bytes.constData() + dataset.offset;
        if (dataset.record == 2 && dataset.number == 0 && dataset.length == 2) {
            Exiv2::UShortValue version(static_cast<std::uint16_t>((uchar(data[0]) << 8) | uchar(data[1])));
            iptc.add(key, &version);
            return;
        }
        Exiv2::StringValue value(std::string(data, static_cast<std::size_t>(dataset.length)));
        iptc.add(key, &value);
    });
    return iptc;
}

QByteArray encode(const Exiv2::IptcData& iptc)
{
    const Exiv2::DataBuf encoded = Exiv2::IptcParser::encode(iptc);
    return QByteArray(reinterpret_cast<const char*>(encoded.pData_), static_cast<qsizetype>(encoded.size_));
}

}  // namespace lumora::iimcodec
