#pragma once
// Small file routines over the Files service: whether another program holds a
// file, setting its attributes, and deleting it only when nobody holds it.

#include <string>

#include "platform/files.h"

// "" for no name or no such file, "CLOSED" when the file opens for exclusive
// reading and writing (and, without looking, for any path of 128 characters
// or more), "NOT FOUND", "OPEN" when another program holds it, "ERROR".
std::string Get_File_Status(Files& files, const std::string& path);

// Gives the file exactly the attributes asked for; true when reading them back
// gives that set. False, changing nothing, when the file does not exist.
bool Set_File_Attributes(Files& files, const std::string& path, bool read_only, bool archive,
                         bool system, bool hidden);

// Deletes the file, read-only or not, unless another program holds it; true
// when it is gone afterwards. False when there was no such file.
bool Delete_Closed_File(Files& files, const std::string& path);
