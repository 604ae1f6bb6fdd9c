#include "GuardedFileIO.h"

#include "imageio/DecoderProtocol.h"

#include <unistd.h>

namespace lumora::decoder {
namespace {

// A reader that is refused this many times in a row at the end of the file is not going to
// stop; real readers give up on the first or second refusal.
constexpr int kReadsPastTheEnd = 4096;

int readsPastTheEnd = 0;

}  // namespace

GuardedFileIO::GuardedFileIO(const char* path) : file_(std::fopen(path, "rb"))
{
    io_.read_proc = &GuardedFileIO::read;
    io_.write_proc = nullptr;
    io_.seek_proc = &GuardedFileIO::seek;
    io_.tell_proc = &GuardedFileIO::tell;
}

GuardedFileIO::~GuardedFileIO()
{
    if (file_)
        std::fclose(file_);
}

FreeImageIO* GuardedFileIO::io()
{
    std::rewind(file_);
    readsPastTheEnd = 0;
    return &io_;
}

fi_handle GuardedFileIO::handle() { return static_cast<fi_handle>(file_); }

unsigned GuardedFileIO::read(void* buffer, unsigned size, unsigned count, fi_handle handle)
{
    const auto got = static_cast<unsigned>(std::fread(buffer, size, count, static_cast<std::FILE*>(handle)));
    if (got > 0 || size == 0 || count == 0) {
        readsPastTheEnd = 0;
        return got;
    }
    if (++readsPastTheEnd >= kReadsPastTheEnd)
        _exit(Unreadable);
    return got;
}

int GuardedFileIO::seek(fi_handle handle, long offset, int origin)
{
    return std::fseek(static_cast<std::FILE*>(handle), offset, origin);
}

long GuardedFileIO::tell(fi_handle handle) { return std::ftell(static_cast<std::FILE*>(handle)); }

}  // namespace lumora::decoder
