#pragma once

#include <FreeImage.h>

#include <cstdio>

namespace lumora::decoder {

// FreeImage's file access for the helper, with a guard against decoders that never return. Some
// of FreeImage's readers (OpenEXR's, on a file cut short) keep asking for more data at the end of
// the file forever, so that an 8-byte file would hold the loader until its time limit. Reads that
// keep finding the end of the file end this process as "unreadable" instead.
class GuardedFileIO {
public:
    explicit GuardedFileIO(const char* path);
    ~GuardedFileIO();
    GuardedFileIO(const GuardedFileIO&) = delete;
    GuardedFileIO& operator=(const GuardedFileIO&) = delete;

    bool isOpen() const { return file_ != nullptr; }
    // For FreeImage_*FromHandle; the position is at the start of the file each time.
    FreeImageIO* io();
    fi_handle handle();

private:
    static unsigned read(void* buffer, unsigned size, unsigned count, fi_handle handle);
    static int seek(fi_handle handle, long offset, int origin);
    static long tell(fi_handle handle);

    std::FILE* file_ = nullptr;
    FreeImageIO io_{};
};

}  // namespace lumora::decoder
