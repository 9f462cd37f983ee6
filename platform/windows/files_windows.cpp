#include "platform/files.h"

#include <windows.h>

namespace {

// Keeps the system from asking the user about a missing disk or a drive that
// is not ready while a file is probed; restores the previous mode afterwards.
class No_Critical_Error_Boxes {
 public:
  No_Critical_Error_Boxes() : old_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
  ~No_Critical_Error_Boxes() { SetErrorMode(old_); }
  No_Critical_Error_Boxes(const No_Critical_Error_Boxes&) = delete;
  No_Critical_Error_Boxes& operator=(const No_Critical_Error_Boxes&) = delete;

 private:
  UINT old_;
};

Exclusive_Open outcome_of(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:    // 2
    case ERROR_PATH_NOT_FOUND:    // 3
    case ERROR_NOT_READY:         // 21
    case ERROR_NOT_DOS_DISK:      // 26
    case ERROR_SECTOR_NOT_FOUND:  // 27
      return Exclusive_Open::Not_Found;
    case ERROR_SHARING_VIOLATION:  // 32
    case ERROR_LOCK_VIOLATION:     // 33
      return Exclusive_Open::Held;
    default:
      return Exclusive_Open::Failed;
  }
}

class Windows_Files final : public Files {
 public:
  bool exists(const std::string& path) override {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  Exclusive_Open open_exclusive(const std::string& path) override {
    // OpenFile takes only paths shorter than its fixed buffer.
    if (path.size() >= OFS_MAXPATHNAME) return Exclusive_Open::Failed;
    No_Critical_Error_Boxes quiet;
    OFSTRUCT of{};
    HFILE file = OpenFile(path.c_str(), &of, OF_READWRITE | OF_SHARE_EXCLUSIVE);
    if (file != HFILE_ERROR) {
      _lclose(file);
      return Exclusive_Open::Opened;
    }
    DWORD error = GetLastError();
    if (error == ERROR_SUCCESS) error = of.nErrCode;
    return outcome_of(error);
  }

  std::optional<File_Attributes> attributes(const std::string& path) override {
    DWORD bits = GetFileAttributesA(path.c_str());
    if (bits == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    File_Attributes a;
    a.read_only = bits & FILE_ATTRIBUTE_READONLY;
    a.archive = bits & FILE_ATTRIBUTE_ARCHIVE;
    a.system = bits & FILE_ATTRIBUTE_SYSTEM;
    a.hidden = bits & FILE_ATTRIBUTE_HIDDEN;
    return a;
  }

  bool set_attributes(const std::string& path, File_Attributes a) override {
    DWORD bits = 0;
    if (a.read_only) bits |= FILE_ATTRIBUTE_READONLY;
    if (a.archive) bits |= FILE_ATTRIBUTE_ARCHIVE;
    if (a.system) bits |= FILE_ATTRIBUTE_SYSTEM;
    if (a.hidden) bits |= FILE_ATTRIBUTE_HIDDEN;
    if (bits == 0) bits = FILE_ATTRIBUTE_NORMAL;
    return SetFileAttributesA(path.c_str(), bits) != 0;
  }

  bool remove(const std::string& path) override { return DeleteFileA(path.c_str()) != 0; }
};

}  // namespace

std::unique_ptr<Files> make_system_files() { return std::make_unique<Windows_Files>(); }
