#include "engine/strutil.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

namespace {

// Pattern matcher for the rewriting scan below: next(q, c) is the number of bytes of the
// pattern matched after reading c in state q (q bytes matched, q < |pattern|). Short
// patterns get a full transition table, so a step costs O(1) even when the scan backs up;
// long ones use the prefix function.
class Pattern_Matcher {
 public:
  explicit Pattern_Matcher(const std::string& pattern) : p_(pattern) {
    const std::size_t m = p_.size();
    if (m <= kTable_Limit) {
      table_.assign(m * 256, 0);
      table_[byte(0)] = 1;
      std::uint32_t x = 0;  // state reached by the pattern without its first byte
      for (std::size_t j = 1; j < m; ++j) {
        std::copy_n(&table_[x * 256], 256, &table_[j * 256]);
        table_[j * 256 + byte(j)] = static_cast<std::uint32_t>(j + 1);
        x = table_[x * 256 + byte(j)];
      }
    } else {
      fail_.assign(m + 1, 0);
      for (std::size_t j = 1, k = 0; j < m; ++j) {
        while (k > 0 && p_[j] != p_[k]) k = fail_[k];
        if (p_[j] == p_[k]) ++k;
        fail_[j + 1] = static_cast<std::uint32_t>(k);
      }
    }
  }

  std::uint32_t next(std::uint32_t q, unsigned char c) const {
    if (!table_.empty()) return table_[q * 256 + c];
    while (q > 0 && static_cast<unsigned char>(p_[q]) != c) q = fail_[q];
    return static_cast<unsigned char>(p_[q]) == c ? q + 1 : 0;
  }

 private:
  static constexpr std::size_t kTable_Limit = 64;
  unsigned char byte(std::size_t j) const { return static_cast<unsigned char>(p_[j]); }

  const std::string& p_;
  std::vector<std::uint32_t> table_;
  std::vector<std::uint32_t> fail_;
};

std::size_t saturated_product(std::size_t a, std::size_t b) {
  return b != 0 && a > SIZE_MAX / b ? SIZE_MAX : a * b;
}

// Where the step-by-step replacement stops even though an occurrence is left (see the
// header): before a replacement that would make the working copy longer than max_length,
// or once max_replacements have been made.
struct Replace_Limits {
  std::size_t max_length = SIZE_MAX;
  std::size_t max_replacements = SIZE_MAX;
};

Replace_Limits limits_for(const std::string& s, const std::string& replace) {
  return {saturated_product(s.size(), replace.size() + 1),
          saturated_product(s.size(), s.size() + 1)};
}

// Replaces the leftmost occurrence of find by replace until none is left, as a single scan.
// The bytes already scanned sit in `out` and never hold an occurrence; the next byte is
// appended, and if `out` then ends with find, that occurrence ends before any other, and
// since all occurrences have the same length it is the leftmost one. It is taken off and
// replace is put back in front of the unread input, which leaves exactly the string the
// step-by-step replacement would have. `replacements` counts the replacements made.
// Requires a non-empty find that does not occur in replace.
std::string rewrite_leftmost(const std::string& s, const std::string& find,
                             const std::string& replace, std::size_t& replacements,
                             const Replace_Limits& limits = {}) {
  replacements = 0;
  const std::size_t m = find.size();
  if (m == 1) {
    // A single byte cannot be formed anew, because replace does not contain it; so there
    // are at most |s| replacements and the result stays within |s| * |replace| bytes, and
    // no limit is reached.
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
      if (c == find[0]) {
        out += replace;
        ++replacements;
      } else {
        out += c;
      }
    }
    return out;
  }
  const Pattern_Matcher matcher(find);
  std::string out;
  out.reserve(s.size());
  std::vector<std::uint32_t> state;  // state[k]: matcher state after out[0..k)
  state.reserve(s.size() + 1);
  state.push_back(0);
  std::string pending;  // replacement bytes still to be read, last one first
  std::size_t i = 0;
  std::size_t length = s.size();  // of the working copy: out, pending and the unread input
  for (;;) {
    char c;
    if (!pending.empty()) {
      c = pending.back();
      pending.pop_back();
    } else if (i < s.size()) {
      c = s[i++];
    } else {
      break;
    }
    const std::uint32_t q = matcher.next(state.back(), static_cast<unsigned char>(c));
    if (q == m) {
      const std::size_t next_length = length - m + replace.size();
      if (replacements == limits.max_replacements || next_length > limits.max_length) {
        // The working copy as it stands: the scanned bytes, then the unread ones.
        out += c;
        out.append(pending.rbegin(), pending.rend());
        out.append(s, i, std::string::npos);
        return out;
      }
      length = next_length;
      out.resize(out.size() - (m - 1));
      state.resize(state.size() - (m - 1));
      pending.append(replace.rbegin(), replace.rend());
      ++replacements;
    } else {
      out += c;
      state.push_back(q);
    }
  }
  return out;
}

