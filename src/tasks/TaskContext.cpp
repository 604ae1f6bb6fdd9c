#include "tasks/TaskContext.h"

#include "core/Conversions.h"
#include "engine/ImageBox.h"

namespace lumora {

TaskContext::TaskContext(ImageBox& e, const Gallery& g) : engine(e), gallery(g) {}

TaskContext::~TaskContext() = default;

ImageBox& TaskContext::spare()
{
    if (!spare_)
        spare_ = std::make_unique<ImageBox>();
    return *spare_;
}

namespace taskslot {

std::uint32_t colour(const QString& text) { return static_cast<std::uint32_t>(convert::toInt32(text)); }

double divided(double numerator, int denominator)
{
    constexpr int DivisionByZero = 11;
    if (denominator == 0)
        throw LumoraError(DivisionByZero, QStringLiteral("Division by zero"));
    return numerator / denominator;
}

std::int32_t sum32(qint64 a, qint64 b) { return convert::toInt32(static_cast<double>(a + b)); }

}  // namespace taskslot

}  // namespace lumora
