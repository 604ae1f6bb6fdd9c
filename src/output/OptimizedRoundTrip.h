#pragma once

#include "engine/Picture.h"
#include "output/OutputFormatOptions.h"

#include <QByteArray>
#include <QString>

#include <stop_token>

namespace lumora {

// What the output format dialog shows on its right: the picture encoded with the chosen options
// by the real encoder, written to "temp.<ext>" in a folder and decoded back from that file.
struct OptimizedResult {
    Picture picture;     // the decoded result
    QByteArray file;     // the bytes of the file written
    QString sizeText;    // "N KB"
    QString failure;     // why there is no result; empty when there is one
};

// Runs off the window's thread. Stops early (an empty result) when the token asks. WBMP and PDF
// files are not read back by the engine; their pixels are those of a BMP at the same depth,
// which holds the same black-and-white or palette pixels losslessly.
OptimizedResult makeOptimized(const Picture& original, const OutputFormatOptions::Choice& choice,
                              const QString& tempFolder, const std::stop_token& stop = {});

}  // namespace lumora
