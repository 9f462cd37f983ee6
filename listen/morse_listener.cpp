#include "listen/morse_listener.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// The narrowed stream: fast enough for a tone of 3000 Hz, the top of a
// receiver's SSB passband.
constexpr double narrowed_min_hz = 7000.0;
constexpr double pass_hz = 3050.0;
// The detector's rate: a few hundred samples a second.
constexpr double detector_hz = 500.0;
// Seconds of the narrowed stream looked at before the tone is chosen and the
// speed first judged, and the most kept while no tone is found.
constexpr double first_seconds = 2.0;
constexpr double waiting_seconds = 8.0;
// The speeds looked for: elements of 60 to 5 WPM.
constexpr double shortest_element = 0.02;
constexpr double longest_element = 0.24;
// Silence at the tone after which a keyed signal is looked for at another
// tone, and the most of that silence kept to look in.
constexpr double silence_seconds = 1.5;
constexpr double recent_seconds = 10.0;
// The last seconds the speed is judged again on.
constexpr double recheck_seconds = 5.0;
// Looks (of half a second) after a long silence before what follows is
// decoded at the speed before it when nothing else is confirmed.
constexpr int pending_tries = 8;
// Looks (of half a second) between two checks of the speed.
constexpr int recheck_tries = 10;
// Looks in a row that find the same clear peak, without keying confirmed,
// before it is taken all the same.
constexpr int steady_tries = 8;
// The silence a stalled input is taken for: long enough to end a word at the
// slowest speed, and to run every filter out.
constexpr double pause_seconds = 1.0;
// The silence after which a live listener decides all that is open: far
// longer than a word gap (seven elements), and than most deep fades.
constexpr double live_gap_elements = 16.0;
constexpr double live_gap_seconds = 1.2;
// Elements a live listener's sequence detector decides late.
constexpr double live_lag_elements = 10;
// A tone this many times as strong as the noise at the detector's rate
// (about in 500 Hz), or weaker, is decoded by the sequence detector.
constexpr double weak_snr = 2.0;
// How much likelier (in the log) another element must make a weak tone's
// keying than the one it is decoded at, to be taken: at first, within
// three times the first guess either way (steps of a quarter: a weak tone's
// first guess can be a third of its speed, and a search over every speed
// found floods of fast letters in noise at -6 dB); then, now and again, over
// the last seconds and near the speed it has. Without the phase, a
// magnitude's likelihood tells speeds apart less surely: a first look of two
// seconds at 0 dB went to twice the speed at a margin of 3.
constexpr double fit_margin = 3.0;
// What each step away from the speed it has costs a candidate, in the log:
// a few seconds at -6 dB otherwise fitted a 22 WPM sender at 60, a flood of
// short letters.
constexpr double fit_step_cost = 2.0;
constexpr double incoherent_fit_margin = 10.0;
constexpr int fit_steps = 5;
constexpr double refit_margin = 5.0;
constexpr int refit_steps = 2;

int first_factor(double rate) { return std::max(1, static_cast<int>(rate / narrowed_min_hz)); }

}  // namespace

Morse_Listener::Morse_Listener(double sample_rate)
    : input_rate_(sample_rate),
      rate_(sample_rate / first_factor(sample_rate)),
      blanker_(sample_rate),
      decimator_(sample_rate, first_factor(sample_rate), pass_hz,
                 sample_rate / first_factor(sample_rate) - pass_hz),
      finder_(rate_),
      detector_(1.0) {
  sum_length_ = std::max(1, static_cast<int>(std::lround(rate_ / detector_hz)));
  detector_rate_ = rate_ / sum_length_;
  detector_ = Key_Detector(detector_rate_);
  tries_every_ = std::max(1, static_cast<int>(0.5 * rate_ / Tone_Finder::block));
  recent_.assign(static_cast<std::size_t>(recent_seconds * rate_) + 1, 0.0f);
}

void Morse_Listener::feed(const float* samples, std::size_t count) {
  // In chunks, so that the buffers stay small however much comes at once.
  constexpr std::size_t chunk = 4096;
  for (std::size_t at = 0; at < count; at += chunk) {
    blanked_.clear();
    blanker_.process(samples + at, std::min(chunk, count - at), blanked_);
    narrow_all();
  }
}

void Morse_Listener::narrow_all() {
  narrowed_.clear();
  decimator_.process(blanked_.data(), blanked_.size(), narrowed_);
  for (const float s : narrowed_) narrow(s);
}

