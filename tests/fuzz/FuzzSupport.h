#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

namespace lumora::fuzz {

// Writes the fuzzer's bytes to a scratch file (one per process, reused) and returns its path.
// Error reports are silenced, since every failure the parsers report is an expected outcome.
QString writeInput(const std::uint8_t* data, std::size_t size, const char* extension);

}  // namespace lumora::fuzz
