#include "core/Conversions.h"
#include "core/LumoraError.h"

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::convert;

TEST(Conversions, placeholder) { EXPECT_EQ(toInt16(QStringLiteral("2.5")), 2); }
