#pragma once

#include <QString>

namespace lumora {

class ImageBox;

// The text a naming token stands for, for the photo the engine holds now (the batch asks after
// the tasks ran, just before saving). sourcePath is the file the photo was read from, and
// outputExtension the extension it is about to be written under (for "[Resulting size]").
//
// An engine without an image gives "" for every token. Otherwise:
// - "[No Prefix]": "";
// - "[Resulting resolution]": "WxH" of the image as it stands;
// - "[Resulting size]": the encoded size in the output format in KB (1024 bytes, rounded half to
//   even) followed by "Kb"; "" for an extension the engine has no format code for;
// - "[Date Today-Time]", "[Date Today]": now, as namingDateTimeText / namingDateText;
// - "[Source resolution]": the engine's tag (the batch puts the loaded size there);
// - "[Source size]": the source file's size as the file information shows it;
// - "[Source Date Created]", "...Modified]", "...Accessed]": the source file's times;
// - "[EXIF Image Description]", "[EXIF Artist]", "[EXIF Make]", "[EXIF Model]": the attribute;
//   "[EXIF Make & Model]" "Make-Model" and "[EXIF X-Y Dimension]" "PixelXxPixelY", each "" when
//   both halves are empty;
// - "[EXIF Date]", "[EXIF Date-Time]": the first DateTime, DateTimeOriginal or
//   DateTimeDigitized attribute (names compared trimmed and in any letter case, in the order
//   the photo holds them) whose value is a date; today when none is; "" without EXIF;
// - "[IPTC Headline]", "[IPTC Caption]", "[IPTC Author]" (by-line), "[IPTC Ref. Number]": the
//   field's text; "[IPTC Date Created]", "[IPTC Date Released]", "[IPTC Ref. Date]": the field's
//   date and time; all "" when the photo has no IPTC;
// - any other text: itself.
// Throws what the engine throws while estimating the size.
QString fncRetrieveNamingString(const ImageBox& engine, const QString& token, const QString& sourcePath,
                                const QString& outputExtension);

}  // namespace lumora
