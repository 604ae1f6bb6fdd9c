#pragma once

#include "settings/SetupRecord.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <span>

namespace lumora {

class ImageBox;

// The nine formats a single image is saved in, as the output format dialog and `lumora-batch
// save` offer them, and how a choice of options becomes the engine's save properties.
//
// Colour depths are the engine's SaveColorDepth codes 0 "24 bit (true color)" .. 6 "Monochrome
// B/W". A format offers some of them, always in code order, so a position in its depth list is
// not always the code (GIF starts at 1, JPG's second entry is 2).
namespace OutputFormatOptions {

// Which extra options a format has beside its depth.
enum class Extras { None, Gif, Jpg, Png, Tiff };

struct Format {
    int code;                // engine format code = position in the format box
    const char* caption;     // "BMP" .. "PDF"
    const char* extension;   // "bmp" .. "pdf"
    const char* filter;      // the one filter of the save dialog
    std::span<const int> depthCodes;  // the depth list; empty when the format has no choice
    int fixedDepth;          // the depth set when it has no choice
    Extras extras;
};

constexpr int FormatCount = 9;
constexpr int DepthCount = 7;

// The seven depth names by code.
QString depthName(int code);
// All nine formats in box order.
std::span<const Format> formats();
// The format of a code 0..8; the JPG format for any other code.
const Format& format(int code);
// The format named by a caption or extension, any letter case ("jpg", "TIF"); null for none.
const Format* formatNamed(const QString& name);

// The depth code at a position of the format's list (out-of-range positions take the first
// entry); the fixed depth when the format has no list.
int depthCodeAt(const Format& f, int position);
// The position of a depth code in the format's list, -1 when it does not offer it.
int depthPositionOf(const Format& f, int code);
// The depth names of the format's list, in list order.
QStringList depthNames(const Format& f);
// "1 "256 Colors", 3 "16 Colors"" style list of what the format offers, for messages.
QString offeredDepthsText(const Format& f);

// Everything chosen for one save.
struct Choice {
    int format = 2;
    int depthPosition = 0;
    int jpegQuality = 80;
    bool progressive = false;
    bool gifLzw = true;
    bool transparent = false;
    std::uint32_t transparentColor = 0;  // OLE colour; a system colour is resolved
    int tiffCompression = 0;             // 0 none, 1 PackBits, 2 CCITT Group 4
};

// Sets the engine's save properties for the choice: SaveColorDepth always; JPEG quality and
// encoding for JPG; GIF compression for GIF; transparency and BackColor for GIF and PNG (the
// colour only when transparency is on); TIFF compression for TIF.
void apply(const Choice& choice, ImageBox& engine);

// The size as the dialog shows it: bytes / 1024 rounded half to even, "N KB". Sizes beyond a
// 16-bit whole number are shown as 32767 KB.
QString sizeText(qint64 bytes);

// Where the image is saved: the chosen path, ".", the lower-case caption; always appended.
QString savedFileName(const QString& chosenPath, const Format& f);

// --- the OutputFormat block of the settings record ----------------------------------------
// The depth list position stored for a format (GIF, JPG, PNG and TIF have fields of their own,
// the others share one), held inside the format's list.
int storedDepthPosition(const SetupRecord::OutputFormat& settings, const Format& f);
void storeDepthPosition(SetupRecord::OutputFormat& settings, const Format& f, int position);
// The stored format, held inside 0..8.
int storedFormat(const SetupRecord::OutputFormat& settings);
// The choice the settings hold for a format (its depth, its transparency switch and colour).
Choice storedChoice(const SetupRecord::OutputFormat& settings, int formatCode);

}  // namespace OutputFormatOptions
}  // namespace lumora
