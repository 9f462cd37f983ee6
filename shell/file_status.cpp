#include "shell/file_status.h"

namespace {

constexpr std::size_t unchecked_path_length = 128;

}  // namespace

std::string Get_File_Status(Files& files, const std::string& path) {
  if (path.empty()) return "";
  if (path.size() >= unchecked_path_length) return "CLOSED";
  if (!files.exists(path)) return "";
  switch (files.open_exclusive(path)) {
    case Exclusive_Open::Opened:
      return "CLOSED";
    case Exclusive_Open::Not_Found:
      return "NOT FOUND";
    case Exclusive_Open::Held:
      return "OPEN";
    case Exclusive_Open::Failed:
      break;
  }
  return "ERROR";
}

bool Set_File_Attributes(Files& files, const std::string& path, bool read_only, bool archive,
                         bool system, bool hidden) {
  if (!files.exists(path)) return false;
  const File_Attributes wanted{read_only, archive, system, hidden};
  files.set_attributes(path, wanted);
  return files.attributes(path) == wanted;
}

bool Delete_Closed_File(Files& files, const std::string& path) {
  if (!files.exists(path)) return false;
  Set_File_Attributes(files, path, false, false, false, false);
  if (Get_File_Status(files, path) != "CLOSED") return false;
  files.remove(path);
  return !files.exists(path);
}
