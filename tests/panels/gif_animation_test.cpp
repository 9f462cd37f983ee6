// Decoding GIFs from memory: compositing with offsets and each disposal, our
// own logo, and bytes that are not a good GIF.

#include "panels/gif_animation.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "panels/animated_gif_image.h"
#include "panels/tapwren_logo.h"

namespace {

constexpr std::uint32_t kClear = 0;
constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kGreen = 0xFF00FF00;
constexpr std::uint32_t kBlue = 0xFF0000FF;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;

const GifColorType kMap[4] = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};

struct Test_Frame {
  int left, top, width, height;
  std::vector<GifByteType> pixels;
  int disposal;
  int delay_cs;
  int transparent = NO_TRANSPARENT_COLOR;
  const GifColorType* local_two_colours = nullptr;
};

int append(GifFileType* gif, const GifByteType* bytes, int n) {
  auto* out = static_cast<std::vector<unsigned char>*>(gif->UserData);
  out->insert(out->end(), bytes, bytes + n);
  return n;
}

std::vector<unsigned char> encode(int width, int height, const std::vector<Test_Frame>& frames) {
  std::vector<unsigned char> out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, append, &error);
  EXPECT_NE(gif, nullptr);
  EGifSetGifVersion(gif, true);
  ColorMapObject* map = GifMakeMapObject(4, kMap);
  EXPECT_EQ(EGifPutScreenDesc(gif, width, height, 8, 0, map), GIF_OK);
  GifFreeMapObject(map);
  for (const Test_Frame& f : frames) {
    const GraphicsControlBlock gcb{f.disposal, false, f.delay_cs, f.transparent};
    GifByteType control[4];
    EGifGCBToExtension(&gcb, control);
    EXPECT_EQ(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, control), GIF_OK);
    ColorMapObject* local =
        f.local_two_colours ? GifMakeMapObject(2, f.local_two_colours) : nullptr;
    EXPECT_EQ(EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, false, local), GIF_OK);
    GifFreeMapObject(local);
    std::vector<GifByteType> pixels = f.pixels;
    EXPECT_EQ(EGifPutLine(gif, pixels.data(), static_cast<int>(pixels.size())), GIF_OK);
  }
  EXPECT_EQ(EGifCloseFile(gif, &error), GIF_OK);
  return out;
}

std::uint32_t at(const Gif_Animation& a, int frame, int x, int y) {
  return a.frames[static_cast<std::size_t>(frame)]
      .pixels[static_cast<std::size_t>(y * a.width + x)];
}

TEST(Gif_Animation, ComposesFramesWithOffsetsDisposalAndDelays) {
  const GifColorType white_local[2] = {{0, 0, 0}, {255, 255, 255}};
  const auto bytes = encode(4, 3,
                            {
                                {0, 0, 4, 3, std::vector<GifByteType>(12, 1), DISPOSE_DO_NOT, 5},
                                // Partly off the screen: only its top-left pixel lands, at (3, 2).
                                {3, 2, 2, 2, {2, 2, 2, 2}, DISPOSE_BACKGROUND, 0},
                                {0, 0, 1, 1, {3}, DISPOSE_PREVIOUS, 2},
                                // Its own map; index 0 is transparent and leaves (2, 0) as it was.
                                {1, 0, 2, 1, {1, 0}, DISPOSE_DO_NOT, 1, 0, white_local},
                            });
  const Gif_Animation a = decode_gif(bytes.data(), bytes.size());
  ASSERT_EQ(a.width, 4);
  ASSERT_EQ(a.height, 3);
  ASSERT_EQ(a.frames.size(), 4u);

  EXPECT_EQ(at(a, 0, 0, 0), kRed);
  EXPECT_EQ(at(a, 0, 3, 2), kRed);
  EXPECT_EQ(at(a, 1, 3, 2), kGreen);
  EXPECT_EQ(at(a, 1, 2, 2), kRed);
  // Frame 1's area went back to transparent; frame 2 draws over frame 1's leftovers.
  EXPECT_EQ(at(a, 2, 3, 2), kClear);
  EXPECT_EQ(at(a, 2, 0, 0), kBlue);
  // Frame 2 restored what was under it.
  EXPECT_EQ(at(a, 3, 0, 0), kRed);
  EXPECT_EQ(at(a, 3, 1, 0), kWhite);
  EXPECT_EQ(at(a, 3, 2, 0), kRed);
  EXPECT_EQ(at(a, 3, 3, 2), kClear);

  EXPECT_EQ(a.frames[0].delay_ms, 50);
  EXPECT_EQ(a.frames[1].delay_ms, kGif_Default_Delay_Ms);  // 0: "as fast as you can"
  EXPECT_EQ(a.frames[2].delay_ms, 20);
  EXPECT_EQ(a.frames[3].delay_ms, kGif_Default_Delay_Ms);  // 10 ms
}

