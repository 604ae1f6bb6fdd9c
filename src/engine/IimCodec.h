#pragma once

// The IIM's datasets (1Ch, record, number, length, data) to Exiv2's IPTC and back. Internal to
// the engine.
//
// Exiv2 reads some record-2 datasets as numbers (200 and 201 are its preview format and version),
// cutting a text of odd length short; Lumora keeps such fields as text (the custom fields), so
// it reads the datasets itself and keeps every value's bytes as they were.

#include <QByteArray>

#include <exiv2/iptc.hpp>

namespace lumora::iimcodec {

// Whether the bytes are one or more datasets back to back, each with its marker, a record 1..9
// and a length that fits, with nothing after the last but NUL padding.
bool isWellFormed(const QByteArray& bytes);

// A photo's IPTC holds tens of datasets, a heavily keyworded one a few thousand; a block is read
// up to this many, and the datasets after them are left out.
inline constexpr int kMaxDatasets = 10000;

// The datasets up to the first that is damaged (a damaged block gives fewer fields) and at most
// kMaxDatasets of them. Values keep their bytes; the record version is a number, everything else
// text.
Exiv2::IptcData decode(const QByteArray& bytes);

// The datasets as a block, records in order.
QByteArray encode(const Exiv2::IptcData& iptc);

}  // namespace lumora::iimcodec
