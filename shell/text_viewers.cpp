#include "shell/text_viewers.h"

#include <filesystem>
#include <system_error>

namespace {

void inform(Messages& messages, const std::string& text) {
  messages.show(text, Message_Icon::Information, Message_Buttons::Ok);
}

}  // namespace

bool text_file_exists(const std::string& path) {
  if (path.empty()) return false;
  std::error_code error;
  const auto status = std::filesystem::status(std::filesystem::path(path), error);
  return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

std::string readme_file_path(const std::string& data_folder,
                             const std::string& executable_file_name) {
  // "my.prog.exe" reads "my.txt": everything from the first dot goes.
  const std::string stem = executable_file_name.substr(0, executable_file_name.find('.'));
  return data_folder + stem + ".txt";
}

std::string missing_catalog_message(const std::string& product_name) {
  return "Pelko's Shareware Catalog is not in the same directory as " + product_name + ".  " +
         "The required file '" + kCatalog_File_Name + "' was included in the " +
         "distribution ZIP file.  Please unzip this file and try again.";
}

void View_File_With_Notepad(const Text_Viewer_Services& services, const std::string& path) {
  const std::string editor = services.processes.text_editor_path();
  if (editor.empty() || !services.file_exists(editor)) {
    inform(services.messages, services.processes.text_editor_name() + " could not be found.");
    return;
  }
  if (path.empty()) {
    inform(services.messages, kNo_File_To_View_Message);
    return;
  }
  // Nothing here waits for the editor or reports a failed start.
  Messages& messages = services.messages;
  services.processes.start_text_editor(
      path, [&messages, later = services.on_window_thread, path](const std::string& reason) {
        if (later)
          later([&messages, text = "The file " + path + " could not be opened: " + reason + "."] {
            messages.show(text, Message_Icon::Error, Message_Buttons::Ok);
          });
      });
}

void View_Readme_File(const Text_Viewer_Services& services) {
  View_File_With_Notepad(services,
                         readme_file_path(services.data_folder, services.executable_file_name));
}

void View_Catalog_File(const Text_Viewer_Services& services, const std::string& product_name) {
  const std::string path = services.data_folder + kCatalog_File_Name;
  if (services.file_exists(path)) {
    View_File_With_Notepad(services, path);
  } else {
    inform(services.messages, missing_catalog_message(product_name));
  }
}
