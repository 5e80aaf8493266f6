// Reads the checksums.txt that vorndemo-capture writes: one line per frame
// and kind, "frame NNNNN PART audio VALUES HASH" or "frame NNNNN PART picture HASH".
#ifndef VORN_TESTS_CAPTURE_CHECKSUMS_H
#define VORN_TESTS_CAPTURE_CHECKSUMS_H

#include <sstream>
#include <string>
#include <vector>

struct ChecksumLine {
  int frame = 0;
  std::string part;
  std::string kind;  // "audio" or "picture"
  int values = 0;    // audio values in the frame
  std::string hash;
  std::string text;  // the line itself
};

inline std::vector<ChecksumLine> ParseChecksums(const std::string& text) {
  std::vector<ChecksumLine> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    ChecksumLine entry;
    std::string word;
    words >> word >> entry.frame >> entry.part >> entry.kind;
    if (entry.kind == "audio") words >> entry.values;
    words >> entry.hash;
    entry.text = line;
    lines.push_back(entry);
  }
  return lines;
}

// The lines of one kind.
inline std::vector<ChecksumLine> OfKind(const std::vector<ChecksumLine>& lines, const std::string& kind) {
  std::vector<ChecksumLine> picked;
  for (const ChecksumLine& line : lines)
    if (line.kind == kind) picked.push_back(line);
  return picked;
}

#endif
