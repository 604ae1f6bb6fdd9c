#include "ExactSvgColours.h"

#include <libwmf/macro.h>

#include <algorithm>
#include <cstdio>

namespace lumora::decoder {
namespace {

template <typename Draw>
using DrawCall = void (*)(wmfAPI*, Draw*);

ExactSvgColours::Paint shapePaint(const wmfDC* dc)
{
    return {*WMF_BRUSH_COLOR(WMF_DC_BRUSH(dc)), *WMF_PEN_COLOR(WMF_DC_PEN(dc))};
}

template <typename Draw>
ExactSvgColours::Paint paintOfShape(const Draw& draw)
{
    return shapePaint(draw.dc);
}

ExactSvgColours::Paint paintOfText(const wmfDrawText_t& draw) { return {*WMF_DC_TEXTCOLOR(draw.dc), std::nullopt}; }

ExactSvgColours::Paint paintOfPixel(const wmfDrawPixel_t& draw) { return {draw.color, std::nullopt}; }

// Calls the device's own function for the slot, then puts the exact colours into what it wrote.
template <typename Draw, DrawCall<Draw> wmfFunctionReference::*Slot, ExactSvgColours::Paint (*PaintOf)(const Draw&)>
void drawExactly(wmfAPI* api, Draw* draw)
{
    auto& self = *static_cast<ExactSvgColours*>(api->user_data);
    const std::size_t start = self.svg().size();
    (self.device.*Slot)(api, draw);
    if (draw->dc)
        self.recolour(start, PaintOf(*draw));
}

template <typename Draw, DrawCall<Draw> wmfFunctionReference::*Slot, ExactSvgColours::Paint (*PaintOf)(const Draw&)>
void wrap(wmfFunctionReference& table)
{
    if (table.*Slot)
        table.*Slot = &drawExactly<Draw, Slot, PaintOf>;
}

std::string hexColour(const wmfRGB& rgb)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", rgb.r, rgb.g, rgb.b);
    return text;
}

// Replaces the value of "key" (up to ";" or the end of the style) unless it is "none".
void replaceValue(std::string& style, const char* key, const std::optional<wmfRGB>& colour)
{
    if (!colour)
        return;
    const std::string name = key;
    std::size_t at = style.find(name);
    // "fill:" must not match inside another property, such as "-fill:".
    while (at != std::string::npos && at > 0 && style[at - 1] != ' ' && style[at - 1] != ';')
        at = style.find(name, at + 1);
    if (at == std::string::npos)
        return;
    const std::size_t value = at + name.size();
    const std::size_t end = std::min(style.find(';', value), style.size());
    if (style.compare(value, end - value, "none") != 0)
        style.replace(value, end - value, hexColour(*colour));
}

}  // namespace

ExactSvgColours::ExactSvgColours(wmfAPI* api)
{
    stream_.context = this;
    stream_.sputs = &ExactSvgColours::put;
    stream_.reset = &ExactSvgColours::reset;
    auto& table = *static_cast<wmfFunctionReference*>(api->function_reference);
    device = table;
    api->user_data = this;
    wrap<wmfDrawPixel_t, &wmfFunctionReference::draw_pixel, paintOfPixel>(table);
    wrap<wmfDrawArc_t, &wmfFunctionReference::draw_pie, paintOfShape<wmfDrawArc_t>>(table);
    wrap<wmfDrawArc_t, &wmfFunctionReference::draw_chord, paintOfShape<wmfDrawArc_t>>(table);
    wrap<wmfDrawArc_t, &wmfFunctionReference::draw_arc, paintOfShape<wmfDrawArc_t>>(table);
    wrap<wmfDrawArc_t, &wmfFunctionReference::draw_ellipse, paintOfShape<wmfDrawArc_t>>(table);
    wrap<wmfDrawLine_t, &wmfFunctionReference::draw_line, paintOfShape<wmfDrawLine_t>>(table);
    wrap<wmfPolyLine_t, &wmfFunctionReference::poly_line, paintOfShape<wmfPolyLine_t>>(table);
    wrap<wmfPolyLine_t, &wmfFunctionReference::draw_polygon, paintOfShape<wmfPolyLine_t>>(table);
    wrap<wmfPolyPoly_t, &wmfFunctionReference::draw_polypolygon, paintOfShape<wmfPolyPoly_t>>(table);
    wrap<wmfDrawRectangle_t, &wmfFunctionReference::draw_rectangle, paintOfShape<wmfDrawRectangle_t>>(table);
    wrap<wmfDrawText_t, &wmfFunctionReference::draw_text, paintOfText>(table);
}

void ExactSvgColours::recolour(std::size_t start, const Paint& paint)
{
    // Only the style attribute: the text of a string drawn may hold anything.
    const std::string opening = "style=\"";
    const std::size_t style = svg_.find(opening, start);
    if (style == std::string::npos)
        return;
    const std::size_t begin = style + opening.size();
    const std::size_t end = svg_.find('"', begin);
    if (end == std::string::npos)
        return;
    std::string text = svg_.substr(begin, end - begin);
    replaceValue(text, "fill:", paint.fill);
    replaceValue(text, "stroke:", paint.stroke);
    svg_.replace(begin, end - begin, text);
}

int ExactSvgColours::put(char* text, void* context)
{
    static_cast<ExactSvgColours*>(context)->svg_ += text;
    return 0;
}

int ExactSvgColours::reset(void* context)
{
    static_cast<ExactSvgColours*>(context)->svg_.clear();
    return 0;
}

}  // namespace lumora::decoder
