// lumora-decoder: decodes one file with one of the old image libraries, in a process of its own.
// The libraries behind the loader's fallback roads (FreeImage, DevIL, OpenJPEG, libwmf, emf2svg)
// were not written for hostile input; whatever a broken file does to them here (a crash, a hang,
// a runaway allocation) ends this process and leaves Lumora with "no picture".

#include "DevilDecoder.h"
#include "EmfToSvg.h"
#include "FreeImageDecoder.h"
#include "Jpeg2000Decoder.h"
#include "LibraryVersions.h"
#include "WmfToSvg.h"
#include "imageio/DecoderProtocol.h"

#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LUMORA_DECODER_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define LUMORA_DECODER_ASAN 1
#endif

#ifdef LUMORA_DECODER_ASAN
// Under AddressSanitizer an address-space limit would stop the sanitizer itself; its allocator
// refuses oversized blocks instead. Leaks of the libraries are no concern of a process that ends
// after one file.
extern "C" const char* __asan_default_options()
{
    return "allocator_may_return_null=1:max_allocation_size_mb=3072:detect_leaks=0";
}
#endif

namespace {

using namespace lumora::decoder;

// CPU seconds a decode may take even if the caller's own time limit never fires (the caller
// died, say); ordinary files need a fraction of a second.
constexpr rlim_t kCpuSeconds = 40;

#ifndef LUMORA_DECODER_ASAN
// Caps what one decode may hold, so that no library on any file can take the machine, even with
// a helper per core at work: 2 GiB of address space, or less for a caller that allows fewer
// pixels (12 bytes a pixel, 16-bit RGBA plus a 32-bit copy, and room for the libraries). That
// holds an 8-bit colour image of about 150 megapixels with FreeImage's copies; beyond that the
// allocations fail and the library reports an unreadable file, whatever sizes a header claims.
rlim_t addressSpaceFor(long long maxPixels)
{
    const long long reserve = 768LL << 20;
    const long long cap = 2LL << 30;
    return static_cast<rlim_t>(std::min(maxPixels * 12 + reserve, cap));
}
#endif

void limitThisProcess(long long maxPixels)
{
    // The helper is useless once the loader that started it is gone.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() == 1)
        _exit(Unreadable);
    rlimit cpu{kCpuSeconds, kCpuSeconds + 5};
    setrlimit(RLIMIT_CPU, &cpu);
#ifndef LUMORA_DECODER_ASAN
    const rlim_t bytes = addressSpaceFor(maxPixels);
    rlimit space{bytes, bytes};
    setrlimit(RLIMIT_AS, &space);
#else
    (void)maxPixels;
#endif
    // Nothing must be written on exhaustion of a disk by a core dump of a crashing library.
    rlimit core{0, 0};
    setrlimit(RLIMIT_CORE, &core);
}

bool parseCount(const char* text, long long& value)
{
    char* end = nullptr;
    value = std::strtoll(text, &end, 10);
    return end != text && *end == '\0' && value > 0;
}

int run(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], kVersionsCommand) == 0)
        return printLibraryVersions();
    long long maxPixels = 0;
    if (argc < 4 || !parseCount(argv[2], maxPixels))
        return BadArguments;
    limitThisProcess(maxPixels);
    const char* command = argv[1];
    if (std::strcmp(command, kDevilCommand) == 0 && argc == 5)
        return decodeWithDevil(argv[3], argv[4], maxPixels);
    if (std::strcmp(command, kFreeImageCommand) == 0 && argc == 5)
        return decodeWithFreeImage(std::atoi(argv[3]), argv[4], maxPixels);
    if (std::strcmp(command, kJpeg2000Command) == 0 && argc == 7)
        return decodeJpeg2000(argv[3], argv[4], std::atoi(argv[5]), std::atoi(argv[6]), maxPixels);
    if (std::strcmp(command, kWmfCommand) == 0 && argc == 4)
        return convertWmfToSvg(argv[3], maxPixels);
    if (std::strcmp(command, kEmfCommand) == 0 && argc == 4)
        return convertEmfToSvg(argv[3], maxPixels);
    return BadArguments;
}

}  // namespace

int main(int argc, char** argv)
{
    // _exit: the libraries' exit handlers have nothing to add, and the output is written unbuffered.
    _exit(run(argc, argv));
}
