#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace lumora::fuzz {

// Writes the fuzzer's bytes to a scratch file (one per process and extension, reused; or `path`)
// and returns its path. Error reports are silenced: every failure a parser reports is an expected
// outcome.
QString writeInput(const std::uint8_t* data, std::size_t size, const char* extension, QString path = {});

// What must hold for every input; a broken rule is a crash that libFuzzer keeps the input of.
inline void require(bool rule)
{
    if (!rule)
        std::abort();
}

}  // namespace lumora::fuzz

// The entry point of a harness that reads its input as a file of this extension: the body that
// follows gets the file as `path`.
#define LUMORA_FUZZ_FILE(extension)                                                   \
    static void fuzzFile(const QString& path);                                        \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) \
    {                                                                                 \
        fuzzFile(lumora::fuzz::writeInput(data, size, extension));                    \
        return 0;                                                                     \
    }                                                                                 \
    static void fuzzFile(const QString& path)
