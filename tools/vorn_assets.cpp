// vorn_assets: draws the show's bitmap pictures and writes them as binary
// PGM/PPM files into the folder named on the command line:
//   font.pgm   256 x 256 grey: 16 x 16 cells; cells 0..15 are background
//              tiles, cells 32..127 the glyphs (lower case repeats upper case)
//   balls.ppm  16 x 256 colour strip; cells 2..11 are ten frames of a
//              spinning striped ball (one quarter turn, so the cycle closes)
//   rain.ppm   16 x 256 colour strip; cells 2..11 are ten different sprites
// The demo compiles these files in; run this tool again after changing a
// drawing here and commit the files it writes.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kCell = 16;

struct Picture {
  int width, height;
  std::vector<uint8_t> bytes;  // grey: one byte per pixel; colour: r, g, b
  int channels;
};

bool Write(const Picture& picture, const std::string& path, const char* comment) {
  FILE* file = fopen(path.c_str(), "wb");
  if (!file) return false;
  fprintf(file, "P%d\n# %s\n%d %d\n255\n", picture.channels == 1 ? 5 : 6, comment, picture.width,
          picture.height);
  size_t written = fwrite(picture.bytes.data(), 1, picture.bytes.size(), file);
  return fclose(file) == 0 && written == picture.bytes.size();
}

double Clamp01(double v) { return std::min(1.0, std::max(0.0, v)); }
uint8_t Byte(double v) { return uint8_t(std::lround(std::min(255.0, std::max(0.0, v)))); }

struct Vec3 {
  double x, y, z;
};
Vec3 Normalise(Vec3 v) {
  double l = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  return l > 0 ? Vec3{v.x / l, v.y / l, v.z / l} : Vec3{0, 0, 1};
}
double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

const Vec3 kLight = Normalise({-0.55, -0.65, 0.75});  // from the upper left, towards the viewer

// Diffuse plus a soft specular term for a surface normal n.
double Shade(Vec3 n, double ambient, double shine) {
  double diffuse = std::max(0.0, Dot(n, kLight));
  Vec3 half = Normalise({kLight.x, kLight.y, kLight.z + 1.0});
  double specular = std::pow(std::max(0.0, Dot(n, half)), 24.0);
  return ambient + (1.0 - ambient) * diffuse + shine * specular;
}

// ------------------------------------------------------------------ glyphs

