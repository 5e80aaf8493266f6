// Runs vorndemo-capture as a child process and collects what it printed.
#ifndef VORN_TESTS_CAPTURE_RUN_TOOL_H
#define VORN_TESTS_CAPTURE_RUN_TOOL_H

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "tool_files.h"

struct ToolResult {
  int status = -1;  // exit status; -1 if it did not exit normally
  std::string out;
  std::string err;
};

// Starts the tool with args; its output goes to files beside logBase.
inline pid_t StartTool(const std::vector<std::string>& args, const std::string& logBase) {
  std::vector<char*> argv;
  std::string program = VORNDEMO_CAPTURE_PATH;
  argv.push_back(program.data());
  std::vector<std::string> copies = args;
  for (std::string& a : copies) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, (logBase + ".out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, (logBase + ".err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid = -1;
  if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

inline ToolResult WaitTool(pid_t pid, const std::string& logBase) {
  ToolResult result;
  int status = 0;
  if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) result.status = WEXITSTATUS(status);
  result.out = ReadWhole(logBase + ".out");
  result.err = ReadWhole(logBase + ".err");
  remove((logBase + ".out").c_str());
  remove((logBase + ".err").c_str());
  return result;
}

inline ToolResult RunTool(const std::vector<std::string>& args) {
  std::string logBase = testing::TempDir() + "capture_log_" + std::to_string(getpid());
  return WaitTool(StartTool(args, logBase), logBase);
}

#endif
