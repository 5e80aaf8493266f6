// The gallery's scenes drawn without a window: each starts again from the same
// picture, and a scene number out of range draws nothing (the rest is checked
// on the real window by gallery_window_test.sh).
#include "gallery.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "image_fixture.h"

namespace {

TEST(Gallery, BeginRestartsTheAnimation) {
  imagetest::Image target = imagetest::Sized(256, 256);
  srand(273880913);
  GALLERY* gallery = GalleryNew(target.get());
  ASSERT_NE(gallery, nullptr);
  auto third = [&](int32_t scene) {  // the third frame after a Begin
    GalleryBegin(gallery, scene);
    for (int i = 0; i < 3; ++i) GalleryFrame(gallery, scene);
    return std::vector<uint32_t>(target->pixels, target->pixels + 256 * 256);
  };
  for (int32_t scene = 0; scene < GallerySceneCount(); ++scene) {
    // Only the scenes that draw no random numbers repeat exactly.
    const std::string name = GallerySceneName(scene);
    if (name.find("STAR") != std::string::npos || name == "LINE SCROLLER") continue;
    const std::vector<uint32_t> first = third(scene);
    for (int i = 0; i < 20; ++i) GalleryFrame(gallery, scene);
    EXPECT_EQ(third(scene), first) << name;
  }
  target->pixels[0] = 0x123456;
  GalleryFrame(gallery, GallerySceneCount());
  GalleryBegin(gallery, -1);
  EXPECT_EQ(target->pixels[0], 0x123456u);
  EXPECT_TRUE(!GallerySceneName(-1) && !GallerySceneName(GallerySceneCount()) && !GalleryNew(nullptr));
  GalleryFree(&gallery);
}

}  // namespace
