#include "basket/BasketThumbnailRemaker.h"

#include "basket/ImageBasket.h"
#include "imageio/LoadPic.h"
#include "work/OrderedJobs.h"

#include <QStringList>
#include <QThread>

#include <algorithm>

namespace lumora {

BasketThumbnailRemaker::BasketThumbnailRemaker(ImageBasket& basket, QObject* parent) : QObject(parent), basket_(basket)
{
}

BasketThumbnailRemaker::~BasketThumbnailRemaker() = default;

void BasketThumbnailRemaker::remake(QSize size)
{
    jobs_.reset();  // the remake at the old size: its thumbnails in progress finish unseen
    running_ = false;
    QStringList tags;
    for (const BasketEntry& entry : basket_.entries())
        tags.append(entry.tag);
    if (tags.isEmpty() || size.isEmpty())
        return;

    running_ = true;
    jobs_ = std::make_unique<OrderedJobs<Made>>(OrderedJobs<Made>::Setup{
        .count = static_cast<int>(tags.size()),
        .workers = std::clamp(QThread::idealThreadCount(), 1, 4),
        .work =
            [tags, size](int index, int, const std::stop_token&) {
                const QString& tag = tags[index];
                try {
                    // Drawn on white at the exact box size, as the entries were made.
                    return Made{tag, LoadPic(tag, FixedBox, size.width(), size.height(), 0xFFFFFF)};
                } catch (...) {
                    return Made{tag, Picture()};  // the old thumbnail stays
                }
            },
        .deliver =
            [this](int, std::vector<Made>&& made) {
                for (const Made& one : made) {
                    if (!one.thumbnail.isNull())
                        basket_.setThumbnail(one.tag, one.thumbnail);
                }
            },
        .receiver = this,
        .finished =
            [this] {
                running_ = false;
                Q_EMIT finished();
            },
        .yieldToWindow = true,
    });
    jobs_->start();
}

}  // namespace lumora
