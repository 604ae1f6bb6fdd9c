#pragma once

#include <QString>

namespace lumora {

// The font of the engine's text: a family name as fontconfig knows it (a missing family falls
// back to a similar one), a size in points at 96 dpi, and the three styles.
struct TextFont {
    QString name = QStringLiteral("DejaVu Sans");
    int size = 12;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    friend bool operator==(const TextFont&, const TextFont&) = default;
};

}  // namespace lumora