// 5 x 7 glyphs for codes 32..127, one byte per row, bit 4 leftmost.
constexpr uint8_t kGlyphs[96][7] = {
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},  // space
    {0x04, 0x04, 0x04, 0x04, 0x04, 0x00, 0x04},  // !
    {0x0A, 0x0A, 0x00, 0x00, 0x00, 0x00, 0x00},  // "
    {0x0A, 0x0A, 0x1F, 0x0A, 0x1F, 0x0A, 0x0A},  // #
    {0x04, 0x0F, 0x14, 0x0E, 0x05, 0x1E, 0x04},  // $
    {0x18, 0x19, 0x02, 0x04, 0x08, 0x13, 0x03},  // %
    {0x0C, 0x12, 0x14, 0x08, 0x15, 0x12, 0x0D},  // &
    {0x04, 0x04, 0x08, 0x00, 0x00, 0x00, 0x00},  // '
    {0x02, 0x04, 0x08, 0x08, 0x08, 0x04, 0x02},  // (
    {0x08, 0x04, 0x02, 0x02, 0x02, 0x04, 0x08},  // )
    {0x00, 0x04, 0x15, 0x0E, 0x15, 0x04, 0x00},  // *
    {0x00, 0x04, 0x04, 0x1F, 0x04, 0x04, 0x00},  // +
    {0x00, 0x00, 0x00, 0x00, 0x06, 0x02, 0x04},  // ,
    {0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00},  // -
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x06, 0x06},  // .
    {0x00, 0x01, 0x02, 0x04, 0x08, 0x10, 0x00},  // /
    {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E},  // 0
    {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E},  // 1
    {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F},  // 2
    {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E},  // 3
    {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02},  // 4
    {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E},  // 5
    {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E},  // 6
    {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08},  // 7
    {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E},  // 8
    {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C},  // 9
    {0x00, 0x06, 0x06, 0x00, 0x06, 0x06, 0x00},  // :
    {0x00, 0x06, 0x06, 0x00, 0x06, 0x02, 0x04},  // ;
    {0x02, 0x04, 0x08, 0x10, 0x08, 0x04, 0x02},  // <
    {0x00, 0x00, 0x1F, 0x00, 0x1F, 0x00, 0x00},  // =
    {0x08, 0x04, 0x02, 0x01, 0x02, 0x04, 0x08},  // >
    {0x0E, 0x11, 0x01, 0x02, 0x04, 0x00, 0x04},  // ?
    {0x0E, 0x11, 0x01, 0x0D, 0x15, 0x15, 0x0E},  // @
    {0x0E, 0x11, 0x11, 0x11, 0x1F, 0x11, 0x11},  // A
    {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E},  // B
    {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E},  // C
    {0x1C, 0x12, 0x11, 0x11, 0x11, 0x12, 0x1C},  // D
    {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F},  // E
    {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10},  // F
    {0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F},  // G
    {0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11},  // H
    {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E},  // I
    {0x07, 0x02, 0x02, 0x02, 0x02, 0x12, 0x0C},  // J
    {0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11},  // K
    {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F},  // L
    {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11},  // M
    {0x11, 0x11, 0x19, 0x15, 0x13, 0x11, 0x11},  // N
    {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E},  // O
    {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10},  // P
    {0x0E, 0x11, 0x11, 0x11, 0x15, 0x12, 0x0D},  // Q
    {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11},  // R
    {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E},  // S
    {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04},  // T
    {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E},  // U
    {0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04},  // V
    {0x11, 0x11, 0x11, 0x15, 0x15, 0x15, 0x0A},  // W
    {0x11, 0x11, 0x0A, 0x04, 0x0A, 0x11, 0x11},  // X
    {0x11, 0x11, 0x11, 0x0A, 0x04, 0x04, 0x04},  // Y
    {0x1F, 0x01, 0x02, 0x04, 0x08, 0x10, 0x1F},  // Z
    {0x0E, 0x08, 0x08, 0x08, 0x08, 0x08, 0x0E},  // [
    {0x00, 0x10, 0x08, 0x04, 0x02, 0x01, 0x00},  // backslash
    {0x0E, 0x02, 0x02, 0x02, 0x02, 0x02, 0x0E},  // ]
    {0x04, 0x0A, 0x11, 0x00, 0x00, 0x00, 0x00},  // ^
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x1F},  // _
    {0x08, 0x04, 0x02, 0x00, 0x00, 0x00, 0x00},  // `
    {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {},  // a..m: the capitals
    {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {},  // n..z
    {0x02, 0x04, 0x04, 0x08, 0x04, 0x04, 0x02},  // {
    {0x04, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04},  // |
    {0x08, 0x04, 0x04, 0x02, 0x04, 0x04, 0x08},  // }
    {0x00, 0x00, 0x08, 0x15, 0x02, 0x00, 0x00},  // ~
    {0x15, 0x0A, 0x15, 0x0A, 0x15, 0x0A, 0x15},  // 127: a shaded block
};

const uint8_t* GlyphRows(int code) {
  if (code >= 'a' && code <= 'z') code -= 'a' - 'A';
  return kGlyphs[code - 32];
}

// A glyph at twice its size (10 x 14) inside its 16 x 16 cell, with a lit
// upper-left edge, a gradient from top to bottom and a one-pixel drop shadow.
void DrawGlyph(Picture& font, int code) {
  const uint8_t* rows = GlyphRows(code);
  auto ink = [&](int gx, int gy) {
    if (gx < 0 || gx >= 10 || gy < 0 || gy >= 14) return false;
    return ((rows[gy / 2] >> (4 - gx / 2)) & 1) != 0;
  };
  const int left = (code % 16) * kCell + 3, top = (code / 16) * kCell + 1;
  for (int y = 0; y < kCell - 1; ++y) {
    for (int x = 0; x < kCell - 3; ++x) {
      int gx = x, gy = y;
      double grey = 0;
      if (ink(gx, gy)) {
        grey = 250 - 5.5 * gy;
        if (!ink(gx - 1, gy) || !ink(gx, gy - 1)) grey = 255;
        else if (!ink(gx + 1, gy) || !ink(gx, gy + 1)) grey -= 40;
      } else if (ink(gx - 1, gy - 1) || ink(gx - 1, gy) || ink(gx, gy - 1)) {
        grey = 72;
      }
      font.bytes[size_t(top + y) * 256 + size_t(left + x)] = Byte(grey);
    }
  }
}

// ------------------------------------------------------------------- tiles

// A tile is a height field over one 16 x 16 period; it is lit like a relief
// and mapped to dark greys, so that the tinted background stays quiet under
// the sprites. No pixel is 0: black would turn white on the tile sheet.
using HeightField = std::function<double(double x, double y)>;

double Wrap(double v) { return v - kCell * std::floor(v / kCell); }
double Smooth(double e0, double e1, double v) {
  double t = Clamp01((v - e0) / (e1 - e0));
  return t * t * (3 - 2 * t);
}

// Value noise that repeats every 16 pixels.
double Hash(int x, int y, int seed) {
  uint32_t h = uint32_t(x & 15) * 374761393u + uint32_t(y & 15) * 668265263u + uint32_t(seed) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return double((h ^ (h >> 16)) & 0xFFFF) / 65535.0;
}
double Noise(double x, double y, int cells, int seed) {
  double scale = double(cells) / kCell;
  double fx = Wrap(x) * scale, fy = Wrap(y) * scale;
  int ix = int(std::floor(fx)), iy = int(std::floor(fy));
  double tx = Smooth(0, 1, fx - ix), ty = Smooth(0, 1, fy - iy);
  auto at = [&](int i, int j) { return Hash((ix + i) % cells, (iy + j) % cells, seed); };
  double a = at(0, 0) + (at(1, 0) - at(0, 0)) * tx;
  double b = at(0, 1) + (at(1, 1) - at(0, 1)) * tx;
  return a + (b - a) * ty;
}

// Raised square with bevelled edges, size s, inset from the cell edge.
double Plate(double x, double y, double x0, double y0, double w, double h, double bevel) {
  double d = std::min(std::min(x - x0, x0 + w - x), std::min(y - y0, y0 + h - y));
  return Smooth(0, bevel, d);
}

double Dome(double x, double y, double cx, double cy, double r) {
  double d2 = ((x - cx) * (x - cx) + (y - cy) * (y - cy)) / (r * r);
  return d2 < 1 ? std::sqrt(1 - d2) : 0;
}

const HeightField kTiles[16] = {
    // 0: one bevelled plate
    [](double x, double y) { return Plate(x, y, 0.5, 0.5, 15, 15, 3); },
    // 1: bricks in running bond
    [](double x, double y) {
      double row = std::floor(y / 8), bx = Wrap(x + (int(row) % 2) * 8);
      return Plate(bx, y - row * 8, 0.5, 0.5, 15, 7, 1.6) * (0.85 + 0.15 * Noise(x, y, 8, 1));
    },
    // 2: four studs on a plate
    [](double x, double y) {
      double h = 0.25;
      for (double cx : {4.0, 12.0})
        for (double cy : {4.0, 12.0}) h = std::max(h, 0.25 + 0.75 * Dome(x, y, cx, cy, 3.2));
      return h;
    },
    // 3: diagonal ribs
    [](double x, double y) { return 0.5 + 0.5 * std::sin(2 * kPi * (x + y) / 8); },
    // 4: concentric rings
    [](double x, double y) {
      double r = std::hypot(x - 8, y - 8);
      return r < 8 ? 0.5 + 0.5 * std::cos(2 * kPi * r / 4) : 0.0;
    },
    // 5: pyramid studs (diamond plate)
    [](double x, double y) {
      double a = std::abs(Wrap(x) - 8) + std::abs(Wrap(y) - 8);
      return Clamp01(1 - a / 8);
    },
    // 6: waves
    [](double x, double y) { return 0.5 + 0.5 * std::sin(2 * kPi * (y / 8 + 0.25 * std::sin(2 * kPi * x / 16))); },
    // 7: checker of raised and sunken squares
    [](double x, double y) {
      bool up = (int(x / 8) + int(y / 8)) % 2 == 0;
      double p = Plate(Wrap(x), Wrap(y), 0, 0, 8, 8, 1.5);
      p = std::max(p, Plate(Wrap(x) - 8, Wrap(y), 0, 0, 8, 8, 1.5));
      p = std::max(p, Plate(Wrap(x), Wrap(y) - 8, 0, 0, 8, 8, 1.5));
      p = std::max(p, Plate(Wrap(x) - 8, Wrap(y) - 8, 0, 0, 8, 8, 1.5));
      return up ? 0.4 + 0.6 * p : 0.4 - 0.3 * p;
    },
    // 8: woven strands
    [](double x, double y) {
      bool over = (int(x / 8) + int(y / 8)) % 2 == 0;
      double across = std::sin(kPi * Wrap(y) / 8), down = std::sin(kPi * Wrap(x) / 8);
      double h1 = std::abs(across) * (0.6 + 0.4 * std::cos(kPi * (Wrap(x) - 4) / 8));
      double h2 = std::abs(down) * (0.6 + 0.4 * std::cos(kPi * (Wrap(y) - 4) / 8));
      return over ? std::max(h1, 0.7 * h2) : std::max(h2, 0.7 * h1);
    },
    // 9: fish scales
    [](double x, double y) {
      double h = 0;
      for (int dy = -1; dy <= 2; ++dy)
        for (int dx = -1; dx <= 2; ++dx) {
          double cx = dx * 8 + (dy % 2 ? 4 : 0), cy = dy * 8;
          double r = std::hypot(x - cx, y - cy);
          if (r < 8 && y >= cy) h = std::max(h, (1 - r / 8) * 0.8 + 0.2);
        }
      return h;
    },
    // 10: rivetted panel
    [](double x, double y) {
      double h = 0.3 + 0.4 * Plate(x, y, 1, 1, 14, 14, 2);
      for (double cx : {3.5, 12.5})
        for (double cy : {3.5, 12.5}) h = std::max(h, 0.7 + 0.3 * Dome(x, y, cx, cy, 1.6));
      return h;
    },
    // 11: zigzag chevrons
    [](double x, double y) {
      double v = Wrap(y + std::abs(Wrap(x) - 8));
      return 0.5 + 0.5 * std::sin(2 * kPi * v / 8);
    },
    // 12: cross grooves
    [](double x, double y) {
      double gx = std::abs(Wrap(x) - 8), gy = std::abs(Wrap(y) - 8);
      return Smooth(0.5, 2.5, std::min(gx, gy)) * 0.3 + 0.7 * Smooth(0, 6, std::min(8 - gx, 8 - gy));
    },
    // 13: hexagon-like cells
    [](double x, double y) {
      double best = 1e9;
      for (int dy = -1; dy <= 2; ++dy)
        for (int dx = -1; dx <= 2; ++dx) {
          double cx = dx * 8 + (dy % 2 ? 4 : 0), cy = dy * 8;
          best = std::min(best, std::hypot(x - cx, (y - cy) * 1.15));
        }
      return Clamp01(1 - best / 5.5);
    },
    // 14: rough stone
    [](double x, double y) { return 0.6 * Noise(x, y, 4, 7) + 0.4 * Noise(x, y, 8, 9); },
    // 15: heavy metal plate with a centre boss
    [](double x, double y) {
      double h = 0.35 + 0.35 * Plate(x, y, 0.5, 0.5, 15, 15, 2.5);
      return std::max(h, 0.55 + 0.45 * Dome(x, y, 8, 8, 4.5));
    },
};

void DrawTile(Picture& font, int index) {
  const HeightField& height = kTiles[index];
  const int left = index * kCell;
  for (int y = 0; y < kCell; ++y) {
    for (int x = 0; x < kCell; ++x) {
      double sum = 0;
      for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) {
          double px = x + (sx + 0.5) / 4, py = y + (sy + 0.5) / 4;
          auto h = [&](double u, double v) { return height(Wrap(u), Wrap(v)); };
          double gx = (h(px + 0.5, py) - h(px - 0.5, py)) * 3.5;
          double gy = (h(px, py + 0.5) - h(px, py - 0.5)) * 3.5;
          double light = Shade(Normalise({-gx, -gy, 1}), 0.25, 0.35);
          sum += 18 + 90 * light * (0.55 + 0.45 * h(px, py));
        }
      font.bytes[size_t(y) * 256 + size_t(left + x)] = Byte(std::max(8.0, sum / 16));
    }
  }
}

