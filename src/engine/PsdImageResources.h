#pragma once

// The image resources section of a Photoshop file, where it keeps its IPTC, EXIF and XMP among
// the resources of other writers. Internal to the engine.

#include <QByteArray>

#include <cstdint>
#include <map>
#include <optional>

namespace lumora::psdresources {

inline constexpr std::uint16_t kIptc = 1028;
inline constexpr std::uint16_t kExif = 1058;
inline constexpr std::uint16_t kXmp = 1060;

// The data of the file's first resource of that id; nullopt when it has none or is no PSD whose
// sections lie within it.
std::optional<QByteArray> find(const QByteArray& psd, std::uint16_t id);

// The file with the resources of the ids in `replacements` holding the given data instead (empty
// data removes them); a resource the file lacks goes in before the first of higher id, as
// Photoshop orders them. Every other byte (header, colour data, other resources, layers and image
// data) stays as it was. nullopt for anything that is not a PSD whose sections lie within it.
std::optional<QByteArray> withResources(const QByteArray& psd, const std::map<std::uint16_t, QByteArray>& replacements);

}  // namespace lumora::psdresources
