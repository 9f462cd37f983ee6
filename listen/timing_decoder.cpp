#include "listen/timing_decoder.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// Entries kept for learning, and entries seen before the first is decided.
constexpr std::size_t window_size = 240;
constexpr std::size_t first_decided_after = 16;
// A mark this long or longer is a dash when all marks look alike.
constexpr double lone_dash_seconds = 0.17;
// A lone mark shorter than this share of the local dot is noise.
constexpr double blip_share = 0.5;
// Live decisions also come once the later entries span this long, so that a
// slow sender's letters show as soon as a fast one's.
constexpr double live_lookahead_seconds = 0.4;
// Live, while the window holds fewer entries than this, gap classes must lie
// apart by the ratio every Morse timing keeps (3 and 7/3 in standard timing,
// 2 at the least in this program's renderings): in a few widely spread gaps,
// one class split in two shows a ratio of 1.6 by chance.
constexpr std::size_t live_few_entries = 64;
constexpr double live_few_ratio = 2.0;
// Live, the element length the detector follows is given once the window is
// as large as a recording's decoder first learns from: a first guess from a
// few entries in a fade narrows the filter onto noise.
constexpr std::size_t live_element_after = 48;
// Live, a silence ends what is open only after this many entries: a noise
// mark or two in the silence before the first letter is not a word.
constexpr std::size_t live_pause_after = 8;

struct Cluster {
  double mean = 0.0;
  double variance = 0.0;
  std::size_t count = 0;
};

// The squared error of sorted[from, to) about its mean, from prefix sums.
struct Prefix {
  std::vector<double> sum{0.0}, squares{0.0};
  explicit Prefix(const std::vector<double>& sorted) {
    for (const double v : sorted) {
      sum.push_back(sum.back() + v);
      squares.push_back(squares.back() + v * v);
    }
  }
  double error(std::size_t from, std::size_t to) const {
    const double n = double(to - from);
    const double s = sum[to] - sum[from];
    return squares[to] - squares[from] - s * s / n;
  }
  Cluster cluster(std::size_t from, std::size_t to) const {
    const double n = double(to - from);
    const double mean = (sum[to] - sum[from]) / n;
    return {mean, std::max(0.0, error(from, to) / n), to - from};
  }
};

// The best split of sorted values into two runs: the index of the second.
std::size_t best_split(const Prefix& p, std::size_t from, std::size_t to) {
  std::size_t best = from + 1;
  double best_error = INFINITY;
  for (std::size_t s = from + 1; s < to; ++s) {
    const double e = p.error(from, s) + p.error(s, to);
    if (e < best_error) {
      best_error = e;
      best = s;
    }
  }
  return best;
}

// How far apart two neighbouring clusters are, in spreads.
double separation(const Cluster& a, const Cluster& b) {
  return (b.mean - a.mean) / std::sqrt((a.variance + b.variance) / 2.0 + 0.01);
}

// Two neighbouring clusters are two classes when their means are apart by
// a clear ratio and by several spreads.
bool distinct(const Cluster& a, const Cluster& b, double ratio = 1.6) {
  return b.mean - a.mean >= std::log(ratio) && separation(a, b) >= 3.0;
}

// Letter and word gaps: hand keying spreads both widely, yet a word gap is
// always more than twice a letter gap, so a clear ratio and fewer spreads do.
bool distinct_words(const Cluster& letters, const Cluster& words, double ratio = 1.6) {
  return words.mean - letters.mean >= std::log(ratio) && separation(letters, words) >= 2.0;
}

// Where letter and word gaps part when the few gaps seen show no word class
// of their own: half as long again as the middle letter gap (a word gap is
// more than twice a letter gap). `gaps` is sorted, `letters_from` the first
// above the element gaps.
double word_bound_from_letters(const std::vector<double>& gaps, double letters_from) {
  const auto first = std::lower_bound(gaps.begin(), gaps.end(), letters_from);
  if (first == gaps.end()) return std::log(1000.0);
  return std::max(letters_from, first[(gaps.end() - first - 1) / 2] + std::log(1.5));
}

