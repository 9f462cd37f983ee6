#pragma once
// A read-only line list over a vector of byte lines.

#include <string>
#include <vector>

#include "panels/line_list.h"

class Fake_Line_List final : public Line_List {
 public:
  explicit Fake_Line_List(std::vector<std::string> lines) : lines_(std::move(lines)) {}
  int count() const override { return static_cast<int>(lines_.size()); }
  std::string line(int i) const override {
    return i >= 0 && i < count() ? lines_[static_cast<size_t>(i)] : std::string();
  }

 private:
  std::vector<std::string> lines_;
};
