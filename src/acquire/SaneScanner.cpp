#include "acquire/SaneScanner.h"

#include "acquire/SaneLibrary.h"
#include "core/LumoraError.h"

#include <QStringList>

#include <algorithm>
#include <cstring>
#include <memory>

namespace lumora {

namespace {

[[noreturn]] void fail(const SaneLibrary& sane, const QString& what, SANE_Status status)
{
    throw LumoraError(errnum::DeviceIO, QStringLiteral("%1: %2").arg(what, QString::fromUtf8(sane.statusText(status))));
}

// The option of that name, its number and description; -1 when the device has none.
int findOption(const SaneLibrary& sane, SANE_Handle h, const char* name, const SANE_Option_Descriptor** found)
{
    for (SANE_Int i = 1;; ++i) {
        const SANE_Option_Descriptor* d = sane.optionDescriptor(h, i);
        if (!d)
            return -1;
        if (d->name && std::strcmp(d->name, name) == 0 && SANE_OPTION_IS_ACTIVE(d->cap) &&
            SANE_OPTION_IS_SETTABLE(d->cap)) {
            *found = d;
            return i;
        }
    }
}

QStringList choices(const SANE_Option_Descriptor* d)
{
    QStringList list;
    if (d->constraint_type == SANE_CONSTRAINT_STRING_LIST)
        for (const SANE_String_Const* s = d->constraint.string_list; s && *s; ++s)
            list << QString::fromUtf8(*s);
    return list;
}

// Sets a string option to the first choice the device offers that contains one of the words; false
// when none matches or the device has no such option.
bool setChoice(const SaneLibrary& sane, SANE_Handle h, const char* name, const QStringList& words)
{
    const SANE_Option_Descriptor* d = nullptr;
    const int option = findOption(sane, h, name, &d);
    if (option < 0 || d->type != SANE_TYPE_STRING)
        return false;
    for (const QString& word : words)
        for (const QString& choice : choices(d))
            if (choice.contains(word, Qt::CaseInsensitive)) {
                QByteArray value = choice.toUtf8();
                value.resize(std::max<qsizetype>(value.size() + 1, d->size), '\0');
                return sane.controlOption(h, option, SANE_ACTION_SET_VALUE, value.data(), nullptr) == SANE_STATUS_GOOD;
            }
    return false;
}

bool setNumber(const SaneLibrary& sane, SANE_Handle h, const char* name, int number)
{
    const SANE_Option_Descriptor* d = nullptr;
    const int option = findOption(sane, h, name, &d);
    if (option < 0 || (d->type != SANE_TYPE_INT && d->type != SANE_TYPE_FIXED))
        return false;
    SANE_Word value = d->type == SANE_TYPE_FIXED ? SANE_FIX(number) : number;
    return sane.controlOption(h, option, SANE_ACTION_SET_VALUE, &value, nullptr) == SANE_STATUS_GOOD;
}

void applyRequest(const SaneLibrary& sane, SANE_Handle h, const ScanRequest& request)
{
    // Devices name their choices in their own words; these are the words SANE's backends use.
    if (request.source == ScanRequest::Source::Feeder)
        setChoice(sane, h, SANE_NAME_SCAN_SOURCE, {"Feeder", "ADF"});
    else
        setChoice(sane, h, SANE_NAME_SCAN_SOURCE, {"Flatbed"});
    switch (request.mode) {
    case ScanRequest::Mode::Colour:
        setChoice(sane, h, SANE_NAME_SCAN_MODE, {SANE_VALUE_SCAN_MODE_COLOR});
        setNumber(sane, h, SANE_NAME_BIT_DEPTH, 8);
        break;
    case ScanRequest::Mode::Grey:
        setChoice(sane, h, SANE_NAME_SCAN_MODE, {SANE_VALUE_SCAN_MODE_GRAY});
        setNumber(sane, h, SANE_NAME_BIT_DEPTH, 8);
        break;
    case ScanRequest::Mode::Lineart:
        // Scanners without a line-art mode give one bit per pixel in grey.
        if (!setChoice(sane, h, SANE_NAME_SCAN_MODE, {SANE_VALUE_SCAN_MODE_LINEART})) {
            setChoice(sane, h, SANE_NAME_SCAN_MODE, {SANE_VALUE_SCAN_MODE_GRAY});
            setNumber(sane, h, SANE_NAME_BIT_DEPTH, 1);
        }
        break;
    }
    if (request.resolution > 0)
        setNumber(sane, h, SANE_NAME_SCAN_RESOLUTION, request.resolution);
}

// One frame's samples as 8 bits per sample: 1-bit samples are black when set, 16-bit samples keep
// their high byte (SANE sends them in the machine's byte order).
QByteArray eightBit(const QByteArray& raw, const SANE_Parameters& p, int lines, int samplesPerLine)
{
    if (p.depth == 8)
        return raw;
    QByteArray out(qsizetype(lines) * samplesPerLine, '\0');
    for (int y = 0; y < lines; ++y) {
        const auto* in = reinterpret_cast<const unsigned char*>(raw.constData()) + qsizetype(y) * p.bytes_per_line;
        char* row = out.data() + qsizetype(y) * samplesPerLine;
        for (int x = 0; x < samplesPerLine; ++x) {
            if (p.depth == 1)
                row[x] = (in[x / 8] >> (7 - x % 8)) & 1 ? char(0) : char(255);
            else {
                std::uint16_t v = 0;
                std::memcpy(&v, in + 2 * x, 2);
                row[x] = char(v >> 8);
            }
        }
    }
    return out;
}

// Places one single-colour frame of a three-pass scan into its band of the RGB page.
void mergeBand(ScannedPage& page, const QByteArray& band, int index)
{
    if (page.samples.isEmpty())
        page.samples = QByteArray(qsizetype(page.width) * page.height * 3, '\0');
    const qsizetype n = std::min<qsizetype>(band.size(), qsizetype(page.width) * page.height);
    for (qsizetype i = 0; i < n; ++i)
        page.samples[i * 3 + index] = band[i];
}

}  // namespace

bool SaneScanner::available() { return SaneLibrary::instance() != nullptr; }

std::vector<ScannerDevice> SaneScanner::devices()
{
    std::vector<ScannerDevice> found;
    const SaneLibrary* sane = SaneLibrary::instance();
    const SANE_Device** list = nullptr;
    if (!sane || sane->getDevices(&list, SANE_FALSE) != SANE_STATUS_GOOD || !list)
        return found;
    for (const SANE_Device** d = list; *d; ++d)
        found.push_back({QString::fromUtf8((*d)->name), QString::fromUtf8((*d)->vendor),
                         QString::fromUtf8((*d)->model), QString::fromUtf8((*d)->type)});
    return found;
}

int SaneScanner::run(const ScanRequest& request, const std::function<bool(const ScannedPage&, int)>& page,
                     const std::function<void(int)>& progress)
{
    const SaneLibrary* sane = SaneLibrary::instance();
    if (!sane)
        throw LumoraError(errnum::DeviceIO, QStringLiteral("Scanning is not available: libsane could not be loaded"));
    QString device = request.device;
    if (device.isEmpty()) {
        const std::vector<ScannerDevice> all = devices();
        if (all.empty())
            throw LumoraError(errnum::DeviceIO, QStringLiteral("No scanner was found"));
        device = all.front().name;
    }
    SANE_Handle h = nullptr;
    if (const SANE_Status s = sane->open(device.toUtf8().constData(), &h); s != SANE_STATUS_GOOD)
        fail(*sane, QStringLiteral("Cannot open the scanner \"%1\"").arg(device), s);
    {
        const std::lock_guard guard(lock_);
        handle_ = h;
        cancelled_ = false;
    }
    const std::unique_ptr<void, std::function<void(void*)>> closer(h, [&](void*) {
        {
            const std::lock_guard guard(lock_);
            handle_ = nullptr;
        }
        sane->cancel(h);
        sane->close(h);
    });
    const auto isCancelled = [&] {
        const std::lock_guard guard(lock_);
        return cancelled_;
    };
    applyRequest(*sane, h, request);
    const bool feeder = request.source == ScanRequest::Source::Feeder;
    int delivered = 0;
    std::vector<char> buffer(64 * 1024);
    while (!isCancelled() && (request.maxPages <= 0 || delivered < request.maxPages)) {
        ScannedPage scanned;
        bool lastFrame = false;
        bool firstFrame = true;
        while (!lastFrame) {
            SANE_Status s = sane->start(h);
            if (s == SANE_STATUS_NO_DOCS && firstFrame && delivered > 0)
                return delivered;  // the feeder is empty
            if (s == SANE_STATUS_CANCELLED)
                return delivered;
            if (s != SANE_STATUS_GOOD)
                fail(*sane, QStringLiteral("The scanner could not start"), s);
            SANE_Parameters p{};
            if (s = sane->parameters(h, &p); s != SANE_STATUS_GOOD)
                fail(*sane, QStringLiteral("The scanner gave no page size"), s);
            if (p.depth != 1 && p.depth != 8 && p.depth != 16)
                throw LumoraError(errnum::DeviceIO, QStringLiteral("The scanner sent %1-bit samples").arg(p.depth));
            const bool rgb = p.format == SANE_FRAME_RGB;
            const int samplesPerLine = p.pixels_per_line * (rgb ? 3 : 1);
            QByteArray raw;
            if (p.lines > 0)
                raw.reserve(qsizetype(p.lines) * p.bytes_per_line);
            for (;;) {
                SANE_Int got = 0;
                s = sane->read(h, reinterpret_cast<SANE_Byte*>(buffer.data()), SANE_Int(buffer.size()), &got);
                if (s == SANE_STATUS_EOF)
                    break;
                if (s == SANE_STATUS_CANCELLED)
                    return delivered;
                if (s != SANE_STATUS_GOOD)
                    fail(*sane, QStringLiteral("The scan failed"), s);
                raw.append(buffer.data(), got);
                if (progress && p.lines > 0)
                    progress(int(std::min<qint64>(100, raw.size() * 100 / (qint64(p.lines) * p.bytes_per_line))));
            }
            // Hand scanners do not know the height beforehand: the data tells it.
            const int lines = p.bytes_per_line > 0 ? int(raw.size() / p.bytes_per_line) : 0;
            if (lines <= 0 || p.pixels_per_line <= 0)
                throw LumoraError(errnum::DeviceIO, QStringLiteral("The scanner sent an empty page"));
            const QByteArray samples = eightBit(raw, p, lines, samplesPerLine);
            scanned.width = p.pixels_per_line;
            scanned.height = lines;
            scanned.lineart = p.depth == 1 && p.format == SANE_FRAME_GRAY;
            if (p.format == SANE_FRAME_RED || p.format == SANE_FRAME_GREEN || p.format == SANE_FRAME_BLUE) {
                scanned.bands = 3;
                mergeBand(scanned, samples, p.format - SANE_FRAME_RED);
            } else {
                scanned.bands = rgb ? 3 : 1;
                scanned.samples = samples;
            }
            lastFrame = p.last_frame != SANE_FALSE;
            firstFrame = false;
        }
        ++delivered;
        if (!page(scanned, delivered))
            return delivered;
        // A flatbed gives one page per acquisition.
        if (!feeder)
            return delivered;
    }
    return delivered;
}

void SaneScanner::cancel()
{
    const std::lock_guard guard(lock_);
    cancelled_ = true;
    if (handle_)
        if (const SaneLibrary* sane = SaneLibrary::instance())
            sane->cancel(handle_);
}

}  // namespace lumora
