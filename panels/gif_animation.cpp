#include "panels/gif_animation.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>

namespace {

// Well beyond any logo, small enough that a hostile header cannot make us
// allocate gigabytes of frames.
constexpr int kMax_Side = 4096;
constexpr std::size_t kMax_Total_Pixels = std::size_t{64} << 20;

struct Memory_Source {
  const unsigned char* data;
  std::size_t size;
  std::size_t position;
};

int read_from_memory(GifFileType* gif, GifByteType* buffer, int wanted) {
  auto* source = static_cast<Memory_Source*>(gif->UserData);
  if (wanted <= 0) return 0;
  const std::size_t n = std::min(static_cast<std::size_t>(wanted), source->size - source->position);
  if (n > 0) std::memcpy(buffer, source->data + source->position, n);
  source->position += n;
  return static_cast<int>(n);
}

std::uint32_t argb(const GifColorType& c) {
  return 0xFF000000u | (std::uint32_t{c.Red} << 16) | (std::uint32_t{c.Green} << 8) | c.Blue;
}

struct Rect {
  int left, top, right, bottom;  // right and bottom exclusive; may be empty
};

// The part of an image's rectangle that lies on the screen.
Rect clip_to_screen(const GifImageDesc& d, int width, int height) {
  Rect r{std::max(d.Left, 0), std::max(d.Top, 0), std::min(d.Left + d.Width, width),
         std::min(d.Top + d.Height, height)};
  r.right = std::max(r.right, r.left);
  r.bottom = std::max(r.bottom, r.top);
  return r;
}

void draw_image(const GifFileType& gif, const SavedImage& image, int transparent,
                std::vector<std::uint32_t>& canvas) {
  const GifImageDesc& d = image.ImageDesc;
  const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif.SColorMap;
  // Without any colour map the image's indexes mean nothing: it draws nothing.
  if (!map || !map->Colors || !image.RasterBits) return;
  const Rect r = clip_to_screen(d, gif.SWidth, gif.SHeight);
  for (int y = r.top; y < r.bottom; ++y) {
    const GifByteType* row = image.RasterBits + static_cast<std::size_t>(y - d.Top) * d.Width;
    for (int x = r.left; x < r.right; ++x) {
      const int index = row[x - d.Left];
      if (index == transparent || index >= map->ColorCount) continue;
      canvas[static_cast<std::size_t>(y) * gif.SWidth + x] = argb(map->Colors[index]);
    }
  }
}

void clear_rect(const Rect& r, int width, std::vector<std::uint32_t>& canvas) {
  for (int y = r.top; y < r.bottom; ++y) {
    std::fill_n(canvas.begin() + static_cast<std::ptrdiff_t>(y) * width + r.left, r.right - r.left,
                0u);
  }
}

Gif_Animation compose(const GifFileType& gif) {
  Gif_Animation animation;
  const int width = gif.SWidth;
  const int height = gif.SHeight;
  if (width <= 0 || height <= 0 || width > kMax_Side || height > kMax_Side) return animation;
  if (gif.ImageCount <= 0 || !gif.SavedImages) return animation;
  const std::size_t screen = static_cast<std::size_t>(width) * height;
  if (screen * static_cast<std::size_t>(gif.ImageCount) > kMax_Total_Pixels) return animation;

  animation.width = width;
  animation.height = height;
  std::vector<std::uint32_t> canvas(screen, 0u);
  for (int i = 0; i < gif.ImageCount; ++i) {
    const SavedImage& image = gif.SavedImages[i];
    GraphicsControlBlock gcb{DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
    DGifSavedExtensionToGCB(const_cast<GifFileType*>(&gif), i, &gcb);

    const std::vector<std::uint32_t> before =
        gcb.DisposalMode == DISPOSE_PREVIOUS ? canvas : std::vector<std::uint32_t>{};
    draw_image(gif, image, gcb.TransparentColor, canvas);

    Gif_Frame frame;
    frame.pixels = canvas;
    frame.delay_ms = gcb.DelayTime * 10 > 10 ? gcb.DelayTime * 10 : kGif_Default_Delay_Ms;
    animation.frames.push_back(std::move(frame));

    // What this image leaves for the next one.
    if (gcb.DisposalMode == DISPOSE_BACKGROUND) {
      // Cleared to transparent rather than to the background colour, as
      // browsers do, so the logo sits on whatever is behind it.
      clear_rect(clip_to_screen(image.ImageDesc, width, height), width, canvas);
    } else if (gcb.DisposalMode == DISPOSE_PREVIOUS) {
      canvas = before;
    }
  }
  return animation;
}

// The library allocates each image's raster (width x height bytes) as it
// reaches its descriptor, so a few bytes that describe a 40000 x 40000 frame
// would ask for 1.6 GB, and a file of many large frames for more. This walks
// the blocks first and refuses a file whose frames are larger than the
// screen limit or together hold more than the pixel limit. What it cannot
// follow it leaves to the library, which stops at the same place.
bool frames_within_limits(const unsigned char* data, std::size_t size) {
  std::size_t at = 13;  // signature, version and screen descriptor
  if (size < at) return true;
  const auto colour_table = [](unsigned char flags) {
    return (flags & 0x80) ? std::size_t{3} << ((flags & 7) + 1) : 0;
  };
  const auto skip_sub_blocks = [&] {
    while (at < size && data[at] != 0) at += 1 + data[at];
    ++at;
  };
  at += colour_table(data[10]);
  std::size_t total = 0;
  while (at < size) {
    const unsigned char kind = data[at++];
    if (kind == 0x21) {  // extension: its label, then sub-blocks
      ++at;
      skip_sub_blocks();
    } else if (kind == 0x2C) {  // image: descriptor, colour table, LZW data
      if (size - at < 9) return true;
      const int width = data[at + 4] | (data[at + 5] << 8);
      const int height = data[at + 6] | (data[at + 7] << 8);
      if (width > kMax_Side || height > kMax_Side) return false;
      total += static_cast<std::size_t>(width) * height;
      if (total > kMax_Total_Pixels) return false;
      at += 9 + colour_table(data[at + 8]) + 1;
      skip_sub_blocks();
    } else {
      return true;  // the trailer, or what the library refuses itself
    }
  }
  return true;
}

}  // namespace

Gif_Animation decode_gif(const unsigned char* data, std::size_t size) {
  if (!data || size == 0 || !frames_within_limits(data, size)) return {};
  Memory_Source source{data, size, 0};
  int error = 0;
  GifFileType* gif = DGifOpen(&source, read_from_memory, &error);
  if (!gif) return {};
  if (gif->SWidth <= 0 || gif->SHeight <= 0 || gif->SWidth > kMax_Side ||
      gif->SHeight > kMax_Side) {
    DGifCloseFile(gif, &error);
    return {};
  }
  Gif_Animation animation;
  if (DGifSlurp(gif) == GIF_OK) animation = compose(*gif);
  // Closed even after a failed slurp, which leaves what it read allocated.
  DGifCloseFile(gif, &error);
  return animation;
}
