#pragma once

#include "settings/SetupRecord.h"

#include <QString>

#include <cstdint>

namespace lumora::taskdefaults {

// The remembered options of the task pages, read from and written to the TaskDefaults block of the
// settings record. Each page works with the plain values of its kind below; this file alone knows
// which field of the block holds which value. The block's 53 fields, in file order:
//
//   #  field                       type     default     page      control
//   1  field1                      Byte     0           Resize    chkResizeResample "Resample"
//   2  field2                      Byte     1           Resize    chkResizeRatio "Retain Ratio"
//   3  field3                      Byte     0           Resize    ComboFilter index ("Bilinear" ...)
//   4  field4                      Integer  50          Resize    txtScale, the percentage
//   5  field5                      Long     &H8000000E  Crop,     picCropBackColor: the fill of an
//                                                       Canvas    elliptical crop and the added border
//   6  field6                      Integer  10          Canvas    txtCanvasCustom0 (top)
//   7  field7                      Integer  10          Canvas    txtCanvasCustom1 (left)
//   8  field8                      Integer  10          Canvas    txtCanvasCustom2 (right)
//   9  field9                      Integer  10          Canvas    txtCanvasCustom3 (bottom)
//  10  field10                     Integer  0           Rotate    txtDegrees; 0 shows the field's default
//                                                                 "45" (a turn by 0 is no task at all)
//  11  field11                     Byte     0           Rotate    chkRotateResample "Resample"
//  12  field12                     Long     &H8000000E  Rotate    picCropBackColor: the corners' fill
//  13  field13                     Integer  50          Contrast  sldContrast
//  14  field14                     Byte     1           Contrast  chkConRed
//  15  field15                     Byte     1           Contrast  chkConGreen
//  16  field16                     Byte     1           Contrast  chkConBlue
//  17  field17                     Integer  50          Bright.   sldBrightness
//  18  field18                     Byte     1           Bright.   chkBrRed
//  19  field19                     Byte     1           Bright.   chkBrGreen
//  20  field20                     Byte     1           Bright.   chkBrBlue
//  21  field21                     Integer  1           Blur      sldBlur (1..10)
//  22  field22                     Byte     1           Sharpen   sldSharpen (1..10)
//  23  field23                     Byte     1           Crop      1: optCropSelect0, by mouse; 0: "Key-in"
//  24  field24                     Byte     0           Crop      cmbCrop index (0 "Rectangle", 1 "Ellipse")
//  25  textText                    String   "Sample"    Text      txtDraw
//  26  textTransparent             Byte     1           Text      chkTransparent "Transparent background"
//  27  textBackColor               Long     &H8000000E  Text      cmdTextBackground
//  28  field28                     Integer  0           Text      ComboFontFamily index
//  29  field29                     Integer  0           Text      cboPosition index (0 "Top-Left" .. 9)
//  30  field30                     Integer  0           Text      chkAntiAlias "Anti-Alias" (0/1)
//  31  textFontSize                Integer  14          Text      comboFontSize
//  32  textColor                   Long     &H80000008  Text      cmdTextColor
//  33  textBold                    Byte     0           Text      chkTextBold
//  34  textItalic                  Byte     0           Text      chkTextItalic
//  35  textUnderline               Byte     0           Text      chkTextUnderline
//  36  textAngle                   Integer  0           Text      txtTextAngle
//  37  textAlignment               Byte     0           Text      OptTextAlignment index
//  38  textOrientation             Byte     0           Text      OptTextOrientation index
//  39  flip                        Byte     0           Flip      optFlip index
//  40  watermarkTransparent        Byte     1           Watermark chkWatermarkTransparent "Transparent"
//  41  watermarkMergeStyle         Integer  0           Watermark cboMergeStyle as placement code
//                                                                 (0 Centre, 1 Single, 2 Tile, 3 Wrap)
//  42  watermarkTransparentColor   Long     &H80000009  Watermark picWatermarkTransparentColor
//  43  watermarkTransparency       Integer  50          Watermark sldWatermarkTransparency
//  44  watermarkFile               String   ""          Watermark the logo chosen with "Select Image"
//  45  frameStyle                  Byte     0           Frame     OptFrameStyle index (0 "Image", 1 "Color")
//  46  frameSize                   Integer  20          Frame     txtFrameSize "Frame Size"
//  47  frameColor                  Long     &H8000000E  Frame     picCropBackColor
//  48  field48                     Integer  0           Frame     OptFrameImage, the frame gallery index
//  49  field49                     Byte     1           Frame     chkFrameImageResizeCanvas "Use canvas space"
//  50  field50                     Integer  0           Mask      OptMask, the mask gallery index
//  51  field51                     Byte     1           Mask      chkMaskTransparent "Transparent"
//  52  field52                     Integer  0           Mask      sldMask
//  53  field53                     Integer  0           Shadow    OptShadow, the shadow gallery index
//                                                                 (shadow style minus 8)
//
// Not remembered: the resize mode (the page opens on "Resize" with the photo's own size), the
// resize sizes and the crop edges (they come from the photo on screen), and the boxes that arm a
// mouse tool.

using TaskDefaults = SetupRecord::TaskDefaults;

struct Resize {
    bool retainRatio = true;
    bool resample = false;
    int filter = 0;
    int scalePercent = 50;
};
Resize resize(const TaskDefaults& d);
void store(TaskDefaults& d, const Resize& v);

struct Rotate {
    int degrees = 0;  // 0: none remembered
    bool resample = false;
    std::uint32_t backColor = 0;
};
Rotate rotate(const TaskDefaults& d);
void store(TaskDefaults& d, const Rotate& v);

struct Flip {
    int direction = 0;  // 0 horizontal, 1 vertical
};
Flip flip(const TaskDefaults& d);
void store(TaskDefaults& d, const Flip& v);

// Blur and Sharpen use only the amount; Contrast and Brightness the channels too.
struct Amount {
    int amount = 0;
    bool red = true;
    bool green = true;
    bool blue = true;
};
Amount blur(const TaskDefaults& d);
Amount sharpen(const TaskDefaults& d);
Amount contrast(const TaskDefaults& d);
Amount brightness(const TaskDefaults& d);
void storeBlur(TaskDefaults& d, const Amount& v);
void storeSharpen(TaskDefaults& d, const Amount& v);
void storeContrast(TaskDefaults& d, const Amount& v);
void storeBrightness(TaskDefaults& d, const Amount& v);

struct Crop {
    bool byMouse = true;  // else keyed in
    int shape = 0;      // 0 rectangle, 1 ellipse
    std::uint32_t backColor = 0;
};
Crop crop(const TaskDefaults& d);
void store(TaskDefaults& d, const Crop& v);

struct Canvas {
    int margins[4] = {};  // txtCanvasCustom0..3: top, left, right, bottom
    std::uint32_t backColor = 0;
};
Canvas canvas(const TaskDefaults& d);
void store(TaskDefaults& d, const Canvas& v);

struct Text {
    QString text;
    bool transparent = true;
    std::uint32_t backColor = 0;
    int fontFamily = 0;  // index in the family list
    int position = 0;
    bool antiAlias = false;
    int fontSize = 14;
    std::uint32_t color = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int angle = 0;
    int alignment = 0;
    int orientation = 0;
};
Text text(const TaskDefaults& d);
void store(TaskDefaults& d, const Text& v);

struct Watermark {
    bool transparent = true;
    int placement = 0;  // 0 Centre, 1 Single, 2 Tile, 3 Wrap
    std::uint32_t transparentColor = 0;
    int transparency = 50;
    QString file;
};
Watermark watermark(const TaskDefaults& d);
void store(TaskDefaults& d, const Watermark& v);

struct Frame {
    int style = 0;  // 0 picture frame, 1 plain colour
    int size = 20;
    std::uint32_t color = 0;
    int gallery = 0;
    bool useCanvasSpace = true;
};
Frame frame(const TaskDefaults& d);
void store(TaskDefaults& d, const Frame& v);

struct Mask {
    int gallery = 0;
    bool transparent = true;
    int transparency = 0;
};
Mask mask(const TaskDefaults& d);
void store(TaskDefaults& d, const Mask& v);

struct Shadow {
    int gallery = 0;  // 0..7: shadow style minus 8
};
Shadow shadow(const TaskDefaults& d);
void store(TaskDefaults& d, const Shadow& v);

}  // namespace lumora::taskdefaults