TEST(Gif_Animation, AFileWithNoColourMapDecodesToTransparentFrames) {
  auto bytes = encode(2, 2, {{0, 0, 2, 2, {1, 2, 3, 0}, DISPOSE_DO_NOT, 10}});
  // Take the global colour table out: flag bit and the 4 * 3 bytes after the
  // 13-byte header; the frame has no local one.
  ASSERT_TRUE(bytes[10] & 0x80);
  bytes[10] &= 0x7F;
  bytes.erase(bytes.begin() + 13, bytes.begin() + 13 + 12);
  const Gif_Animation a = decode_gif(bytes.data(), bytes.size());
  ASSERT_EQ(a.frames.size(), 1u);
  for (std::uint32_t p : a.frames[0].pixels) EXPECT_EQ(p, kClear);
}

TEST(Gif_Animation, TheLogoIsAnimatedAndUsesEachDisposal) {
  const auto logo = tapwren_logo_gif();
  const Gif_Animation a = decode_gif(logo.data(), logo.size());
  ASSERT_EQ(a.width, 173);
  ASSERT_EQ(a.height, 165);
  ASSERT_GE(a.frames.size(), 10u);
  int changes = 0;
  for (std::size_t i = 0; i < a.frames.size(); ++i) {
    EXPECT_GT(a.frames[i].delay_ms, 10);
    if (i > 0 && a.frames[i].pixels != a.frames[i - 1].pixels) ++changes;
  }
  EXPECT_GE(changes, 10);
  // The key goes down and comes back up (restore previous): the first
  // frame's key area is seen again later.
  EXPECT_NE(at(a, 1, 45, 92), at(a, 0, 45, 92));
  EXPECT_EQ(at(a, 2, 45, 92), at(a, 0, 45, 92));
  // The strip lights up and is wiped (background disposal).
  const std::size_t last = a.frames.size() - 1;
  EXPECT_EQ(at(a, static_cast<int>(last - 1), 20, 141), 0xFFD02020u);
  EXPECT_EQ(at(a, static_cast<int>(last), 20, 141), kClear);
}

// The decoder allocates each frame's raster before reading it, so a frame's
// own size is held to the limits, wherever it lies on the screen.
TEST(Gif_Animation, FramesLargerThanTheLimitGiveNoFrames) {
  const std::vector<GifByteType> row(4097, 1);
  const auto wide = encode(4, 4, {{0, 0, 4097, 1, row, DISPOSAL_UNSPECIFIED, 10}});
  EXPECT_TRUE(decode_gif(wide.data(), wide.size()).frames.empty());
  const auto fits =
      encode(4, 4, {{0, 0, 4096, 1, {row.begin() + 1, row.end()}, DISPOSAL_UNSPECIFIED, 10}});
  EXPECT_EQ(decode_gif(fits.data(), fits.size()).frames.size(), 1u);

  // A descriptor claiming 40000 x 40000 behind a small screen.
  std::vector<unsigned char> claiming =
      encode(2, 2, {{0, 0, 2, 2, {1, 2, 3, 0}, DISPOSAL_UNSPECIFIED, 10}});
  const std::size_t image =
      std::find(claiming.begin() + 13, claiming.end(), 0x2C) - claiming.begin();
  for (std::size_t i : {image + 5, image + 7}) claiming[i] = 0x40, claiming[i + 1] = 0x9C;
  EXPECT_TRUE(decode_gif(claiming.data(), claiming.size()).frames.empty());
}

TEST(Gif_Animation, BadBytesGiveNoFramesAndNoCrash) {
  EXPECT_TRUE(decode_gif(nullptr, 0).frames.empty());
  const unsigned char header_only[] = {'G', 'I', 'F', '8', '9', 'a'};
  EXPECT_TRUE(decode_gif(header_only, sizeof header_only).frames.empty());
  const unsigned char text[] = "This is not a picture at all, just some words.";
  EXPECT_TRUE(decode_gif(text, sizeof text).frames.empty());

  // Cut short anywhere, the logo reads as nothing (a GIF without its trailer
  // may still give the frames read so far; those must be whole).
  const auto logo = tapwren_logo_gif();
  for (std::size_t length = 0; length + 1 < logo.size(); length += 13) {
    const Gif_Animation a = decode_gif(logo.data(), length);
    for (const Gif_Frame& f : a.frames) {
      ASSERT_EQ(f.pixels.size(), static_cast<std::size_t>(a.width) * a.height) << length;
    }
  }
  // Flipped bytes anywhere.
  std::mt19937 rng(11);
  std::vector<unsigned char> bytes(logo.begin(), logo.end());
  for (int round = 0; round < 300; ++round) {
    std::vector<unsigned char> damaged = bytes;
    for (int flips = 0; flips < 3; ++flips) {
      damaged[rng() % damaged.size()] = static_cast<unsigned char>(rng());
    }
    const Gif_Animation a = decode_gif(damaged.data(), damaged.size());
    for (const Gif_Frame& f : a.frames) {
      ASSERT_EQ(f.pixels.size(), static_cast<std::size_t>(a.width) * a.height) << round;
    }
  }

  Animated_Gif_Image control;
  EXPECT_FALSE(control.load({text, sizeof text}));
  control.start_animation();
  control.show_next_frame();
  EXPECT_EQ(control.frame_count(), 0);
  EXPECT_FALSE(control.animating());
}

}  // namespace
