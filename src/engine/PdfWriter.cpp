#include "engine/PdfWriter.h"

#include "engine/VipsBridge.h"

#include <QString>

#include <cairo-pdf.h>
#include <cairo.h>

#include <memory>

namespace lumora {

namespace {

// cairo keeps image sizes in 16-bit signed numbers.
constexpr int kMaxSide = 32767;

struct SurfaceFree {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextFree {
    void operator()(cairo_t* c) const { cairo_destroy(c); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceFree>;

cairo_status_t append(void* closure, const unsigned char* data, unsigned int length)
{
    static_cast<QByteArray*>(closure)->append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length));
    return CAIRO_STATUS_SUCCESS;
}

[[noreturn]] void failWith(cairo_status_t status)
{
    vipsbridge::fail("SaveToFile", QStringLiteral("the PDF writer failed: %1").arg(QString::fromUtf8(cairo_status_to_string(status))));
}

// An image surface the caller fills row by row through `pixel(x, y)`, which returns cairo's native
// 0xAARRGGBB (premultiplied).
template <typename Pixel>
Surface imageSurface(int width, int height, bool alpha, Pixel&& pixel)
{
    if (width > kMaxSide || height > kMaxSide)
        vipsbridge::fail("SaveToFile", QStringLiteral("the image is too large for a PDF page"));
    Surface surface(cairo_image_surface_create(alpha ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24, width, height));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        failWith(cairo_surface_status(surface.get()));
    cairo_surface_flush(surface.get());
    unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<size_t>(y) * static_cast<size_t>(stride));
        for (int x = 0; x < width; ++x)
            row[x] = pixel(x, y);
    }
    cairo_surface_mark_dirty(surface.get());
    return surface;
}

struct Page {
    Surface image;
    int width = 0;
    int height = 0;
};

QByteArray placeOnPages(const std::vector<Page>& pages)
{
    QByteArray bytes;
    if (pages.empty())
        vipsbridge::fail("SaveToFile", QStringLiteral("a PDF needs at least one page"));
    {
        // One point per pixel: each page is exactly its image.
        Surface pdf(cairo_pdf_surface_create_for_stream(append, &bytes, pages.front().width, pages.front().height));
        if (cairo_surface_status(pdf.get()) != CAIRO_STATUS_SUCCESS)
            failWith(cairo_surface_status(pdf.get()));
        cairo_pdf_surface_set_metadata(pdf.get(), CAIRO_PDF_METADATA_CREATOR, "Lumora");
        std::unique_ptr<cairo_t, ContextFree> cr(cairo_create(pdf.get()));
        for (const Page& page : pages) {
            cairo_pdf_surface_set_size(pdf.get(), page.width, page.height);
            cairo_set_source_surface(cr.get(), page.image.get(), 0, 0);
            cairo_paint(cr.get());
            cairo_show_page(cr.get());
            if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS)
                failWith(cairo_status(cr.get()));
        }
        cr.reset();
        cairo_surface_finish(pdf.get());
        if (cairo_surface_status(pdf.get()) != CAIRO_STATUS_SUCCESS)
            failWith(cairo_surface_status(pdf.get()));
    }
    return bytes;
}

Page trueColourPage(const std::vector<std::uint8_t>& pixels, int width, int height, int bands)
{
    const bool alpha = bands == 4;
    Surface image = imageSurface(width, height, alpha, [&](int x, int y) {
        const std::uint8_t* p =
            pixels.data() + (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * size_t(bands);
        if (!alpha)
            return 0xFF000000u | (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2];
        const std::uint32_t a = p[3];
        const auto pre = [a](std::uint32_t c) { return (c * a + 127) / 255; };
        return (a << 24) | (pre(p[0]) << 16) | (pre(p[1]) << 8) | pre(p[2]);
    });
    return {std::move(image), width, height};
}

Page indexedPage(const IndexedImage& image)
{
    std::vector<std::uint32_t> colours;
    for (const Rgb c : image.palette)
        colours.push_back(0xFF000000u | (std::uint32_t(c.r) << 16) | (std::uint32_t(c.g) << 8) | c.b);
    Surface surface = imageSurface(image.width, image.height, false, [&](int x, int y) { return colours[image.at(x, y)]; });
    return {std::move(surface), image.width, image.height};
}

}  // namespace

QByteArray PdfWriter::trueColour(const std::vector<std::uint8_t>& pixels, int width, int height, int bands)
{
    Pages pages;
    pages.addTrueColour(pixels, width, height, bands);
    return pages.document();
}

QByteArray PdfWriter::indexed(const IndexedImage& image)
{
    Pages pages;
    pages.addIndexed(image);
    return pages.document();
}

struct PdfWriter::Pages::Impl {
    std::vector<Page> pages;
};

PdfWriter::Pages::Pages() : d(std::make_unique<Impl>()) {}
PdfWriter::Pages::~Pages() = default;

void PdfWriter::Pages::addTrueColour(const std::vector<std::uint8_t>& pixels, int width, int height, int bands)
{
    d->pages.push_back(trueColourPage(pixels, width, height, bands));
}

void PdfWriter::Pages::addIndexed(const IndexedImage& image) { d->pages.push_back(indexedPage(image)); }

QByteArray PdfWriter::Pages::document() const { return placeOnPages(d->pages); }

}  // namespace lumora
