#include "shows/ShowRun.h"

#include "engine/ImageBox.h"

namespace lumora {

ShowRun::ShowRun(Packager packager, QObject* parent)
    : BackgroundRun(
          [this, packager = std::move(packager)](const Progress& progress,
                                                 std::stop_token stop) -> std::function<void()> {
              ShowResult result;
              {
                  ImageBox engine(ImageBox::Mode::Batch);
                  result = packager(engine, progress, stop);
              }
              return [this, result] { result_ = result; };
          },
          parent)
{
}

ShowRun::~ShowRun() { stopAndWait(); }

}  // namespace lumora
