#pragma once

#include "engine/Picture.h"

#include <QObject>
#include <QSize>
#include <QString>

#include <memory>

namespace lumora {

class ImageBasket;
template <typename Result>
class OrderedJobs;

// Makes the thumbnails of the entries already in an Image Basket again at a new thumbnail size,
// from each entry's processed file (the photo, or its page file), on worker threads; each new
// thumbnail replaces the entry's old one on the basket's thread, so the list never shows small
// thumbnails blown up. An entry that has gone meanwhile is passed over, and one whose file can no
// longer be read keeps the thumbnail it had. A new size replaces a remake under way.
class BasketThumbnailRemaker : public QObject {
    Q_OBJECT
public:
    explicit BasketThumbnailRemaker(ImageBasket& basket, QObject* parent = nullptr);
    // Stops a remake under way and waits for the thumbnails in progress.
    ~BasketThumbnailRemaker() override;

    void remake(QSize size);
    bool isRunning() const { return running_; }

Q_SIGNALS:
    void finished();

private:
    struct Made {
        QString tag;
        Picture thumbnail;
    };

    ImageBasket& basket_;
    std::unique_ptr<OrderedJobs<Made>> jobs_;
    bool running_ = false;
};

}  // namespace lumora
