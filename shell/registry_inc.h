#pragma once
// Writing, deleting and reading one string value of the registry, with the
// checks and error boxes the program's registry commands share.

#include <string>

#include "platform/registry.h"
#include "shell/messages.h"

// Writes `value` as a string into the existing `key` and reads it back. False,
// after an error box, when the key is absent or cannot be opened with full
// access, when the write is refused, or when the value read back differs.
bool REGISTRY_INC__Write_String_Value(Registry& registry, Messages& messages, Registry_Root root,
                                      const std::string& key, const std::string& name,
                                      const std::string& value);

// Deletes the value `name` from the existing `key`; a value already absent is
// no failure. False, after an error box, when the key is absent or the value
// is still there afterwards.
bool REGISTRY_INC__Delete_Value(Registry& registry, Messages& messages, Registry_Root root,
                                const std::string& key, const std::string& name);

// The value's text; empty when the key or the value is absent. Shows nothing.
std::string REGISTRY_INC__Read_String_Value(Registry& registry, Registry_Root root,
                                            const std::string& key, const std::string& name);
