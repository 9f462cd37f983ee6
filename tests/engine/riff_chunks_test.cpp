#include "engine/riff_chunks.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

std::string le32(std::uint32_t v) {
  std::string s;
  for (int i = 0; i < 4; ++i) s += static_cast<char>(v >> (8 * i));
  return s;
}

std::string chunk(const std::string& id, std::uint32_t declared, const std::string& body) {
  return id + le32(declared) + body;
}

// A WAV image: "RIFF", a size that is right when nothing is cut, "WAVE".
std::string wav(const std::string& chunks) {
  return "RIFF" + le32(static_cast<std::uint32_t>(4 + chunks.size())) + "WAVE" + chunks;
}

// What a walk meets: each chunk as "id declared/available", then where it
// stopped.
std::string walk(const std::string& image) {
  const std::vector<unsigned char> bytes(image.begin(), image.end());
  Riff_Walker walker(bytes);
  std::string seen;
  while (const auto c = walker.next()) {
    seen += std::string(c->id) + " " + std::to_string(c->declared) + "/" +
            std::to_string(c->available) + ", ";
    // Every body lies within the image, whatever was declared.
    EXPECT_LE(c->body + c->available, bytes.size()) << seen;
  }
  return seen + "@" + std::to_string(walker.position());
}

TEST(RiffChunks, WalksOnlyTheBytesThere) {
  const std::string fmt = chunk("fmt ", 16, std::string(16, '\1'));
  const struct {
    const char* what;
    std::string image;
    std::string walk;
  } cases[] = {
      {"a plain WAV", wav(fmt + chunk("data", 4, "abcd")), "fmt  16/16, data 4/4, @48"},
      {"an odd last chunk that fills the file, its pad byte missing (21 bytes)",
       wav(chunk("junk", 1, "x")), "junk 1/1, @21"},
      {"an odd last chunk with its pad byte", wav(chunk("junk", 1, "x") + std::string(1, '\0')),
       "junk 1/1, @22"},
      {"an odd chunk padded, then another", wav(chunk("LIST", 3, std::string("abc\0", 4)) + fmt),
       "LIST 3/3, fmt  16/16, @48"},
      {"a zero-sized chunk", wav(chunk("LIST", 0, "") + chunk("data", 2, "ab")),
       "LIST 0/0, data 2/2, @30"},
      {"a header alone at the end", wav(chunk("data", 0, "")), "data 0/0, @20"},
      {"an odd header alone at the end", wav(chunk("data", 1, "")), "data 1/0, @20"},
      {"truncated data", wav(fmt + chunk("data", 100, "abcdefghij")),
       "fmt  16/16, data 100/10, @54"},
      {"an oversized chunk hides what follows", wav(chunk("fmt ", 0xFFFFFFF0u, "") + fmt),
       "fmt  4294967280/24, @44"},
      {"a size of 2^32-1, odd", wav(chunk("data", 0xFFFFFFFFu, "abcd")), "data 4294967295/4, @24"},
      {"a size of 2^32-1 with nothing after the header", wav(chunk("data", 0xFFFFFFFFu, "")),
       "data 4294967295/0, @20"},
      {"a header cut off after a chunk", wav(fmt + "data\2"), "fmt  16/16, @36"},
      {"a header cut off at once", wav("dat"), "@12"},
      {"the RIFF header alone", "RIFF" + le32(4) + "WAVE", "@12"},
      {"no RIFF header: chunks right after WAVE", "WAVE" + chunk("data", 2, "ab"), "data 2/2, @14"},
      {"a RIFF image of another form", "RIFF" + le32(28) + "AVI " + fmt, "@0"},
      {"a RIFF header cut short", "RIFF" + le32(4) + "WAV", "@0"},
      {"nothing", "", "@0"},
  };
  for (const auto& c : cases) EXPECT_EQ(walk(c.image), c.walk) << c.what;
}

TEST(RiffChunks, WalksFromAGivenPlace) {
  // A caller that judged the header itself, or walks a part of the image.
  const std::string image = wav(chunk("fmt ", 2, "ab") + chunk("data", 2, "cd"));
  const std::vector<unsigned char> bytes(image.begin(), image.end());
  Riff_Walker from_second(bytes, 22);
  EXPECT_EQ(from_second.next()->id, "data");
  EXPECT_FALSE(from_second.next());
  Riff_Walker first_only(std::span<const unsigned char>(bytes).first(22), 12);
  EXPECT_EQ(first_only.next()->id, "fmt ");
  EXPECT_FALSE(first_only.next());
  Riff_Walker beyond(bytes, 1000);
  EXPECT_FALSE(beyond.next());
}

}  // namespace
