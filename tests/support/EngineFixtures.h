#pragma once

#include "engine/ImageBox.h"
#include "support/TestImages.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace lumora::test {

// Runs a test once with a batch engine (lazy pipelines) and once with a view engine (computed
// after every operation): both must give the same pictures.
class EngineModes : public ::testing::TestWithParam<ImageBox::Mode> {
protected:
    ImageBox box{GetParam()};
    QTemporaryDir dir;

    QString path(const QString& name) const { return dir.filePath(name); }

    // Loads a picture the way photos arrive: through a file, so a batch engine streams it.
    void loadThroughFile(const Picture& picture, const QString& name = QStringLiteral("source.png"))
    {
        writePng(picture, path(name));
        box.LoadFromFile(path(name));
    }
};

#define LUMORA_BOTH_ENGINE_MODES(Suite)                                                                   \
    INSTANTIATE_TEST_SUITE_P(Modes, Suite, ::testing::Values(ImageBox::Mode::Batch, ImageBox::Mode::View), \
                             [](const auto& mode) { return mode.param == ImageBox::Mode::Batch ? "Batch" : "View"; })

inline constexpr std::uint32_t ole(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return OleColor::fromRgb(r, g, b);
}

}  // namespace lumora::test
