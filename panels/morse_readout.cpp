#include "panels/morse_readout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kSignificant_Digits = 15;

void show_share(Memo memo, double share, Morse_Gauge_Window& window) {
  window.set_share_caption(memo, general_float_text(share, window.decimal_separator()));
  window.set_gauge_progress(memo, gauge_progress(share));
  window.set_gauge_bar_colour(memo, gauge_bar_colour(share));
}

}  // namespace

std::string general_float_text(double value, const std::string& decimal_separator) {
  if (value == 0.0) return "0";
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  // "%.14e" rounds to 15 significant digits: d.dddddddddddddde[+-]x
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*e", kSignificant_Digits - 1, std::fabs(value));
  std::string digits;
  const char* p = buffer;
  // The C library writes its own locale's decimal point, which the toolkit
  // sets from the environment: only the digits are taken.
  for (; *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9') digits += *p;
  }
  const int exponent = std::atoi(p + 1);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string text = value < 0 ? "-" : "";
  if (exponent < -5 || exponent >= kSignificant_Digits) {
    text += digits[0];
    if (digits.size() > 1) text += decimal_separator + digits.substr(1);
    text += exponent < 0 ? "E-" : "E+";
    text += std::to_string(std::abs(exponent));
  } else if (exponent < 0) {
    text += "0" + decimal_separator + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
  } else {
    const size_t whole = static_cast<size_t>(exponent) + 1;
    if (digits.size() <= whole) {
      text += digits + std::string(whole - digits.size(), '0');
    } else {
      text += digits.substr(0, whole) + decimal_separator + digits.substr(whole);
    }
  }
  return text;
}

int gauge_progress(double share) {
  if (!(share > 0.0)) return 0;
  if (share >= 100.0) return 100;
  // The default rounding mode takes a half to the even neighbour.
  return static_cast<int>(std::nearbyint(share));
}

Rgb gauge_bar_colour(double share) {
  if (share > kMorse_Share_Threshold) return kGauge_Lime;
  if (share > 90.0) return kGauge_Yellow;
  return kGauge_Red;
}

void show_input_share(double share, Morse_Gauge_Window& window) {
  show_share(Memo::Input, share, window);
  const bool morse = share > kMorse_Share_Threshold;
  window.set_enabled(Command_Button::Convert_Text_to_Morse, !morse);
  window.set_enabled(Command_Button::Convert_Morse_to_Text, morse);
  window.set_enabled(Command_Button::Play_Back_Input_Memo, morse);
}

void show_output_share(double share, Morse_Gauge_Window& window) {
  show_share(Memo::Output, share, window);
  window.set_enabled(Command_Button::Play_Back_Output_Memo, share > kMorse_Share_Threshold);
}
