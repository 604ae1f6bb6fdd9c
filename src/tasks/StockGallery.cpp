#include "tasks/StockGallery.h"

#include "core/LumoraError.h"
#include "engine/ImageBox.h"

#include <QFile>

namespace lumora {
namespace {

constexpr int kControlArrayElementMissing = 340;

[[noreturn]] void missing(const QString& what)
{
    throw LumoraError(kControlArrayElementMissing, QStringLiteral("There is no %1 in the gallery").arg(what));
}

}  // namespace

const StockGallery& StockGallery::instance()
{
    static const StockGallery gallery;
    return gallery;
}

QString StockGallery::piecePath(int style, FramePiece piece)
{
    static const char* const names[] = {"top_left", "top_middle", "top_right", "left",
                                        "right", "bottom_left", "bottom_middle", "bottom_right"};
    return QStringLiteral(":/gallery/frames/style%1/%2.png")
        .arg(style, 2, 10, QLatin1Char('0'))
        .arg(QLatin1String(names[static_cast<int>(piece)]));
}

QString StockGallery::ornamentPath(Ornament ornament)
{
    static const char* const names[] = {"left_top", "right_top", "left_bottom", "right_bottom"};
    return QStringLiteral(":/gallery/ornaments/%1.png").arg(QLatin1String(names[static_cast<int>(ornament)]));
}

QString StockGallery::maskPath(int number) { return QStringLiteral(":/gallery/masks/mask%1.png").arg(number); }

Picture StockGallery::piece(int style, FramePiece which) const
{
    if (style < 0 || style >= StyleCount)
        missing(QStringLiteral("frame style %1").arg(style));
    return load(piecePath(style, which));
}

Picture StockGallery::ornament(Ornament which) const { return load(ornamentPath(which)); }

Picture StockGallery::mask(int number) const
{
    if (number < 0 || number >= MaskCount)
        missing(QStringLiteral("mask %1").arg(number));
    return load(maskPath(number));
}

Picture StockGallery::load(const QString& path) const
{
    std::lock_guard lock(mutex_);
    if (auto it = cache_.constFind(path); it != cache_.constEnd())
        return *it;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        missing(path);
    ImageBox decoder;
    decoder.LoadFromMemory(4, file.readAll());
    const Picture picture = decoder.Picture();
    cache_.insert(path, picture);
    return picture;
}

}  // namespace lumora
