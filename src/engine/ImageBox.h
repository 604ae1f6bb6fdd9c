#pragma once

#include "engine/EngineSettings.h"
#include "engine/IptcField.h"
#include "engine/Picture.h"
#include "engine/TextFont.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <cstdint>
#include <memory>

namespace lumora {

// The image engine: holds one image (8-bit sRGB, three bands, plus alpha where the source has
// one) and performs every pixel operation, encoder and view computation on it.
//
// Each operation replaces the held image. A batch engine keeps the work as a lazy pipeline that
// runs when the image is saved or read, so a photo streams through load, edits and encoder in
// one pass; a view engine computes the image after every operation, so that snapshots, pixel
// reads and repaints are cheap.
//
// Failures throw EngineError. Settings (colours, overlay, text, view, save options) persist
// from one operation and one image to the next until they are changed.
//
// Colours are OLE colours (0x00BBGGRR).
class ImageBox {
public:
    enum class Mode { Batch, View };

    explicit ImageBox(Mode mode = Mode::Batch);
    ~ImageBox();
    ImageBox(const ImageBox&) = delete;
    ImageBox& operator=(const ImageBox&) = delete;

    Mode mode() const;

    // --- the image ------------------------------------------------------------------------
    // Reads JPEG, PNG, TIFF (page TiffPage()), GIF, BMP, PSD and PCX. jpegShrink 2, 4 or 8 has
    // a JPEG decoded at that fraction of its size, each side rounded up.
    void LoadFromFile(const QString& path, int jpegShrink = 1);
    // Writes the format named by the extension: jpg/jpeg, png, tif/tiff, bmp. The file appears
    // complete or not at all. JPEG, TIFF and PSD files carry the engine's EXIF and IPTC.
    void SaveToFile(const QString& path);
    // Adds the image as the last page of an existing multi-page TIFF or PDF file, written with the
    // save options as SaveToFile would write it. The file is replaced whole or not at all: a file
    // that is missing, of another kind or cannot be written throws EngineError and stays as it
    // was. The text and number are reserved for per-page options the engine does not offer: pass
    // "" and 0.
    void AppendTiffPage(const QString& path, const QString& reservedText = {}, int reservedNumber = 0);
    void AppendPdfPage(const QString& path, const QString& reservedText = {}, int reservedNumber = 0);
    void ClearImage();
    // Shares the other engine's image with this one: pixels, depth, EXIF, IPTC and XMP, without a
    // copy of the pixels (operations never change an image in place, they make a new one). This
    // engine keeps its own settings. A batch engine whose photo is still to be decoded from its
    // file top to bottom cannot share it until it has been computed (a save or a pixel read);
    // EngineError. Two threads may copy from one engine at once; nothing else may run on it then.
    void CopyImageFrom(const ImageBox& other);
    bool HasImage() const;
    int ImageWidth() const;
    int ImageHeight() const;
    // Bits per pixel of the image as it was loaded: 1, 8, 24 or 32.
    int ImageDepth() const;

    QString Tag() const;
    void SetTag(const QString& tag);

    // Every setting the engine keeps between operations and images (EngineSettings.h), as one
    // value. SetSettings does no checks of its own: the value comes from another engine.
    const EngineSettings& Settings() const;
    void SetSettings(const EngineSettings& settings);

    // OLE colour of the pixel at (x, y); EngineError outside the image.
    std::uint32_t PixelColor(int x, int y) const;

    // The format code of a snapshot of the whole image: pixels, depth and metadata, restored
    // exactly by LoadFromMemory(SnapshotFormat, snapshot).
    static constexpr int SnapshotFormat = 7;
    QByteArray SaveToMemory(int format) const;
    void LoadFromMemory(int format, const QByteArray& data);

    // Replaces the image by a copy of the picture.
    void SetBitmapHandle(const lumora::Picture& picture);
    // The image as a picture.
    lumora::Picture Picture() const;

    // Pages of a TIFF file: 1 for any other picture Lumora can read, 0 for anything else.
    int TiffPageCount(const QString& path) const;
    int TiffPage() const;  // 1-based page read by the next LoadFromFile
    void SetTiffPage(int page);

    // --- geometry and filters -------------------------------------------------------------
    std::uint32_t BackColor() const;
    void SetBackColor(std::uint32_t color);
    bool RotateResample() const;
    void SetRotateResample(bool smooth);

