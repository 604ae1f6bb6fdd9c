#pragma once

#include <QString>

namespace lumora {

// The engine's format codes, as its size estimate numbers them.
enum EngineFormatCode : int {
    FormatBmp = 0,
    FormatGif = 1,
    FormatJpeg = 2,
    FormatPcx = 3,
    FormatPng = 4,
    FormatWbmp = 5,
    FormatPsd = 6,
    FormatTiff = 7,
    FormatPdf = 8,
};

// The format code of a file extension (any letter case, without the dot): "tif"/"tiff" 7,
// "pdf" 8, "jpg"/"jpeg"/"jpe" 2, "psd" 6, "pcx" 3, "wbmp"/"wap"/"wbm" 5, "bmp" 0, "gif" 1,
// "png" 4; -1 for any other.
int formatCodeOfExtension(const QString& extension);

}  // namespace lumora
