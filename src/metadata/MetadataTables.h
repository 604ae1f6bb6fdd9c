#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

namespace lumora::modMetadata {

// The EXIF attributes a person may edit, add and carry to other photos in a .xiff file, in the
// order the add dialog offers them. The engine writes exactly these (and Software).
const QStringList& EditableExifAttributes();
// The EXIF attributes holding a date and time ("YYYY:MM:DD HH:MM:SS" in the file), which the pane
// shows and edits as dates.
const QStringList& ExifDateAttributes();
// The IPTC fields edited with a date picker, by their row label.
const QStringList& IptcDateLabels();

// Exact, case-sensitive membership of the tables above.
bool IsEditableExif(const QString& name);
bool IsExifDate(const QString& name);
bool IsIptcDate(const QString& label);

// The two halves of a rational value "n/d", split at the last "/" (a text without one has nothing
// before it), each converted like any number Lumora reads: LumoraError 13 when a half is not a
// number, 6 when it does not fit 32 bits, halves rounded to even.
std::int32_t RationalNumerator(const QString& text);
std::int32_t RationalDenominator(const QString& text);

// Which files the metadata pane reads, by the lower-case extension of the path.
bool ShowsExif(const QString& path);  // tif, tiff, jpg, jpeg, jpe
bool ShowsIptc(const QString& path);  // those and psd
// Files an EXIF attribute may be added to: jpeg, jpg, tif, tiff.
bool CanAddExif(const QString& path);

// The lower-case extension of a path: what follows its last dot, "" when there is none.
QString LowerExtension(const QString& path);

}  // namespace lumora::modMetadata
