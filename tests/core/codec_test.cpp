#include <gtest/gtest.h>
#include <iconv.h>

#include "app/core/cp1251.h"
#include "app/core/foldcase.h"

namespace {

// Every byte decoded by iconv must equal our table's code point.
TEST(Cp1251, MatchesIconvForAll256Bytes) {
  iconv_t cd = iconv_open("UTF-32LE", "CP1251");
  ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
  for (int b = 0; b < 256; ++b) {
    char in = static_cast<char>(b);
    char32_t out = 0;
    char* inp = &in;
    char* outp = reinterpret_cast<char*>(&out);
    size_t inLeft = 1, outLeft = 4;
    const size_t rc = iconv(cd, &inp, &inLeft, &outp, &outLeft);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (rc == static_cast<size_t>(-1)) {
      EXPECT_EQ(b, 0x98) << "iconv rejects only the unassigned byte";
      EXPECT_EQ(lx::Cp1251ToUnicode(static_cast<unsigned char>(b)), U'\uFFFD');
      continue;
    }
    EXPECT_EQ(lx::Cp1251ToUnicode(static_cast<unsigned char>(b)), out) << "byte " << b;
    EXPECT_EQ(lx::UnicodeToCp1251(out), b) << "reverse of byte " << b;
  }
  iconv_close(cd);
}

TEST(Cp1251, Utf8RoundTripAndReplacement) {
  const std::string cp = "\xc5\xeb\xea\xe0 \xb8\xa8 Tree \xb9";  // Елка ёЁ Tree №
  EXPECT_EQ(lx::Cp1251ToUtf8(cp), "Елка ёЁ Tree №");
  EXPECT_EQ(lx::Utf8ToCp1251("Елка ёЁ Tree №"), cp);
  EXPECT_EQ(lx::Utf8ToCp1251("a\xe4\xb8\xad" "b"), "a?b");  // 中 is not in the code page
  EXPECT_EQ(lx::Utf8ToCp1251("\xff\xfe"), "??");              // malformed bytes
}

TEST(FoldCase, LettersOnlyBothDirections) {
  const std::string text = "\xa8\xeb\xea\xe0 Tree";  // Ёлка Tree
  EXPECT_EQ(lx::FoldUpper(text), "\xa8\xcb\xca\xc0 TREE");
  EXPECT_EQ(lx::FoldLower(text), "\xb8\xeb\xea\xe0 tree");
  // Digits, punctuation and the high codes other than Ё/ё never change.
  std::string others;
  for (int b = 0; b < 256; ++b) {
    const bool letter = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || b >= 192 || b == 168 || b == 184;
    if (!letter) others += static_cast<char>(b);
  }
  EXPECT_EQ(lx::FoldUpper(others), others);
  EXPECT_EQ(lx::FoldLower(others), others);
}

}  // namespace
