#pragma once

#include <QSize>

namespace lumora {

// How a view shows its image: the box it is fitted into, and whether it is fitted or zoomed.
struct ViewSettings {
    QSize box;
    bool stretchToFit = false;
    double zoom = 100;
    friend bool operator==(const ViewSettings&, const ViewSettings&) = default;
};

// How big an image appears in its view: fitted into the view box when stretched to fit (never
// enlarged, aspect kept), else scaled by the zoom percentage. Sides round half to even and are
// at least one pixel.
class ViewGeometry {
public:
    static QSize shown(QSize image, QSize box, bool stretchToFit, double zoomPercent);
    static QSize shown(QSize image, const ViewSettings& view)
    {
        return shown(image, view.box, view.stretchToFit, view.zoom);
    }
};

}  // namespace lumora
