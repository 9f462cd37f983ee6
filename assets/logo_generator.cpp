// Writes the About dialog's animated logo: a Morse key on a light card under
// the letters "CQ", keying "-.-. --.-" into a strip below the card, which
// lights up red and is then wiped for the next round.
//
//   logo_generator <logo.gif> <logo_data.cpp>
//
// The second file embeds the same bytes in the program as
// tapwren_logo_gif() (declared in panels/tapwren_logo.h).
//
// The frames are cut from whole scenes drawn here, so that each one covers
// only what changes: the key going down is undone by "restore previous", the
// marks stay, and the lit strip is disposed to the background.

#include <gif_lib.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 173;
constexpr int kHeight = 165;

enum Colour : GifByteType {
  Clear = 0,  // transparent in every frame
  Card,
  Border,
  Ink,
  Base,
  Brass,
  Knob,
  Lever,
};

const GifColorType kPalette[16] = {
    {0xFF, 0xFF, 0xFF}, {0xE6, 0xEC, 0xF5}, {0x5A, 0x6E, 0x8C}, {0x1F, 0x3A, 0x93},
    {0x3C, 0x3C, 0x3C}, {0xC8, 0x9B, 0x3C}, {0x10, 0x10, 0x10}, {0x8C, 0x8C, 0x96},
};

struct Rect {
  int x, y, w, h;
};

struct Scene {
  std::vector<GifByteType> px = std::vector<GifByteType>(kWidth * kHeight, Clear);
  void fill(Rect r, GifByteType c) {
    for (int y = r.y; y < r.y + r.h; ++y)
      for (int x = r.x; x < r.x + r.w; ++x) px[y * kWidth + x] = c;
  }
  void disc(int cx, int cy, int radius, GifByteType c) {
    for (int y = cy - radius; y <= cy + radius; ++y)
      for (int x = cx - radius; x <= cx + radius; ++x)
        if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius) px[y * kWidth + x] = c;
  }
  Rect bounds() const { return {0, 0, kWidth, kHeight}; }
};

// 5 x 7 letters, drawn 6 pixels to the dot.
const char* const kLetter_C[7] = {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."};
const char* const kLetter_Q[7] = {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"};

void letter(Scene& s, const char* const rows[7], int left, int top) {
  for (int r = 0; r < 7; ++r)
    for (int c = 0; c < 5; ++c)
      if (rows[r][c] == '#') s.fill({left + c * 6, top + r * 6, 6, 6}, Ink);
}

constexpr int kCard_Bottom = 128;
const Rect kLever_Area{14, 52, 146, 52};
const Rect kStrip{0, 132, kWidth, 20};

// The marks of "CQ": dashes 18 pixels long, dots 6, 4 between marks and 10
// between the letters.
struct Mark {
  bool dash;
  bool ends_letter;
};
const Mark kMarks[] = {{true, false}, {false, false}, {true, false},  {false, true},
                       {true, false}, {true, false},  {false, false}, {true, true}};
constexpr int kMark_Count = sizeof(kMarks) / sizeof(kMarks[0]);

Rect mark_rect(int n) {
  int x = 15;
  for (int i = 0; i < n; ++i) x += (kMarks[i].dash ? 18 : 6) + (kMarks[i].ends_letter ? 10 : 4);
  return {x, 139, kMarks[n].dash ? 18 : 6, 6};
}

Scene draw_scene(bool key_down, int marks_shown) {
  Scene s;
  // The card, with a one-pixel border and cut corners.
  s.fill({0, 0, kWidth, kCard_Bottom}, Border);
  s.fill({1, 1, kWidth - 2, kCard_Bottom - 2}, Card);
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3 - i; ++j) {
      s.px[i * kWidth + j] = Clear;
      s.px[i * kWidth + kWidth - 1 - j] = Clear;
      s.px[(kCard_Bottom - 1 - i) * kWidth + j] = Clear;
      s.px[(kCard_Bottom - 1 - i) * kWidth + kWidth - 1 - j] = Clear;
    }
  }
  letter(s, kLetter_C, 50, 6);
  letter(s, kLetter_Q, 92, 6);

  // The key: base plate, contact, pivot post, lever and knob.
  s.fill({16, 108, 141, 14}, Base);
  s.fill({34, 100, 22, 8}, Brass);
  s.fill({124, 86, 12, 22}, Brass);
  const double drop = key_down ? 9.0 : 0.0;
  for (int x = 30; x <= 140; ++x) {
    // Hinged at the post: the far end stays, the knob end goes down.
    const double y = 84.0 + drop * (130.0 - x) / 100.0;
    const int top = static_cast<int>(std::lround(y));
    s.fill({x, top, 1, 5}, Lever);
  }
  s.disc(45, static_cast<int>(std::lround(76 + drop * 0.85)), 11, Knob);

  for (int i = 0; i < marks_shown; ++i) s.fill(mark_rect(i), Ink);
  return s;
}

struct Frame {
  Rect area;
  std::vector<GifByteType> pixels;
  int disposal;
  int delay_cs;
  const GifColorType* local_map = nullptr;  // two colours when set
};

