#include "sdlsnd.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "list.h"
#include "sample.h"
#include "sample_helpers.h"

namespace {

// An audio output record without a device, for driving the callback by hand.
struct HandDriven : ::testing::Test {
  SDLSND audio{};
  HandDriven() { audio.queue = LISTNew(); }
  ~HandDriven() override { LISTFree(&audio.queue); }

  // Runs one callback over a buffer pre-filled with 0xAA (standing in for SDL's silence).
  std::vector<uint8_t> Fill(int bytes) {
    std::vector<uint8_t> buffer(size_t(bytes), 0xAA);
    SDLSNDCallback(&audio, buffer.data(), bytes);
    return buffer;
  }
};

std::vector<int16_t> Words(const std::vector<uint8_t>& bytes, size_t from, size_t count) {
  std::vector<int16_t> words;
  for (size_t i = from; i < from + count; ++i)
    words.push_back(int16_t(bytes[2 * i] | bytes[2 * i + 1] << 8));
  return words;
}

TEST_F(HandDriven, EmptyQueueWritesNothingAndMuteWritesZeros) {
  EXPECT_EQ(Fill(64), std::vector<uint8_t>(64, 0xAA));
  Sample s({1, 2, 3});
  SDLSNDPlaySAMPLE(&audio, s);
  audio.mute = 1;
  EXPECT_EQ(Fill(64), std::vector<uint8_t>(64, 0));
  EXPECT_EQ(audio.queue->count, 1);  // muted: nothing consumed
}

TEST_F(HandDriven, ShortSampleInALongBufferLeavesTheRestUntouched) {
  Sample s({0, 1, -1, 100, -100, 32767, -32768, 40000, 7, 9});
  SDLSNDPlaySAMPLE(&audio, s);
  std::vector<uint8_t> out = Fill(8192);
  EXPECT_EQ(Words(out, 0, 10), (std::vector<int16_t>{0, 1, -1, 100, -100, 32767, -32768,
                                                     -25536, 7, 9}));  // 40000 wraps to 0x9C40
  EXPECT_EQ(out[14], 0x40);
  EXPECT_EQ(out[15], 0x9C);
  EXPECT_EQ(std::vector<uint8_t>(out.begin() + 20, out.end()), std::vector<uint8_t>(8172, 0xAA));
  EXPECT_EQ(audio.queue->count, 0);
  EXPECT_EQ(audio.position, 0);
}

TEST_F(HandDriven, QueuedSamplesFollowEachOtherAcrossCallbacks) {
  Sample s;
  SAMPLESetLength(s, 3000);
  for (int32_t i = 0; i < 3000; ++i) SAMPLESet(s, i, i);
  Sample tail({-5, -6});
  SDLSNDPlaySAMPLE(&audio, s);
  SDLSNDPlaySAMPLE(&audio, s);  // the same sample twice: a seamless loop
  SDLSNDPlaySAMPLE(&audio, tail);
  std::vector<int16_t> played;
  std::vector<int32_t> counts;
  for (int call = 0; call < 3; ++call) {
    std::vector<uint8_t> out = Fill(4096);
    for (int16_t w : Words(out, 0, 2048)) played.push_back(w);
    counts.push_back(audio.queue->count);
  }
  EXPECT_EQ(counts, (std::vector<int32_t>{3, 2, 0}));
  for (size_t i = 0; i < 6000; ++i) ASSERT_EQ(played[i], int16_t(i % 3000)) << i;
  EXPECT_EQ(played[6000], -5);
  EXPECT_EQ(played[6001], -6);
  EXPECT_EQ(played[6002], int16_t(0xAAAA));  // the queue ran dry: SDL's silence stays
}

TEST_F(HandDriven, ASampleQueuedAfterTheQueueRanDryStartsAtItsFirstValue) {
  Sample first({1, 2, 3}), second({7, 8});
  SDLSNDPlaySAMPLE(&audio, first);
  Fill(64);
  SDLSNDPlaySAMPLE(&audio, second);
  EXPECT_EQ(Words(Fill(4), 0, 2), (std::vector<int16_t>{7, 8}));
}

TEST_F(HandDriven, BadCallsWriteNothing) {
  Sample s({1, 2, 3});
  SDLSNDPlaySAMPLE(&audio, s);
  std::vector<uint8_t> buffer(8, 0xAA);
  SDLSNDCallback(nullptr, buffer.data(), 8);
  SDLSNDCallback(&audio, nullptr, 8);
  SDLSNDCallback(&audio, buffer.data(), 0);
  SDLSNDCallback(&audio, buffer.data(), -2);
  EXPECT_EQ(buffer, std::vector<uint8_t>(8, 0xAA));
  // An odd byte count plays whole values only; the last byte stays.
  std::vector<uint8_t> odd = Fill(5);
  EXPECT_EQ(Words(odd, 0, 2), (std::vector<int16_t>{1, 2}));
  EXPECT_EQ(odd[4], 0xAA);
  EXPECT_EQ(audio.position, 2);
  SDLSNDPlaySAMPLE(&audio, nullptr);  // refused
  EXPECT_EQ(audio.queue->count, 1);
}

TEST_F(HandDriven, PlayCreatesAMissingQueue) {
  LISTFree(&audio.queue);
  Sample s({4});
  SDLSNDPlaySAMPLE(&audio, s);
  ASSERT_NE(audio.queue, nullptr);
  EXPECT_EQ(SDLSNDQueued(&audio), 1);
  EXPECT_EQ(SDLSNDQueued(nullptr), 0);
}

TEST(SdlSnd, TheDeviceOpensPlaysAndCloses) {
  SDLSND* audio = SDLSNDNew();  // the tests run with SDL's dummy audio driver
  ASSERT_NE(audio, nullptr);
  EXPECT_EQ(audio->rate, 44100);
  EXPECT_EQ(audio->width, 16);
  EXPECT_EQ(audio->sign, 's');
  EXPECT_EQ(audio->order, 'l');
  EXPECT_EQ(audio->mute, 0);
  EXPECT_STREQ(SDLSNDToASCII(audio), "");
  EXPECT_EQ(SDLSNDFromASCII(""), nullptr);
  EXPECT_EQ(SDLSNDCopy(audio), nullptr);
  SDLSND other{};
  EXPECT_EQ(SDLSNDEqual(audio, &other), 1);
  EXPECT_EQ(SDLSNDEqual(audio, nullptr), 0);
  EXPECT_EQ(SDLSNDNew(), nullptr);  // one device only

  // The audio thread consumes a queued sample within a few buffers.
  Sample s({1, 2, 3, 4});
  SDLSNDPlay(audio);
  SDLSNDPlaySAMPLE(audio, s);
  Uint32 start = SDL_GetTicks();
  while (SDLSNDQueued(audio) > 0 && SDL_GetTicks() - start < 3000) SDL_Delay(5);
  EXPECT_EQ(SDLSNDQueued(audio), 0);

  SDLSNDPlaySAMPLE(audio, s);  // freed while queued: the sample is not the output's
  SDLSNDFree(&audio);
  EXPECT_EQ(audio, nullptr);
  EXPECT_EQ(SAMPLEGet(s, 3), 4);
  SDLSNDFree(&audio);  // null: reported only
  SDL_Quit();
}

}  // namespace