void Morse_Listener::narrow(float sample) {
  // A broken file may hold infinities or not-a-numbers, which would poison
  // every sum after them.
  sample = std::isfinite(sample) ? std::clamp(sample, -1e4f, 1e4f) : 0.0f;
  if (started_) {
    recent_[recent_at_] = sample;
    if (++recent_at_ == recent_.size()) recent_at_ = 0;
    recent_held_ = std::min(recent_held_ + 1, recent_.size());
    if (pending_) ++pending_samples_;
    if (const auto baseband = mix_down(sample)) to_detector(*baseband);
    if (finder_.push(sample)) {
      if (silent_ > silence_limit_ && !pending_) {
        // What follows a long silence is held back until its speed is known.
        pending_ = true;
        finder_.hold(true);
        pending_samples_ = silent_ * sum_length_;
        pending_blocks_ = 0;
      }
      if (pending_ && finder_.blocks() % tries_every_ == 0) {
        if (look_elsewhere() || recheck_after_silence()) return;
      }
      if (finder_.blocks() % (recheck_tries * tries_every_) == 0) recheck_speed();
      if (++since_normalised_ >= 4) {
        phase_ /= std::abs(phase_);
        since_normalised_ = 0;
      }
      const double hz = *finder_.tone();
      if (std::abs(hz - step_hz_) > 0.05) {
        tracker_.retune(hz - step_hz_);
        step_hz_ = hz;
        step_ = std::polar(1.0, 2.0 * std::numbers::pi * hz / rate_);
      }
    }
    return;
  }
  waiting_.push_back(sample);
  if (!finder_.push(sample)) return;
  const int held = finder_.blocks() * Tone_Finder::block;
  // A first try once a few letters may have been heard, then another every
  // half second on the latest seconds, until a keyed signal is confirmed.
  if (held >= first_seconds * rate_ && finder_.blocks() % tries_every_ == 0) {
    const std::optional<double> hz = finder_.strongest();
    // A peak that stays put for seconds is a tone, even where the noise
    // blurs its keying; one of noise wanders.
    const bool same = hz && candidate_hz_ && same_tone(*hz, *candidate_hz_);
    // A look that finds no clear peak (a word gap, a deep fade) counts
    // neither way.
    if (same) {
      ++candidate_tries_;
    } else if (hz) {
      candidate_hz_ = hz;
      candidate_tries_ = 1;
    }
    if (hz) {
      const std::vector<std::complex<float>> baseband = mixed_at(*hz);
      double element = 0.0;
      if (probe_speed(baseband, element) || candidate_tries_ >= steady_tries) {
        start(*hz, element, baseband);
        return;
      }
    }
  }
  if (waiting_.size() >= waiting_seconds * rate_)
    waiting_.erase(waiting_.begin(), waiting_.begin() + Tone_Finder::block);
}

std::vector<std::complex<float>> Morse_Listener::mixed_at(double hz) const {
  std::vector<std::complex<float>> baseband;
  baseband.reserve(waiting_.size() / std::size_t(sum_length_) + 1);
  const std::complex<double> step = std::polar(1.0, 2.0 * std::numbers::pi * hz / rate_);
  std::complex<double> phase{1.0, 0.0};
  std::complex<float> sum{};
  int summed = 0;
  for (const float s : waiting_) {
    sum += std::complex<float>(float(s * phase.real()), float(-s * phase.imag()));
    phase *= step;
    if (++summed < sum_length_) continue;
    baseband.push_back(sum / float(sum_length_));
    sum = {};
    summed = 0;
  }
  return baseband;
}

