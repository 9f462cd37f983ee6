#include "platform/shell_link.h"

#include <windows.h>
// After windows.h, which they need.
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <vector>

namespace {

// COM for the calling thread for as long as one operation lasts. A thread
// already in another apartment still has COM; it is just not ours to end.
class Com_Scope {
 public:
  Com_Scope() {
    HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    owned_ = hr == S_OK || hr == S_FALSE;
  }
  ~Com_Scope() {
    if (owned_) CoUninitialize();
  }
  Com_Scope(const Com_Scope&) = delete;
  Com_Scope& operator=(const Com_Scope&) = delete;

 private:
  bool owned_ = false;
};

template <typename T>
class Com_Ptr {
 public:
  Com_Ptr() = default;
  ~Com_Ptr() {
    if (p_) p_->Release();
  }
  Com_Ptr(const Com_Ptr&) = delete;
  Com_Ptr& operator=(const Com_Ptr&) = delete;

  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  void** out() { return reinterpret_cast<void**>(&p_); }

 private:
  T* p_ = nullptr;
};

std::vector<wchar_t> wide(const std::string& text) {
  int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (length <= 0) return {};
  std::vector<wchar_t> result(static_cast<size_t>(length), L'\0');
  if (MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, result.data(), length) != length) return {};
  return result;
}

// A shell link object and its file side, ready for saving or loading.
struct Link_Object {
  Com_Ptr<IShellLinkA> link;
  Com_Ptr<IPersistFile> file;

  bool create() {
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.out())) ||
        !link)
      return false;
    return SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.out())) && file;
  }
};

class Windows_Shell_Links final : public Shell_Links {
 public:
  std::string extension() const override { return ".lnk"; }

  bool save(const std::string& link_path, const std::string& target_path) override {
    std::vector<wchar_t> path = wide(link_path);
    if (path.empty()) return false;
    Com_Scope com;
    Link_Object object;
    if (!object.create()) return false;
    if (FAILED(object.link->SetPath(target_path.c_str()))) return false;
    return SUCCEEDED(object.file->Save(path.data(), FALSE));
  }

  std::optional<std::string> target_of(const std::string& link_path) override {
    std::vector<wchar_t> path = wide(link_path);
    if (path.empty()) return std::nullopt;
    Com_Scope com;
    Link_Object object;
    if (!object.create()) return std::nullopt;
    if (FAILED(object.file->Load(path.data(), STGM_READ))) return std::nullopt;
    char target[MAX_PATH + 1] = {};
    if (object.link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH) != S_OK) return std::nullopt;
    target[MAX_PATH] = '\0';
    if (target[0] == '\0') return std::nullopt;
    return std::string(target);
  }
};

}  // namespace

std::unique_ptr<Shell_Links> make_system_shell_links() {
  return std::make_unique<Windows_Shell_Links>();
}
