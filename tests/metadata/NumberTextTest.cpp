// The number text of the metadata pane: fifteen significant digits, the plain form between 1E-4
// and 1E15, never a trailing zero or a "-0", and independent of the locale.

#include "core/LumoraError.h"
#include "metadata/NumberText.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

using namespace lumora;
using lumora::modMetadata::NumberText;

TEST(NumberText, PlainFormWithinTheUsualMagnitudes)
{
    const std::pair<double, const char*> cases[] = {
        {250.0, "250"},
        {0.1, "0.1"},
        {-2.5, "-2.5"},
        {2.8, "2.8"},
        {1.0 / 3.0, "0.333333333333333"},
        {2.0 / 3.0, "0.666666666666667"},
        {0.1 + 0.2, "0.3"},  // the binary error is below the fifteenth digit
        {0.0001, "0.0001"},
        {123456789012345.0, "123456789012345"},
        {100000.0, "100000"},
        {-0.004, "-0.004"},
        {0.0, "0"},
        {-0.0, "0"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(NumberText(value), QString::fromLatin1(text)) << value;
}

TEST(NumberText, ScientificFormBelow1EMinus4AndFrom1E15)
{
    const std::pair<double, const char*> cases[] = {
        {0.00001, "1E-05"},
        {-0.000015, "-1.5E-05"},
        {1e15, "1E+15"},
        {1234567890123456.0, "1.23456789012346E+15"},
        {999999999999999.9, "1E+15"},  // rounding to 15 digits carries into the exponent
        {1e300, "1E+300"},
        {2.5e-200, "2.5E-200"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(NumberText(value), QString::fromLatin1(text)) << value;
}

TEST(NumberText, DoesNotFollowTheLocale)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(NumberText(1234.5), "1234.5");
    QLocale::setDefault(previous);
}

TEST(NumberText, ValuesThatAreNotFiniteOverflow)
{
    for (const double value : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                               std::numeric_limits<double>::quiet_NaN()}) {
        try {
            NumberText(value);
            ADD_FAILURE() << "no error for " << value;
        } catch (const LumoraError& e) {
            EXPECT_EQ(e.number(), errnum::Overflow);
        }
    }
}
