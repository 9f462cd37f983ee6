#pragma once
// A text area as a plain vector of byte lines.

#include <string>
#include <vector>

#include "shell/line_area.h"

class Fake_Line_Area final : public Line_Area {
 public:
  Fake_Line_Area() = default;
  explicit Fake_Line_Area(std::vector<std::string> initial) : lines(std::move(initial)) {}

  int count() const override { return static_cast<int>(lines.size()); }
  std::string line(int i) const override {
    return i >= 0 && i < count() ? lines[static_cast<size_t>(i)] : std::string();
  }
  void append(std::string_view text) override { lines.emplace_back(text); }
  void clear() override { lines.clear(); }
  void set_line(int i, std::string_view text) override {
    if (i >= 0 && i < count()) lines[static_cast<size_t>(i)] = text;
  }
  void set_selection_start(int pos) override { selection_start = pos; }

  std::vector<std::string> lines;
  int selection_start = -1;
};
