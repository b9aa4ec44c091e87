// UTF-8 <-> UTF-16 at the Windows API boundary, and the system's error texts.
#include "platform/windows/system_error.h"
#include "platform/windows/wide_string.h"
#include "support/last_error.h"

#include <gtest/gtest.h>
#include <windows.h>

TEST(WideString, RoundTripsEveryPlaneAndKeepsEmbeddedNulOutOfNames) {
  // ASCII, Latin-1, a BMP symbol and a character outside the BMP (a
  // surrogate pair in UTF-16).
  const std::string text = "Planck \xC3\xA4\xC3\xB6\xC3\xBC \xE2\x84\xAB \xF0\x9F\x8C\x9E";
  const std::wstring wide = WideFromUtf8(text);
  EXPECT_EQ(wide, L"Planck \u00E4\u00F6\u00FC \u212B \U0001F31E");
  EXPECT_EQ(Utf8FromWide(wide), text);
  EXPECT_EQ(WideFromUtf8(""), L"");
  EXPECT_EQ(Utf8FromWide(L""), "");

  ASSERT_TRUE(StrictWideFromUtf8(text).has_value());
  EXPECT_FALSE(StrictWideFromUtf8(std::string("a\0b", 3)).has_value());
}

TEST(WideString, BrokenSequencesBecomeReplacementsOrAreRefusedForNames) {
  const std::string broken = "A\xC3(\xFF";
  EXPECT_FALSE(StrictWideFromUtf8(broken).has_value());
  const std::wstring wide = WideFromUtf8(broken);
  EXPECT_EQ(wide.front(), L'A');
  EXPECT_NE(wide.find(L'\uFFFD'), std::wstring::npos);
  // An unpaired surrogate does not vanish silently either.
  const std::wstring lone = L"x\xD800y";
  EXPECT_EQ(Utf8FromWide(lone), "x\xEF\xBF\xBDy");
}

TEST(WideString, SystemErrorTextsAreReadableUtf8) {
  const std::string text = SystemErrorText(ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(text.empty());
  EXPECT_NE(text.back(), '\n');
  EXPECT_NE(text.back(), '.');
  EXPECT_EQ(SystemErrorText(0x2FFFFFFF), "error 805306367");

  ::SetLastError(ERROR_ACCESS_DENIED);
  EXPECT_EQ(GetLastErrorString(), SystemErrorText(ERROR_ACCESS_DENIED));
  ::SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(GetLastErrorString(), "(GetLastErrorString failed)");
}
