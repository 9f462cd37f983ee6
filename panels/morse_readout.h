#pragma once
// The "Morse % :" readout of a text area: the share as a number, a bar gauge
// filled to it and coloured by it, and the commands that the share offers.

#include <string>

#include "panels/command_buttons.h"

struct Rgb {
  int red = 0;
  int green = 0;
  int blue = 0;
  bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kGauge_Lime{0, 255, 0};
inline constexpr Rgb kGauge_Yellow{255, 255, 0};
inline constexpr Rgb kGauge_Red{255, 0, 0};

// Above this share an area counts as Morse code.
inline constexpr double kMorse_Share_Threshold = 99.0;

// The general floating-point form: at most 15 significant digits, trailing
// zeros removed, a decimal separator only where needed ("0", "99.5",
// "66.6666666666667"); below 0.00001 the scientific form ("1E-6").
std::string general_float_text(double value, const std::string& decimal_separator);

// The share rounded to the nearest whole percent, a half going to the even
// neighbour, held within 0..100.
int gauge_progress(double share);

// Lime above 99, yellow above 90, red otherwise (both tests strict).
Rgb gauge_bar_colour(double share);

enum class Memo { Input, Output };

// What the readouts need of the window.
class Morse_Gauge_Window : public Command_Buttons {
 public:
  virtual void set_share_caption(Memo memo, const std::string& caption) = 0;
  virtual void set_gauge_progress(Memo memo, int progress) = 0;
  virtual void set_gauge_bar_colour(Memo memo, Rgb colour) = 0;
  virtual std::string decimal_separator() const = 0;
};

// Label, progress, colour, then the input's conversion and Play buttons.
void show_input_share(double share, Morse_Gauge_Window& window);
// Label, progress, colour, then the output's Play button.
void show_output_share(double share, Morse_Gauge_Window& window);
