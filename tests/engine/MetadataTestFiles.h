#pragma once

// Photos with metadata for the engine's EXIF and IPTC tests, and the views of the independent
// tools on them: exiftool writes and reads, the exiv2 program lists keys, types and raw values.

#include "engine/EngineError.h"
#include "engine/ImageBox.h"
#include "support/FileBytes.h"
#include "support/Oracles.h"
#include "support/TestImages.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumora::test::metafiles {

// An engine and a folder for its files.
class MetadataFiles : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ImageBox box;

    QString path(const QString& name) const { return dir.filePath(name); }
};

// A small JPEG made by ImageMagick, without any metadata.
void makePlainJpeg(const QString& path, int width = 32, int height = 24);

// Runs exiftool over the file in place; false (with exiftool's message printed) when it fails.
bool exiftoolWrite(const QString& path, const QStringList& arguments);

// exiftool's values of these tags ("IFD0:Model"; "IPTC:Urgency#" for the plain number) in their
// order, a line each: "-" for a missing one, the items of a list apart by '|'.
std::string exiftoolValues(const QString& path, const QStringList& tags);

// One line of `exiv2 -u -Pkyv` (unknown tags too): key ("Exif.Image.Make"), type ("Ascii") and plain value.
struct Exiv2Row {
    QString key;
    QString type;
    QString value;
};
QList<Exiv2Row> exiv2Rows(const QString& path);
// The first row of that key; an empty row when there is none.
Exiv2Row exiv2Row(const QString& path, const QString& key);

// The JPEG with an APP13 Photoshop block right after its start marker that holds these IIM bytes
// as its IPTC resource.
QByteArray jpegWithIptcBlock(const QByteArray& jpeg, const QByteArray& iim);

// An engine's metadata as lines (UTF-8, so that failures print them): the EXIF attributes as
// "name=value" in list order; the IPTC fields with a value as "dataset=text", in the order of the
// field table.
std::vector<std::string> exifRowsOf(const ImageBox& engine);
std::vector<std::string> iptcTextsOf(const ImageBox& engine);

}  // namespace lumora::test::metafiles
