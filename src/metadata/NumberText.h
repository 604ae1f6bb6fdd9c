#pragma once

#include <QString>

namespace lumora::modMetadata {

// A number as the metadata pane shows it: at most 15 significant digits, no trailing zeros, a
// leading zero before the point ("0.1"), a "-" sign, and the plain form for magnitudes from 1E-4
// up to below 1E15; beyond them the scientific form "1.5E-05", "1E+15". The text does not depend
// on the locale. A value that is not finite raises LumoraError 6.
QString NumberText(double value);

}  // namespace lumora::modMetadata
