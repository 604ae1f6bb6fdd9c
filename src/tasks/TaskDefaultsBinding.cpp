#include "tasks/TaskDefaultsBinding.h"

#include <algorithm>
#include <limits>

namespace lumora::taskdefaults {
namespace {

// Values go back into the record's own widths; a value a control cannot hold never reaches them,
// the clamps only keep a stray one from wrapping round.
std::int16_t integer(int value)
{
    constexpr int lowest = std::numeric_limits<std::int16_t>::min();
    constexpr int highest = std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(std::clamp(value, lowest, highest));
}
std::uint8_t byte(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 255)); }
std::uint8_t flag(bool value) { return value ? 1 : 0; }
// Colours are kept as the bit pattern of a signed Long.
std::int32_t colour(std::uint32_t ole) { return static_cast<std::int32_t>(ole); }
std::uint32_t ole(std::int32_t stored) { return static_cast<std::uint32_t>(stored); }

}  // namespace

Resize resize(const TaskDefaults& d)
{
    return {d.field2 != 0, d.field1 != 0, d.field3, d.field4};
}

void store(TaskDefaults& d, const Resize& v)
{
    d.field1 = flag(v.resample);
    d.field2 = flag(v.retainRatio);
    d.field3 = byte(v.filter);
    d.field4 = integer(v.scalePercent);
}

Rotate rotate(const TaskDefaults& d) { return {d.field10, d.field11 != 0, ole(d.field12)}; }

void store(TaskDefaults& d, const Rotate& v)
{
    d.field10 = integer(v.degrees);
    d.field11 = flag(v.resample);
    d.field12 = colour(v.backColor);
}

Flip flip(const TaskDefaults& d) { return {d.flip}; }
void store(TaskDefaults& d, const Flip& v) { d.flip = byte(v.direction); }

Amount blur(const TaskDefaults& d) { return {d.field21}; }
Amount sharpen(const TaskDefaults& d) { return {d.field22}; }
Amount contrast(const TaskDefaults& d) { return {d.field13, d.field14 != 0, d.field15 != 0, d.field16 != 0}; }
Amount brightness(const TaskDefaults& d) { return {d.field17, d.field18 != 0, d.field19 != 0, d.field20 != 0}; }

void storeBlur(TaskDefaults& d, const Amount& v) { d.field21 = integer(v.amount); }
void storeSharpen(TaskDefaults& d, const Amount& v) { d.field22 = byte(v.amount); }

void storeContrast(TaskDefaults& d, const Amount& v)
{
    d.field13 = integer(v.amount);
    d.field14 = flag(v.red);
    d.field15 = flag(v.green);
    d.field16 = flag(v.blue);
}

void storeBrightness(TaskDefaults& d, const Amount& v)
{
    d.field17 = integer(v.amount);
    d.field18 = flag(v.red);
    d.field19 = flag(v.green);
    d.field20 = flag(v.blue);
}

Crop crop(const TaskDefaults& d) { return {d.field23 != 0, d.field24, ole(d.field5)}; }

void store(TaskDefaults& d, const Crop& v)
{
    d.field23 = flag(v.byMouse);
    d.field24 = byte(v.shape);
    d.field5 = colour(v.backColor);
}

Canvas canvas(const TaskDefaults& d)
{
    Canvas v;
    v.margins[0] = d.field6;
    v.margins[1] = d.field7;
    v.margins[2] = d.field8;
    v.margins[3] = d.field9;
    v.backColor = ole(d.field5);
    return v;
}

void store(TaskDefaults& d, const Canvas& v)
{
    d.field6 = integer(v.margins[0]);
    d.field7 = integer(v.margins[1]);
    d.field8 = integer(v.margins[2]);
    d.field9 = integer(v.margins[3]);
    d.field5 = colour(v.backColor);
}

Text text(const TaskDefaults& d)
{
    Text v;
    v.text = d.textText;
    v.transparent = d.textTransparent != 0;
    v.backColor = ole(d.textBackColor);
    v.fontFamily = d.field28;
    v.position = d.field29;
    v.antiAlias = d.field30 != 0;
    v.fontSize = d.textFontSize;
    v.color = ole(d.textColor);
    v.bold = d.textBold != 0;
    v.italic = d.textItalic != 0;
    v.underline = d.textUnderline != 0;
    v.angle = d.textAngle;
    v.alignment = d.textAlignment;
    v.orientation = d.textOrientation;
    return v;
}

void store(TaskDefaults& d, const Text& v)
{
    d.textText = v.text;
    d.textTransparent = flag(v.transparent);
    d.textBackColor = colour(v.backColor);
    d.field28 = integer(v.fontFamily);
    d.field29 = integer(v.position);
    d.field30 = v.antiAlias ? 1 : 0;
    d.textFontSize = integer(v.fontSize);
    d.textColor = colour(v.color);
    d.textBold = flag(v.bold);
    d.textItalic = flag(v.italic);
    d.textUnderline = flag(v.underline);
    d.textAngle = integer(v.angle);
    d.textAlignment = byte(v.alignment);
    d.textOrientation = byte(v.orientation);
}

Watermark watermark(const TaskDefaults& d)
{
    return {d.watermarkTransparent != 0, d.watermarkMergeStyle, ole(d.watermarkTransparentColor),
            d.watermarkTransparency, d.watermarkFile};
}

void store(TaskDefaults& d, const Watermark& v)
{
    d.watermarkTransparent = flag(v.transparent);
    d.watermarkMergeStyle = integer(v.placement);
    d.watermarkTransparentColor = colour(v.transparentColor);
    d.watermarkTransparency = integer(v.transparency);
    d.watermarkFile = v.file;
}

Frame frame(const TaskDefaults& d)
{
    return {d.frameStyle, d.frameSize, ole(d.frameColor), d.field48, d.field49 != 0};
}

void store(TaskDefaults& d, const Frame& v)
{
    d.frameStyle = byte(v.style);
    d.frameSize = integer(v.size);
    d.frameColor = colour(v.color);
    d.field48 = integer(v.gallery);
    d.field49 = flag(v.useCanvasSpace);
}

Mask mask(const TaskDefaults& d) { return {d.field50, d.field51 != 0, d.field52}; }

void store(TaskDefaults& d, const Mask& v)
{
    d.field50 = integer(v.gallery);
    d.field51 = flag(v.transparent);
    d.field52 = integer(v.transparency);
}

Shadow shadow(const TaskDefaults& d) { return {d.field53}; }
void store(TaskDefaults& d, const Shadow& v) { d.field53 = integer(v.gallery); }

}  // namespace lumora::taskdefaults
