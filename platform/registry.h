#pragma once
// String values in the system's registry. Keys are paths with "\" between
// their parts, with or without a leading "\"; every key is opened with full
// access and never created, so a key that cannot be opened that way counts
// as absent.

#include <memory>
#include <optional>
#include <string>

enum class Registry_Root { Current_User, Local_Machine };

class Registry {
 public:
  virtual ~Registry() = default;
  virtual bool key_exists(Registry_Root root, const std::string& key) = 0;
  // Nothing when the key or the value is absent.
  virtual std::optional<std::string> read_string(Registry_Root root, const std::string& key,
                                                 const std::string& name) = 0;
  // Writes a string value into an existing key; false when the key is absent
  // or the write is refused.
  virtual bool write_string(Registry_Root root, const std::string& key, const std::string& name,
                            const std::string& value) = 0;
  // Deletes a value from an existing key; a value already absent is no
  // failure. False when the key is absent or the delete is refused.
  virtual bool delete_value(Registry_Root root, const std::string& key,
                            const std::string& name) = 0;
};

std::unique_ptr<Registry> make_system_registry();
