#pragma once

#include "album/AlbumGenerator.h"
#include "work/BackgroundRun.h"

namespace lumora {

// One web album written in the background (fncGenerateAlbum on a thread of its own), so that the
// window stays responsive while the pictures are made. progress() tells the status caption
// ("Loading Template...", "Working with - " + name) and the entries done; cancel() lets the page
// in progress finish and the index list the pages done.
class AlbumRun : public BackgroundRun {
    Q_OBJECT

public:
    explicit AlbumRun(AlbumJob job, QObject* parent = nullptr);
    ~AlbumRun() override;

    // After finished().
    const AlbumResult& result() const { return result_; }

private:
    AlbumResult result_;
};

}  // namespace lumora
