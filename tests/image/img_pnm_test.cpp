#include "img.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

struct ImageDeleter {
  void operator()(IMG* image) const { IMGFree(&image); }
};
using Image = std::unique_ptr<IMG, ImageDeleter>;

Image Parse(const std::string& bytes) {
  return Image(IMGParsePNMBounded(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()));
}

std::string TempPath(const std::string& name) {
  return testing::TempDir() + "vorn_" + std::to_string(getpid()) + "_" + name;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(ParsePNM, BinaryColourWithCommentLine) {
  std::string data = "P6\n# made by hand\n2 1\n255\n";
  data += std::string("\x01\x02\x03\x04\x05\x06", 6);
  Image image = Parse(data);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 2);
  EXPECT_EQ(image->height, 1);
  EXPECT_EQ(image->pixels[0], 0x010203u);
  EXPECT_EQ(image->pixels[1], 0x040506u);
  Image unbounded(IMGParsePNM(reinterpret_cast<const unsigned char*>(data.c_str())));
  ASSERT_TRUE(unbounded);
  EXPECT_EQ(IMGEqual(image.get(), unbounded.get()), 1);
}

TEST(ParsePNM, GreyOnOneLineAndCommentBetweenNumbers) {
  Image grey = Parse("P5 1 1 255 \x80");
  ASSERT_TRUE(grey);
  EXPECT_EQ(grey->pixels[0], 0x808080u);
  Image commented = Parse("P2 2\n# between width and height\n1 255\n7 300");
  ASSERT_TRUE(commented);
  EXPECT_EQ(commented->pixels[0], 0x070707u);
  EXPECT_EQ(commented->pixels[1], 300u << 16 | 300u << 8 | 300u);  // not clamped
}

// Bitmaps read as the format defines them: 1 is black ink, 0 is white paper.
TEST(ParsePNM, BitmapWidthIsRoundedUpToWholeBytes) {
  Image image = Parse(std::string("P4 3 2\n") + "\xA0\x01");
  ASSERT_TRUE(image);
  ASSERT_EQ(image->width, 8);
  EXPECT_EQ(image->pixels[0], 0u);
  EXPECT_EQ(image->pixels[1], 0xFFFFFFu);
  EXPECT_EQ(image->pixels[2], 0u);
  EXPECT_EQ(image->pixels[3], 0xFFFFFFu);  // the row fill is part of the Image
  EXPECT_EQ(image->pixels[15], 0u);
  // A text bitmap has no row fill: it keeps its width, digits need no blanks.
  Image text = Parse("P1 3 2\n101\n0 1 1");
  ASSERT_TRUE(text);
  EXPECT_EQ(text->width, 3);
  EXPECT_EQ(text->pixels[0], 0u);
  EXPECT_EQ(text->pixels[1], 0xFFFFFFu);
  EXPECT_EQ(text->pixels[3], 0xFFFFFFu);
  EXPECT_EQ(text->pixels[5], 0u);
}

TEST(ParsePNM, RefusesBadTypesSizesAndWideSamples) {
  EXPECT_FALSE(Parse("P7 1 1 255 x"));
  EXPECT_FALSE(Parse("P0 1 1 255 x"));
  EXPECT_FALSE(Parse("P5 0 4 255 xxxx"));
  EXPECT_FALSE(Parse("P5 46341 46341 255 "));
  EXPECT_FALSE(Parse("P5 3333333333 1 255 "));
  EXPECT_FALSE(Parse("P6 1 1 65535 \x01\x02\x03\x04\x05\x06"));  // two bytes a sample
  EXPECT_FALSE(Parse("x1 2 3 4 5"));  // fields full but no magic: must not loop
  EXPECT_FALSE(Parse("1 2 3 PP5"));
  EXPECT_FALSE(IMGParsePNM(reinterpret_cast<const unsigned char*>("abcd")));
  EXPECT_FALSE(IMGParsePNMBounded(nullptr, 5));
  EXPECT_FALSE(IMGParsePNM(nullptr));
}

