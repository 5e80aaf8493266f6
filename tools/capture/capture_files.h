// The files vorndemo-capture writes: PNG pictures, the WAV sound track, the
// checksums, and the staging folder that keeps a failed run from leaving
// anything half-written in the output folder.
#ifndef VORN_TOOLS_CAPTURE_FILES_H
#define VORN_TOOLS_CAPTURE_FILES_H

#include <cstdint>
#include <cstdio>
#include <string>

struct IMG;

// 64-bit FNV-1a of bytes, continuing from hash (start with kFnvStart).
constexpr uint64_t kFnvStart = 0xCBF29CE484222325ull;
uint64_t Fnv1a64(const void* bytes, size_t length, uint64_t hash);
// FNV-1a of the picture as the PPM raster stores it: R, G, B per pixel, top row first.
uint64_t PictureChecksum(const IMG* image);

// Writes the image as an 8-bit RGB PNG (zlib-compressed); false on any failure.
bool WritePng(const IMG* image, const char* filename);

// A mono 16-bit 44100 Hz WAV file written as the values arrive; the sizes in
// its header are filled in by Finish.
struct WavWriter {
  FILE* file = nullptr;
  uint32_t dataBytes = 0;
  bool failed = false;
};
bool WavOpen(WavWriter* wav, const char* filename);
// Appends little-endian 16-bit values as the audio callback wrote them.
void WavAppend(WavWriter* wav, const uint8_t* bytes, size_t length);
// Writes the header sizes and closes the file; false if any write failed.
bool WavFinish(WavWriter* wav);

// The staging folder inside the output folder: every file is made there and
// moved into the output folder only when the whole run has succeeded.
struct Staging {
  std::string outDir;      // absolute path of the output folder
  std::string dir;         // outDir + "/.vorndemo-capture-partial"
  std::string replaced;    // outDir + "/.vorndemo-capture-replaced": earlier files while the commit runs
  bool createdOut = false; // the output folder did not exist before
  // Moves one file within the output folder; false with the system's reason.
  // StagingMove unless a test makes a move fail.
  bool (*move)(const std::string& from, const std::string& to, std::string* reason) = nullptr;
};
// Creates the output folder (one level) and the empty staging folder; false with a reason.
bool StagingCreate(Staging* staging, const std::string& outDir, std::string* error);
// Puts every file of the staging folder into the output folder, all or
// nothing: every name is checked first (a folder in the way moves nothing),
// the files they replace are set aside, and if any move fails the files
// moved in are removed and those set aside put back, so the output folder is
// as it was. Removes the staging folder on success; false with a reason.
bool StagingCommit(Staging* staging, std::string* error);
// Removes the staging folder with everything in it, and the output folder if we made it.
void StagingDiscard(Staging* staging);
// The default move of the commit: a rename (the target does not exist).
bool StagingMove(const std::string& from, const std::string& to, std::string* reason);
// Removes a folder with everything in it.
void RemoveTree(const std::string& dir);

#endif
