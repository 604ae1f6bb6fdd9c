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

#include <QFile>

#include <chrono>
#include <iterator>
#include <utility>

using lumora::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const char* const extensions[] = {"jpg", "png", "tif", "gif", "bmp", "pgm", "ppm", "pbm",
                                             "pix", "sgi", "rgb", "pcx", "psd", "tga", "ico", "jp2",
                                             "j2k", "jpc", "wmf", "emf", "mng", "dcx", "xyz"};
    static const bool setUp = [] {
        // Two helper runs fit in the fuzzer's 10-second limit for one input.
        lumora::SetDecoderTimeLimit(std::chrono::seconds(3));
        for (const auto& [name, option] : {std::pair{"ASAN_OPTIONS", "log_path=/tmp/lumora-fuzz-decoder"},
                                           {"UBSAN_OPTIONS", "log_path=/tmp/lumora-fuzz-decoder:print_stacktrace=1"}})
            qputenv(name, qEnvironmentVariableIsEmpty(name) ? QByteArray(option) : qgetenv(name) + ':' + option);
        return true;
    }();
    if (size < 1 || !setUp)
        return 0;
    const char* const extension = extensions[(data[0] & 0x7F) % std::size(extensions)];
    const QString path = lumora::fuzz::writeInput(data + 1, size - 1, extension);
    // After writeInput, which silences the reports: here any report is a finding.
    lumora::SetErrorSink([](const lumora::ErrorReport&) { std::abort(); });

    if (data[0] & 0x80) {
        const lumora::Picture natural = lumora::LoadPic(path);
        require(natural.isNull() || static_cast<qint64>(natural.width()) * natural.height() <= lumora::MaxLoadPixels);
    } else {
        const lumora::Picture thumbnail = lumora::LoadPic(path, lumora::FixedBox, 40, 40);
        require(thumbnail.isNull() || (thumbnail.width() == 40 && thumbnail.height() == 40));
    }
    require(!QFile::exists(lumora::TemporaryPicturePath::forThisThread()));
    return 0;
}
