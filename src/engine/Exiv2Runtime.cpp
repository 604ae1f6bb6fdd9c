#include "engine/Exiv2Runtime.h"

#include <exiv2/error.hpp>
#include <exiv2/xmp_exiv2.hpp>

#include <mutex>

namespace lumora {

namespace {

// The XMP toolkit registers namespaces in tables of its own while it parses a packet; Exiv2 calls
// this around every registration. Recursive, since a registration may happen inside another.
std::recursive_mutex xmpToolkitLock;

void lockXmpToolkit(void*, bool lock)
{
    if (lock)
        xmpToolkitLock.lock();
    else
        xmpToolkitLock.unlock();
}

}  // namespace

void ensureExiv2Started()
{
    static std::once_flag started;
    std::call_once(started, [] {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        Exiv2::XmpParser::initialize(lockXmpToolkit, nullptr);
    });
}

}  // namespace lumora
