// What the capture needs from the operating system, for Linux and Windows.
#ifndef VORN_TOOLS_CAPTURE_SYSTEM_H
#define VORN_TOOLS_CAPTURE_SYSTEM_H

// Sends the signals that ask a process to stop (interrupt, terminate, and
// hang-up where the system has it) to handler, except those the process was
// started with ignored, which stay ignored.
void CatchStopSignals(void (*handler)(int));
// Sets an environment variable for this process; false if it could not.
bool SetEnvironment(const char* name, const char* value);
// True when standard error is a terminal (progress is shown there only).
bool StandardErrorIsTerminal();
// The memory the process holds now and at its peak, in KiB; -1 where unknown.
long ResidentKiB();
long PeakResidentKiB();

#endif
