#include "output/PrintOptions.h"

#include <QPageSize>

#include <algorithm>
#include <cmath>

namespace lumora {
namespace {

double clampedMargin(double millimetres)
{
    return std::isfinite(millimetres) ? std::clamp(millimetres, 0.0, 100.0) : 0.0;
}

}  // namespace

PrintOptions PrintOptions::fromRecord(const SetupRecord::Print& block)
{
    PrintOptions options;
    if (block.optionA >= 0 && block.optionA < QPageSize::LastPageSize && block.optionA != QPageSize::Custom)
        options.paperSize = block.optionA;
    if (block.optionB >= FollowImage && block.optionB <= Landscape)
        options.orientation = block.optionB;
    options.placement = block.optionC == TopLeft ? TopLeft : Centred;
    options.marginXMm = clampedMargin(block.optionD);
    options.marginYMm = clampedMargin(block.optionE);
    options.copies = std::clamp(block.optionF, 1, 999);
    if (std::isfinite(block.optionG) && block.optionG > 0)
        options.scalePercent = std::min(block.optionG, 1000.0);
    if (block.optionH <= Scaled)
        options.size = block.optionH;
    options.printFileName = block.flagI != 0;
    options.grey = block.flagJ != 0;
    return options;
}

void PrintOptions::storeInto(SetupRecord::Print& block) const
{
    block.optionA = paperSize;
    block.optionB = orientation;
    block.optionC = static_cast<std::uint8_t>(placement);
    block.optionD = marginXMm;
    block.optionE = marginYMm;
    block.optionF = copies;
    block.optionG = scalePercent;
    block.optionH = static_cast<std::uint8_t>(size);
    block.flagI = printFileName ? SetupRecord::True : SetupRecord::False;
    block.flagJ = grey ? SetupRecord::True : SetupRecord::False;
}

}  // namespace lumora
