#pragma once

namespace lumora::decoder {

// Writes one "LIBRARY<TAB>VERSION" line per decoding library to standard output, each version as
// the library itself reports it at run time. Returns an ExitCode.
int printLibraryVersions();

}  // namespace lumora::decoder
