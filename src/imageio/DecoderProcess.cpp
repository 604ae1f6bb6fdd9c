#include "imageio/DecoderProcess.h"

#include "core/InstalledLayout.h"
#include "core/LumoraError.h"
#include "imageio/DecoderProtocol.h"
#include "imageio/LoadPic.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <thread>
#include <vector>

extern char** environ;

namespace lumora {
namespace {

std::atomic<long long> timeLimitMs{20'000};

constexpr char kHelperName[] = "lumora-decoder";

bool isProgram(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

[[noreturn]] void cannotStart(const QString& program, const QString& why)
{
    throw LumoraError(errnum::FileNotFound, QStringLiteral("The image decoder %1 cannot be started: %2")
                                                .arg(program.isEmpty() ? QString::fromLatin1(kHelperName)
                                                                       : QDir::toNativeSeparators(program),
                                                     why));
}

// posix_spawn's settings for the helper: standard output into the pipe, nothing on standard
// input, diagnostics of the libraries dropped, and a signal state of its own.
class SpawnSettings {
public:
    explicit SpawnSettings(int outputFd)
    {
        posix_spawn_file_actions_init(&actions_);
        posix_spawn_file_actions_addopen(&actions_, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_adddup2(&actions_, outputFd, STDOUT_FILENO);
        posix_spawn_file_actions_addopen(&actions_, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawnattr_init(&attributes_);
        sigset_t none;
        sigemptyset(&none);
        posix_spawnattr_setsigmask(&attributes_, &none);
        sigset_t defaults;
        sigemptyset(&defaults);
        sigaddset(&defaults, SIGPIPE);
        posix_spawnattr_setsigdefault(&attributes_, &defaults);
        posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    }
    ~SpawnSettings()
    {
        posix_spawn_file_actions_destroy(&actions_);
        posix_spawnattr_destroy(&attributes_);
    }
    SpawnSettings(const SpawnSettings&) = delete;
    SpawnSettings& operator=(const SpawnSettings&) = delete;

    const posix_spawn_file_actions_t* actions() const { return &actions_; }
    const posix_spawnattr_t* attributes() const { return &attributes_; }

private:
    posix_spawn_file_actions_t actions_;
    posix_spawnattr_t attributes_;
};

}  // namespace

void SetDecoderTimeLimit(std::chrono::milliseconds limit) { timeLimitMs = limit.count(); }

std::chrono::milliseconds DecoderTimeLimit() { return std::chrono::milliseconds(timeLimitMs.load()); }

QString DecoderProcess::helperPath()
{
    const QString chosen = qEnvironmentVariable("LUMORA_DECODER");
    if (!chosen.isEmpty())
        return chosen;
    const QString besideProgram = InstalledLayout::executableFolder() + u'/' + QLatin1String(kHelperName);
    if (isProgram(besideProgram))
        return besideProgram;
    const QString installed = InstalledLayout::libexecFolder() + u'/' + QLatin1String(kHelperName);
    if (isProgram(installed))
        return installed;
#ifdef LUMORA_DECODER_BUILD_PATH
    const QString built = QStringLiteral(LUMORA_DECODER_BUILD_PATH);
    if (isProgram(built))
        return built;
#endif
    return {};
}

DecoderProcess::DecoderProcess(const QStringList& arguments)
{
    const QString program = helperPath();
    if (!isProgram(program))
        cannotStart(program, QStringLiteral("it is not installed"));

    std::vector<QByteArray> texts;
    texts.push_back(QFile::encodeName(program));
    for (const QString& argument : arguments)
        texts.push_back(QFile::encodeName(argument));
    std::vector<char*> argv;
    for (QByteArray& text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);

    // Close-on-exec, so that helpers started at the same time by other threads never hold this
    // pipe open.
    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0)
        cannotStart(program, QString::fromLocal8Bit(std::strerror(errno)));
    int spawned = 0;
    {
        const SpawnSettings settings(pipe[1]);
        spawned = posix_spawn(&pid_, argv.front(), settings.actions(), settings.attributes(), argv.data(), environ);
    }
    ::close(pipe[1]);
    if (spawned != 0) {
        ::close(pipe[0]);
        pid_ = -1;
        cannotStart(program, QString::fromLocal8Bit(std::strerror(spawned)));
    }
    output_ = pipe[0];
    deadline_ = std::chrono::steady_clock::now() + DecoderTimeLimit();
}

DecoderProcess::~DecoderProcess()
{
    if (output_ >= 0)
        ::close(output_);
    if (pid_ > 0)
        kill();
}

void DecoderProcess::kill()
{
    ::kill(pid_, SIGKILL);
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    status_ = -1;
}

bool DecoderProcess::waitReadable()
{
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            if (pid_ > 0)
                kill();
            return false;
        }
        pollfd watched{output_, POLLIN, 0};
        const int ready = ::poll(&watched, 1, static_cast<int>(std::min<long long>(left.count(), 1 << 30)));
        if (ready > 0)
            return true;
        if (ready < 0 && errno != EINTR)
            return false;
    }
}

bool DecoderProcess::read(char* into, qint64 size)
{
    while (size > 0) {
        if (output_ < 0 || !waitReadable())
            return false;
        const ssize_t got = ::read(output_, into, static_cast<size_t>(std::min<qint64>(size, 1 << 20)));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        into += got;
        size -= got;
    }
    return true;
}

bool DecoderProcess::readRest(QByteArray& into, qint64 maxBytes)
{
    char chunk[1 << 16];
    for (;;) {
        if (output_ < 0 || !waitReadable())
            return false;
        const ssize_t got = ::read(output_, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        if (into.size() + got > maxBytes) {
            kill();
            return false;
        }
        into.append(chunk, got);
    }
}

DecodedPicture DecoderProcess::receivePicture()
{
    decoder::PictureHeader header;
    if (!read(reinterpret_cast<char*>(&header), sizeof header) || header.magic != decoder::PictureHeader::kMagic ||
        header.width == 0 || header.height == 0 || (header.bands != 3 && header.bands != 4) ||
        static_cast<qint64>(header.width) * header.height > MaxLoadPixels || header.fullWidth < header.width ||
        header.fullHeight < header.height || static_cast<qint64>(header.fullWidth) * header.fullHeight > MaxLoadPixels) {
        finish();
        return {};
    }
    QByteArray pixels(static_cast<qsizetype>(header.width) * header.height * header.bands, Qt::Uninitialized);
    if (!read(pixels.data(), pixels.size()) || finish() != decoder::Decoded)
        return {};
    DecodedPicture decoded;
    decoded.picture = Picture(static_cast<int>(header.width), static_cast<int>(header.height),
                              static_cast<int>(header.bands), std::move(pixels));
    decoded.fullWidth = static_cast<int>(header.fullWidth);
    decoded.fullHeight = static_cast<int>(header.fullHeight);
    return decoded;
}

int DecoderProcess::finish()
{
    if (output_ >= 0) {
        ::close(output_);
        output_ = -1;
    }
    if (pid_ <= 0)
        return status_;
    // Its output has ended, so the helper is on its way out; give it until the deadline.
    auto pause = std::chrono::microseconds(50);
    for (;;) {
        int status = 0;
        const pid_t ended = ::waitpid(pid_, &status, WNOHANG);
        if (ended == pid_) {
            pid_ = -1;
            status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            return status_;
        }
        if (ended < 0 && errno != EINTR) {
            // Reaped elsewhere: its number may already belong to another process.
            pid_ = -1;
            status_ = -1;
            return status_;
        }
        if (std::chrono::steady_clock::now() >= deadline_) {
            kill();
            return status_;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::microseconds(5000));
    }
}

}  // namespace lumora
