#include "sound/sound_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

Sound_File read_sound_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (in) {
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    if (!in.bad()) {
      return {std::make_shared<const std::vector<unsigned char>>(std::move(bytes)), {}};
    }
  }
  const int reason = errno;
  return {nullptr, "Cannot open file \"" + path + "\". " +
                       (reason != 0 ? std::strerror(reason) : "The file cannot be read.")};
}