// A first look gives the speed the real filter is matched to. Too narrow a
// filter lets noise in, too wide a one merges elements: either blurs the
// two lengths of marks, so the narrowest width that shows dots and dashes
// about as clearly as any, and elements longer than itself, wins: that is a
// keyed signal, and true is returned. Otherwise `element` is a guess: the
// narrowest width whose elements are clearly longer than it and about as long
// as a filter twice as wide finds them (the first seconds hold dots alone,
// say), or the widest.
bool Morse_Listener::probe_speed(const std::vector<std::complex<float>>& baseband, double& element,
                                 double least_clarity) const {
  constexpr double widths[] = {0.01, 0.02, 0.04, 0.08};
  constexpr int n = 4;
  double found[n], clarity[n];
  bool coherent = false;
  const std::vector<std::complex<float>> turned_baseband = turned(baseband, coherent);
  const std::vector<std::complex<float>>& heard = coherent ? turned_baseband : baseband;
  for (int i = 0; i < n; ++i) {
    Key_Detector probe(detector_rate_);
    probe.set_element(widths[i] / Key_Detector::width_share);
    probe.set_coherent(coherent);
    probe.calibrate(heard);
    std::vector<Key_Event> probe_events;
    for (const std::complex<float>& b : heard) probe.push(b, probe_events);
    probe.finish(probe_events);
    found[i] = Timing_Decoder::shortest_element(probe_events, 1.2 * widths[i]);
    clarity[i] = Timing_Decoder::mark_clarity(probe_events, 1.2 * widths[i]);
  }
  double clearest = 0.0;
  for (int i = 0; i < n; ++i)
    if (found[i] >= 1.3 * widths[i]) clearest = std::max(clearest, clarity[i]);
  for (int i = 0; i < n; ++i) {
    // Noise gives marks as short as the filter lets through, which grow
    // with its width; a keyed element is found alike by a filter half or
    // twice as wide (one too wide merges elements).
    const auto alike = [&](int a, int b) {
      return a >= 0 && b < n && std::abs(std::log(found[b] / found[a])) < std::log(1.6);
    };
    const bool steady = alike(i - 1, i) || alike(i, i + 1);
    if (clarity[i] >= std::max(least_clarity, 0.75 * clearest) && found[i] >= 1.3 * widths[i] &&
        steady) {
      element = found[i];
      return true;
    }
  }
  element = found[n - 1];
  for (int i = 0; i < n - 1; ++i) {
    if (found[i] >= 1.3 * widths[i] &&
        std::abs(std::log(found[i + 1] / found[i])) < std::log(1.35)) {
      element = found[i];
      break;
    }
  }
  return false;
}

// A stretch turned onto the tone's phase by a tracker primed on it, and
// whether only its in-phase part is to be weighed. `tracker` gets the state
// primed, before the stretch was turned.
std::vector<std::complex<float>> Morse_Listener::turned(
    const std::vector<std::complex<float>>& baseband, bool& coherent,
    Phase_Tracker* tracker) const {
  Phase_Tracker trial(detector_rate_);
  trial.prime(baseband);
  if (tracker != nullptr) *tracker = trial;
  std::vector<std::complex<float>> turned;
  turned.reserve(baseband.size());
  for (const std::complex<float>& b : baseband) turned.push_back(trial.turn(b));
  coherent = trial.in_phase();
  return turned;
}

void Morse_Listener::start(double hz, double element,
                           const std::vector<std::complex<float>>& baseband) {
  finder_.lock(hz);
  started_ = true;
  step_hz_ = hz;
  step_ = std::polar(1.0, 2.0 * std::numbers::pi * hz / rate_);
  // The main mixer goes on from where the waiting stream ends.
  phase_ = std::polar(1.0, 2.0 * std::numbers::pi * hz / rate_ * double(waiting_.size()));
  summed_ = int(waiting_.size() % std::size_t(sum_length_));
  sum_ = {};
  for (std::size_t i = waiting_.size() - std::size_t(summed_); i < waiting_.size(); ++i) {
    sum_ += std::complex<float>(
        float(waiting_[i] * std::cos(2.0 * std::numbers::pi * hz / rate_ * double(i))),
        float(-waiting_[i] * std::sin(2.0 * std::numbers::pi * hz / rate_ * double(i))));
  }
  waiting_.clear();
  waiting_.shrink_to_fit();
  first_element_ = std::clamp(element, shortest_element, longest_element);
  silence_limit_ =
      static_cast<long long>(std::max(silence_seconds, 20.0 * element) * detector_rate_);
  detector_.set_element(element);
  bool coherent = false;
  const std::vector<std::complex<float>> heard = turned(baseband, coherent, &tracker_);
  detector_.set_coherent(coherent);
  detector_.calibrate(coherent ? heard : baseband);
  // A tone weak from the start is decoded by the sequence detector; a
  // station found after a silence keeps the key detector.
  sequence_.reset();
  if (!restarted_) sequence_ = weak_tone_detector(heard, coherent);
  if (sequence_ && live_lookahead_ > 0) sequence_->set_lag(live_lag_elements);
  for (const std::complex<float>& b : baseband) to_detector(b);
}

