#include "sound/sound_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <vector>

Sound_File read_sound_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (in) {
    // istream::read turns a failed read (a folder, an I/O error) into badbit;
    // the buffer iterators would let the stream buffer's exception escape.
    std::vector<unsigned char> bytes;
    char block[65536];
    while (in.read(block, sizeof block) || in.gcount() > 0) {
      bytes.insert(bytes.end(), block, block + in.gcount());
    }
    if (!in.bad()) {
      return {std::make_shared<const std::vector<unsigned char>>(std::move(bytes)), {}};
    }
  }
  const int reason = errno;
  return {nullptr, "Cannot open file \"" + path + "\". " +
                       (reason != 0 ? std::strerror(reason) : "The file cannot be read.")};
}