// One left-to-right pass over non-overlapping occurrences; replacement text is not searched.
std::string replace_single_pass(const std::string& s, const std::string& find,
                                const std::string& replace) {
  std::string out;
  std::size_t from = 0;
  for (std::size_t at; (at = s.find(find, from)) != std::string::npos; from = at + find.size()) {
    out.append(s, from, at - from);
    out += replace;
  }
  out.append(s, from, std::string::npos);
  return out;
}

bool occurs_in(const std::string& needle, const std::string& haystack) {
  return !needle.empty() && haystack.find(needle) != std::string::npos;
}

std::string replace_direct(const std::string& s, const std::string& find,
                           const std::string& replace) {
  if (s.empty() || find.empty() || s.find(find) == std::string::npos) return s;
  std::size_t replacements;
  return rewrite_leftmost(s, find, replace, replacements, limits_for(s, replace));
}

}  // namespace

std::string STRUTIL_Replace_All(std::string S, std::string Find, std::string Replace) {
  if (!occurs_in(Find, Replace)) return replace_direct(S, Find, Replace);
  const std::string placeholder = STRUTIL_PLACEHOLDER;
  if (occurs_in(Find, placeholder) || occurs_in(placeholder, Replace)) {
    // The two-stage route would recurse without end here.
    return replace_single_pass(S, Find, Replace);
  }
  return replace_direct(replace_direct(S, Find, placeholder), placeholder, Replace);
}

int STRUTIL_Count_Occurrences(std::string S, std::string Find) {
  if (S.empty() || Find.empty() || S.find(Find) == std::string::npos) return 0;
  std::size_t count;
  if (Find.size() == 1) {
    count = static_cast<std::size_t>(std::count(S.begin(), S.end(), Find[0]));
  } else {
    rewrite_leftmost(S, Find, std::string(), count);
  }
  return static_cast<int>(std::min<std::size_t>(count, INT_MAX));
}

std::string STRUTIL_Pad_Right(std::string S, char Fill, int Width) {
  if (Fill == '\0' || Width == 0) return std::string();
  if (Width > 0 && S.size() < static_cast<std::size_t>(Width)) {
    S.append(static_cast<std::size_t>(Width) - S.size(), Fill);
  }
  return S;
}

std::string STRUTIL_Pad_Centre(std::string S, char Fill, int Width) {
  if (Fill == '\0' || Width == 0) return std::string();
  if (Width < 0 || S.size() > static_cast<std::size_t>(Width)) {
    return STRUTIL_Pad_Right(std::move(S), Fill, Width);
  }
  const std::size_t d = static_cast<std::size_t>(Width) - S.size();
  const std::size_t left = d / 2 >= 1 ? d / 2 - 1 : 0;
  std::string out;
  out.reserve(static_cast<std::size_t>(Width));
  out.append(left, Fill);
  out += S;
  out.append(d - left, Fill);
  return out;
}
