#include "platform/registry.h"

#include <windows.h>

#include <algorithm>
#include <limits>
#include <vector>

namespace {

class Key {
 public:
  Key(Registry_Root root, const std::string& path) {
    HKEY base = root == Registry_Root::Local_Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    const char* sub = path.c_str();
    if (*sub == '\\') ++sub;
    if (RegOpenKeyExA(base, sub, 0, KEY_ALL_ACCESS, &key_) != ERROR_SUCCESS) key_ = nullptr;
  }
  ~Key() {
    if (key_) RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;

  explicit operator bool() const { return key_ != nullptr; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

class Windows_Registry final : public Registry {
 public:
  bool key_exists(Registry_Root root, const std::string& key) override {
    return static_cast<bool>(Key(root, key));
  }

  std::optional<std::string> read_string(Registry_Root root, const std::string& key,
                                         const std::string& name) override {
    Key k(root, key);
    if (!k) return std::nullopt;
    // The value may change between asking its size and reading it; ask again
    // when it has grown.
    for (int attempt = 0; attempt < 4; ++attempt) {
      DWORD type = 0;
      DWORD size = 0;
      if (RegQueryValueExA(k.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
      if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
      // One spare byte, so that a value stored without its NUL still ends.
      std::vector<char> data(static_cast<size_t>(size) + 1, '\0');
      DWORD got = size;
      LONG rc = RegQueryValueExA(k.get(), name.c_str(), nullptr, &type,
                                 reinterpret_cast<BYTE*>(data.data()), &got);
      if (rc == ERROR_MORE_DATA) continue;
      if (rc != ERROR_SUCCESS) return std::nullopt;
      if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
      data[std::min<size_t>(got, size)] = '\0';
      return std::string(data.data());
    }
    return std::nullopt;
  }

  bool write_string(Registry_Root root, const std::string& key, const std::string& name,
                    const std::string& value) override {
    if (value.size() >= std::numeric_limits<DWORD>::max()) return false;
    Key k(root, key);
    if (!k) return false;
    return RegSetValueExA(k.get(), name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
  }

  bool delete_value(Registry_Root root, const std::string& key, const std::string& name) override {
    Key k(root, key);
    if (!k) return false;
    LONG rc = RegDeleteValueA(k.get(), name.c_str());
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
  }
};

}  // namespace

std::unique_ptr<Registry> make_system_registry() { return std::make_unique<Windows_Registry>(); }