// A detector at `element` with the levels a first pass over `heard` learns:
// seconds of noise before the first letter mislead a calibration.
Sequence_Detector Morse_Listener::learned(const std::vector<std::complex<float>>& heard,
                                          bool coherent, double element) const {
  Sequence_Detector detector = Sequence_Detector::calibrated(detector_rate_, element, heard);
  Sequence_Detector first_pass(detector);
  std::vector<Key_Event> ignored;
  for (const std::complex<float>& b : heard) first_pass.push(b, coherent, ignored);
  detector.learn_levels(first_pass);
  return detector;
}

// The sequence detector for a tone weak from the start, or none: weak by its
// levels calibrated, then learned at the first guess, then learned at the
// element fitted, which it is decoded at. (A rendering with gaps far shorter
// than its tones calibrates as weak, and looks weak at twice its element,
// but not at its first guess.)
std::optional<Sequence_Detector> Morse_Listener::weak_tone_detector(
    const std::vector<std::complex<float>>& heard, bool coherent) {
  if (!(Sequence_Detector::calibrated(detector_rate_, first_element_, heard).snr() < weak_snr))
    return std::nullopt;
  const Sequence_Detector at_guess = learned(heard, coherent, first_element_);
  if (!(at_guess.snr() < weak_snr)) return std::nullopt;
  const double fitted =
      fit_element(heard, coherent, at_guess, first_element_, fit_steps, fit_margin, 0.0);
  Sequence_Detector at_fit = learned(heard, coherent, fitted);
  if (!(at_fit.snr() < weak_snr)) return std::nullopt;
  first_element_ = fitted;
  detector_.set_element(first_element_);
  return at_fit;
}

std::optional<std::complex<float>> Morse_Listener::mix_down(float sample) {
  sum_ += std::complex<float>(float(sample * phase_.real()), float(-sample * phase_.imag()));
  phase_ *= step_;
  if (++summed_ < sum_length_) return std::nullopt;
  const std::complex<float> baseband = sum_ / float(sum_length_);
  sum_ = {};
  summed_ = 0;
  return baseband;
}

// A long silence at the tone: the station may have stopped, and the next
// may send at another tone and speed. A keyed signal confirmed at another
// tone is taken, with what it sent during the silence; true then.
bool Morse_Listener::look_elsewhere() {
  const std::optional<double> hz = finder_.strongest();
  if (!hz || same_tone(*hz, step_hz_)) return false;
  since_silence();
  const std::vector<std::complex<float>> baseband = mixed_at(*hz);
  double element = 0.0;
  // Confirmed twice in a row at about the same speed: the first look may
  // hold a letter or two, too few to judge the speed by.
  const bool confirmed = probe_speed(baseband, element);
  const bool again = confirmed && std::abs(std::log(element / elsewhere_element_)) < std::log(1.3);
  elsewhere_element_ = confirmed ? element : 1.0;
  if (!again) {
    waiting_.clear();
    return false;
  }
  restart(*hz, element, baseband);
  return true;
}

// The narrowed stream since the silence began, as much as is kept, into
// waiting_.
void Morse_Listener::since_silence() {
  const std::size_t silence =
      std::min(recent_.size(), static_cast<std::size_t>(std::max(0LL, pending_samples_)));
  waiting_.clear();
  for (std::size_t k = recent_.size() - silence; k < recent_.size(); ++k)
    waiting_.push_back(recent_[(recent_at_ + k) % recent_.size()]);
}

// The same tone after a long silence, perhaps another station at another
// speed: judged on what came since; at a clearly different speed, that is
// decoded again at it; else what was held back goes on. True on a restart.
bool Morse_Listener::recheck_after_silence() {
  ++pending_blocks_;
  // A clear peak elsewhere is another station starting: near enough, it
  // leaks into a look at the old tone and would pass for its keying. Its
  // keying is waited for, up to the usual limit.
  const std::optional<double> hz = finder_.strongest();
  if (hz && !same_tone(*hz, step_hz_) && pending_blocks_ < pending_tries) return false;
  since_silence();
  const std::vector<std::complex<float>> baseband = mixed_at(step_hz_);
  double element = 0.0;
  // Clearer keying than at the start: a restart drops what was decoded.
  const bool confirmed = probe_speed(baseband, element, 6.0);
  // Another speed must be confirmed twice in a row: noise may fake it once.
  const bool other = confirmed && std::abs(std::log(element / first_element_)) >= std::log(1.6);
  const bool again = other && std::abs(std::log(element / last_other_)) < std::log(1.3);
  last_other_ = other ? element : 1.0;
  if (again) {
    restart(step_hz_, element, baseband);
    return true;
  }
  waiting_.clear();
  if (other) return false;
  if (confirmed || pending_blocks_ >= pending_tries) release();
  return false;
}

