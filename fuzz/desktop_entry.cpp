// Launchers as the freedesktop registry and the shortcuts read them: any
// bytes as a launcher's text, read both from memory and through the registry
// from a file in an autostart folder of our own (the two must agree), and the
// launcher the program itself writes for a name and command taken from the
// input, which must read back as that command. The same text as the
// package's installed menu entry: the shortcut written with its looks must
// read back as those looks and that command.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "platform/linux/desktop_entry.h"
#include "platform/linux/menu_entry.h"
#include "platform/registry.h"

namespace {

constexpr char kRun_Key[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::string g_launcher;  // the file the registry reads for the value "fuzz"

void fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // In memory when the system offers a folder there: a file is written for
  // every eighth run.
  const char* tmp = std::getenv("TMPDIR");
  const std::string base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : tmp && *tmp ? tmp : "/tmp";
  std::string dir = base + "/tapwrenz-fuzz-XXXXXX";
  if (mkdtemp(dir.data()) == nullptr) fail("no temp folder for the launchers");
  setenv("TAPWRENZ_AUTOSTART_DIR", dir.c_str(), 1);
  g_launcher = dir + "/fuzz.desktop";
  static std::string folder = dir;
  std::atexit([] {
    unlink(g_launcher.c_str());
    rmdir(folder.c_str());
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::optional<std::string> exec = desktop_entry_exec_in(text);
  const std::string value = exec ? unquote_exec(*exec, false) : std::string();
  if (exec) unquote_exec(*exec, true);

  // Through a file for one input in eight (always the same ones): the file
  // adds only reading, and costs most of the time.
  if (std::hash<std::string>{}(text) % 8 == 0) {
    {
      std::ofstream file(g_launcher, std::ios::binary | std::ios::trunc);
      file.write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    static const std::unique_ptr<Registry> registry = make_system_registry();
    if (registry->read_string(Registry_Root::Local_Machine, kRun_Key, "fuzz") != value)
      fail("the registry reads the launcher's file otherwise than its text");
  }

  FuzzedDataProvider in(data, size);
  // The input as the installed entry: the shortcut takes its looks, and
  // reading the shortcut back gives them and its command unchanged.
  const Desktop_Entry_Fields fields = desktop_entry_fields_in(text);
  if (field_value(fields, "Exec") && !exec) fail("the fields and the Exec reader disagree");
  const std::string target = "/opt/fuzz/" + text.substr(0, 32);
  if (target.find('\0') == std::string::npos) {
    const Installed_Entry installed{"", fields, exec};
    const Desktop_Entry_Fields looks = program_launcher_fields(installed);
    const std::string shortcut = launcher_text(looks, target);
    const Desktop_Entry_Fields back = desktop_entry_fields_in(shortcut);
    if (launcher_text(back, target) != shortcut) fail("a shortcut does not read back as written");
    if (!field_value(back, "Name")) fail("a shortcut has no name");
    for (const auto& [key, value] : back)
      if (key != "Type" && key != "Exec" && field_value(looks, key) != value)
        fail("a shortcut carries a field the entry does not give");
    const std::optional<std::string> written_exec = desktop_entry_exec_in(shortcut);
    if (!written_exec || unquote_exec(*written_exec, true) != target)
      fail("a shortcut does not start its target");
    lists_program(installed, target);
  }

  const std::string command = in.ConsumeRandomLengthString(256);
  const std::string name = in.ConsumeRandomLengthString(64);
  const std::optional<std::string> written =
      desktop_entry_exec_in(desktop_entry_text(name, command));
  if (!written) fail("a written launcher has no Exec line");
  if (command.find('\0') != std::string::npos) return 0;  // never written
  if (unquote_exec(*written, false) != command) fail("the Exec value does not read back");
  if (unquote_exec(*written, true) != command) fail("the program does not read back");
  return 0;
}
