// The real window against a folder of its own that stands for the executable's (with the
// shipped tones in it), and fake time, sound, registry and processes.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "fakes/fake_audio_player.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_messages.h"
#include "fakes/fake_processes.h"
#include "fakes/fake_registry.h"
#include "shell/auto_run.h"
#include "shell/main_form.h"
#include "ui/fake_time_loop.h"

class Window_In_Folder : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::filesystem::path bin = QCoreApplication::applicationDirPath().toStdString();
    for (const char* tone : {"Mores_Code_Dot_Tone.wav", "Mores_Code_Dash_Tone.wav"}) {
      std::filesystem::copy_file(bin / tone, std::filesystem::path(folder()) / tone);
    }
    registry.add_key(kAuto_Run_Root, kAuto_Run_Key);
  }
  std::string folder() const { return temp.path().toStdString() + "/"; }
  std::string ini() const { return folder() + "tapwrenz.ini"; }
  static std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
  }
  static void write_file(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  // The fakes and the folder; a test that wants the system's player clears `player`.
  Window_Services services() {
    Window_Services s;
    s.player = &player;
    s.clock = &clock;
    s.waits = &waits;
    s.registry = &registry;
    s.processes = &processes;
    s.portable_folder = folder();
    return s;
  }
  std::unique_ptr<TMainForm1> make_form() {
    return std::make_unique<TMainForm1>(messages, services());
  }

  QTemporaryDir temp;
  Fake_Messages messages;
  Fake_Clock clock;
  Fake_Audio_Player player{clock};
  Fake_Time_Loop waits{clock};
  Fake_Registry registry;
  Fake_Processes processes;
};
