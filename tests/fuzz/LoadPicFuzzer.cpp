// Any bytes, under any of the extensions that steer the loader's roads, must go through LoadPic
// without a crash, a hang or a huge allocation in Lumora (the decoder helper contains what its
// libraries do), without an error report (a broken file is no fault), and without leaving the
// conversion file behind. The first byte picks the extension and, by its high bit, the natural
// size or a 40 x 40 thumbnail (one load per input: most inputs cost a run of the helper, and
// the decode is the same in both modes); the rest is the file.
//
// The helper's own sanitizer reports go to /tmp/lumora-fuzz-decoder.*: a library crashing there
// is contained and expected, but a report that points into src/imageio/decoder is a finding.

#include "FuzzSupport.h"

#include "core/ErrorReporter.h"
#include "imageio/DecoderProcess.h"
#include "imageio/LoadPic.h"
#include "imageio/TemporaryPicturePath.h"

#include <QByteArray>
#include <QFile>

#include <chrono>
#include <cstdlib>
#include <iterator>

namespace {

constexpr const char* kExtensions[] = {"jpg", "png", "tif", "gif", "bmp", "pgm", "ppm", "pbm",
                                       "pix", "sgi", "rgb", "pcx", "psd", "tga", "ico", "jp2",
                                       "j2k", "jpc", "wmf", "emf", "mng", "dcx", "xyz"};
constexpr std::size_t kExtensionCount = std::size(kExtensions);

void appendOption(const char* variable, const char* option)
{
    QByteArray options = qgetenv(variable);
    qputenv(variable, options.isEmpty() ? QByteArray(option) : options + ':' + option);
}

void setUp()
{
    static const bool done = [] {
        // Two helper runs fit in the fuzzer's 10-second limit for one input.
        lumora::SetDecoderTimeLimit(std::chrono::seconds(3));
        appendOption("ASAN_OPTIONS", "log_path=/tmp/lumora-fuzz-decoder");
        appendOption("UBSAN_OPTIONS", "log_path=/tmp/lumora-fuzz-decoder:print_stacktrace=1");
        return true;
    }();
    (void)done;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    setUp();
    const QString path = lumora::fuzz::writeInput(data + 1, size - 1, kExtensions[(data[0] & 0x7F) % kExtensionCount]);
    // After writeInput, which silences the reports: here any report is a finding.
    lumora::SetErrorSink([](const lumora::ErrorReport&) { std::abort(); });

    if (data[0] & 0x80) {
        const lumora::Picture natural = lumora::LoadPic(path);
        if (!natural.isNull() && static_cast<qint64>(natural.width()) * natural.height() > lumora::MaxLoadPixels)
            std::abort();
    } else {
        const lumora::Picture thumbnail = lumora::LoadPic(path, lumora::FixedBox, 40, 40);
        if (!thumbnail.isNull() && (thumbnail.width() != 40 || thumbnail.height() != 40))
            std::abort();
    }
    if (QFile::exists(lumora::TemporaryPicturePath::forThisThread()))
        std::abort();
    return 0;
}
