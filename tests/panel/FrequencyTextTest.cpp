#include "panel/FrequencyText.h"

#include <gtest/gtest.h>

using vm::FrequencyText;

TEST(FrequencyText, DisplayPatternFillsFromTheRight)
{
    EXPECT_EQ(FrequencyText::display(1296123456), "1296.123.456");
    EXPECT_EQ(FrequencyText::display(29400000), "  29.400.000");
    EXPECT_EQ(FrequencyText::display(0), "    .   .  0");
}

TEST(FrequencyText, DisplayRoundsToWholeHertzAndKeepsExtraDigits)
{
    EXPECT_EQ(FrequencyText::display(145950000.6), " 145.950.001");
    EXPECT_EQ(FrequencyText::display(10368123456.0), "10368.123.456");
}

TEST(FrequencyText, DecimalAndOneDecimal)
{
    EXPECT_EQ(FrequencyText::decimal(-1230), "-1230");
    EXPECT_EQ(FrequencyText::decimal(12.5), "12.5");
    EXPECT_EQ(FrequencyText::oneDecimal(-1.5), "-1.5");
    EXPECT_EQ(FrequencyText::oneDecimal(-0.0), "0.0");
}

TEST(FrequencyText, ParseRejectsText)
{
    double v = 7;
    EXPECT_TRUE(FrequencyText::parse(" 435123456 ", &v));
    EXPECT_EQ(v, 435123456.0);
    EXPECT_FALSE(FrequencyText::parse("43x", &v));
    EXPECT_FALSE(FrequencyText::parse(QString(), &v));
    EXPECT_FALSE(FrequencyText::parse("nan", &v));
}

TEST(FrequencyText, ScaleLabelsWriteTheMegahertzWhereAsked)
{
    EXPECT_EQ(FrequencyText::scaleLabel(145925, true), QStringLiteral("145.925"));
    EXPECT_EQ(FrequencyText::scaleLabel(145925, false), QStringLiteral("925"));
    EXPECT_EQ(FrequencyText::scaleLabel(146005, false), QStringLiteral("005"));
    EXPECT_EQ(FrequencyText::scaleLabel(146000, true), QStringLiteral("146.000"));
}
