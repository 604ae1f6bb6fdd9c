#include "album/AlbumRun.h"

namespace lumora {

AlbumRun::AlbumRun(AlbumJob job, QObject* parent)
    : BackgroundRun(
          [this, job = std::move(job)](const Progress& progress, std::stop_token stop) -> std::function<void()> {
              AlbumResult result = fncGenerateAlbum(job, progress, stop);
              return [this, result] { result_ = result; };
          },
          parent)
{
}

AlbumRun::~AlbumRun() { stopAndWait(); }

}  // namespace lumora
