// vorndemo-capture: the show, headless, on a simulated frame clock, written
// to pictures, a sound track and checksums. See --help and the README.
#include <cstdio>
#include <string>

#include "capture_options.h"
#include "capture_run.h"

int main(int argc, char** argv) {
  CaptureOptions options;
  std::string error;
  if (!ParseCaptureOptions(argc, argv, &options, &error)) {
    fprintf(stderr, "vorndemo-capture: %s\n", error.c_str());
    return 2;
  }
  if (options.help) {
    fputs(CaptureUsage(), stdout);
    return 0;
  }
  CaptureRun(options);
}
