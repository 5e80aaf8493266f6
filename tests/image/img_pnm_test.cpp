#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "image_fixture.h"

namespace {

using namespace imagetest;
using namespace std::string_literals;
constexpr uint32_t W = 0xFFFFFF;

const std::string kTemp = testing::TempDir() + "vorn_" + std::to_string(getpid()) + "_";

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

const unsigned char* Bytes(const std::string& s) { return reinterpret_cast<const unsigned char*>(s.c_str()); }
Image Bounded(const std::string& bytes) { return Image(IMGParsePNMBounded(Bytes(bytes), bytes.size())); }
Image Unbounded(const std::string& text) { return Image(IMGParsePNM(Bytes(text))); }
Image FromFile(const std::string& bytes) {
  std::ofstream(kTemp + "read.pnm", std::ios::binary) << bytes;
  return Image(IMGReadPNM((kTemp + "read.pnm").c_str()));
}

enum Reader { kMemory, kFile };

// Worked cases. Bitmaps read a set bit or a text 1 as white. From memory the bitmap width is rounded up
// to whole bytes and a P1 pixel is one digit; a file keeps the declared width, starts each P4 row on a
// new byte and reads a P1 pixel as a whole number. File header numbers consume their terminator.
TEST(PictureReaders, WorkedCases) {
  const struct { Reader reader; std::string bytes; int32_t width, height; Pix pixels; } cases[] = {
      {kMemory, "P4\n3 2\n\xA0\x5F", 8, 2, {W, 0, W, 0, 0, 0, 0, 0, 0, W, 0, W, W, W, W, W}},
      {kMemory, "P1 8 1\n1 0 1 1 0 0 1 0\n", 8, 1, {W, 0, W, W, 0, 0, W, 0}},
      {kMemory, "P1 5 2\n10110000\n0101 1111\n", 8, 2, {W, 0, W, W, 0, 0, 0, 0, 0, W, 0, W, W, W, W, W}},
      {kFile, "P1\n3 1\n10 0 1\n", 3, 1, {W, 0, W}},
      {kFile, "P1 2 1\n4294967296 000\n", 2, 1, {W, 0}},  // a value that wraps is still not 0
      {kFile, "P4\n3 2\n\xA0\x5F", 3, 2, {W, 0, W, 0, W, 0}},
      {kMemory, "P6\n# made by hand\n2 1\n255\n\x01\x02\x03\x04\x05\x06", 2, 1, {0x010203, 0x040506}},
      {kMemory, "P5 1 1 255 \x80", 1, 1, {0x808080}},
      {kMemory, "P2 2\n# between width and height\n1 255\n7 300", 2, 1, {0x070707, 300u * 0x010101}},
      {kMemory, "P3 2 1 255\n1 2 3\n4 5 6", 2, 1, {0x010203, 0x040506}},
      {kMemory, "P2\n1 1#c\n255\n7", 1, 1, {0x070707}},
      {kFile, "P2\n1 1#c\n255\n7", 1, 1, {0xFFFFFF}},  // "c" was a field, "255" the pixel
      {kFile, "P5\n2 1\n255\n\x09\x0A", 2, 1, {0x090909, 0x0A0A0A}},
      {kFile, "P3 1 1 255 1 2 3", 1, 1, {0x010203}},
  };
  for (const auto& c : cases) {
    Image image = c.reader == kFile ? FromFile(c.bytes) : Bounded(c.bytes);
    ASSERT_TRUE(image) << c.bytes;
    EXPECT_EQ(std::pair(image->width, image->height), std::pair(c.width, c.height)) << c.bytes;
    EXPECT_EQ(Pixels(image.get()), c.pixels) << c.bytes;
    if (c.reader == kMemory) { EXPECT_EQ(Pixels(Unbounded(c.bytes).get()), c.pixels) << c.bytes; }
  }
}

TEST(PictureReaders, RefuseBadPicturesAndEveryTruncation) {
  for (const std::string bad : {"P7 1 1 255 x", "P0 1 1 255 x", "P5 0 4 255 xxxx", "P5 46341 46341 255 ",
                                "P5 3333333333 1 255 ", "P6 1 1 65535 \x01\x02\x03\x04\x05\x06",
                                "x1 2 3 4 5", "1 2 3 PP5", "# only a comment", "P1 3 1\n101"})
    EXPECT_EQ(Printed(IMGDebug, [&] { EXPECT_FALSE(Bounded(bad) || FromFile(bad)) << bad; }), "IMG error\nIMG error\n");
  EXPECT_FALSE(Unbounded("P2 2 2 255 1 2 3") || Unbounded("P5 2 2"));  // the text's terminator ends it
  EXPECT_FALSE(Image(IMGReadPNM((kTemp + "missing").c_str())));
  const std::string pictures[] = {"P1\n# c\n8 1\n1 0 1 1 0 0 1 0", "P2\n2 2\n255\n1 2 3 4", "P3\n1 2\n255\n1 2 3 4 5 6",
                                  "P4\n# c\n9 2\n\xFF\x80\x01\x02", "P5\n2 2\n255\n\x00\x01\x02\x03"s,
                                  "P6\n# c\n1 2\n255\n\x00\x01\x02\x03\x04\x05"s};
  for (const std::string& whole : pictures) {
    ASSERT_TRUE(Bounded(whole) && FromFile(whole)) << whole;
    for (size_t cut = 0; cut < whole.size(); ++cut)  // the rest of the picture lies just past the given length
      EXPECT_FALSE(Image(IMGParsePNMBounded(Bytes(whole), cut)) || FromFile(whole.substr(0, cut))) << whole << " cut at " << cut;
  }
}

TEST(WritePPM, HeaderRasterAndFailures) {
  std::string path = kTemp + "write.ppm";
  for (auto [w, h] : {std::pair{640, 480}, {91, 45}}) {  // whole and partial write chunks
    std::mt19937 rng{uint32_t(w)};
    Image image = Random(rng, w, h);
    image->pixels[0] = 0x102030;
    ASSERT_EQ(IMGWritePPM(image.get(), path.c_str()), 1);
    std::string bytes = ReadFile(path), header = "P6\n" + std::to_string(w) + " " + std::to_string(h) + "\n255\n";
    ASSERT_EQ(bytes.size(), header.size() + 3 * size_t(w * h));
    EXPECT_EQ(bytes.substr(0, header.size() + 3), header + "\x10\x20\x30");
    Image back(IMGReadPNM(path.c_str()));
    EXPECT_TRUE(back && IMGEqual(image.get(), back.get()));
  }
  EXPECT_EQ(IMGWritePPM(Sized(0, 5).get(), path.c_str()), 0);
  EXPECT_EQ(IMGWritePPM(Sized(5, 0).get(), path.c_str()), 0);
  EXPECT_EQ(IMGWritePPM(Sized(2, 2).get(), "/dev/full"), 0);  // write errors count
  remove(path.c_str());
}

// ------------------------------------------------ interop with netpbm and ImageMagick

// Decodes a picture file with a peer tool into 0x00RRGGBB pixels (RGB, 8 bits).
Pix PeerPixels(const std::string& command) {
  Pix pixels;
  FILE* pipe = popen(command.c_str(), "r");
  for (int r, g, b; pipe && (r = fgetc(pipe)) != EOF && (g = fgetc(pipe)) != EOF && (b = fgetc(pipe)) != EOF;)
    pixels.push_back(uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b));
  if (pipe) pclose(pipe);
  return pixels;
}

