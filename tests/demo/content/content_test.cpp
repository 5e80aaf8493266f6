// The content builders' refusals (the typewriter's tests walk the word list).
#include "content.h"

#include <gtest/gtest.h>

namespace {

TEST(Content, BuildersRefuseMissingInput) {
  EXPECT_EQ(ContentNewLineFont(nullptr, 8, true, nullptr), nullptr);
  EXPECT_EQ(ContentNewSheet(nullptr, nullptr), nullptr);
}

}  // namespace