TEST(ParsePNM, EveryTruncationOfValidPicturesFails) {
  const std::string pictures[] = {
      "P1\n# c\n3 2\n1 0 1\n010",
      "P2\n2 2\n255\n1 2 3 4",
      "P3\n1 2\n255\n1 2 3 4 5 6",
      std::string("P4\n# c\n9 2\n") + std::string("\xFF\x80\x01\x02", 4),
      std::string("P5\n2 2\n255\n") + std::string("\x00\x01\x02\x03", 4),
      std::string("P6\n# c\n1 2\n255\n") + std::string("\x00\x01\x02\x03\x04\x05", 6),
  };
  for (const std::string& whole : pictures) {
    ASSERT_TRUE(Parse(whole)) << whole;
    for (size_t cut = 0; cut < whole.size(); ++cut)
      EXPECT_FALSE(Parse(whole.substr(0, cut))) << whole << " cut at " << cut;
  }
}

TEST(ParsePNM, UnboundedFormStopsAtTheTerminatorOfText) {
  EXPECT_FALSE(IMGParsePNM(reinterpret_cast<const unsigned char*>("P2 2 2 255 1 2 3")));
  EXPECT_FALSE(IMGParsePNM(reinterpret_cast<const unsigned char*>("P5 2 2")));
}

TEST(ReadPNM, FileFormsAndTruncatedFiles) {
  std::string path = TempPath("read.pbm");
  WriteFile(path, std::string("P4\n3 2\n") + "\xA0\x40");
  Image bitmap(IMGReadPNM(path.c_str()));
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->width, 3);  // a file keeps the declared width
  EXPECT_EQ(bitmap->pixels[0], 0u);
  EXPECT_EQ(bitmap->pixels[1], 0xFFFFFFu);
  EXPECT_EQ(bitmap->pixels[2], 0u);
  EXPECT_EQ(bitmap->pixels[4], 0u);  // row 1 starts on its own byte
  WriteFile(path, "P1\n3 1\n 10\n0");
  Image text(IMGReadPNM(path.c_str()));
  ASSERT_TRUE(text);
  EXPECT_EQ(text->pixels[0], 0u);
  EXPECT_EQ(text->pixels[1], 0xFFFFFFu);
  EXPECT_EQ(text->pixels[2], 0xFFFFFFu);
  std::string grey = std::string("P5\n# c\n2 2\n255\n") + std::string("\x01\x02\x03\x04", 4);
  for (size_t cut = 0; cut < grey.size(); ++cut) {
    WriteFile(path, grey.substr(0, cut));
    EXPECT_FALSE(Image(IMGReadPNM(path.c_str()))) << "cut at " << cut;
  }
  WriteFile(path, "P5\n46341 46341\n255\n");
  EXPECT_FALSE(Image(IMGReadPNM(path.c_str())));
  EXPECT_FALSE(Image(IMGReadPNM((path + ".missing").c_str())));
  remove(path.c_str());
}

TEST(WritePPM, HeaderAndRasterBytes) {
  Image image(IMGNew());
  IMGResize(image.get(), 640, 480);
  image->pixels[0] = 0x102030;
  std::string path = TempPath("write.ppm");
  ASSERT_EQ(IMGWritePPM(image.get(), path.c_str()), 1);
  std::string bytes = ReadFile(path);
  std::string header = "P6\n640 480\n255\n";
  ASSERT_EQ(bytes.size(), header.size() + 921600);
  EXPECT_EQ(bytes.substr(0, header.size() + 3), header + "\x10\x20\x30");
  Image back(IMGReadPNM(path.c_str()));
  ASSERT_TRUE(back);
  EXPECT_EQ(IMGEqual(image.get(), back.get()), 1);
  EXPECT_EQ(IMGWritePPM(image.get(), "/nonexistent-dir/x.ppm"), 0);
  IMGResize(image.get(), 0, 5);
  EXPECT_EQ(IMGWritePPM(image.get(), path.c_str()), 0);
  remove(path.c_str());
}

TEST(WritePPM, ReportsAFullDevice) {
  Image image(IMGNew());
  EXPECT_EQ(IMGWritePPM(image.get(), "/dev/full"), 0);
}

// ------------------------------------------------ interop with netpbm and ImageMagick

