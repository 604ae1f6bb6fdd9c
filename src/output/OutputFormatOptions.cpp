#include "output/OutputFormatOptions.h"

#include "core/OleColor.h"
#include "engine/ImageBox.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace lumora::OutputFormatOptions {

namespace {

constexpr std::array<const char*, DepthCount> Names = {
    "24 bit (true color)", "256 Colors", "256 Grayscale", "16 Colors", "16 Grayscale", "Monochrome",
    "Monochrome B/W",
};

constexpr int AllDepths[] = {0, 1, 2, 3, 4, 5, 6};
constexpr int GifDepths[] = {1, 2, 3, 4, 5, 6};
constexpr int JpgDepths[] = {0, 2};
constexpr int PngDepths[] = {0, 1};

// WBMP is always black and white, PSD always true colour: their depth box is hidden.
const std::array<Format, FormatCount> Table = {{
    {0, "BMP", "bmp", "Windows Bitmap (*.bmp)|*.bmp", AllDepths, 0, Extras::None},
    {1, "GIF", "gif", "CompuServe GIF (*.gif)|*.gif", GifDepths, 1, Extras::Gif},
    {2, "JPG", "jpg", "JPEG group (*.jpg)|*.jpg", JpgDepths, 0, Extras::Jpg},
    {3, "PCX", "pcx", "ZSoft Paint (*.pcx)|*.pcx", AllDepths, 0, Extras::None},
    {4, "PNG", "png", "PNG Network (*.png)|*.png", PngDepths, 0, Extras::Png},
    {5, "WBMP", "wbmp", "Wireless Bitmap (*.wbmp)|*wbmp", {}, 6, Extras::None},
    {6, "PSD", "psd", "Photoshop (*.psd)|*.psd", {}, 0, Extras::None},
    {7, "TIF", "tif", "Tag Image format (*.tif)|*.tif", AllDepths, 0, Extras::Tiff},
    {8, "PDF", "pdf", "Portable Document (*.pdf)|*.pdf", AllDepths, 0, Extras::None},
}};

int clampedPosition(const Format& f, std::int64_t position)
{
    if (f.depthCodes.empty() || position < 0 || position >= std::int64_t(f.depthCodes.size()))
        return 0;
    return int(position);
}

}  // namespace

QString depthName(int code)
{
    return code >= 0 && code < DepthCount ? QString::fromLatin1(Names[size_t(code)]) : QString();
}

std::span<const Format> formats() { return Table; }

const Format& format(int code)
{
    return code >= 0 && code < FormatCount ? Table[size_t(code)] : Table[2];
}

const Format* formatNamed(const QString& name)
{
    const QString lower = name.toLower();
    for (const Format& f : Table)
        if (lower == QLatin1String(f.extension) || lower == QString::fromLatin1(f.caption).toLower())
            return &f;
    return nullptr;
}

int depthCodeAt(const Format& f, int position)
{
    if (f.depthCodes.empty())
        return f.fixedDepth;
    return f.depthCodes[size_t(clampedPosition(f, position))];
}

int depthPositionOf(const Format& f, int code)
{
    const auto found = std::find(f.depthCodes.begin(), f.depthCodes.end(), code);
    return found == f.depthCodes.end() ? -1 : int(found - f.depthCodes.begin());
}

QStringList depthNames(const Format& f)
{
    QStringList names;
    for (int code : f.depthCodes)
        names << depthName(code);
    return names;
}

QString offeredDepthsText(const Format& f)
{
    if (f.depthCodes.empty())
        return QStringLiteral("%1 \"%2\" only").arg(f.fixedDepth).arg(depthName(f.fixedDepth));
    QStringList parts;
    for (int code : f.depthCodes)
        parts << QStringLiteral("%1 \"%2\"").arg(code).arg(depthName(code));
    return parts.join(QStringLiteral(", "));
}

void apply(const Choice& choice, ImageBox& engine)
{
    const Format& f = format(choice.format);
    engine.SetSaveColorDepth(depthCodeAt(f, choice.depthPosition));
    switch (f.extras) {
    case Extras::Jpg:
        engine.SetJpegQuality(std::clamp(choice.jpegQuality, 1, 100));
        engine.SetJpegProgressive(choice.progressive);
        break;
    case Extras::Gif:
        engine.SetGifLzw(choice.gifLzw);
        [[fallthrough]];
    case Extras::Png:
        engine.SetSaveTransparent(choice.transparent);
        if (choice.transparent)
            engine.SetBackColor(OleColor::fromRgb(OleColor::toRgb(choice.transparentColor)));
        break;
    case Extras::Tiff:
        engine.SetTiffCompression(std::clamp(choice.tiffCompression, 0, 2));
        break;
    case Extras::None:
        break;
    }
}

QString sizeText(qint64 bytes)
{
    const double kilobytes = std::nearbyint(double(bytes) / 1024.0);  // the default mode: half to even
    return QStringLiteral("%1 KB").arg(qint64(std::min(kilobytes, 32767.0)));
}

QString savedFileName(const QString& chosenPath, const Format& f)
{
    return chosenPath + u'.' + QString::fromLatin1(f.caption).toLower();
}

int storedDepthPosition(const SetupRecord::OutputFormat& settings, const Format& f)
{
    switch (f.extras) {
    case Extras::Gif:
        return clampedPosition(f, settings.gifDepth);
    case Extras::Jpg:
        return clampedPosition(f, settings.jpgDepth);
    case Extras::Png:
        return clampedPosition(f, settings.pngDepth);
    case Extras::Tiff:
        return clampedPosition(f, settings.tifDepth);
    case Extras::None:
        break;
    }
    return clampedPosition(f, settings.depth);
}

void storeDepthPosition(SetupRecord::OutputFormat& settings, const Format& f, int position)
{
    switch (f.extras) {
    case Extras::Gif:
        settings.gifDepth = position;
        return;
    case Extras::Jpg:
        settings.jpgDepth = position;
        return;
    case Extras::Png:
        settings.pngDepth = position;
        return;
    case Extras::Tiff:
        settings.tifDepth = position;
        return;
    case Extras::None:
        break;
    }
    if (!f.depthCodes.empty())
        settings.depth = std::int16_t(position);
}

int storedFormat(const SetupRecord::OutputFormat& settings)
{
    return settings.lastFormat >= 0 && settings.lastFormat < FormatCount ? settings.lastFormat : 2;
}

Choice storedChoice(const SetupRecord::OutputFormat& settings, int formatCode)
{
    const Format& f = format(formatCode);
    Choice choice;
    choice.format = f.code;
    choice.depthPosition = storedDepthPosition(settings, f);
    choice.jpegQuality = std::clamp(int(settings.jpegQuality), 1, 100);
    choice.progressive = settings.jpgEncoding == 1;
    choice.gifLzw = settings.gifCompression != 0;
    const bool gif = f.extras == Extras::Gif;
    choice.transparent = (gif ? settings.gifTransparent : settings.pngTransparent) != 0;
    choice.transparentColor = std::uint32_t(gif ? settings.gifTransparentColor : settings.pngTransparentColor);
    choice.tiffCompression = std::clamp(int(settings.tiffCompression), 0, 2);
    return choice;
}

}  // namespace lumora::OutputFormatOptions
