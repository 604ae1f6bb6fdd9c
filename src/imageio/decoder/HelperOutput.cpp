#include "HelperOutput.h"

#include "imageio/DecoderProtocol.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace lumora::decoder {

bool writeOutput(const void* data, std::size_t size)
{
    const auto* p = static_cast<const unsigned char*>(data);
    while (size > 0) {
        const ssize_t written = ::write(STDOUT_FILENO, p, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        p += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool writePictureHeader(std::uint32_t width, std::uint32_t height, std::uint32_t bands, std::uint32_t fullWidth,
                        std::uint32_t fullHeight)
{
    PictureHeader header;
    header.width = width;
    header.height = height;
    header.bands = bands;
    header.fullWidth = fullWidth > 0 ? fullWidth : width;
    header.fullHeight = fullHeight > 0 ? fullHeight : height;
    return writeOutput(&header, sizeof header);
}

bool readWholeFile(const char* path, std::size_t maxBytes, std::vector<unsigned char>& bytes)
{
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && static_cast<std::size_t>(info.st_size) <= maxBytes;
    if (ok) {
        bytes.resize(static_cast<std::size_t>(info.st_size));
        std::size_t done = 0;
        while (ok && done < bytes.size()) {
            const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
            if (got < 0 && errno == EINTR)
                continue;
            ok = got > 0;
            if (ok)
                done += static_cast<std::size_t>(got);
        }
    }
    ::close(fd);
    return ok;
}

}  // namespace lumora::decoder
