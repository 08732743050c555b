#include "platform/Language.h"

#include <gtest/gtest.h>

using vm::UiLanguage;

TEST(Language, ChoiceThenLocale)
{
    struct Case { const char *choice, *locale; UiLanguage want; };
    for (const Case &c :
         {Case{"ja", "en_GB", UiLanguage::Japanese}, Case{"en", "ja_JP", UiLanguage::English},
          Case{"auto", "ja_JP", UiLanguage::Japanese}, Case{"auto", "de_DE", UiLanguage::English},
          Case{"", "ja", UiLanguage::Japanese}, Case{"fr", "C", UiLanguage::English}})
        EXPECT_EQ(vm::resolveLanguage(c.choice, c.locale), c.want) << c.choice << " " << c.locale;
}

TEST(Language, LangOptionIsTakenOutOfTheArguments)
{
    QStringList args{"-R", "--lang", "ja", "/z", "--lang=en"};
    EXPECT_EQ(vm::takeLanguageOption(args), "en");
    EXPECT_EQ(args, QStringList({"-R", "/z"}));
    EXPECT_EQ(vm::takeLanguageOption(args), "");
}
