#include "engine/VipsRuntime.h"

#include <vips/vips8>

#include <QFile>
#include <QFileInfo>

#include <gmodule.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdlib>
#include <mutex>
#include <stdexcept>
#include <string>

namespace lumora {
namespace {

// libvips loads every codec module it finds at start-up (PDF, slide scanners, HEIF, JPEG XL ...),
// which costs more than a small photo's whole edit. Lumora starts it with an empty module folder
// and opens the modules it needs itself, each when first needed: ImageMagick's (BMP, PCX, PSD,
// WBMP) for content libvips does not read by itself and for writing WBMP, the HEIF and JPEG XL
// modules when a photo of theirs is met (HEIF also for writing AVIF), the PDF reader when the pages
// of a PDF are read back.
void startWithoutModules()
{
    const char* previous = std::getenv("VIPSHOME");
    const std::string saved = previous ? previous : "";
    if (!previous)
        setenv("VIPSHOME", "/nonexistent/lumora-no-vips-modules", 1);
    const int failed = VIPS_INIT("lumora");
    if (!previous)
        unsetenv("VIPSHOME");
    if (failed != 0)
        throw std::runtime_error("the image library could not start");
}

// A module registers its loaders and savers when opened; it must then stay loaded.
bool openModule(const char* path)
{
    GModule* module = g_module_open(path, G_MODULE_BIND_LAZY);
    if (module)
        g_module_make_resident(module);
    return module != nullptr;
}

bool startedWithAllModules() { return std::getenv("VIPSHOME") != nullptr; }

// The modules Lumora opens itself. moduleFor() only ever names the two codecs a file's first
// bytes tell; ImageMagick's and the PDF reader are asked for by what needs them.
enum CodecModule { NoModule = -1, HeifModule, JxlModule, MagickModule, PdfModule, ModuleCount };

constexpr std::array<const char*, ModuleCount> kModulePaths{
    LUMORA_VIPS_MODULE_DIR "/vips-heif.so", LUMORA_VIPS_MODULE_DIR "/vips-jxl.so",
    LUMORA_VIPS_MODULE_DIR "/vips-magick.so", LUMORA_VIPS_MODULE_DIR "/vips-poppler.so"};

// Each module is opened once whatever the outcome: a missing module stays missing for the run.
enum ModuleState { NotTried = 0, Missing, Open };
std::array<std::atomic<int>, ModuleCount> gModuleStates{};

bool tried(CodecModule module) { return gModuleStates[static_cast<std::size_t>(module)].load() != NotTried; }

// HEIF files (HEIC, AVIF) are ISO media files: an "ftyp" box first, whose major or compatible
// brands name the image kind.
bool isHeif(const QByteArray& head)
{
    if (head.size() < 16 || head.mid(4, 4) != "ftyp")
        return false;
    static const std::array<QByteArray, 12> brands{"heic", "heix", "heim", "heis", "hevc", "hevx",
                                                   "hevm", "hevs", "mif1", "msf1", "avif", "avis"};
    const quint32 boxSize = (quint32{uchar(head[0])} << 24) | (quint32{uchar(head[1])} << 16) |
                            (quint32{uchar(head[2])} << 8) | uchar(head[3]);
    const qsizetype boxEnd = std::min<qsizetype>(head.size(), boxSize);
    for (qsizetype at = 8; at + 4 <= boxEnd; at += 4) {
        if (at == 12)
            continue;  // the minor version
        if (std::find(brands.begin(), brands.end(), head.mid(at, 4)) != brands.end())
            return true;
    }
    return false;
}

// A bare JPEG XL codestream, or one in its ISO media container.
bool isJxl(const QByteArray& head)
{
    return head.startsWith(QByteArray("\xFF\x0A", 2)) ||
           head.startsWith(QByteArray("\0\0\0\x0CJXL \r\n\x87\n", 12));
}

CodecModule moduleFor(const QString& path)
{
    // Only regular files are opened: reading a pipe could wait forever.
    if (!QFileInfo(path).isFile())
        return NoModule;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return NoModule;
    const QByteArray head = file.read(64);
    if (isHeif(head))
        return HeifModule;
    return isJxl(head) ? JxlModule : NoModule;
}

// libvips tells of damage it repaired (a truncated photo, say) through GLib warnings on standard
// error. The damage shows in the picture; the messages would only garble the one-line reports of
// lumora-batch and the terminal of the window, so they are dropped.
void dropWarning(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

}  // namespace

void ensureVipsStarted()
{
    static std::once_flag once;
    std::call_once(once, [] {
        if (startedWithAllModules()) {
            // Someone chose a libvips installation on purpose: let it load what it has.
            if (VIPS_INIT("lumora") != 0)
                throw std::runtime_error("the image library could not start");
        } else {
            startWithoutModules();
        }
        g_log_set_handler("VIPS", static_cast<GLogLevelFlags>(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_MESSAGE), dropWarning,
                          nullptr);
        // Engines hold their own snapshots; the operation cache would only pin old images.
        vips_cache_set_max(0);
    });
}

bool needsVipsCodecModule(const QString& path) { return moduleFor(path) != NoModule; }

namespace {

bool ensureModule(CodecModule module)
{
    ensureVipsStarted();
    if (module == NoModule || startedWithAllModules())
        return true;
    std::atomic<int>& state = gModuleStates[static_cast<std::size_t>(module)];
    if (state.load() == NotTried) {
        static std::mutex lock;
        const std::lock_guard guard(lock);
        if (state.load() == NotTried)
            state = openModule(kModulePaths[static_cast<std::size_t>(module)]) ? Open : Missing;
    }
    return state.load() == Open;
}

}  // namespace

void ensureVipsMagickModule() { ensureModule(MagickModule); }

void ensureVipsReaderFor(const QByteArray& bytes)
{
    ensureVipsStarted();
    if (tried(MagickModule) || vips_foreign_find_load_buffer(bytes.constData(), static_cast<size_t>(bytes.size())))
        return;
    vips_error_clear();
    ensureVipsMagickModule();
}

bool ensureVipsCodecFor(const QString& path)
{
    ensureVipsStarted();
    if (startedWithAllModules())
        return true;
    const CodecModule module = moduleFor(path);
    if (module == NoModule) {
        // Only regular files are asked about: finding the loader of a pipe would wait for a writer.
        const QByteArray name = QFile::encodeName(path);
        if (!tried(MagickModule) && QFileInfo(path).isFile() && !vips_foreign_find_load(name.constData())) {
            vips_error_clear();
            ensureVipsMagickModule();
        }
        return true;
    }
    return ensureModule(module);
}

bool ensureVipsHeifSaver() { return ensureModule(HeifModule); }

bool ensureVipsPdfReader() { return ensureModule(PdfModule); }

QString vipsCodecModuleName(const QString& path)
{
    const CodecModule module = moduleFor(path);
    if (module == NoModule)
        return {};
    return QFileInfo(QString::fromUtf8(kModulePaths[static_cast<std::size_t>(module)])).fileName();
}

}  // namespace lumora