Frame cut(const Scene& s, Rect r, int disposal, int delay_cs) {
  Frame f{r, {}, disposal, delay_cs};
  for (int y = r.y; y < r.y + r.h; ++y)
    for (int x = r.x; x < r.x + r.w; ++x) f.pixels.push_back(s.px[y * kWidth + x]);
  return f;
}

std::vector<Frame> make_frames() {
  std::vector<Frame> frames;
  frames.push_back(cut(draw_scene(false, 0), {0, 0, kWidth, kHeight}, DISPOSE_DO_NOT, 80));
  for (int n = 0; n < kMark_Count; ++n) {
    const bool dash = kMarks[n].dash;
    frames.push_back(cut(draw_scene(true, n), kLever_Area, DISPOSE_PREVIOUS, dash ? 45 : 15));
    frames.push_back(cut(draw_scene(false, n + 1), mark_rect(n), DISPOSE_DO_NOT,
                         kMarks[n].ends_letter ? 45 : 15));
  }
  // The whole strip lit red (its own two-colour map), then wiped.
  static const GifColorType kLit[2] = {{0xFF, 0xFF, 0xFF}, {0xD0, 0x20, 0x20}};
  Frame lit = cut(draw_scene(false, kMark_Count), kStrip, DISPOSE_BACKGROUND, 120);
  for (GifByteType& p : lit.pixels) p = p == Ink ? 1 : 0;
  lit.local_map = kLit;
  frames.push_back(lit);
  // A pause on the empty strip: one transparent pixel that changes nothing.
  // It keeps the local map too: giflib's writer drops (and leaks) its copy of
  // a local map when the next image has none.
  Frame pause{{0, kHeight - 1, 1, 1}, {Clear}, DISPOSE_DO_NOT, 60, kLit};
  frames.push_back(pause);
  return frames;
}

int write_to_vector(GifFileType* gif, const GifByteType* bytes, int n) {
  auto* out = static_cast<std::vector<unsigned char>*>(gif->UserData);
  out->insert(out->end(), bytes, bytes + n);
  return n;
}

// Written piece by piece, so that every buffer stays ours: giflib's
// whole-file writer leaves its saved images allocated.
bool encode(const std::vector<Frame>& frames, std::vector<unsigned char>& out) {
  int error = 0;
  GifFileType* gif = EGifOpen(&out, write_to_vector, &error);
  if (!gif) return false;
  EGifSetGifVersion(gif, true);
  ColorMapObject* palette = GifMakeMapObject(16, kPalette);
  bool ok = palette && EGifPutScreenDesc(gif, kWidth, kHeight, 8, Clear, palette) == GIF_OK;
  GifFreeMapObject(palette);
  // Loop for ever.
  static GifByteType kNetscape[] = "NETSCAPE2.0";
  static GifByteType kLoop[3] = {1, 0, 0};
  ok = ok && EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
       EGifPutExtensionBlock(gif, 11, kNetscape) == GIF_OK &&
       EGifPutExtensionBlock(gif, 3, kLoop) == GIF_OK && EGifPutExtensionTrailer(gif) == GIF_OK;
  for (const Frame& f : frames) {
    if (!ok) break;
    const GraphicsControlBlock gcb{f.disposal, false, f.delay_cs, Clear};
    GifByteType control[4];
    const auto length = static_cast<int>(EGifGCBToExtension(&gcb, control));
    ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, length, control) == GIF_OK;
    ColorMapObject* local = f.local_map ? GifMakeMapObject(2, f.local_map) : nullptr;
    ok =
        ok && EGifPutImageDesc(gif, f.area.x, f.area.y, f.area.w, f.area.h, false, local) == GIF_OK;
    GifFreeMapObject(local);
    std::vector<GifByteType> pixels = f.pixels;
    ok = ok && EGifPutLine(gif, pixels.data(), static_cast<int>(pixels.size())) == GIF_OK;
  }
  return EGifCloseFile(gif, &error) == GIF_OK && ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s logo.gif logo_data.cpp\n", argv[0]);
    return 2;
  }
  std::vector<unsigned char> bytes;
  if (!encode(make_frames(), bytes)) {
    std::fprintf(stderr, "logo_generator: encoding failed\n");
    return 1;
  }
  std::ofstream gif(argv[1], std::ios::binary);
  gif.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  std::ofstream cpp(argv[2]);
  cpp << "// Made by assets/logo_generator.cpp at build time.\n"
         "#include \"panels/tapwren_logo.h\"\n\nnamespace {\n"
         "const unsigned char kLogo[] = {";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    cpp << (i % 16 == 0 ? "\n   " : "") << ' ' << static_cast<int>(bytes[i]) << ',';
  }
  cpp << "\n};\n}  // namespace\n\n"
         "std::span<const unsigned char> tapwren_logo_gif() { return kLogo; }\n";
  if (!gif || !cpp) {
    std::fprintf(stderr, "logo_generator: cannot write the output files\n");
    return 1;
  }
  return 0;
}
