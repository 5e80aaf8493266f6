// The gallery's scenes drawn without a window: each starts again from the
// same picture. (That every scene draws, moves and differs from the one
// before is checked on the real window by gallery_window_test.sh.)
#include "gallery.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "image_fixture.h"
#include "img.h"

namespace {

using imagetest::Image;
using imagetest::Sized;

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
}

}  // namespace
