#pragma once
// The two text files that ship with the program, the readme and the
// catalog, shown in the system's plain-text editor from the Help menu. The
// program only starts the editor; it never reads or writes these files.

#include <functional>
#include <string>

#include "platform/processes.h"
#include "shell/messages.h"

inline constexpr char kNo_File_To_View_Message[] = "No Log File to View.";
inline constexpr char kCatalog_File_Name[] = "catalog.txt";

// True when `path` names an existing file (not a folder), as the file system
// says; errors count as absent.
bool text_file_exists(const std::string& path);

// What the viewers need of the program.
struct Text_Viewer_Services {
  Processes& processes;
  Messages& messages;
  // The folder of the shipped files, with its trailing separator.
  std::string data_folder;
  // The executable's file name, with any extension ("tapwrenz", "tapwrenz.exe").
  std::string executable_file_name;
  std::function<bool(const std::string& path)> file_exists = text_file_exists;
  // Runs a job on the window's thread at a later turn of its message loop:
  // a viewer that gives up is heard of on a thread of its own.
  std::function<void(std::function<void()> job)> on_window_thread;
};

// The readme's full path: the executable's file name cut before its first
// "." and followed by ".txt", in the folder of the shipped files.
std::string readme_file_path(const std::string& data_folder,
                             const std::string& executable_file_name);

// The box shown when the catalog is missing, naming the product.
std::string missing_catalog_message(const std::string& product_name);

// Starts the editor on `path` and does not wait for it. Without the editor,
// or with an empty path, says so in a box and starts nothing. A failed start
// is not reported; an editor that starts and then cannot show the file is,
// in an error box, where the system tells.
void View_File_With_Notepad(const Text_Viewer_Services& services, const std::string& path);

// Opens the readme; a missing readme is left to the editor to report.
void View_Readme_File(const Text_Viewer_Services& services);

// Opens "catalog.txt" from the folder of the shipped files, or explains that it is
// missing. `product_name` is the About dialog's product-name caption.
void View_Catalog_File(const Text_Viewer_Services& services, const std::string& product_name);
