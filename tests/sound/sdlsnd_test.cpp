#include "sdlsnd.h"

#include <gtest/gtest.h>

#include "list.h"
#include "sample_helpers.h"

namespace {

using Words = std::vector<int16_t>;
constexpr int16_t kSilence = int16_t(0xAAAA);  // stands in for the silence SDL put there

// An audio output record without a device, for driving the callback by hand.
struct HandDriven : ::testing::Test {
  SDLSND audio{0, 0, 0, LISTNew(), 's', 'l', 0};
  ~HandDriven() override { LISTFree(&audio.queue); }
  // One callback over bytes of kSilence, read back as 16-bit values (an odd last byte too).
  Words Fill(int bytes) {
    std::vector<uint8_t> buffer(size_t(bytes) + 1, 0xAA);
    SDLSNDCallback(&audio, buffer.data(), bytes);
    Words words;
    for (int i = 0; i < bytes; i += 2) words.push_back(int16_t(buffer[i] | buffer[i + 1] << 8));
    return words;
  }
};

TEST_F(HandDriven, PlaysTheQueueInOrderAcrossCallbacks) {
  EXPECT_EQ(Fill(64), Words(32, kSilence));  // an empty queue: nothing written
  Sample s({0, 1, -1, 32767, -32768, 40000, 7}), tail({-5, -6}), late({7, 8});
  for (SAMPLE* queued : std::initializer_list<SAMPLE*>{s, s, tail})
    SDLSNDPlaySAMPLE(&audio, queued);  // s twice: a loop
  audio.mute = 1;
  EXPECT_EQ(Fill(64), Words(32, 0));  // muted: zeros, nothing consumed
  audio.mute = 0;
  Words played, counts;
  for (int bytes : {6, 10, 40}) {  // callbacks that end inside a sample and one past the queue
    Words out = Fill(bytes);
    played.insert(played.end(), out.begin(), out.end());
    counts.push_back(int16_t(audio.queue->count));
  }
  // 40000 wraps to 0x9C40; when the queue runs dry the rest keeps SDL's silence.
  Words expected = {0, 1, -1, 32767, -32768, -25536, 7, 0, 1, -1, 32767, -32768, -25536, 7, -5, -6};
  expected.resize(28, kSilence);
  EXPECT_EQ(played, expected);
  EXPECT_EQ(counts, (Words{3, 2, 0}));
  SDLSNDPlaySAMPLE(&audio, late);  // after the queue ran dry: from its first value
  EXPECT_EQ(Fill(4), (Words{7, 8}));
}

TEST_F(HandDriven, BadCallsChangeNothing) {
  Sample s({1, 2, 3});
  LISTFree(&audio.queue);
  SDLSNDPlaySAMPLE(&audio, s);  // creates the missing queue
  SDLSNDPlaySAMPLE(&audio, nullptr), SDLSNDPlaySAMPLE(nullptr, s);
  EXPECT_EQ(std::pair(SDLSNDQueued(&audio), SDLSNDQueued(nullptr)), std::pair(1, 0));
  std::vector<uint8_t> buffer(8, 0xAA);
  SDLSNDCallback(nullptr, buffer.data(), 8), SDLSNDCallback(&audio, nullptr, 8);
  for (int length : {0, -2}) SDLSNDCallback(&audio, buffer.data(), length);
  EXPECT_EQ(buffer, std::vector<uint8_t>(8, 0xAA));
  EXPECT_EQ(Fill(5), (Words{1, 2, kSilence}));  // an odd count plays whole values only
  EXPECT_EQ(audio.position, 2);
}

}  // namespace