Picture MakeFont() {
  Picture font{256, 256, std::vector<uint8_t>(256 * 256, 0), 1};
  for (int tile = 0; tile < 16; ++tile) DrawTile(font, tile);
  for (int code = 33; code < 128; ++code) DrawGlyph(font, code);
  return font;
}

// ------------------------------------------------------------------ sprites

struct Colour {
  double r, g, b;
};
Colour Mix(Colour a, Colour b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Colour Scale(Colour c, double k) { return {c.r * k, c.g * k, c.b * k}; }
Colour Add(Colour a, Colour b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }

// Writes one 16 x 16 cell of a colour strip, 4 x 4 samples a pixel. paint
// returns false where the sample lies outside the sprite. A pixel less than
// half covered stays black (transparent); a covered one is never black.
void PaintCell(Picture& strip, int cell, const std::function<bool(double, double, Colour&)>& paint) {
  for (int y = 0; y < kCell; ++y) {
    for (int x = 0; x < kCell; ++x) {
      Colour sum{0, 0, 0};
      int covered = 0;
      for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) {
          Colour c{0, 0, 0};
          if (paint(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4, c)) {
            sum = Add(sum, c);
            ++covered;
          }
        }
      if (covered < 8) continue;
      Colour c = Scale(sum, 1.0 / covered);
      uint8_t* p = &strip.bytes[(size_t(cell * kCell + y) * kCell + size_t(x)) * 3];
      p[0] = std::max<uint8_t>(1, Byte(c.r));
      p[1] = std::max<uint8_t>(1, Byte(c.g));
      p[2] = std::max<uint8_t>(1, Byte(c.b));
    }
  }
}