void Morse_Listener::release() {
  for (const Key_Event& e : held_) decoder_.push(e);
  held_.clear();
  pending_ = false;
  finder_.hold(false);
}

// Decoding starts afresh at `hz` on the stream since the silence (in
// waiting_); what the old detector made of it is dropped, but for the end of
// the silence itself.
void Morse_Listener::restart(double hz, double element,
                             const std::vector<std::complex<float>>& baseband) {
  finish_detector();
  held_.insert(held_.end(), events_.begin(), events_.end());
  events_.clear();
  if (!held_.empty() && !held_.front().mark) decoder_.push(held_.front());
  held_.clear();
  // Another speed: the classes of the lengths are learned afresh.
  if (std::abs(std::log(element / first_element_)) >= std::log(1.6)) {
    decoder_.finish();
    carried_ += decoder_.take();
    // A change of station is a change of word.
    if (!carried_.empty() && carried_.back() == ' ') carried_ += "  ";
    decoder_ = Timing_Decoder();
    if (live_lookahead_ > 0) decoder_.set_lookahead(live_lookahead_);
  }
  pending_ = false;
  finder_.hold(false);
  detector_ = Key_Detector(detector_rate_);
  restarted_ = true;
  in_space_ = false;
  silent_ = 0;
  start(hz, element, baseband);
}

// The element, among lengths a step of a quarter apart from `around`, as
// far as `steps` steps either way (within the speeds looked for), whose
// sequence detector finds the keying in `heard` likelier than at `around`
// by `margin` in the log; `around` when none is. All are scored on one grid,
// made for the element `grid` (0: twice the shortest candidate, so four
// steps to its element: fine enough, and a quarter of the work), with the
// `levels` learned at `around`: levels calibrated on short sums of a weak
// tone come out high, and then a fast sender explains the noise better than
// the true one.
double Morse_Listener::fit_element(const std::vector<std::complex<float>>& heard, bool coherent,
                                   const Sequence_Detector& levels, double around, int steps,
                                   double margin, double grid) const {
  constexpr double step = 1.25;
  // Without the phase, a few seconds of a weak tone tell speeds apart less
  // surely.
  if (!coherent) margin = std::max(margin, incoherent_fit_margin);
  std::vector<double> candidates;
  for (int k = -steps; k <= steps; ++k) {
    const double element = around * std::pow(step, k);
    if (element >= shortest_element / step && element <= longest_element * step)
      candidates.push_back(element);
  }
  std::vector<Key_Event> ignored;
  std::vector<double> scores;
  double at_around = -INFINITY;
  for (const double element : candidates) {
    Sequence_Detector trial = Sequence_Detector::calibrated(
        detector_rate_, element, heard, grid > 0.0 ? grid : 2.0 * candidates.front());
    trial.learn_levels(levels);
    trial.sum_paths();
    for (const std::complex<float>& b : heard) trial.push(b, coherent, ignored);
    scores.push_back(trial.score() -
                     fit_step_cost * std::abs(std::log(element / around) / std::log(step)));
    if (element == around) at_around = trial.score();
  }
  const auto best = std::max_element(scores.begin(), scores.end());
  if (!(*best > at_around + margin)) return around;
  // Between the candidates: the top of a parabola through the best and its
  // neighbours.
  const auto i = static_cast<std::size_t>(best - scores.begin());
  double offset = 0.0;
  if (i > 0 && i + 1 < scores.size()) {
    const double curve = scores[i - 1] - 2.0 * scores[i] + scores[i + 1];
    if (curve < 0.0) offset = std::clamp(0.5 * (scores[i - 1] - scores[i + 1]) / curve, -0.5, 0.5);
  }
  return std::clamp(candidates[i] * std::pow(step, offset), shortest_element, longest_element);
}

