#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace lumora {

// The text encoding of Lumora's own files (task and image baskets, metadata files).
//
// Lumora writes UTF-8 without a byte order mark. Files written on Windows by older tools are in the
// ANSI code page, Windows-1252; such files are recognised by their bytes not being valid UTF-8,
// which holds for any real text with an accented letter in it. Decoding never fails.

// Text of a file's bytes: UTF-8 when the bytes are valid UTF-8 (a leading byte order mark is
// dropped), otherwise Windows-1252.
QString decodeText(const QByteArray& bytes);

// Bytes of a text as Lumora writes it: UTF-8, no byte order mark.
QByteArray encodeText(const QString& text);

// Whether the bytes are well-formed UTF-8: shortest forms only, no surrogate code points, nothing
// above U+10FFFF, no sequence cut short.
bool isValidUtf8(QByteArrayView bytes);

// Windows-1252 with its full table. The five bytes that code page leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) become the control characters of the same number, so every byte keeps a
// character and nothing is lost.
QString fromWindows1252(QByteArrayView bytes);

}  // namespace lumora
