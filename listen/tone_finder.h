#pragma once
// Finds the keyed tone in a stream: power spectra of short blocks, averaged
// over a second or two, and the strongest peak between 200 and 3000 Hz that
// stands clear of the noise around it; a weak one, in an average over a few
// seconds, whose noise varies less. Once found, the tone is followed
// within a few bins (a slow drift), and given up for another only when that
// one has been far stronger for a while.

#include <complex>
#include <optional>
#include <vector>

class Tone_Finder {
 public:
  static constexpr int block = 512;

  explicit Tone_Finder(double rate);

  // One sample; true when a block has just been completed and analysed.
  bool push(float sample) {
    block_[filled_++] = sample;
    if (filled_ < block) return false;
    analyse();
    return true;
  }
  // Completes the current block with silence; nothing when it is empty.
  void pad_block();

  // The strongest clear peak of the spectrum gathered so far, in Hz.
  std::optional<double> strongest() const;
  // Starts following `hz`.
  void lock(double hz) { tone_ = hz; }
  // While held, the tone followed is not given up for a stronger one: the
  // caller is judging a change of station itself.
  void hold(bool held) { held_ = held; }
  // The tone being followed: moved along with its peak after every block.
  std::optional<double> tone() const { return tone_; }
  int blocks() const { return blocks_; }

 private:
  void analyse();
  void follow();
  std::optional<double> peak_near(int bin, int reach, const std::vector<double>& average) const;
  std::optional<double> clear_peak_near(int bin, int reach, const std::vector<double>& average,
                                        double ratio) const;
  double median_power(int bin, const std::vector<double>& average) const;

  double rate_;
  std::vector<float> block_;
  int filled_ = 0;
  int blocks_ = 0;
  std::vector<float> window_;
  std::vector<std::complex<float>> fft_;
  std::vector<std::complex<float>> twiddles_;
  std::vector<double> average_;  // power per bin, averaged over blocks
  std::vector<double> slow_;     // the same over more blocks
  int low_bin_ = 0;
  int high_bin_ = 0;
  std::optional<double> tone_;
  int stronger_elsewhere_ = 0;
  bool held_ = false;  // blocks in a row with a far stronger peak elsewhere
};
