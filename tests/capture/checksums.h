// Reads the checksums.txt that vorndemo-capture writes: one line per frame
// and kind, "frame NNNNN PART audio VALUES HASH" or "frame NNNNN PART picture HASH".
#ifndef VORN_TESTS_CAPTURE_CHECKSUMS_H
#define VORN_TESTS_CAPTURE_CHECKSUMS_H

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

struct ChecksumLine {
  int frame = 0;
  std::string part;
  std::string kind;  // "audio" or "picture"
  int values = 0;    // audio values in the frame
  uint64_t hash = 0;
  std::string text;  // the line itself
};

// The lines of the text, or only those of one kind.
inline std::vector<ChecksumLine> ParseChecksums(const std::string& text, const std::string& only = "") {
  std::vector<ChecksumLine> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    ChecksumLine entry;
    std::string word;
    words >> word >> entry.frame >> entry.part >> entry.kind;
    if (entry.kind == "audio") words >> entry.values;
    words >> std::hex >> entry.hash;
    entry.text = line;
    if (only.empty() || entry.kind == only) lines.push_back(entry);
  }
  return lines;
}

#endif
