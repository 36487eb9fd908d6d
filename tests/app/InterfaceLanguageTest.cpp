// Which language the editor speaks: the option, the menu's choice, a
// dictionary beside the program, the desktop's locale, in that order; and
// Qt's own dialogs in Portuguese when the interface is.
#include <QAccessible>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTranslator>
#include <cstdlib>

#include "EditorFixture.h"
#include "InterfaceLanguage.h"

namespace {
using L = InterfaceLanguage;

L Desktop(const char* lcAll, const char* lcMessages, const char* lang, const char* language = "") {
  return LanguageOfLocale({lcAll, lcMessages, lang, language});
}

// Sets the locale variables for one test and puts them back.
struct LocaleEnvironment {
  const char* names[4] = {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"};
  std::string saved[4];
  bool had[4] = {};
  LocaleEnvironment(const char* lang) {
    for (int i = 0; i < 4; ++i) {
      if (const char* v = std::getenv(names[i])) saved[i] = v, had[i] = true;
      unsetenv(names[i]);
    }
    if (lang) setenv("LANG", lang, 1);
  }
  ~LocaleEnvironment() {
    for (int i = 0; i < 4; ++i) {
      if (had[i])
        setenv(names[i], saved[i].c_str(), 1);
      else
        unsetenv(names[i]);
    }
  }
};
}  // namespace

TEST(InterfaceLanguageRule, TheDesktopsLocaleNamesALanguage) {
  // Portuguese in any country and writing.
  EXPECT_EQ(Desktop("", "", "pt_BR.UTF-8"), L::Portuguese);
  EXPECT_EQ(Desktop("", "", "pt_PT@euro"), L::Portuguese);
  EXPECT_EQ(Desktop("", "", "pt"), L::Portuguese);
  // Any other language set: English.
  EXPECT_EQ(Desktop("", "", "en_US.UTF-8"), L::English);
  EXPECT_EQ(Desktop("", "", "de_DE.UTF-8"), L::English);
  EXPECT_EQ(Desktop("", "", "ptx_XX"), L::English) << "only the language part counts, whole";
  // No language: the program's own.
  EXPECT_EQ(Desktop("", "", ""), L::Default);
  EXPECT_EQ(Desktop("", "", "C"), L::Default);
  EXPECT_EQ(Desktop("", "", "C.UTF-8"), L::Default);
  EXPECT_EQ(Desktop("", "", "POSIX"), L::Default);
  // LC_ALL over LC_MESSAGES over LANG.
  EXPECT_EQ(Desktop("en_GB.UTF-8", "pt_BR.UTF-8", "pt_BR.UTF-8"), L::English);
  EXPECT_EQ(Desktop("", "pt_BR.UTF-8", "en_US.UTF-8"), L::Portuguese);
  EXPECT_EQ(Desktop("C", "", "pt_BR.UTF-8"), L::Default);
  // LANGUAGE's first choice counts only under a locale that is set.
  EXPECT_EQ(Desktop("", "", "en_US.UTF-8", "pt_BR:en"), L::Portuguese);
  EXPECT_EQ(Desktop("", "", "pt_BR.UTF-8", "fr:pt"), L::English);
  EXPECT_EQ(Desktop("", "", "C", "pt_BR"), L::Default);
}

TEST(InterfaceLanguageRule, OptionOverMenuOverDictionaryOverDesktop) {
  for (L desktop : {L::Default, L::Portuguese, L::English}) {
    for (bool dictionary : {false, true}) {
      EXPECT_EQ(DecideInterfaceLanguage(L::English, L::Portuguese, dictionary, desktop), L::English);
      EXPECT_EQ(DecideInterfaceLanguage(L::Portuguese, L::English, dictionary, desktop), L::Portuguese);
      EXPECT_EQ(DecideInterfaceLanguage(L::Default, L::Portuguese, dictionary, desktop), L::Portuguese);
      EXPECT_EQ(DecideInterfaceLanguage(L::Default, L::English, dictionary, desktop), L::English);
    }
    // A dictionary beside the program keeps its English whatever the desktop says.
    EXPECT_EQ(DecideInterfaceLanguage(L::Default, L::Default, true, desktop), L::Default);
  }
  EXPECT_EQ(DecideInterfaceLanguage(L::Default, L::Default, false, L::English), L::English);
  EXPECT_EQ(DecideInterfaceLanguage(L::Default, L::Default, false, L::Portuguese), L::Portuguese);
  EXPECT_EQ(DecideInterfaceLanguage(L::Default, L::Default, false, L::Default), L::Default);
}

struct LanguageAtStart : EditorFixture {
  void TearDown() override {
    for (QTranslator* t : qApp->findChildren<QTranslator*>()) delete t;  // Qt's texts back to English
    EditorFixture::TearDown();
  }
  static QString CancelText() {
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    return box.button(QDialogButtonBox::Cancel)->text();
  }
};

// Started under an English desktop with no choice made, the window speaks
// English; the menu's remembered Portuguese wins over the desktop, and the
// option over both. Under a Portuguese desktop Qt's own buttons are
// Portuguese too.
TEST_F(LanguageAtStart, AnEnglishDesktopGetsEnglishUnlessTheUserChoseOtherwise) {
  {
    LocaleEnvironment english("en_US.UTF-8");
    ApplyInterfaceLanguage(L::Default);
    EXPECT_FALSE(LoadQtTranslations());
    auto& w = Open();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(ViewOf(w))->text(QAccessible::Name), "3D view");
    EXPECT_EQ(Child<QLabel>(w, "Label5")->text(), "Bevel:");
    EXPECT_EQ(CancelText(), "Cancel");
    window.reset();
    FreeDictionary();

    RememberLanguage(L::Portuguese);
    ApplyInterfaceLanguage(L::Default);
    EXPECT_EQ(Choose("Grade", "Grid"), "Grade");
    ApplyInterfaceLanguage(L::English);
    EXPECT_EQ(Choose("Grade", "Grid"), "Grid");
    FreeDictionary();
    RememberLanguage(L::Default);
  }
  LocaleEnvironment portuguese("pt_BR.UTF-8");
  ApplyInterfaceLanguage(L::Default);
  EXPECT_EQ(Choose("Grade", "Grid"), "Grade");
  ASSERT_TRUE(LoadQtTranslations()) << "Qt's translations (qt6-translations-l10n) are not installed";
  EXPECT_EQ(CancelText(), "Cancelar");
}