// The ball: a sphere with eight alternating segments around a tilted spin
// axis, white caps at the poles, lit from the upper left. Frame k of ten
// turns it by k/10 of a quarter turn, which maps the stripes onto themselves
// after ten frames, so the animation cycles without a jump.
Picture MakeBalls() {
  Picture strip{kCell, 256, std::vector<uint8_t>(kCell * 256 * 3, 0), 3};
  const Colour kYellow{255, 196, 40}, kRed{222, 44, 36}, kWhite{245, 240, 230};
  const double tilt = 0.45;  // spin axis leans towards the viewer's top
  for (int frame = 0; frame < 10; ++frame) {
    double turn = (kPi / 2) * frame / 10.0;
    PaintCell(strip, frame + 2, [&](double x, double y, Colour& out) {
      double nx = (x - 8) / 7.6, ny = (y - 8) / 7.6, r2 = nx * nx + ny * ny;
      if (r2 >= 1) return false;
      Vec3 n{nx, ny, std::sqrt(1 - r2)};
      // Into the ball's frame: undo the tilt about the x axis, then the spin about y.
      double ay = n.y * std::cos(tilt) + n.z * std::sin(tilt);
      double az = -n.y * std::sin(tilt) + n.z * std::cos(tilt);
      double angle = std::atan2(az, n.x) + turn;
      double segment = std::fmod(angle / (kPi / 4) + 16.0, 2.0);
      // Soften the stripe edges over a few hundredths of a segment.
      double edge = Smooth(0.0, 0.12, std::min(segment, 2.0 - segment)) *
                    Smooth(0.0, 0.12, std::abs(segment - 1.0));
      Colour base = segment < 1 ? Mix(kRed, kYellow, 0.5 + 0.5 * edge) : Mix(kYellow, kRed, 0.5 + 0.5 * edge);
      base = Mix(base, kWhite, Smooth(0.78, 0.86, std::abs(ay)));
      double light = Shade(n, 0.18, 0.0);
      Vec3 half = Normalise({kLight.x, kLight.y, kLight.z + 1.0});
      double gloss = std::pow(std::max(0.0, Dot(n, half)), 40.0);
      out = Add(Scale(base, light), Scale(Colour{255, 255, 255}, 0.9 * gloss));
      return true;
    });
  }
  return strip;
}