// The speed judged again on the last seconds: a first guess made on merged
// elements, or a station that has changed its speed, is left at once when
// the keying confirms another.
void Morse_Listener::recheck_speed() {
  // A weak tone's speed is fitted again 5 and 10 s after the start, which
  // mends a first guess made on few letters, then every 40 s: each fit
  // costs some seconds of decoding.
  if (sequence_ && ++refits_ > 2 && refits_ % 8 != 0) return;
  waiting_.clear();
  const std::size_t size = recent_.size();
  const double seconds = sequence_ ? recent_seconds : recheck_seconds;
  // A weak tone's fit is made on what was heard since the start alone: the
  // silence the ring holds before it would pass for a slower sender.
  const std::size_t held = std::min(sequence_ ? recent_held_ : size, std::size_t(seconds * rate_));
  for (std::size_t k = size - held; k < size; ++k)
    waiting_.push_back(recent_[(recent_at_ + k) % size]);
  const std::vector<std::complex<float>> baseband = mixed_at(step_hz_);
  waiting_.clear();
  double element = 0.0;
  if (sequence_) {
    // A weak tone's keying is judged by the sequence detector, over longer.
    bool coherent = false;
    const std::vector<std::complex<float>> heard = turned(baseband, coherent);
    element = fit_element(heard, coherent, learned(heard, coherent, first_element_), first_element_,
                          refit_steps, refit_margin, first_element_);
    if (element == first_element_) return;
  } else {
    if (!probe_speed(baseband, element)) return;
    if (std::abs(std::log(element / first_element_)) < std::log(1.6)) return;
  }
  first_element_ = std::clamp(element, shortest_element, longest_element);
  detector_.set_element(first_element_);
  if (sequence_) sequence_->set_element(first_element_);
}

void Morse_Listener::finish_detector() {
  if (sequence_)
    sequence_->finish(events_);
  else
    detector_.finish(events_);
}

void Morse_Listener::to_detector(std::complex<float> baseband) {
  // Turned onto the tone's phase, once that is held, even where only the
  // magnitude is weighed: the loop takes out what the finder's bins leave
  // of the tone's offset. Until then, a wrong offset would only lose some.
  const std::complex<float> turned = tracker_.turn(baseband);
  const bool coherent = tracker_.in_phase();
  if (sequence_) {
    // Where the phase is held, its in-phase part is weighed, strong or weak.
    sequence_->push(turned, tracker_.steady(), events_);
  } else {
    detector_.set_coherent(coherent);
    detector_.push(coherent ? turned : baseband, events_);
  }
  if (in_space_) ++silent_;
  if (live_lookahead_ > 0) decide_live();
  if (events_.empty()) return;
  if (pending_)
    held_.insert(held_.end(), events_.begin(), events_.end());
  else
    for (const Key_Event& e : events_) decoder_.push(e);
  // A mark has ended: a space goes on until the next event.
  in_space_ = events_.back().mark;
  silent_ = 0;
  events_.clear();
  // Noise that gets through a filter too narrow makes short marks, which
  // would narrow it further: so it narrows little below the speed the last
  // look confirmed (a look every few seconds follows a faster sender), and
  // stays wide enough for a speed that halves.
  if (decoder_.element_seconds() > 0.0) {
    const double element =
        std::clamp(decoder_.element_seconds(), std::max(shortest_element, 0.7 * first_element_),
                   std::min(longest_element, 2.5 * first_element_));
    detector_.set_element(element);
  }
  silence_limit_ = static_cast<long long>(
      std::max(silence_seconds, 20.0 * decoder_.element_seconds()) * detector_rate_);
}

// A silence far longer than a word gap ends what is open: the last word of an
// over is shown then, not when the next over has brought enough elements.
void Morse_Listener::decide_live() {
  if (!events_.empty()) {
    live_open_ = true;
    return;
  }
  if (!live_open_ || !in_space_ || pending_) return;
  const double element =
      decoder_.element_seconds() > 0 ? decoder_.element_seconds() : first_element_;
  if (double(silent_) < std::max(live_gap_seconds, live_gap_elements * element) * detector_rate_)
    return;
  decoder_.pause();
  live_open_ = false;
}

void Morse_Listener::finish() {
  blanked_.clear();
  blanker_.flush(blanked_);
  narrow_all();
  if (!started_) {
    // Too short for a confirmed keyed signal (a single letter, say): the
    // clearest tone is taken as it is.
    finder_.pad_block();
    if (const auto hz = finder_.strongest()) {
      const std::vector<std::complex<float>> baseband = mixed_at(*hz);
      double element = 0.0;
      probe_speed(baseband, element);
      start(*hz, element, baseband);
    }
  }
  if (!started_) return;
  release();
  finish_detector();
  for (const Key_Event& e : events_) decoder_.push(e);
  events_.clear();
  decoder_.finish();
}

void Morse_Listener::pause() {
  if (!started_) return;
  const std::vector<float> silence(static_cast<std::size_t>(pause_seconds * input_rate_), 0.0f);
  feed(silence.data(), silence.size());
  if (pending_) release();
  decoder_.pause();
}
