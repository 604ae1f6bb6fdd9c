#include "settings/SetupRecordCodec.h"

#include "core/TextCodec.h"

#include <QStringDecoder>
#include <QtEndian>

#include <array>
#include <bit>
#include <type_traits>

namespace lumora {
namespace {

template <typename T>
void putLittleEndian(QByteArray& out, T value)
{
    std::array<char, sizeof(T)> bytes{};
    qToLittleEndian(value, bytes.data());
    out.append(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// UTF-8 bytes of a text, cut to at most SetupMaxTextBytes without splitting a character.
QByteArray textBytes(const QString& text)
{
    QByteArray bytes = encodeText(text);
    if (bytes.size() > SetupMaxTextBytes) {
        qsizetype end = SetupMaxTextBytes;
        // bytes[end] is the first byte left out: while it continues a character, that character
        // would be cut, so leave it out whole.
        while (end > 0 && (static_cast<unsigned char>(bytes[end]) & 0xC0) == 0x80)
            --end;
        bytes.truncate(end);
    }
    return bytes;
}

QString textFromBytes(QByteArrayView bytes)
{
    if (!isValidUtf8(bytes))
        return fromWindows1252(bytes);
    // A leading U+FEFF is part of the stored text, not a byte order mark.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return utf8(bytes);
}

class Writer {
public:
    explicit Writer(QByteArray& out) : out_(out) {}

    void operator()(std::uint8_t v) { out_.append(static_cast<char>(v)); }
    void operator()(std::int16_t v) { putLittleEndian(out_, v); }
    void operator()(std::int32_t v) { putLittleEndian(out_, v); }
    void operator()(double v) { putLittleEndian(out_, std::bit_cast<std::uint64_t>(v)); }
    void operator()(const QString& v)
    {
        const QByteArray bytes = textBytes(v);
        putLittleEndian(out_, static_cast<std::uint16_t>(bytes.size()));
        out_.append(bytes);
    }
    template <std::size_t N>
    void operator()(const std::array<std::int16_t, N>& values)
    {
        for (const std::int16_t v : values)
            (*this)(v);
    }

private:
    QByteArray& out_;
};

// Reads each field only when all its bytes are there; after the first field that does not fit,
// every later one is left alone.
class Reader {
public:
    explicit Reader(QByteArrayView in) : in_(in) {}

    void operator()(std::uint8_t& v)
    {
        if (fits(1)) {
            v = static_cast<std::uint8_t>(in_[pos_]);
            advance(1);
        }
    }
    void operator()(std::int16_t& v) { fixed(v); }
    void operator()(std::int32_t& v) { fixed(v); }
    void operator()(double& v)
    {
        std::uint64_t bits = 0;
        if (fixed(bits))
            v = std::bit_cast<double>(bits);
    }
    void operator()(QString& v)
    {
        if (!fits(2))
            return;
        const qsizetype length = qFromLittleEndian<std::uint16_t>(in_.data() + pos_);
        if (!fits(2 + length))
            return;
        v = textFromBytes(in_.sliced(pos_ + 2, length));
        advance(2 + length);
    }
    template <std::size_t N>
    void operator()(std::array<std::int16_t, N>& values)
    {
        for (std::int16_t& v : values)
            (*this)(v);
    }

    SetupReadResult result() const { return {fieldsRead_, pos_, false}; }

private:
    bool fits(qsizetype size)
    {
        if (stopped_ || in_.size() - pos_ < size) {
            stopped_ = true;
            return false;
        }
        return true;
    }
    void advance(qsizetype size)
    {
        pos_ += size;
        ++fieldsRead_;
    }
    template <typename T>
    bool fixed(T& v)
    {
        if (!fits(sizeof(T)))
            return false;
        v = qFromLittleEndian<T>(in_.data() + pos_);
        advance(sizeof(T));
        return true;
    }

    QByteArrayView in_;
    qsizetype pos_ = 0;
    int fieldsRead_ = 0;
    bool stopped_ = false;
};

template <typename T>
struct IsIntegerArray : std::false_type {};
template <std::size_t N>
struct IsIntegerArray<std::array<std::int16_t, N>> : std::true_type {};

}  // namespace

QByteArray encodeSetup(const SetupRecord& record)
{
    QByteArray out;
    Writer write(out);
    SetupRecord::forEachValue(record, [&write](const auto& field) { write(field); });
    return out;
}

SetupReadResult decodeSetup(QByteArrayView bytes, SetupRecord& record)
{
    Reader read(bytes);
    SetupRecord::forEachValue(record, [&read](auto& field) { read(field); });
    SetupReadResult result = read.result();
    result.complete = result.fieldsRead == setupFieldCount();
    return result;
}

int setupFieldCount()
{
    static const int count = [] {
        int fields = 0;
        const SetupRecord empty;
        SetupRecord::forEachValue(empty, [&fields](const auto& field) {
            if constexpr (IsIntegerArray<std::remove_cvref_t<decltype(field)>>::value)
                fields += static_cast<int>(field.size());
            else
                ++fields;
        });
        return fields;
    }();
    return count;
}

qsizetype setupMaxSize()
{
    static const qsizetype size = [] {
        qsizetype texts = 0;
        const SetupRecord empty;
        SetupRecord::forEachValue(empty, [&texts](const auto& field) {
            if constexpr (std::is_same_v<std::remove_cvref_t<decltype(field)>, QString>)
                ++texts;
        });
        return encodeSetup(empty).size() + texts * SetupMaxTextBytes;
    }();
    return size;
}

}  // namespace lumora