// Where to draw the line between two clusters: nearer the tighter one.
double boundary(const Cluster& a, const Cluster& b) {
  const double sa = std::max(std::sqrt(a.variance), 0.05);
  const double sb = std::max(std::sqrt(b.variance), 0.05);
  return a.mean + (b.mean - a.mean) * sa / (sa + sb);
}

}  // namespace

void Timing_Decoder::push(const Key_Event& event) {
  if (event.mark) {
    window_.push_back({event.seconds, -1.0});
    in_mark_ = true;
    return;
  }
  if (!in_mark_) return;  // the silence before the first mark, or a second space
  in_mark_ = false;
  window_.back().gap = event.seconds;
  // The first decisions wait for enough entries to learn the classes from,
  // however short the look-ahead.
  const auto later_seconds = [&] {
    double seconds = 0.0;
    for (std::size_t k = decided_ + 1; k < window_.size(); ++k)
      seconds += window_[k].mark + window_[k].gap;
    return seconds;
  };
  while (window_.size() > first_decided_after &&
         (window_.size() - decided_ > lookahead_ ||
          (live_ && later_seconds() >= live_lookahead_seconds)))
    decide_oldest();
}

void Timing_Decoder::finish() {
  // The last mark's space ends the recording, whatever its length.
  if (!window_.empty()) window_.back().gap = INFINITY;
  in_mark_ = false;
  learned_ = false;
  while (decided_ < window_.size()) decide_oldest();
}

void Timing_Decoder::pause() {
  if (decided_ == window_.size() || (live_ && window_.size() < live_pause_after)) return;
  finish();
  // The silence that ended it ends a word; the space after it, when the next
  // mark ends it, is the one before a first mark and taken for none.
  if (!out_.empty() && out_.back() == ' ') out_ += "  ";
}

std::string Timing_Decoder::take() {
  std::string taken;
  taken.swap(out_);
  return taken;
}

double Timing_Decoder::shortest_element(const std::vector<Key_Event>& events, double ignore_below) {
  std::vector<double> marks, gaps;
  bool seen_mark = false;
  for (std::size_t i = 0; i < events.size(); ++i) {
    const Key_Event& e = events[i];
    if (e.mark) seen_mark = true;
    const bool end = i + 1 == events.size() && !e.mark;  // the end is no gap
    if (seen_mark && !end && e.seconds >= ignore_below)
      (e.mark ? marks : gaps).push_back(e.seconds);
  }
  const auto low_quartile = [](std::vector<double>& v) {
    std::nth_element(v.begin(), v.begin() + v.size() / 4, v.end());
    return v[v.size() / 4];
  };
  double shortest = 0.06;
  if (marks.size() >= 3) {
    shortest = low_quartile(marks);
    // The dots, where marks fall clearly into dots and dashes: fades and
    // noise leave short scraps that a quartile would count.
    std::vector<double> logs;
    for (const double m : marks) logs.push_back(std::log(m));
    std::sort(logs.begin(), logs.end());
    const Prefix p(logs);
    const std::size_t s = best_split(p, 0, logs.size());
    const Cluster dots = p.cluster(0, s), dashes = p.cluster(s, logs.size());
    const double ratio = std::exp(dashes.mean - dots.mean);
    if (ratio >= 2.0 && ratio <= 5.0 && separation(dots, dashes) >= 3.0)
      shortest = std::exp(dots.mean);
  }
  // A few dashes alone would pass for elements: any gap between them says
  // otherwise.
  if (gaps.size() >= 3) {
    shortest = std::min(shortest, low_quartile(gaps));
  } else if (!gaps.empty()) {
    shortest = std::min(shortest, *std::min_element(gaps.begin(), gaps.end()));
  }
  return std::clamp(shortest, 0.015, 0.25);
}

