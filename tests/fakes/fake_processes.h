#pragma once
// Records what would have been started, and answers as told; a test ends a
// started program with an error through `fail_last`.

#include <string>
#include <vector>

#include "platform/processes.h"

class Fake_Processes final : public Processes {
 public:
  std::string text_editor_path() override { return editor_path; }
  std::string text_editor_name() override { return editor_name; }
  bool start_text_editor(const std::string& file_path, Open_Failed failed) override {
    edited_files.push_back(file_path);
    failures.push_back(std::move(failed));
    return start_result;
  }
  std::string url_opener_name() override { return opener_name; }
  bool open_url(const std::string& target, Open_Failed failed) override {
    opened_urls.push_back(target);
    failures.push_back(std::move(failed));
    return start_result;
  }
  // The last program started gives up with `reason`.
  void fail_last(const std::string& reason) {
    if (!failures.empty() && failures.back()) failures.back()(reason);
  }

  std::string editor_path = "/usr/bin/xdg-open";
  std::string editor_name = "xdg-open";
  std::string opener_name = "xdg-open";
  bool start_result = true;
  std::vector<std::string> edited_files;
  std::vector<std::string> opened_urls;
  std::vector<Open_Failed> failures;
};
