// Runs vorndemo-capture as a child process and collects what it printed.
#ifndef VORN_TESTS_CAPTURE_RUN_TOOL_H
#define VORN_TESTS_CAPTURE_RUN_TOOL_H

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "capture_options.h"
#include "tool_files.h"

struct ToolResult {
  int status = -1;  // exit status; -1 if it did not exit normally
  std::string out;
  std::string err;
};

// Starts the tool with args; its output goes to files beside logBase. A
// signal given as ignored is ignored when the tool starts (as nohup does).
inline pid_t StartTool(const std::vector<std::string>& args, const std::string& logBase, int ignored = 0) {
  std::vector<char*> argv = {const_cast<char*>(VORNDEMO_CAPTURE_PATH)};
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  int out = open((logBase + ".out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  int err = open((logBase + ".err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid = fork();
  if (pid == 0 && ignored) signal(ignored, SIG_IGN);
  if (pid == 0 && dup2(out, 1) == 1 && dup2(err, 2) == 2) execv(argv[0], argv.data());
  if (pid == 0) _exit(127);
  close(out), close(err);
  return pid;
}

inline ToolResult WaitTool(pid_t pid, const std::string& logBase) {
  ToolResult result;
  int status = 0;
  if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) result.status = WEXITSTATUS(status);
  result.out = ReadWhole(logBase + ".out");
  result.err = ReadWhole(logBase + ".err");
  remove((logBase + ".out").c_str()), remove((logBase + ".err").c_str());
  return result;
}

inline ToolResult RunTool(const std::vector<std::string>& args) {
  std::string logBase = testing::TempDir() + "capture_log_" + std::to_string(getpid());
  return WaitTool(StartTool(args, logBase), logBase);
}

// The options the tool takes from args, and why it refuses them ("" if it does not).
inline std::string ParseArgs(const std::vector<std::string>& args, CaptureOptions* options) {
  std::vector<const char*> argv = {"vorndemo-capture"};
  for (const std::string& a : args) argv.push_back(a.c_str());
  std::string error;
  ParseCaptureOptions(int(argv.size()), argv.data(), options, &error);
  return error;
}

#endif
