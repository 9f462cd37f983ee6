#pragma once
// Starting other programs: the system's plain-text editor, and the desktop's
// "open" operation for web and mail addresses.

#include <memory>
#include <string>

class Processes {
 public:
  virtual ~Processes() = default;
  // Where the system's plain-text editor should be; it may be missing.
  virtual std::string text_editor_path() = 0;
  // Starts the editor on a file and does not wait for it; false when it
  // could not be started.
  virtual bool start_text_editor(const std::string& file_path) = 0;
  // Hands a web address or a "mailto:" address to the desktop's "open"
  // operation; false when nothing took it.
  virtual bool open_url(const std::string& target) = 0;
};

std::unique_ptr<Processes> make_system_processes();