double Timing_Decoder::mark_clarity(const std::vector<Key_Event>& events, double shortest) {
  std::vector<double> marks;
  std::size_t all = 0;
  for (const Key_Event& e : events) {
    if (!e.mark) continue;
    ++all;
    if (e.seconds >= shortest) marks.push_back(std::log(e.seconds));
  }
  if (marks.size() < 4) return 0.0;
  std::sort(marks.begin(), marks.end());
  const Prefix p(marks);
  const std::size_t s = best_split(p, 0, marks.size());
  const Cluster dots = p.cluster(0, s), dashes = p.cluster(s, marks.size());
  const double ratio = std::exp(dashes.mean - dots.mean);
  if (dots.count < 2 || dashes.count < 2 || ratio < 2.0 || ratio > 5.0) return 0.0;
  return separation(dots, dashes) * double(marks.size()) / double(all);
}

void Timing_Decoder::learn() {
  const std::size_t n = window_.size();
  std::vector<double> marks(n);
  for (std::size_t i = 0; i < n; ++i) marks[i] = std::log(window_[i].mark);

  // Dots and dashes over the whole window first, to find the local dot.
  std::vector<double> sorted = marks;
  std::sort(sorted.begin(), sorted.end());
  const Prefix mp(sorted);
  const std::size_t split = n >= 2 ? best_split(mp, 0, n) : n;
  bool two_kinds = false;
  double ratio = 3.0;
  double dashes_mean = 0.0;
  double middle = std::log(lone_dash_seconds);
  if (split < n) {
    const Cluster dots = mp.cluster(0, split), dashes = mp.cluster(split, n);
    if (dashes.mean - dots.mean >= std::log(1.8)) {
      two_kinds = true;
      ratio = std::exp(dashes.mean - dots.mean);
      dashes_mean = dashes.mean;
      middle = (dots.mean + dashes.mean) / 2.0;
    }
  }
  std::vector<double> dot_equivalent(n);
  for (std::size_t i = 0; i < n; ++i)
    dot_equivalent[i] = marks[i] < middle ? marks[i] : marks[i] - std::log(ratio);
  classes_.dot.assign(n, 0.0);
  constexpr std::size_t reach = 8;
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t to = std::min(n, i + reach + 1);
    // Live, the newest entries have few later ones: earlier ones make up the
    // count, or a fade's broken marks would throw their dot far off.
    const std::size_t span =
        live_ ? std::min(to, 2 * reach + 1) : to - (i >= reach ? i - reach : 0);
    const std::size_t from = to - span;
    classes_.dot[i] =
        std::exp(std::accumulate(dot_equivalent.begin() + from, dot_equivalent.begin() + to, 0.0) /
                 double(to - from));
  }
  classes_.dash_above = two_kinds ? std::sqrt(ratio) : 2.0;

  // The gaps, each against its local dot; the end of the recording is none.
  std::vector<double> gaps;
  for (std::size_t i = 0; i < n; ++i) {
    if (window_[i].gap >= 0 && std::isfinite(window_[i].gap))
      gaps.push_back(std::log(window_[i].gap / classes_.dot[i]));
  }
  std::sort(gaps.begin(), gaps.end());
  const std::size_t m = gaps.size();
  // A pause far longer than the word gaps around it is one more word gap,
  // not a class of its own.
  if (m > 0) {
    const double longest = std::min(std::log(1000.0), gaps[m * 9 / 10] + std::log(2.5));
    for (double& g : gaps) g = std::min(g, longest);
  }
  classes_.gap_classes = 1;
  const bool few = live_ && n < live_few_entries;
  const double apart = few ? live_few_ratio : 1.6;
  // The gaps split in two where that leaves the least squared error, then
  // the longer (or else the shorter) part once more: top down, so that the
  // many element gaps of hand keying, spread wide, are never halved.
  const Prefix gp(gaps);
  if (m >= 2) {
    const std::size_t s = best_split(gp, 0, m);
    const Cluster lo = gp.cluster(0, s), hi = gp.cluster(s, m);
    const auto three = [&](const Cluster& a, const Cluster& b, const Cluster& c) {
      if (!distinct(a, b, apart) || !distinct_words(b, c, apart)) return false;
      classes_.gap_classes = 3;
      classes_.bounds[0] = boundary(a, b);
      classes_.bounds[1] = boundary(b, c);
      return true;
    };
    const std::size_t t = m - s >= 2 ? best_split(gp, s, m) : m;
    const std::size_t u = s >= 2 ? best_split(gp, 0, s) : 0;
    if (!(t < m && three(lo, gp.cluster(s, t), gp.cluster(t, m))) &&
        !(u > 0 && three(gp.cluster(0, u), gp.cluster(u, s), hi)) && distinct(lo, hi, apart)) {
      classes_.gap_classes = 2;
      classes_.bounds[0] = boundary(lo, hi);
      if (few) {
        classes_.gap_classes = 3;
        classes_.bounds[1] = word_bound_from_letters(gaps, classes_.bounds[0]);
      }
    }
  }
  if (classes_.gap_classes == 1) {
    // One kind of gap only: judged by the proportions of standard timing.
    classes_.bounds[0] = std::log(2.0);
    classes_.bounds[1] = std::log(5.0);
  }

  // The detector's filter must fit the shortest of dots and element gaps.
  // Noise adds short marks and splits long ones, which would make it ever
  // narrower and let in more noise: dashes are seldom made by noise, so a
  // third of one bounds it from below.
  double dot = classes_.dot[n - 1];
  if (two_kinds) dot = std::max(dot, 0.8 * std::exp(dashes_mean) / 3.0);
  double shortest = dot;
  if (classes_.gap_classes >= 2) {
    std::vector<double> element_gaps;
    for (std::size_t i = 0; i < n; ++i) {
      if (window_[i].gap >= 0 && std::isfinite(window_[i].gap) &&
          std::log(window_[i].gap / classes_.dot[i]) < classes_.bounds[0])
        element_gaps.push_back(window_[i].gap);
    }
    if (!element_gaps.empty()) {
      std::nth_element(element_gaps.begin(), element_gaps.begin() + element_gaps.size() / 2,
                       element_gaps.end());
      shortest = std::clamp(element_gaps[element_gaps.size() / 2], 0.5 * dot, dot);
    }
  }
  latest_element_seconds_ = shortest;
  if (!live_ || n > live_element_after) element_seconds_ = shortest;
  learned_ = true;
  since_learned_ = 0;
}

