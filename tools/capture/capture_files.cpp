// PNG and WAV writers, checksums and the staging folder.
#include "capture_files.h"

#include <zlib.h>

#include <filesystem>
#include <system_error>
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

}  // namespace

namespace fs = std::filesystem;

uint64_t PictureChecksum(const IMG* image) {
  std::vector<uint8_t> rgb = RgbRows(image);
  return Fnv1a64(rgb.data(), rgb.size(), kFnvStart);
}

bool WritePng(const IMG* image, const char* filename) {
  if (!IMGUsable(image) || image->width <= 0 || image->height <= 0) return false;
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
  std::error_code failure;
  if (!fs::is_directory(outDir, failure)) {
    if (!fs::create_directory(outDir, failure)) {
      if (!failure) failure = std::make_error_code(std::errc::not_a_directory);
      *error = "cannot create the output folder \"" + outDir + "\": " + failure.message();
      return false;
    }
    staging->createdOut = true;
  }
  fs::path resolved = fs::canonical(outDir, failure);
  if (failure) {
    *error = "cannot resolve the output folder \"" + outDir + "\": " + failure.message();
    if (staging->createdOut) fs::remove(outDir, failure);
    return false;
  }
  staging->outDir = resolved.generic_string();
  staging->dir = staging->outDir + "/.vorndemo-capture-partial";
  staging->replaced = staging->outDir + "/.vorndemo-capture-replaced";
  // Left by a run stopped in the middle of its commit, it may hold the only
  // copy of earlier files: never removed here, and no run commits beside it.
  if (fs::exists(fs::symlink_status(staging->replaced, failure))) {
    *error = "\"" + staging->replaced + "\" holds files an earlier run was replacing when it stopped: " +
             "move them back or remove it";
    return false;
  }
  RemoveTree(staging->dir);  // left by a run that was killed
  if (!fs::create_directory(staging->dir, failure)) {
    if (!failure) failure = std::make_error_code(std::errc::file_exists);
    *error = "cannot write into the output folder \"" + outDir + "\": " + failure.message();
    if (staging->createdOut) fs::remove(staging->outDir, failure);
    return false;
  }
  return true;
}

bool StagingMove(const std::string& from, const std::string& to, std::string* reason) {
  std::error_code failure;
  fs::rename(from, to, failure);
  if (failure) *reason = failure.message();
  return !failure;
}

bool StagingCommit(Staging* staging, std::string* error) {
  auto move = staging->move ? staging->move : StagingMove;
  // Names first, moves after: the folder is not changed while it is being read,
  // and a folder that cannot be read to its end moves nothing.
  std::vector<std::string> names;
  std::error_code failure;
  for (fs::directory_iterator entry(staging->dir, failure), end; !failure && entry != end;
       entry.increment(failure)) {
    if (!entry->is_directory(failure) && !failure) names.push_back(entry->path().filename().string());
  }
  if (failure) {
    *error = "cannot read the staging folder \"" + staging->dir + "\": " + failure.message();
    return false;
  }
  // Every target before the first move: only a folder cannot be replaced.
  std::vector<std::string> earlier;  // names that replace a file of an earlier run
  for (const std::string& name : names) {
    fs::file_status target = fs::symlink_status(staging->outDir + "/" + name, failure);
    if (failure && target.type() != fs::file_type::not_found) {
      *error = "cannot look at \"" + name + "\" in \"" + staging->outDir + "\": " + failure.message();
      return false;
    }
    if (fs::is_directory(target)) {
      *error = "cannot replace \"" + name + "\" in \"" + staging->outDir + "\": it is a folder; nothing was moved";
      return false;
    }
    if (fs::exists(target)) earlier.push_back(name);
  }
  if (!earlier.empty() && !fs::create_directory(staging->replaced, failure)) {
    if (!failure) failure = std::make_error_code(std::errc::file_exists);
    *error = "cannot set earlier files aside in \"" + staging->replaced + "\": " + failure.message();
    return false;
  }
  size_t setAside = 0, movedIn = 0;
  std::string reason, failed;
  while (setAside < earlier.size()) {
    const std::string& name = earlier[setAside];
    if (!move(staging->outDir + "/" + name, staging->replaced + "/" + name, &reason)) {
      failed = name;
      break;
    }
    ++setAside;
  }
  while (failed.empty() && movedIn < names.size()) {
    const std::string& name = names[movedIn];
    if (!move(staging->dir + "/" + name, staging->outDir + "/" + name, &reason)) {
      failed = name;
      break;
    }
    ++movedIn;
  }
  if (failed.empty()) {
    RemoveTree(staging->replaced);
    RemoveTree(staging->dir);
    return true;
  }
  // Undo: the new files out, the earlier ones back.
  *error = "cannot move \"" + failed + "\" into \"" + staging->outDir + "\": " + reason;
  bool restored = true;
  for (size_t i = 0; i < movedIn; ++i) restored &= fs::remove(staging->outDir + "/" + names[i], failure) && !failure;
  std::string ignored;
  for (size_t i = 0; i < setAside; ++i)
    restored &= move(staging->replaced + "/" + earlier[i], staging->outDir + "/" + earlier[i], &ignored);
  if (restored) {
    fs::remove(staging->replaced, failure);
    *error += "; the folder is as it was";
  } else {
    *error += "; could not put everything back: the earlier files are in \"" + staging->replaced + "\"";
  }
  return false;
}

void StagingDiscard(Staging* staging) {
  if (staging->dir.empty()) return;
  RemoveTree(staging->dir);
  std::error_code ignored;
  if (staging->createdOut) fs::remove(staging->outDir, ignored);
}

// Links are removed, never followed.
void RemoveTree(const std::string& path) {
  std::error_code ignored;
  fs::remove_all(path, ignored);
}
