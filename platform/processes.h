#pragma once
// Starting other programs: the system's plain-text editor, and the desktop's
// "open" operation for web and mail addresses.

#include <functional>
#include <memory>
#include <string>

class Processes {
 public:
  // Why a started program could not show what it was given, in words that
  // finish "... could not be opened: "; called at most once, from any thread,
  // some time after the start succeeded.
  using Open_Failed = std::function<void(const std::string& reason)>;

  virtual ~Processes() = default;
  // Where the system's plain-text editor should be; it may be missing.
  virtual std::string text_editor_path() = 0;
  // The editor as a box names it when it is missing.
  virtual std::string text_editor_name() = 0;
  // Starts the editor on a file and does not wait for it; false when it
  // could not be started. Where the system tells, `failed` hears of an
  // editor that gave up on the file.
  virtual bool start_text_editor(const std::string& file_path, Open_Failed failed = {}) = 0;
  // The program behind open_url as a box names it when it is missing; empty
  // where a failure to open an address goes unreported.
  virtual std::string url_opener_name() = 0;
  // Hands a web address or a "mailto:" address to the desktop's "open"
  // operation; false when nothing took it. Where the system tells, `failed`
  // hears of an opener that found nothing to open the address with.
  virtual bool open_url(const std::string& target, Open_Failed failed = {}) = 0;
};

std::unique_ptr<Processes> make_system_processes();
