#include "output/EngineFormatCode.h"

namespace lumora {

int formatCodeOfExtension(const QString& extension)
{
    const QString e = extension.toLower();
    if (e == u"tif" || e == u"tiff")
        return FormatTiff;
    if (e == u"pdf")
        return FormatPdf;
    if (e == u"jpg" || e == u"jpeg" || e == u"jpe")
        return FormatJpeg;
    if (e == u"psd")
        return FormatPsd;
    if (e == u"pcx")
        return FormatPcx;
    if (e == u"wbmp" || e == u"wap" || e == u"wbm")
        return FormatWbmp;
    if (e == u"bmp")
        return FormatBmp;
    if (e == u"gif")
        return FormatGif;
    if (e == u"png")
        return FormatPng;
    return -1;
}

}  // namespace lumora
