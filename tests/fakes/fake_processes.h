#pragma once
// Records what would have been started, and answers as told.

#include <string>
#include <vector>

#include "platform/processes.h"

class Fake_Processes final : public Processes {
 public:
  std::string text_editor_path() override { return editor_path; }
  bool start_text_editor(const std::string& file_path) override {
    edited_files.push_back(file_path);
    return start_result;
  }
  bool open_url(const std::string& target) override {
    opened_urls.push_back(target);
    return start_result;
  }

  std::string editor_path = "/usr/bin/xdg-open";
  bool start_result = true;
  std::vector<std::string> edited_files;
  std::vector<std::string> opened_urls;
};
