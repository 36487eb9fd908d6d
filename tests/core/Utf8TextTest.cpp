#include <gtest/gtest.h>

#include "common/Latin1.h"
#include "common/Utf8Text.h"

TEST(Utf8Text, LatinTextsTravelBothWaysUnchanged) {
  // Every byte value, so no Latin-1 character is lost on its way to a file name and back.
  std::string all;
  for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
  const std::string utf8 = Latin1ToUtf8(all);
  EXPECT_EQ(utf8.size(), 127u + 2 * 128u);
  EXPECT_EQ(Utf8ToLatin1(utf8), all);
  EXPECT_EQ(Latin1ToUtf8("a\xE7\xE3o"), "a\xC3\xA7\xC3\xA3o");
  EXPECT_EQ(Latin1ToUtf8(std::string("x\0y", 3)), std::string("x\0y", 3));
}

TEST(Utf8Text, WhatLatinCannotHoldBecomesOneQuestionMarkEach) {
  EXPECT_EQ(Utf8ToLatin1("\xE2\x82\xAC" "5"), "?5");                     // euro sign, three bytes
  EXPECT_EQ(Utf8ToLatin1("\xF0\x9F\x98\x80.txt"), "?.txt");              // four bytes
  EXPECT_EQ(Utf8ToLatin1("\xE6\x9C\xA8\xC3\xA9"), "?\xE9");              // CJK, then e acute
  // Bytes that are no well-formed sequence: each one is a '?'.
  EXPECT_EQ(Utf8ToLatin1("a\xE7\xE3o"), "a??o");                        // Latin-1 taken for UTF-8
  EXPECT_EQ(Utf8ToLatin1("\xC3"), "?");                                  // cut short
  EXPECT_EQ(Utf8ToLatin1("\xC0\xAF"), "??");                             // overlong '/'
  EXPECT_EQ(Utf8ToLatin1("\xED\xA0\x80"), "???");                        // a surrogate
  EXPECT_EQ(Utf8ToLatin1("\xF4\x90\x80\x80"), "????");                   // beyond U+10FFFF
}

TEST(Utf8Text, LowerFoldsTheLatinCapitalsOnly) {
  // PRÉDIO ÇÃ × Ÿ ÿ: the accented capitals fold, the sign and other letters stay.
  EXPECT_EQ(Utf8Lower("PR\xC3\x89" "DIO \xC3\x87\xC3\x83 \xC3\x97 \xC5\xB8 \xC3\xBF"),
            "pr\xC3\xA9" "dio \xC3\xA7\xC3\xA3 \xC3\x97 \xC5\xB8 \xC3\xBF");
  // As Latin1Lower would have it, character for character.
  std::string capitals;
  for (int c = 0xC0; c <= 0xDE; ++c) capitals += static_cast<char>(c);
  EXPECT_EQ(Utf8Lower(Latin1ToUtf8(capitals)), Latin1ToUtf8(Latin1Lower(capitals)));
}
