#pragma once
// An in-memory registry. Keys and value names are compared without regard to
// letter case and a key's leading "\" is optional, as in the system's registry.
// Faults are set per test: a key can be missing or closed to us, and writes
// and deletes can fail or store something other than what was written.

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "platform/registry.h"

class Fake_Registry final : public Registry {
 public:
  void add_key(Registry_Root root, const std::string& key) { keys_[id(root, key)]; }
  void remove_key(Registry_Root root, const std::string& key) { keys_.erase(id(root, key)); }
  // The key is there but cannot be opened with full access, so it counts as absent.
  void deny_access(Registry_Root root, const std::string& key) {
    keys_[id(root, key)].denied = true;
  }
  // Puts a value in place directly, adding its key when needed.
  void set(Registry_Root root, const std::string& key, const std::string& name,
           const std::string& value) {
    keys_[id(root, key)].values[fold(name)] = value;
  }
  // The stored value, whatever the faults.
  std::optional<std::string> stored(Registry_Root root, const std::string& key,
                                    const std::string& name) const {
    auto k = keys_.find(id(root, key));
    if (k == keys_.end()) return std::nullopt;
    auto v = k->second.values.find(fold(name));
    if (v == k->second.values.end()) return std::nullopt;
    return v->second;
  }

  bool key_exists(Registry_Root root, const std::string& key) override {
    return open(root, key) != nullptr;
  }

  std::optional<std::string> read_string(Registry_Root root, const std::string& key,
                                         const std::string& name) override {
    if (!open(root, key)) return std::nullopt;
    return stored(root, key, name);
  }

  bool write_string(Registry_Root root, const std::string& key, const std::string& name,
                    const std::string& value) override {
    ++writes;
    Key* k = open(root, key);
    if (!k || writes_fail) return false;
    k->values[fold(name)] = writes_store ? *writes_store : value;
    return true;
  }

  bool delete_value(Registry_Root root, const std::string& key, const std::string& name) override {
    ++deletes;
    Key* k = open(root, key);
    if (!k || deletes_fail) return false;
    k->values.erase(fold(name));
    return true;
  }

  // Every write is refused although the key opened.
  bool writes_fail = false;
  // Every write reports success but leaves this text as the value.
  std::optional<std::string> writes_store;
  // Every delete is refused and the value stays.
  bool deletes_fail = false;
  // Calls made, faulty or not.
  int writes = 0;
  int deletes = 0;

 private:
  struct Key {
    bool denied = false;
    std::map<std::string, std::string> values;
  };

  static std::string fold(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
  }
  static std::pair<Registry_Root, std::string> id(Registry_Root root, const std::string& key) {
    return {root, fold(!key.empty() && key[0] == '\\' ? key.substr(1) : key)};
  }
  Key* open(Registry_Root root, const std::string& key) {
    auto k = keys_.find(id(root, key));
    if (k == keys_.end() || k->second.denied) return nullptr;
    return &k->second;
  }

  std::map<std::pair<Registry_Root, std::string>, Key> keys_;
};
