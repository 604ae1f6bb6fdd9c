#pragma once

#include "settings/SetupRecord.h"

#include <QByteArray>
#include <QByteArrayView>

namespace lumora {

// The bytes of the settings file. Fields follow one another in declaration order with nothing
// between them and no header: Byte 1 byte; Integer and Boolean 16-bit, Long 32-bit, Double
// 64-bit IEEE, all little-endian; String = 16-bit little-endian unsigned length, then that many
// bytes of text. Because strings vary in length, a field's position depends on the texts before
// it.
//
// Texts are written in UTF-8. One longer than 65535 bytes is cut at the last whole character
// that fits. Reading takes a text as UTF-8 when its bytes are valid UTF-8, otherwise as
// Windows-1252 (settings written by older Windows tools).

// How far a read got.
struct SetupReadResult {
    int fieldsRead = 0;       // fields read whole, in declaration order (array members count singly)
    qsizetype bytesUsed = 0;  // bytes those fields took
    bool complete = false;    // every field was read
};

QByteArray encodeSetup(const SetupRecord& record);

// Reads fields in order until the data runs out. A field whose bytes are not all there (a text
// whose length points past the end included) is not read, and neither is any field after it:
// those keep the values they had. Bytes after the last field are ignored.
SetupReadResult decodeSetup(QByteArrayView bytes, SetupRecord& record);

// Number of fields of the record and the size of the largest possible encoding (every text at
// its limit): a reader never needs more bytes than that.
int setupFieldCount();
qsizetype setupMaxSize();

// Longest text a field can hold, in bytes.
inline constexpr qsizetype SetupMaxTextBytes = 0xFFFF;

}  // namespace lumora
