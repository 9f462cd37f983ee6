#pragma once
// File queries and changes that the standard library does not offer: whether
// another program holds a file, the four classic attributes, deletion.

#include <memory>
#include <optional>
#include <string>

struct File_Attributes {
  bool read_only = false;
  bool archive = false;
  bool system = false;
  bool hidden = false;
  bool operator==(const File_Attributes&) const = default;
};

// What came of opening a file for reading and writing with nobody else.
enum class Exclusive_Open { Opened, Not_Found, Held, Failed };

class Files {
 public:
  virtual ~Files() = default;
  virtual bool exists(const std::string& path) = 0;
  // Opens the file for reading and writing, shared with nobody, and closes it
  // again at once. Critical-error prompts of the system are suppressed.
  virtual Exclusive_Open open_exclusive(const std::string& path) = 0;
  // Nothing when the file does not exist.
  virtual std::optional<File_Attributes> attributes(const std::string& path) = 0;
  // Sets exactly the given attributes; false when the system refuses.
  virtual bool set_attributes(const std::string& path, File_Attributes attributes) = 0;
  // False when the file could not be deleted.
  virtual bool remove(const std::string& path) = 0;
};

std::unique_ptr<Files> make_system_files();
