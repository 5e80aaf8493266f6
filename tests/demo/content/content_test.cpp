// The word list the typewriter walks, and the content builders' refusals.
#include "content.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(Content, WordListHasTwentySixWordsOfTheFixedLengths) {
  const std::string text(reinterpret_cast<const char*>(wordList));
  EXPECT_EQ(text.size(), wordListSize);
  EXPECT_EQ(text.substr(0, 5), "VORN\n");
  std::vector<size_t> lengths;
  for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lengths.push_back(end - start);
    EXPECT_EQ(text.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789", start), end);
  }
  EXPECT_EQ(text.back(), '\n');
  EXPECT_EQ(lengths, (std::vector<size_t>{4, 4, 4, 9, 5, 8, 6, 4, 8, 11, 9, 7, 6, 8, 4, 4, 4, 3, 4, 9, 6, 6, 4, 5, 7, 5}));
}

TEST(Content, BuildersRefuseMissingInput) {
  EXPECT_EQ(ContentNewLineFont(nullptr, 8, true, nullptr), nullptr);
  EXPECT_EQ(ContentNewSheet(nullptr, nullptr), nullptr);
}

}  // namespace
