// End to end: the real show, headless, with SDL's disk audio driver recording
// the stream. The show never ends by itself: the test stops it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

TEST(VorndemoAudio, PlaysTheMusicThroughTheAudioDevice) {
  const std::string file = testing::TempDir() + "vorndemo_audio_" + std::to_string(getpid()) + ".raw";
  const pid_t pid = fork();
  if (pid == 0) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "40", 1);  // a buffer every 40 ms: faster than real time
    execl(VORNDEMO_PATH, VORNDEMO_PATH, static_cast<char*>(nullptr));
    _exit(127);
  }
  ASSERT_GT(pid, 0);
  // The device plays silence until the music is synthesised, which takes
  // seconds on a busy machine: record 64 buffers from the first sound (60 s at most).
  std::vector<int16_t> values;
  size_t first = 0;
  for (int tenths = 0; tenths < 600 && (first == values.size() || values.size() - first < 64 * 4096); ++tenths) {
    usleep(100000);
    values.clear();  // mono, signed 16-bit, least significant byte first
    FILE* f = fopen(file.c_str(), "rb");
    for (int lo, hi; f && (lo = fgetc(f)) != EOF && (hi = fgetc(f)) != EOF;) values.push_back(int16_t(lo | hi << 8));
    if (f) fclose(f);
    first = size_t(std::find_if(values.begin(), values.end(), [](int16_t v) { return v != 0; }) - values.begin());
  }
  int status = 0;
  EXPECT_EQ(waitpid(pid, &status, WNOHANG), 0) << "the show ended by itself";
  kill(pid, SIGKILL);  // at once: how the show ends on a signal is the signal test's matter
  waitpid(pid, &status, 0);
  remove(file.c_str());
  ASSERT_GE(values.size() - first, 64u * 4096) << "no sound within a minute";
  // Once queued the loop keeps sounding; a weighted mean of instruments does not
  // sit at full scale the way clipped or half-mixed values would.
  size_t loud = 0, fullScale = 0;
  int32_t peak = 0;
  for (size_t i = first; i < values.size(); ++i) {
    loud += values[i] != 0;
    fullScale += values[i] >= 32767 || values[i] <= -32767;
    peak = std::max(peak, std::abs(int32_t(values[i])));
  }
  EXPECT_GT(loud, (values.size() - first) / 4) << "mostly silent";
  EXPECT_GT(peak, 256);
  EXPECT_LT(fullScale, values.size() / 1000);
}

}  // namespace