Timing_Decoder::Gap Timing_Decoder::gap_class(std::size_t index) const {
  const double gap = window_[index].gap;
  if (!std::isfinite(gap)) return Gap::Letter;
  const double x = std::log(gap / classes_.dot[index]);
  if (x < classes_.bounds[0]) return Gap::Element;
  if (classes_.gap_classes == 2 || x < classes_.bounds[1]) return Gap::Letter;
  return Gap::Word;
}

void Timing_Decoder::decide_oldest() {
  // Classes learned before the entry came are no use for it.
  if (!learned_ || ++since_learned_ >= 4 || decided_ >= classes_.dot.size()) learn();
  const std::size_t i = decided_++;
  const Entry& e = window_[i];
  const Gap gap = gap_class(i);
  // A mark far shorter than a dot, alone between letters, is a noise peak:
  // no element is that short, and a letter made of it would be an E.
  const bool blip = code_.empty() && gap != Gap::Element && e.mark < blip_share * classes_.dot[i];
  if (!blip) code_ += e.mark >= classes_.dash_above * classes_.dot[i] ? '-' : '.';
  if (!code_.empty()) {
    switch (gap) {
      case Gap::Element:
        break;
      case Gap::Letter:
        out_ += code_;
        out_ += ' ';
        code_.clear();
        break;
      case Gap::Word:
        out_ += code_;
        out_ += "   ";
        code_.clear();
        break;
    }
  }
  if (window_.size() > window_size && decided_ > 0) {
    window_.pop_front();
    --decided_;
    if (!classes_.dot.empty()) classes_.dot.erase(classes_.dot.begin());  // indexed by position
  }
}
