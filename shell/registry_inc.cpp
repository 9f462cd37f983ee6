#include "shell/registry_inc.h"

namespace {

constexpr char kContact_Author[] = "Please contact the program's author.";

void show_error(Messages& messages, const std::string& text) {
  messages.show(text, Message_Icon::Error, Message_Buttons::Ok);
}

// The two heading lines, then the key, the value name and, when given, the value.
std::string key_error(const std::string& first, const std::string& second, const std::string& key,
                      const std::string& name, const std::string* value) {
  std::string text = first + "\n" + second + "\n\n";
  text += " Error Key   = " + key + "\n";
  text += " Error Item  = " + name + "\n";
  if (value) text += " Error Value = " + *value + "\n";
  return text + "\n" + kContact_Author;
}

std::string missing_key_error(const std::string& key, const std::string& name,
                              const std::string* value) {
  return key_error("Error: The specified Registry Key for this operation ",
                   "does NOT exist on your PC.  ", key, name, value);
}

}  // namespace

bool REGISTRY_INC__Write_String_Value(Registry& registry, Messages& messages, Registry_Root root,
                                      const std::string& key, const std::string& name,
                                      const std::string& value) {
  if (!registry.key_exists(root, key)) {
    show_error(messages, missing_key_error(key, name, &value));
    return false;
  }
  if (!registry.write_string(root, key, name, value)) {
    show_error(messages, "Failed to set data for '" + name + "'");
    return false;
  }
  const auto read_back = registry.read_string(root, key, name);
  if (!read_back || *read_back != value) {
    show_error(messages, key_error("Error: The required settings could not be created ",
                                   "or saved in the Windows Registry.  ", key, name, &value));
    return false;
  }
  return true;
}

bool REGISTRY_INC__Delete_Value(Registry& registry, Messages& messages, Registry_Root root,
                                const std::string& key, const std::string& name) {
  if (!registry.key_exists(root, key)) {
    show_error(messages, missing_key_error(key, name, nullptr));
    return false;
  }
  const bool deleted = registry.delete_value(root, key, name);
  if (!deleted || registry.read_string(root, key, name)) {
    show_error(messages,
               key_error("Error: The required Registry Key settings ",
                         "could not be removed from the Windows Registry.  ", key, name, nullptr));
    return false;
  }
  return true;
}

std::string REGISTRY_INC__Read_String_Value(Registry& registry, Registry_Root root,
                                            const std::string& key, const std::string& name) {
  if (!registry.key_exists(root, key)) return {};
  return registry.read_string(root, key, name).value_or(std::string());
}
