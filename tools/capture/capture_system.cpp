// The capture's few system calls: signals, environment, terminal, memory.
#include "capture_system.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>
#else
#include <unistd.h>
#endif

namespace {

// A signal the parent chose to ignore (nohup, trap '' INT) stays ignored.
void CatchUnlessIgnored(int signalNumber, void (*handler)(int)) {
  if (signal(signalNumber, SIG_IGN) != SIG_IGN) signal(signalNumber, handler);
}

}  // namespace

void CatchStopSignals(void (*handler)(int)) {
  CatchUnlessIgnored(SIGINT, handler);
  CatchUnlessIgnored(SIGTERM, handler);
#ifdef SIGHUP
  CatchUnlessIgnored(SIGHUP, handler);
#endif
}

#ifdef _WIN32

bool SetEnvironment(const char* name, const char* value) { return _putenv_s(name, value) == 0; }

bool StandardErrorIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

namespace {

// The working set is what Windows calls the resident memory.
long WorkingSetKiB(bool peak) {
  PROCESS_MEMORY_COUNTERS counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return -1;
  return long((peak ? counters.PeakWorkingSetSize : counters.WorkingSetSize) / 1024);
}

}  // namespace

long ResidentKiB() { return WorkingSetKiB(false); }
long PeakResidentKiB() { return WorkingSetKiB(true); }

#else

bool SetEnvironment(const char* name, const char* value) { return setenv(name, value, 1) == 0; }

bool StandardErrorIsTerminal() { return isatty(2) != 0; }

namespace {

// A "Field:  1234 kB" line of /proc/self/status.
long StatusKiB(const char* field) {
  long value = -1;
  if (FILE* status = fopen("/proc/self/status", "r")) {
    char line[256];
    size_t length = strlen(field);
    while (fgets(line, sizeof line, status))
      if (strncmp(line, field, length) == 0 && line[length] == ':') value = strtol(line + length + 1, nullptr, 10);
    fclose(status);
  }
  return value;
}

}  // namespace

long ResidentKiB() { return StatusKiB("VmRSS"); }
long PeakResidentKiB() { return StatusKiB("VmHWM"); }

#endif