    // 0 mirrors left-right, 1 mirrors top-bottom.
    void Flip(int direction);
    // Positive degrees turn clockwise; the canvas grows to hold the whole image, the uncovered
    // corners take BackColor. Bilinear when RotateResample, else nearest neighbour.
    void Rotate(double degrees);
    // Fast resize (bilinear) to exactly w x h.
    void ResizeTo(int width, int height);
    // High-quality resize (Lanczos) to exactly w x h.
    void ResampleTo(int width, int height);
    // High-quality resize to percent of the current size.
    void Scale(double percent);
    // The image becomes (right - left) x (bottom - top) with the old pixel (0, 0) at
    // (-left, -top); area outside the old image takes BackColor.
    void Crop(int left, int top, int right, int bottom);
    // Gaussian blur, sigma = 0.5 n.
    void Blur(int n);
    // Unsharp mask whose strength grows with n.
    void Sharpen(int n);
    // n = 50 leaves the image unchanged, 0 and 100 are the extremes; only flagged channels change.
    void AdjustContrast(int n, bool red, bool green, bool blue);
    void AdjustBrightness(int n, bool red, bool green, bool blue);
    void Negative();

    // --- overlay --------------------------------------------------------------------------
    bool OverlayUseTransparentColor() const;
    void SetOverlayUseTransparentColor(bool use);
    std::uint32_t OverlayTransparentColor() const;
    void SetOverlayTransparentColor(std::uint32_t color);
    double OverlayTransparency() const;  // percent; opacity = 100 - transparency
    void SetOverlayTransparency(double percent);
    int OverlayPlacement() const;  // 0 centre, 1 at (OverlayX, OverlayY), 2 tiled, 3 stretched
    void SetOverlayPlacement(int placement);
    int OverlayX() const;
    void SetOverlayX(int x);
    int OverlayY() const;
    void SetOverlayY(int y);

    void OverlayFile(const QString& path);
    void OverlayPicture(const lumora::Picture& picture);

    // --- text -----------------------------------------------------------------------------
    TextFont Font() const;
    void SetFont(const TextFont& font);
    std::uint32_t TextColor() const;
    void SetTextColor(std::uint32_t color);
    std::uint32_t TextBackColor() const;
    void SetTextBackColor(std::uint32_t color);
    bool TextTransparent() const;
    void SetTextTransparent(bool transparent);
    bool TextAntiAlias() const;
    void SetTextAntiAlias(bool antiAlias);
    float TextAngle() const;  // counter-clockwise degrees about the anchor
    void SetTextAngle(float degrees);
    int TextAlignment() const;  // anchor at the text's 0 left edge, 1 centre, 2 right edge
    void SetTextAlignment(int alignment);

    // Unrotated extents of a text in the current font.
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;
    // Draws the text with its anchor at (x, y): y is the top of the text, x the edge or centre
    // that TextAlignment names; TextAngle turns it about the anchor.
    void DrawText(int x, int y, const QString& text);

    // --- selection ------------------------------------------------------------------------
    bool SelectionActive() const;
    void SetSelectionActive(bool active);
    void CropSelectionRect(int left, int top, int right, int bottom);
    void CropSelectionEllipse(int left, int top, int right, int bottom);
    // Crops to the active selection; an elliptical selection fills the outside with BackColor.
    void CropToSelection();
    void CancelMouseTool();
    // Takes the red cast out of the pupils inside the active selection.
    void RemoveRedEye();

    // --- view geometry --------------------------------------------------------------------
    int Width() const;  // the view box
    void SetWidth(int width);
    int Height() const;
    void SetHeight(int height);
    bool StretchToFit() const;
    void SetStretchToFit(bool stretch);
    double Zoom() const;  // percent
    void SetZoom(double percent);
    // The image as shown: fitted into the box (never enlarged) when StretchToFit, else zoomed.
    int ViewWidth() const;
    int ViewHeight() const;

    // --- save options ---------------------------------------------------------------------
    int JpegQuality() const;
    void SetJpegQuality(int quality);  // 1..100
    bool JpegProgressive() const;
    void SetJpegProgressive(bool progressive);
    int SaveColorDepth() const;  // 0 "24 bit (true color)" .. 6 "Monochrome B/W"
    void SetSaveColorDepth(int code);
    int TiffCompression() const;  // 0 none, 1 PackBits, 2 CCITT Group 4
    void SetTiffCompression(int code);
    // GIF: LZW compressed (the default), else the codes are stored without compression.
    bool GifLzw() const;
    void SetGifLzw(bool lzw);
    // GIF and PNG: the pixels of exactly BackColor become transparent (off by default).
    bool SaveTransparent() const;
    void SetSaveTransparent(bool transparent);
    // The size in bytes of the file SaveToFile would write now in that format (0 BMP, 1 GIF, 2 JPG,
    // 3 PCX, 4 PNG, 5 WBMP, 6 PSD, 7 TIF, 8 PDF) with the current save options; nothing is written.
    qint64 EstimatedFileSize(int formatCode) const;

