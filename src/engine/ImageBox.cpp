#include "engine/ImageBox.h"

#include "engine/EngineError.h"

namespace lumora {

struct ImageBox::Impl {
    Mode mode;
};

ImageBox::ImageBox(Mode mode) : d(std::make_unique<Impl>()) { d->mode = mode; }
ImageBox::~ImageBox() = default;

ImageBox::Mode ImageBox::mode() const
{  throw EngineError(QStringLiteral("mode: not available yet")); }

void ImageBox::LoadFromFile(const QString& path)
{ (void)path; throw EngineError(QStringLiteral("LoadFromFile: not available yet")); }

void ImageBox::SaveToFile(const QString& path)
{ (void)path; throw EngineError(QStringLiteral("SaveToFile: not available yet")); }

void ImageBox::ClearImage()
{  throw EngineError(QStringLiteral("ClearImage: not available yet")); }

bool ImageBox::HasImage() const
{  throw EngineError(QStringLiteral("HasImage: not available yet")); }

int ImageBox::ImageWidth() const
{  throw EngineError(QStringLiteral("ImageWidth: not available yet")); }

int ImageBox::ImageHeight() const
{  throw EngineError(QStringLiteral("ImageHeight: not available yet")); }

int ImageBox::ImageDepth() const
{  throw EngineError(QStringLiteral("ImageDepth: not available yet")); }

QString ImageBox::Tag() const
{  throw EngineError(QStringLiteral("Tag: not available yet")); }

void ImageBox::SetTag(const QString& tag)
{ (void)tag; throw EngineError(QStringLiteral("SetTag: not available yet")); }

std::uint32_t ImageBox::PixelColor(int x, int y) const
{ (void)x; (void)y; throw EngineError(QStringLiteral("PixelColor: not available yet")); }

QByteArray ImageBox::SaveToMemory(int format) const
{ (void)format; throw EngineError(QStringLiteral("SaveToMemory: not available yet")); }

void ImageBox::LoadFromMemory(int format, const QByteArray& data)
{ (void)format; (void)data; throw EngineError(QStringLiteral("LoadFromMemory: not available yet")); }

void ImageBox::SetBitmapHandle(const lumora::Picture& picture)
{ (void)picture; throw EngineError(QStringLiteral("SetBitmapHandle: not available yet")); }

lumora::Picture ImageBox::Picture() const
{  throw EngineError(QStringLiteral("Picture: not available yet")); }

// Pages of a TIFF file (1 for other readable files, 0 when unreadable).
    int ImageBox::TiffPageCount(const QString& path) const
{ (void)path; throw EngineError(QStringLiteral("TiffPageCount: not available yet")); }

int ImageBox::TiffPage() const
{  throw EngineError(QStringLiteral("TiffPage: not available yet")); }

void ImageBox::SetTiffPage(int page)
{ (void)page; throw EngineError(QStringLiteral("SetTiffPage: not available yet")); }

std::uint32_t ImageBox::BackColor() const
{  throw EngineError(QStringLiteral("BackColor: not available yet")); }

void ImageBox::SetBackColor(std::uint32_t color)
{ (void)color; throw EngineError(QStringLiteral("SetBackColor: not available yet")); }

bool ImageBox::RotateResample() const
{  throw EngineError(QStringLiteral("RotateResample: not available yet")); }

void ImageBox::SetRotateResample(bool smooth)
{ (void)smooth; throw EngineError(QStringLiteral("SetRotateResample: not available yet")); }

void ImageBox::Flip(int direction)
{ (void)direction; throw EngineError(QStringLiteral("Flip: not available yet")); }

void ImageBox::Rotate(double degrees)
{ (void)degrees; throw EngineError(QStringLiteral("Rotate: not available yet")); }

void ImageBox::ResizeTo(int width, int height)
{ (void)width; (void)height; throw EngineError(QStringLiteral("ResizeTo: not available yet")); }

void ImageBox::ResampleTo(int width, int height)
{ (void)width; (void)height; throw EngineError(QStringLiteral("ResampleTo: not available yet")); }

void ImageBox::Scale(double percent)
{ (void)percent; throw EngineError(QStringLiteral("Scale: not available yet")); }

void ImageBox::Crop(int left, int top, int right, int bottom)
{ (void)left; (void)top; (void)right; (void)bottom; throw EngineError(QStringLiteral("Crop: not available yet")); }

void ImageBox::Blur(int n)
{ (void)n; throw EngineError(QStringLiteral("Blur: not available yet")); }

void ImageBox::Sharpen(int n)
{ (void)n; throw EngineError(QStringLiteral("Sharpen: not available yet")); }

void ImageBox::AdjustContrast(int n, bool red, bool green, bool blue)
{ (void)n; (void)red; (void)green; (void)blue; throw EngineError(QStringLiteral("AdjustContrast: not available yet")); }

void ImageBox::AdjustBrightness(int n, bool red, bool green, bool blue)
{ (void)n; (void)red; (void)green; (void)blue; throw EngineError(QStringLiteral("AdjustBrightness: not available yet")); }

void ImageBox::Negative()
{  throw EngineError(QStringLiteral("Negative: not available yet")); }

bool ImageBox::OverlayUseTransparentColor() const
{  throw EngineError(QStringLiteral("OverlayUseTransparentColor: not available yet")); }

void ImageBox::SetOverlayUseTransparentColor(bool use)
{ (void)use; throw EngineError(QStringLiteral("SetOverlayUseTransparentColor: not available yet")); }

std::uint32_t ImageBox::OverlayTransparentColor() const
{  throw EngineError(QStringLiteral("OverlayTransparentColor: not available yet")); }

void ImageBox::SetOverlayTransparentColor(std::uint32_t color)
{ (void)color; throw EngineError(QStringLiteral("SetOverlayTransparentColor: not available yet")); }

double ImageBox::OverlayTransparency() const
{  throw EngineError(QStringLiteral("OverlayTransparency: not available yet")); }

void ImageBox::SetOverlayTransparency(double percent)
{ (void)percent; throw EngineError(QStringLiteral("SetOverlayTransparency: not available yet")); }

int ImageBox::OverlayPlacement() const
{  throw EngineError(QStringLiteral("OverlayPlacement: not available yet")); }

void ImageBox::SetOverlayPlacement(int placement)
{ (void)placement; throw EngineError(QStringLiteral("SetOverlayPlacement: not available yet")); }

int ImageBox::OverlayX() const
{  throw EngineError(QStringLiteral("OverlayX: not available yet")); }

void ImageBox::SetOverlayX(int x)
{ (void)x; throw EngineError(QStringLiteral("SetOverlayX: not available yet")); }

int ImageBox::OverlayY() const
{  throw EngineError(QStringLiteral("OverlayY: not available yet")); }

void ImageBox::SetOverlayY(int y)
{ (void)y; throw EngineError(QStringLiteral("SetOverlayY: not available yet")); }

void ImageBox::OverlayFile(const QString& path)
{ (void)path; throw EngineError(QStringLiteral("OverlayFile: not available yet")); }

void ImageBox::OverlayPicture(const lumora::Picture& picture)
{ (void)picture; throw EngineError(QStringLiteral("OverlayPicture: not available yet")); }

TextFont ImageBox::Font() const
{  throw EngineError(QStringLiteral("Font: not available yet")); }

void ImageBox::SetFont(const TextFont& font)
{ (void)font; throw EngineError(QStringLiteral("SetFont: not available yet")); }

std::uint32_t ImageBox::TextColor() const
{  throw EngineError(QStringLiteral("TextColor: not available yet")); }

void ImageBox::SetTextColor(std::uint32_t color)
{ (void)color; throw EngineError(QStringLiteral("SetTextColor: not available yet")); }

std::uint32_t ImageBox::TextBackColor() const
{  throw EngineError(QStringLiteral("TextBackColor: not available yet")); }

void ImageBox::SetTextBackColor(std::uint32_t color)
{ (void)color; throw EngineError(QStringLiteral("SetTextBackColor: not available yet")); }

bool ImageBox::TextTransparent() const
{  throw EngineError(QStringLiteral("TextTransparent: not available yet")); }

void ImageBox::SetTextTransparent(bool transparent)
{ (void)transparent; throw EngineError(QStringLiteral("SetTextTransparent: not available yet")); }

bool ImageBox::TextAntiAlias() const
{  throw EngineError(QStringLiteral("TextAntiAlias: not available yet")); }

void ImageBox::SetTextAntiAlias(bool antiAlias)
{ (void)antiAlias; throw EngineError(QStringLiteral("SetTextAntiAlias: not available yet")); }

float ImageBox::TextAngle() const
{  throw EngineError(QStringLiteral("TextAngle: not available yet")); }

void ImageBox::SetTextAngle(float degrees)
{ (void)degrees; throw EngineError(QStringLiteral("SetTextAngle: not available yet")); }

int ImageBox::TextAlignment() const
{  throw EngineError(QStringLiteral("TextAlignment: not available yet")); }

void ImageBox::SetTextAlignment(int alignment)
{ (void)alignment; throw EngineError(QStringLiteral("SetTextAlignment: not available yet")); }

int ImageBox::TextWidth(const QString& text) const
{ (void)text; throw EngineError(QStringLiteral("TextWidth: not available yet")); }

int ImageBox::TextHeight(const QString& text) const
{ (void)text; throw EngineError(QStringLiteral("TextHeight: not available yet")); }

void ImageBox::DrawText(int x, int y, const QString& text)
{ (void)x; (void)y; (void)text; throw EngineError(QStringLiteral("DrawText: not available yet")); }

bool ImageBox::SelectionActive() const
{  throw EngineError(QStringLiteral("SelectionActive: not available yet")); }

void ImageBox::SetSelectionActive(bool active)
{ (void)active; throw EngineError(QStringLiteral("SetSelectionActive: not available yet")); }

void ImageBox::CropSelectionRect(int left, int top, int right, int bottom)
{ (void)left; (void)top; (void)right; (void)bottom; throw EngineError(QStringLiteral("CropSelectionRect: not available yet")); }

void ImageBox::CropSelectionEllipse(int left, int top, int right, int bottom)
{ (void)left; (void)top; (void)right; (void)bottom; throw EngineError(QStringLiteral("CropSelectionEllipse: not available yet")); }

void ImageBox::CropToSelection()
{  throw EngineError(QStringLiteral("CropToSelection: not available yet")); }

void ImageBox::CancelMouseTool()
{  throw EngineError(QStringLiteral("CancelMouseTool: not available yet")); }

void ImageBox::RemoveRedEye()
{  throw EngineError(QStringLiteral("RemoveRedEye: not available yet")); }

int ImageBox::Width() const
{  throw EngineError(QStringLiteral("Width: not available yet")); }

void ImageBox::SetWidth(int width)
{ (void)width; throw EngineError(QStringLiteral("SetWidth: not available yet")); }

int ImageBox::Height() const
{  throw EngineError(QStringLiteral("Height: not available yet")); }

void ImageBox::SetHeight(int height)
{ (void)height; throw EngineError(QStringLiteral("SetHeight: not available yet")); }

bool ImageBox::StretchToFit() const
{  throw EngineError(QStringLiteral("StretchToFit: not available yet")); }

void ImageBox::SetStretchToFit(bool stretch)
{ (void)stretch; throw EngineError(QStringLiteral("SetStretchToFit: not available yet")); }

double ImageBox::Zoom() const
{  throw EngineError(QStringLiteral("Zoom: not available yet")); }

void ImageBox::SetZoom(double percent)
{ (void)percent; throw EngineError(QStringLiteral("SetZoom: not available yet")); }

int ImageBox::ViewWidth() const
{  throw EngineError(QStringLiteral("ViewWidth: not available yet")); }

int ImageBox::ViewHeight() const
{  throw EngineError(QStringLiteral("ViewHeight: not available yet")); }

int ImageBox::JpegQuality() const
{  throw EngineError(QStringLiteral("JpegQuality: not available yet")); }

void ImageBox::SetJpegQuality(int quality)
{ (void)quality; throw EngineError(QStringLiteral("SetJpegQuality: not available yet")); }

bool ImageBox::JpegProgressive() const
{  throw EngineError(QStringLiteral("JpegProgressive: not available yet")); }

void ImageBox::SetJpegProgressive(bool progressive)
{ (void)progressive; throw EngineError(QStringLiteral("SetJpegProgressive: not available yet")); }

int ImageBox::SaveColorDepth() const
{  throw EngineError(QStringLiteral("SaveColorDepth: not available yet")); }

void ImageBox::SetSaveColorDepth(int code)
{ (void)code; throw EngineError(QStringLiteral("SetSaveColorDepth: not available yet")); }

int ImageBox::TiffCompression() const
{  throw EngineError(QStringLiteral("TiffCompression: not available yet")); }

void ImageBox::SetTiffCompression(int code)
{ (void)code; throw EngineError(QStringLiteral("SetTiffCompression: not available yet")); }

}  // namespace lumora