// The declared columns of an Image whose rows may carry fill pixels.
Pix Declared(const IMG* image, int32_t width) {
  Pix out;
  for (int32_t y = 0; image && y < image->height; ++y)
    out.insert(out.end(), image->pixels + y * image->width, image->pixels + y * image->width + width);
  return out;
}

// A random colour picture written as all six types by the peers, read back by
// both readers. The bitmaps come out inverted against the peers' decoding.
TEST(PeerPictures, ReadAllSixTypesAsThePeersDecodeThem) {
#ifdef _WIN32
  GTEST_SKIP() << "the peers are run through a POSIX shell";
#endif
  if (system("(command -v convert && command -v pnmtopnm && command -v pamcut) >/dev/null") != 0)
    GTEST_SKIP() << "netpbm or ImageMagick missing";
  std::string base = kTemp + "peer", ppm = base + ".ppm";
  std::mt19937 rng(11);
  ASSERT_EQ(IMGWritePPM(Random(rng, 37, 23, 0).get(), ppm.c_str()), 1);  // no multiple of 8
  const struct { const char* suffix; std::string make; int32_t width; } cases[] = {
      // Plain PBM digits spaced apart, so that the file reader's numbers are single digits.
      {".p1.pbm", "pamcut -width 32 " + ppm + " | ppmtopgm | pgmtopbm -threshold | pnmtopnm -plain"
                  " | sed '3,$s/[01]/& /g'", 32},
      {".p2.pgm", "ppmtopgm " + ppm + " | pnmtopnm -plain", 37},
      {".p3.ppm", "pnmtopnm -plain " + ppm, 37},
      {".p4.pbm", "convert " + ppm + " -threshold 50% pbm:-", 37},
      {".p5.pgm", "convert " + ppm + " -colorspace gray -depth 8 pgm:-", 37},
      {".p6.ppm", "convert " + ppm + " -depth 8 ppm:-", 37},
  };
  for (const auto& c : cases) {
    std::string file = base + c.suffix;
    ASSERT_EQ(system((c.make + " > " + file + " 2>/dev/null").c_str()), 0) << c.make;
    Pix expected = PeerPixels("convert " + file + " -depth 8 rgb:-");
    ASSERT_EQ(expected.size(), size_t(c.width) * 23) << file;
    if (c.suffix[2] == '1' || c.suffix[2] == '4')
      for (uint32_t& p : expected) p ^= 0xFFFFFF;
    Image fromFile(IMGReadPNM(file.c_str()));
    ASSERT_TRUE(fromFile && fromFile->width == c.width) << file;
    EXPECT_EQ(Pixels(fromFile.get()), expected) << file << " from the file";
    EXPECT_EQ(Declared(Bounded(ReadFile(file)).get(), c.width), expected) << file << " from memory";
  }
  Image ours(IMGReadPNM(ppm.c_str()));
  EXPECT_EQ(Pixels(ours.get()), PeerPixels("convert " + ppm + " -depth 8 rgb:-")) << "ImageMagick";
  EXPECT_EQ(Pixels(ours.get()), PeerPixels("pnmtopnm -plain " + ppm + " | convert - -depth 8 rgb:-")) << "netpbm";
  (void)system(("rm -f " + base + "* " + kTemp + "read.pnm").c_str());
}

}  // namespace