// A signed distance (negative inside) turned into a lit, bevelled sprite.
using Distance = std::function<double(double x, double y)>;

void PaintShape(Picture& strip, int cell, const Distance& distance, Colour base, double bevel,
                double shine) {
  PaintCell(strip, cell, [&](double x, double y, Colour& out) {
    double d = distance(x, y);
    if (d > 0) return false;
    auto h = [&](double u, double v) { return Clamp01(-distance(u, v) / bevel); };
    double gx = (h(x + 0.25, y) - h(x - 0.25, y)) * 2 * bevel;
    double gy = (h(x, y + 0.25) - h(x, y - 0.25)) * 2 * bevel;
    Vec3 n = Normalise({-gx, -gy, 1.0});
    double rim = Smooth(-1.0, 0.0, d);  // a darker line along the outline
    out = Add(Scale(base, Shade(n, 0.3, 0.0) * (1 - 0.45 * rim)),
              Scale(Colour{255, 255, 255}, shine * std::pow(std::max(0.0, Dot(n, Normalise({kLight.x, kLight.y, kLight.z + 1}))), 20.0)));
    return true;
  });
}

double Circle(double x, double y, double cx, double cy, double r) { return std::hypot(x - cx, y - cy) - r; }

// Distance to a regular star with p points, outer radius ro, inner radius ri.
double Star(double x, double y, int points, double ro, double ri) {
  double a = std::atan2(x - 8, -(y - 8)), r = std::hypot(x - 8, y - 8);
  double sector = 2 * kPi / points;
  double t = std::abs(std::fmod(a + 2 * kPi + sector / 2, sector) - sector / 2) / (sector / 2);
  return r - (ro + (ri - ro) * t);
}

