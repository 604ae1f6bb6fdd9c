#pragma once

#include <QSize>

namespace lumora {

// How big an image appears in its view: fitted into the view box when stretched to fit (never
// enlarged, aspect kept), else scaled by the zoom percentage. Sides round half to even and are
// at least one pixel.
class ViewGeometry {
public:
    static QSize shown(QSize image, QSize box, bool stretchToFit, double zoomPercent);
};

}  // namespace lumora
