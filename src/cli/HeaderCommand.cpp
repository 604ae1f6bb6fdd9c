#include "cli/CliSupport.h"
#include "cli/Commands.h"

#include "imageio/clsImageHeaderInfo.h"

#include <QFileInfo>

namespace lumora::cli {
namespace {

QString formatName(clsImageHeaderInfo::HeaderFormat format)
{
    using F = clsImageHeaderInfo::HeaderFormat;
    switch (format) {
    case F::GIF:
        return QStringLiteral("GIF");
    case F::BMP:
        return QStringLiteral("BMP");
    case F::TIFF:
        return QStringLiteral("TIFF");
    case F::JPEG:
        return QStringLiteral("JPEG");
    case F::PNG:
        return QStringLiteral("PNG");
    case F::None:
        break;
    }
    return QStringLiteral("unknown");
}

QString flag(bool value) { return value ? QStringLiteral("true") : QStringLiteral("false"); }

}  // namespace

int runHeader(const QStringList& arguments)
{
    if (arguments.size() != 1 || arguments.at(0).startsWith(u'-'))
        throw UsageProblem{QStringLiteral("header needs exactly one FILE")};
    const QString path = arguments.at(0);
    const QFileInfo info(path);
    if (!info.exists()) {
        printError(QStringLiteral("cannot read \"%1\": no such file").arg(path));
        return Failure;
    }
    if (!info.isFile()) {
        printError(QStringLiteral("cannot read \"%1\": not a regular file").arg(path));
        return Failure;
    }
    if (!info.isReadable()) {
        printError(QStringLiteral("cannot read \"%1\": permission denied").arg(path));
        return Failure;
    }

    // GIF and BMP have their own entry point, which says whether it knew the file; everything
    // else goes to the TIFF, JPEG and PNG one. A fresh reader, so dpi and grey start at 0.
    clsImageHeaderInfo header;
    bool result = header.ReadGIF_BMP_Header(path);
    if (!result)
        result = header.ReadJPEG_TIFF_PNG_Header(path);

    // The full values: a script wants the real size, not the 16-bit fields' wrap.
    printOut(QStringLiteral("format: ") + formatName(header.Format()));
    printOut(QStringLiteral("width: %1").arg(header.FullWidth()));
    printOut(QStringLiteral("height: %1").arg(header.FullHeight()));
    printOut(QStringLiteral("bits-per-pixel: %1").arg(header.BitsPerPixel()));
    printOut(QStringLiteral("dpi: %1").arg(header.FullDpi()));
    printOut(QStringLiteral("grey: ") + flag(header.IsGray()));
    printOut(QStringLiteral("result: ") + flag(result));
    if (!result) {
        if (header.Format() == clsImageHeaderInfo::HeaderFormat::None)
            printError(QStringLiteral("\"%1\" is not a GIF, BMP, little-endian TIFF, JPEG or PNG file").arg(path));
        else
            printError(QStringLiteral("\"%1\" has a broken %2 header").arg(path, formatName(header.Format())));
        return Failure;
    }
    return Success;
}

}  // namespace lumora::cli
