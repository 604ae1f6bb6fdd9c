#pragma once

// Little- and big-endian integers appended to a byte array, for the engine's own file writers.

#include <QByteArray>

#include <cstdint>

namespace lumora {

class ByteSink {
public:
    explicit ByteSink(QByteArray& bytes) : bytes_(bytes) {}

    void u8(unsigned v) { bytes_.append(static_cast<char>(v & 0xFFu)); }
    void le16(unsigned v)
    {
        u8(v);
        u8(v >> 8);
    }
    void le32(std::uint32_t v)
    {
        le16(v & 0xFFFFu);
        le16(v >> 16);
    }
    void zeros(qsizetype count) { bytes_.append(count, '\0'); }
    void raw(const void* data, qsizetype size) { bytes_.append(static_cast<const char*>(data), size); }
    void text(const char* latin1) { bytes_.append(latin1); }

private:
    QByteArray& bytes_;
};

}  // namespace lumora
