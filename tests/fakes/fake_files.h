#pragma once
// Files kept in memory: each has attributes and a chosen answer to the
// exclusive open; every call is logged as "call:path".

#include <map>
#include <string>
#include <vector>

#include "platform/files.h"

struct Fake_File {
  File_Attributes attributes;
  Exclusive_Open open = Exclusive_Open::Opened;
  bool keeps_archive = false;  // the system sets archive on its own, whatever is asked
  bool undeletable = false;
};

class Fake_Files final : public Files {
 public:
  bool exists(const std::string& path) override {
    log("exists", path);
    return files.count(path) != 0;
  }
  Exclusive_Open open_exclusive(const std::string& path) override {
    log("open", path);
    auto it = files.find(path);
    return it == files.end() ? Exclusive_Open::Not_Found : it->second.open;
  }
  std::optional<File_Attributes> attributes(const std::string& path) override {
    log("attributes", path);
    auto it = files.find(path);
    if (it == files.end()) return std::nullopt;
    return it->second.attributes;
  }
  bool set_attributes(const std::string& path, File_Attributes wanted) override {
    log("set", path);
    auto it = files.find(path);
    if (it == files.end()) return false;
    if (it->second.keeps_archive) wanted.archive = true;
    it->second.attributes = wanted;
    return true;
  }
  bool remove(const std::string& path) override {
    log("remove", path);
    auto it = files.find(path);
    if (it == files.end() || it->second.undeletable) return false;
    files.erase(it);
    return true;
  }

  std::map<std::string, Fake_File> files;
  std::vector<std::string> calls;

 private:
  void log(const char* call, const std::string& path) { calls.push_back(call + (":" + path)); }
};
