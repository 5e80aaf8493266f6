// Files and folders of the capture tests, on every system.
#ifndef VORN_TESTS_CAPTURE_TOOL_FILES_H
#define VORN_TESTS_CAPTURE_TOOL_FILES_H

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

inline std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline bool Exists(const std::string& path) {
  std::error_code failure;
  return std::filesystem::exists(std::filesystem::symlink_status(path, failure));
}

// A fresh path under the test's temporary folder (nothing there yet), unique to this run.
inline std::string FreshPath(const std::string& name) {
  static const std::string run = std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
  std::string path = testing::TempDir() + "capture_" + name + "_" + run;
  std::error_code failure;
  std::filesystem::remove_all(path, failure);
  if (failure) ADD_FAILURE() << "cannot clear " << path << ": " << failure.message();
  return path;
}

#endif
