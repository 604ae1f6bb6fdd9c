#pragma once

#include "shows/modScreensaver.h"
#include "work/BackgroundRun.h"

#include <functional>
#include <stop_token>

namespace lumora {

class ImageBox;

// One show package written in the background (a packager of modScreensaver on a thread of its
// own, with an engine of its own), so that the window and its status window stay responsive.
// cancel() lets the picture in progress finish and closes the package with the pictures done.
class ShowRun : public BackgroundRun {
    Q_OBJECT

public:
    // What the thread runs: a packager called with the run's engine, progress and stop token.
    using Packager = std::function<ShowResult(ImageBox& engine, const ShowProgressCallback& progress,
                                              std::stop_token stop)>;

    explicit ShowRun(Packager packager, QObject* parent = nullptr);
    ~ShowRun() override;

    // After finished().
    const ShowResult& result() const { return result_; }

private:
    ShowResult result_;
};

}  // namespace lumora
