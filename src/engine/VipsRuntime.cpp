#include "engine/VipsRuntime.h"

#include <vips/vips8>

#include <gmodule.h>

#include <cstdlib>
#include <mutex>
#include <stdexcept>
#include <string>

namespace lumora {
namespace {

// libvips loads every codec module it finds at start-up (PDF, slide scanners, HEIF, JPEG XL ...),
// which costs more than a small photo's whole edit. Lumora needs only the ImageMagick module (BMP,
// PCX, PSD, WBMP), so it starts libvips with an empty module folder and opens that one module
// itself.
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

void openMagickModule()
{
    // The module registers its loaders and savers when opened; it must then stay loaded.
    GModule* module = g_module_open(LUMORA_VIPS_MODULE_DIR "/vips-magick.so", G_MODULE_BIND_LAZY);
    if (module)
        g_module_make_resident(module);
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
        if (std::getenv("VIPSHOME")) {
            // Someone chose a libvips installation on purpose: let it load what it has.
            if (VIPS_INIT("lumora") != 0)
                throw std::runtime_error("the image library could not start");
        } else {
            startWithoutModules();
            openMagickModule();
        }
        g_log_set_handler("VIPS", static_cast<GLogLevelFlags>(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_MESSAGE), dropWarning,
                          nullptr);
        // Engines hold their own snapshots; the operation cache would only pin old images.
        vips_cache_set_max(0);
    });
}

}  // namespace lumora
