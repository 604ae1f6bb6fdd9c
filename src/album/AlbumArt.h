#pragma once

#include <QString>

namespace lumora {

// Copies the decoration `name` ("first.gif", "violet_bg.gif") byte for byte from the art folder
// into the target folder, under the same name. The art folder may hold it under that name or in
// upper case ("FIRST.GIF"). Throws LumoraError when it is missing or cannot be written.
void copyAlbumArt(const QString& artFolder, const QString& name, const QString& targetFolder);

}  // namespace lumora
