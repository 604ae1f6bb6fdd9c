#pragma once

#include <QString>

namespace lumora {

// Text from files and users (titles, names, descriptions, metadata values) as an album page
// writes it: & < > " and ' as character references, so no value can end an attribute or open a
// tag.
QString htmlEscaped(const QString& text);

// A file or folder name as one step of a URL: unchanged when it holds only letters, digits and
// "-._~"; otherwise every other character as UTF-8 bytes in %XX form ("my photo" -> "my%20photo").
QString urlPart(const QString& name);

}  // namespace lumora