bool Have(const char* tool) {
  return system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Run(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return out;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  pclose(pipe);
  return out;
}

// Decodes a picture file with a peer tool into 0x00RRGGBB pixels (RGB, 8 bits).
std::vector<uint32_t> PeerPixels(const std::string& command) {
  std::string rgb = Run(command);
  std::vector<uint32_t> pixels(rgb.size() / 3);
  for (size_t i = 0; i < pixels.size(); ++i)
    pixels[i] = uint32_t(uint8_t(rgb[3 * i])) << 16 | uint32_t(uint8_t(rgb[3 * i + 1])) << 8 |
                uint8_t(rgb[3 * i + 2]);
  return pixels;
}

void ExpectPixels(const IMG* image, const std::vector<uint32_t>& expected, const std::string& what) {
  ASSERT_TRUE(image) << what;
  ASSERT_EQ(size_t(image->width) * size_t(image->height), expected.size()) << what;
  for (size_t i = 0; i < expected.size(); ++i)
    ASSERT_EQ(image->pixels[i], expected[i]) << what << " pixel " << i;
}

// A random colour picture written as all six types by the peers.
struct PeerPictures : ::testing::Test {
  std::string base = TempPath("peer");
  void SetUp() override {
    if (!Have("convert") || !Have("pnmtopnm")) GTEST_SKIP() << "netpbm or ImageMagick missing";
    Image source(IMGNew());
    IMGResize(source.get(), 37, 23);  // a width that is no multiple of 8
    std::mt19937 rng(11);
    for (int i = 0; i < 37 * 23; ++i) source->pixels[i] = rng() & 0xFFFFFF;
    ASSERT_EQ(IMGWritePPM(source.get(), (base + ".ppm").c_str()), 1);
  }
  void TearDown() override { (void)system(("rm -f " + base + "*").c_str()); }
};

TEST_F(PeerPictures, ReadsAllSixTypesAsThePeersDecodeThem) {
  const std::string ppm = base + ".ppm";
  const struct {
    const char* suffix;
    std::string make;
  } cases[] = {
      {".p1.pbm", "ppmtopgm " + ppm + " | pgmtopbm -threshold | pnmtopnm -plain"},
      {".p2.pgm", "ppmtopgm " + ppm + " | pnmtopnm -plain"},
      {".p3.ppm", "pnmtopnm -plain " + ppm},
      {".p4.pbm", "convert " + ppm + " -threshold 50% pbm:-"},
      {".p5.pgm", "convert " + ppm + " -colorspace gray -depth 8 pgm:-"},
      {".p6.ppm", "convert " + ppm + " -depth 8 ppm:-"},
  };
  for (const auto& c : cases) {
    std::string file = base + c.suffix;
    ASSERT_EQ(system((c.make + " > " + file + " 2>/dev/null").c_str()), 0) << c.make;
    std::vector<uint32_t> expected = PeerPixels("convert " + file + " -depth 8 rgb:-");
    Image fromFile(IMGReadPNM(file.c_str()));
    ExpectPixels(fromFile.get(), expected, file + " from file");
    std::string bytes = ReadFile(file);
    Image fromMemory = Parse(bytes);
    if (c.suffix[2] == '4') {
      // Memory bitmaps keep the row fill; compare the declared columns.
      ASSERT_TRUE(fromMemory);
      ASSERT_EQ(fromMemory->width, 40);
      for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37; ++x)
          ASSERT_EQ(fromMemory->pixels[y * 40 + x], expected[size_t(y * 37 + x)]) << file << " " << x << "," << y;
    } else {
      ExpectPixels(fromMemory.get(), expected, file + " from memory");
    }
  }
}

TEST_F(PeerPictures, PeersReadOurPPMWithTheSamePixels) {
  Image ours(IMGReadPNM((base + ".ppm").c_str()));
  ExpectPixels(ours.get(), PeerPixels("convert " + base + ".ppm -depth 8 rgb:-"), "ImageMagick");
  ExpectPixels(ours.get(), PeerPixels("pnmtopnm -plain " + base + ".ppm | convert - -depth 8 rgb:-"), "netpbm");
}

}  // namespace
