// The gallery's scenes drawn without a window: each shows something, moves,
// differs from the others, and starts again from the same picture.
#include "gallery.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "image/image_fixture.h"
#include "img.h"

namespace {

using imagetest::Image;
using imagetest::Sized;

int32_t Lit(const IMG* image) {
  int32_t lit = 0;
  for (int32_t i = 0; i < image->width * image->height; ++i) lit += image->pixels[i] != 0;
  return lit;
}

std::vector<uint32_t> Pixels(const IMG* image) {
  return std::vector<uint32_t>(image->pixels, image->pixels + image->width * image->height);
}

struct GalleryHolder {
  Image target = Sized(256, 256);
  GALLERY* gallery = nullptr;
  GalleryHolder() {
    srand(273880913);
    gallery = GalleryNew(target.get());
  }
  ~GalleryHolder() { GalleryFree(&gallery); }
};

TEST(Gallery, EveryScenesDrawsMovesAndDiffers) {
  GalleryHolder h;
  ASSERT_NE(h.gallery, nullptr);
  std::set<std::vector<uint32_t>> seen;
  for (int32_t scene = 0; scene < GallerySceneCount(); ++scene) {
    const std::string name = GallerySceneName(scene);
    EXPECT_LE(name.size(), 16u);
    GalleryBegin(h.gallery, scene);
    GalleryFrame(h.gallery, scene);
    const std::vector<uint32_t> first = Pixels(h.target.get());
    EXPECT_GT(Lit(h.target.get()), 500) << name;
    for (int i = 0; i < 10; ++i) GalleryFrame(h.gallery, scene);
    EXPECT_NE(Pixels(h.target.get()), first) << name << " does not move";
    EXPECT_TRUE(seen.insert(Pixels(h.target.get())).second) << name << " repeats a scene";
  }
}

TEST(Gallery, BeginRestartsTheAnimation) {
  GalleryHolder h;
  ASSERT_NE(h.gallery, nullptr);
  for (int32_t scene = 0; scene < GallerySceneCount(); ++scene) {
    // Only the scenes that draw no random numbers repeat exactly.
    const std::string name = GallerySceneName(scene);
    if (name.find("STAR") != std::string::npos || name == "LINE SCROLLER") continue;
    GalleryBegin(h.gallery, scene);
    for (int i = 0; i < 3; ++i) GalleryFrame(h.gallery, scene);
    const std::vector<uint32_t> third = Pixels(h.target.get());
    for (int i = 0; i < 20; ++i) GalleryFrame(h.gallery, scene);
    GalleryBegin(h.gallery, scene);
    for (int i = 0; i < 3; ++i) GalleryFrame(h.gallery, scene);
    EXPECT_EQ(Pixels(h.target.get()), third) << GallerySceneName(scene);
  }
}

TEST(Gallery, RefusesWhatItCannotDraw) {
  EXPECT_EQ(GalleryNew(nullptr), nullptr);
  EXPECT_EQ(GallerySceneName(-1), nullptr);
  EXPECT_EQ(GallerySceneName(GallerySceneCount()), nullptr);
  GalleryHolder h;
  h.target->pixels[0] = 0x123456;
  GalleryFrame(h.gallery, GallerySceneCount());
  GalleryBegin(h.gallery, -1);
  EXPECT_EQ(h.target->pixels[0], 0x123456u);
  // A target of another size is drawn whole and nothing outside it is touched.
  Image small = Sized(40, 24);
  GALLERY* other = GalleryNew(small.get());
  ASSERT_NE(other, nullptr);
  for (int32_t scene = 0; scene < GallerySceneCount(); ++scene) {
    GalleryBegin(other, scene);
    for (int i = 0; i < 5; ++i) GalleryFrame(other, scene);
  }
  GalleryFree(&other);
  EXPECT_EQ(other, nullptr);
}

}  // namespace
