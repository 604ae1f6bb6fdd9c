#include "engine/TextRenderer.h"

namespace lumora {

QSize TextRenderer::measure(const QString&, const TextStyle&) { return {}; }
Picture TextRenderer::render(const QString&, const TextStyle&) { return {}; }

}  // namespace lumora