    // --- EXIF -----------------------------------------------------------------------------
    // The EXIF attributes of the image as loaded (JPEG, TIFF, PSD, PNG), later edits included:
    // those of IFD0, the Exif IFD, the GPS IFD and the interoperability IFD, in file order, under
    // their bare tag names ("Make", "ExposureTime", "GPSLatitude"; the pointers are "ExifOffset",
    // "GPSInfo" and "InteroperabilityOffset"). Values as text: ASCII without trailing NULs,
    // integers in decimal, rationals "n/d", several values joined with ",", undefined bytes as
    // two-digit hexadecimal pairs joined with "," ("30,32,32,30"), the maker note as a short
    // placeholder. Indexes start at 0; an index outside the list gives an empty text.
    int ExifCount() const;
    QString ExifNameAt(int index) const;
    QString ExifValueAt(int index) const;
    // The value of the first attribute of that name; empty when there is none.
    QString ExifValueByName(const QString& name) const;
    // Writes one of the editable attributes (Make, Model, DateTime, ImageDescription, Artist,
    // Copyright, DateTimeOriginal, DateTimeDigitized, UserComment, PixelXDimension,
    // PixelYDimension) or Software, with its proper EXIF type and place; replaces the attribute
    // when present. False, and nothing changed, for any other name or a value the type cannot
    // hold (a dimension that is not a whole number).
    bool SetExifAttribute(const QString& name, const QString& value);
    // Removes every attribute of that name; false when there was none.
    bool DeleteExifAttribute(const QString& name);
    void ClearExif();
    // "YYYY:MM:DD HH:MM:SS" to a date and time, and back; a text that is not such a date gives
    // the zero date (ZeroDate()).
    static QDateTime ExifDateToDate(const QString& text);
    static QString DateToExifDate(const QDateTime& date);
    // The empty date: 30 December 1899, 00:00:00.
    static QDateTime ZeroDate();

    // --- IPTC -----------------------------------------------------------------------------
    // One property per field of IptcField. Text is stored as UTF-8 with the IIM UTF-8 marker;
    // read back, text without the marker is taken as UTF-8 where valid, else Windows-1252.
    QString IptcText(IptcField field) const;  // text fields; "" when absent
    void SetIptcText(IptcField field, const QString& text);  // "" removes the field
    // Date fields (Date Created, Date Released, Reference Date: the date part; Time Released,
    // Time Created: the time part). The zero date when absent; setting the zero date removes it.
    QDateTime IptcDate(IptcField field) const;
    void SetIptcDate(IptcField field, const QDateTime& date);
    int KeywordCount() const;
    QString Keyword(int index) const;
    void ClearKeywords();
    void AddKeyword(const QString& keyword);
    int SupplementalCategoryCount() const;
    QString SupplementalCategory(int index) const;
    void ClearSupplementalCategories();
    void AddSupplementalCategory(const QString& category);
    int IptcUrgency() const;  // 0 when absent
    void SetIptcUrgency(int urgency);  // 0 removes it; 1..8 otherwise
    bool HasIptc() const;
    void ClearIptc();
    // IPTC File Info files (.ffo): the raw IIM datasets of records 1 and 2, as they stand inside
    // an image. Loading replaces the engine's IPTC; a file that is not IIM throws EngineError.
    void LoadIptcFromFile(const QString& path);
    void SaveIptcToFile(const QString& path);

    // Stores the engine's EXIF, IPTC and XMP into that JPEG, TIFF or PSD file (told by its content)
    // without touching its image data. The file is replaced whole or not at all; a missing or
    // read-only file, or one of another format, throws.
    void WriteMetadataToFile(const QString& path);
    // Replaces the engine's EXIF, IPTC and XMP by what the file holds now, keeping the image:
    // for a photo whose metadata was written since it was loaded. A file without metadata (or
    // none at all) leaves the engine without.
    void LoadMetadataFromFile(const QString& path);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

}  // namespace lumora