Picture MakeRain() {
  Picture strip{kCell, 256, std::vector<uint8_t>(kCell * 256 * 3, 0), 3};
  // 2: a falling drop: a round body drawn out into a point at the top
  PaintShape(strip, 2, [](double x, double y) {
    if (y >= 9.8) return Circle(x, y, 8, 9.8, 5.2);
    double halfWidth = 5.2 * std::pow(Clamp01((y - 1.0) / 8.8), 0.75);
    return std::max(std::abs(x - 8) - halfWidth, 1.0 - y);
  }, {90, 200, 255}, 3.5, 1.0);
  // 3: a heart: two lobes over a point
  PaintShape(strip, 3, [](double x, double y) {
    double lobes = std::min(Circle(x, y, 5.0, 5.6, 3.9), Circle(x, y, 11.0, 5.6, 3.9));
    double point = std::max((std::abs(x - 8) / 7.6 + (y - 5.6) / 8.6 - 1) * 5.0, 5.6 - y);
    return std::min(lobes, point);
  }, {235, 40, 70}, 3.0, 0.9);
  // 4: a five-pointed star
  PaintShape(strip, 4, [](double x, double y) { return Star(x, y, 5, 7.6, 3.2); }, {255, 210, 40}, 2.5, 0.8);
  // 5: an emerald cut as a rhombus with facets
  PaintShape(strip, 5, [](double x, double y) {
    return (std::abs(x - 8) / 6.2 + std::abs(y - 8) / 7.6 - 1) * 6.0;
  }, {40, 220, 110}, 4.0, 1.0);
  // 6: a gold coin with a raised rim
  PaintShape(strip, 6, [](double x, double y) {
    double d = Circle(x, y, 8, 8, 7.2);
    double inner = std::abs(Circle(x, y, 8, 8, 4.6)) - 0.7;
    return inner < 0 ? std::max(d, -0.5) : d;
  }, {240, 170, 40}, 2.0, 0.9);
  // 7: a magenta ring
  PaintShape(strip, 7, [](double x, double y) { return std::abs(Circle(x, y, 8, 8, 5.0)) - 2.4; },
             {230, 60, 230}, 2.4, 1.0);
  // 8: a six-armed snow crystal
  PaintShape(strip, 8, [](double x, double y) {
    double best = 1e9;
    for (int arm = 0; arm < 6; ++arm) {
      double a = arm * kPi / 3, ca = std::cos(a), sa = std::sin(a);
      double u = (x - 8) * ca + (y - 8) * sa, v = -(x - 8) * sa + (y - 8) * ca;
      double along = std::max(0.0, std::min(7.2, u));
      best = std::min(best, std::hypot(u - along, v) - 1.1);
      double bu = std::max(0.0, std::min(2.2, u - 3.6));
      best = std::min(best, std::hypot(u - 3.6 - bu * 0.7, std::abs(v) - bu * 0.7) - 0.8);
    }
    return std::min(best, Circle(x, y, 8, 8, 2.0));
  }, {220, 240, 255}, 1.2, 0.6);
  // 9: a crescent moon
  PaintShape(strip, 9, [](double x, double y) {
    return std::max(Circle(x, y, 8, 8, 7.0), -Circle(x, y, 11.2, 6.2, 5.6));
  }, {255, 235, 150}, 2.5, 0.7);
  // 10: a five-petalled flower with a yellow heart
  PaintShape(strip, 10, [](double x, double y) {
    double a = std::atan2(y - 8, x - 8), r = std::hypot(x - 8, y - 8);
    return r - (4.6 + 2.8 * std::abs(std::cos(2.5 * a)));
  }, {255, 120, 190}, 2.5, 0.8);
  PaintShape(strip, 10, [](double x, double y) { return Circle(x, y, 8, 8, 2.3); }, {255, 220, 60}, 2.0, 0.9);
  // 11: a blue-violet cut gem (octagon)
  PaintShape(strip, 11, [](double x, double y) {
    double u = std::abs(x - 8), v = std::abs(y - 8);
    return std::max(std::max(u, v), (u + v) * 0.7071) - 6.8;
  }, {120, 100, 255}, 3.0, 1.0);
  return strip;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  bool ok = Write(MakeFont(), folder + "/font.pgm", "VORNDEMO bitmap font: 16 x 16 cells, tiles in cells 0..15") &&
            Write(MakeBalls(), folder + "/balls.ppm", "VORNDEMO ball: ten frames in cells 2..11") &&
            Write(MakeRain(), folder + "/rain.ppm", "VORNDEMO rain sprites in cells 2..11");
  if (!ok) {
    fprintf(stderr, "%s: cannot write the pictures into %s\n", argv[0], folder.c_str());
    return 1;
  }
  return 0;
}
