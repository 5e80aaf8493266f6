// PNG and WAV writers, checksums and the staging folder.
#include "capture_files.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "img.h"

uint64_t Fnv1a64(const void* bytes, size_t length, uint64_t hash) {
  const uint8_t* p = static_cast<const uint8_t*>(bytes);
  for (size_t i = 0; i < length; ++i) hash = (hash ^ p[i]) * 0x100000001B3ull;
  return hash;
}

namespace {

// The image's rows as R, G, B bytes.
std::vector<uint8_t> RgbRows(const IMG* image) {
  size_t n = size_t(image->width) * size_t(image->height);
  std::vector<uint8_t> rgb(3 * n);
  for (size_t i = 0; i < n; ++i) {
    uint32_t p = image->pixels[i];
    rgb[3 * i] = uint8_t(p >> 16);
    rgb[3 * i + 1] = uint8_t(p >> 8);
    rgb[3 * i + 2] = uint8_t(p);
  }
  return rgb;
}

void PutBig32(std::vector<uint8_t>* out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out->push_back(uint8_t(v >> shift));
}

void PutChunk(std::vector<uint8_t>* png, const char type[4], const std::vector<uint8_t>& data) {
  PutBig32(png, uint32_t(data.size()));
  size_t start = png->size();
  png->insert(png->end(), type, type + 4);
  png->insert(png->end(), data.begin(), data.end());
  uLong crc = crc32(0, png->data() + start, uInt(png->size() - start));
  PutBig32(png, uint32_t(crc));
}

void PutLittle(FILE* file, uint32_t v, int bytes, bool* ok) {
  for (int i = 0; i < bytes; ++i) *ok &= fputc(int((v >> (8 * i)) & 0xFF), file) != EOF;
}

bool WriteWavHeader(FILE* file, uint32_t dataBytes) {
  bool ok = fseek(file, 0, SEEK_SET) == 0;
  ok &= fwrite("RIFF", 1, 4, file) == 4;
  PutLittle(file, 36 + dataBytes, 4, &ok);
  ok &= fwrite("WAVEfmt ", 1, 8, file) == 8;
  PutLittle(file, 16, 4, &ok);         // format chunk size
  PutLittle(file, 1, 2, &ok);          // PCM
  PutLittle(file, 1, 2, &ok);          // mono
  PutLittle(file, 44100, 4, &ok);      // values per second
  PutLittle(file, 44100 * 2, 4, &ok);  // bytes per second
  PutLittle(file, 2, 2, &ok);          // bytes per value
  PutLittle(file, 16, 2, &ok);         // bits per value
  ok &= fwrite("data", 1, 4, file) == 4;
  PutLittle(file, dataBytes, 4, &ok);
  return ok;
}

bool IsDirectory(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// A folder itself, not a link to one: removal never follows links.
bool IsOwnDirectory(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

uint64_t PictureChecksum(const IMG* image) {
  std::vector<uint8_t> rgb = RgbRows(image);
  return Fnv1a64(rgb.data(), rgb.size(), kFnvStart);
}

bool WritePng(const IMG* image, const char* filename) {
  if (!image || !image->pixels || image->width <= 0 || image->height <= 0) return false;
  std::vector<uint8_t> rgb = RgbRows(image);
  // Every row is preceded by its filter byte: 0, the row as it is.
  size_t rowBytes = 3 * size_t(image->width);
  std::vector<uint8_t> raw;
  raw.reserve(rgb.size() + size_t(image->height));
  for (int32_t y = 0; y < image->height; ++y) {
    raw.push_back(0);
    raw.insert(raw.end(), rgb.begin() + ptrdiff_t(y * rowBytes), rgb.begin() + ptrdiff_t((y + 1) * rowBytes));
  }
  uLongf packedLength = compressBound(uLong(raw.size()));
  std::vector<uint8_t> packed(packedLength);
  if (compress2(packed.data(), &packedLength, raw.data(), uLong(raw.size()), 6) != Z_OK) return false;
  packed.resize(packedLength);

  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  PutBig32(&header, uint32_t(image->width));
  PutBig32(&header, uint32_t(image->height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter choice, no interlace
  PutChunk(&png, "IHDR", header);
  PutChunk(&png, "IDAT", packed);
  PutChunk(&png, "IEND", {});
  FILE* file = fopen(filename, "wb");
  if (!file) return false;
  bool ok = fwrite(png.data(), 1, png.size(), file) == png.size();
  if (fclose(file) != 0) ok = false;
  return ok;
}

bool WavOpen(WavWriter* wav, const char* filename) {
  wav->file = fopen(filename, "wb+");
  wav->dataBytes = 0;
  wav->failed = !wav->file || !WriteWavHeader(wav->file, 0);
  return !wav->failed;
}

void WavAppend(WavWriter* wav, const uint8_t* bytes, size_t length) {
  if (!wav->file || wav->failed) return;
  // RIFF sizes are 32-bit: refuse to grow past them (about 6.7 hours of sound).
  if (length > UINT32_MAX - 36 - wav->dataBytes || fwrite(bytes, 1, length, wav->file) != length) {
    wav->failed = true;
    return;
  }
  wav->dataBytes += uint32_t(length);
}

bool WavFinish(WavWriter* wav) {
  if (!wav->file) return false;
  bool ok = !wav->failed && WriteWavHeader(wav->file, wav->dataBytes);
  if (fclose(wav->file) != 0) ok = false;
  wav->file = nullptr;
  return ok;
}

bool StagingCreate(Staging* staging, const std::string& outDir, std::string* error) {
  staging->createdOut = false;
  if (!IsDirectory(outDir)) {
    if (mkdir(outDir.c_str(), 0777) != 0) {
      *error = "cannot create the output folder \"" + outDir + "\": " + strerror(errno);
      return false;
    }
    staging->createdOut = true;
  }
  char resolved[PATH_MAX];
  if (!realpath(outDir.c_str(), resolved)) {
    *error = "cannot resolve the output folder \"" + outDir + "\": " + strerror(errno);
    if (staging->createdOut) rmdir(outDir.c_str());
    return false;
  }
  staging->outDir = resolved;
  staging->dir = staging->outDir + "/.vorndemo-capture-partial";
  RemoveTree(staging->dir);  // left by a run that was killed
  if (mkdir(staging->dir.c_str(), 0777) != 0) {
    *error = "cannot write into the output folder \"" + outDir + "\": " + strerror(errno);
    if (staging->createdOut) rmdir(staging->outDir.c_str());
    return false;
  }
  return true;
}

bool StagingCommit(Staging* staging, std::string* error) {
  DIR* dir = opendir(staging->dir.c_str());
  if (!dir) {
    *error = "cannot read the staging folder \"" + staging->dir + "\": " + strerror(errno);
    return false;
  }
  std::vector<std::string> names;
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (!IsDirectory(staging->dir + "/" + name)) names.push_back(name);
  }
  closedir(dir);
  for (const std::string& name : names) {
    std::string from = staging->dir + "/" + name, to = staging->outDir + "/" + name;
    if (rename(from.c_str(), to.c_str()) != 0) {
      *error = "cannot move \"" + name + "\" into \"" + staging->outDir + "\": " + strerror(errno);
      return false;
    }
  }
  RemoveTree(staging->dir);
  return true;
}

void StagingDiscard(Staging* staging) {
  if (staging->dir.empty()) return;
  RemoveTree(staging->dir);
  if (staging->createdOut) rmdir(staging->outDir.c_str());
}

void RemoveTree(const std::string& path) {
  // Names first, removal after: a folder is not changed while it is being read.
  std::vector<std::string> children;
  if (DIR* dir = opendir(path.c_str())) {
    while (dirent* entry = readdir(dir)) {
      std::string name = entry->d_name;
      if (name != "." && name != "..") children.push_back(path + "/" + name);
    }
    closedir(dir);
  }
  for (const std::string& child : children) {
    if (IsOwnDirectory(child))
      RemoveTree(child);
    else
      unlink(child.c_str());
  }
  rmdir(path.c_str());
}
