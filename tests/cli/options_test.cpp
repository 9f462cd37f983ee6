// What the options mean and which mistakes are refused, with the message
// that names each.

#include "cli/options.h"

#include <gtest/gtest.h>

namespace {

using Args = std::vector<std::string>;

Cli_Options parsed(const Args& args) {
  const Parsed_Options p = parse_options(args);
  EXPECT_TRUE(p.options.has_value()) << p.error;
  return p.options.value_or(Cli_Options{});
}

TEST(Options, ModesAndTheirValues) {
  EXPECT_EQ(parsed({"--to-morse"}).mode, Cli_Mode::To_Morse);
  EXPECT_EQ(parsed({"--to-text", "--alphabet", "Russian"}).alphabet, 3);
  EXPECT_EQ(parsed({"--alphabet=norwegian", "--to-text"}).alphabet, 2);
  EXPECT_FALSE(parsed({"--to-text"}).alphabet.has_value());  // left to the settings

  const Cli_Options wav = parsed({"--wav", "out.wav", "--dot", "d.wav", "--dash=D.wav",
                                  "--letter-delay", "25", "--element-delay", "10000"});
  EXPECT_EQ(wav.mode, Cli_Mode::Wav);
  EXPECT_EQ(wav.wav_file, "out.wav");
  EXPECT_EQ(wav.dot_file, "d.wav");
  EXPECT_EQ(wav.dash_file, "D.wav");
  EXPECT_EQ(wav.letter_delay, 25);
  EXPECT_EQ(wav.element_delay, 10000);

  EXPECT_EQ(parsed({"--wav", "-"}).wav_file, "-");  // standard output, as "-" is for --listen
  const Cli_Options listen = parsed({"--listen", "-", "--to-morse"});
  EXPECT_EQ(listen.mode, Cli_Mode::Listen);
  EXPECT_EQ(listen.listen_file, "-");
  EXPECT_TRUE(listen.listen_morse);
  EXPECT_FALSE(parsed({"--to-text", "--listen=a.wav"}).listen_morse);

  // Help and version win over whatever else is given.
  EXPECT_EQ(parsed({"--to-morse", "-h"}).mode, Cli_Mode::Help);
  EXPECT_EQ(parsed({"--version", "--wav", "x"}).mode, Cli_Mode::Version);
}

TEST(Options, ListeningToADevice) {
  EXPECT_EQ(parsed({"--list-devices"}).mode, Cli_Mode::List_Devices);
  const Cli_Options any = parsed({"--listen-device"});
  EXPECT_EQ(any.mode, Cli_Mode::Listen_Device);
  EXPECT_EQ(any.listen_device, "");  // the default device
  EXPECT_FALSE(any.listen_morse);
  const Cli_Options named = parsed({"--listen-device", "USB Audio Mono", "--to-morse"});
  EXPECT_EQ(named.listen_device, "USB Audio Mono");
  EXPECT_TRUE(named.listen_morse);
  EXPECT_EQ(parsed({"--to-text", "hw:1", "--listen-device"}).listen_device, "hw:1");
}

TEST(Options, MistakesAreRefusedWithOneLineNamingThem) {
  const std::string only_one =
      "give only one of --to-morse, --to-text, --wav, --listen, --listen-device and "
      "--list-devices";
  const struct {
    Args args;
    std::string error;
  } cases[] = {
      {{"--to-morse", "--bogus"}, "unknown option '--bogus'"},
      {{"--to-morse", "--bogus=1"}, "unknown option '--bogus'"},
      {{"-platform", "offscreen"},
       "unknown option '-platform'"},  // a toolkit option is ours no more
      {{"--wav"}, "missing value after '--wav'"},
      {{"--to-text", "extra"}, "unexpected argument 'extra'"},
      {{},
       "nothing to do: give --to-morse, --to-text, --wav FILE, --listen FILE, --listen-device or "
       "--list-devices"},
      {{"--to-morse", "--to-text"}, only_one},
      {{"--listen", "a.wav", "--wav", "b.wav"}, only_one},
      {{"--listen", "a.wav", "--to-morse", "--to-text"}, only_one},
      {{"--listen", "a.wav", "--listen-device"}, only_one},
      {{"--listen-device", "--list-devices"}, only_one},
      {{"--list-devices", "--to-morse"}, only_one},
      {{"--listen-device", "one", "two"}, "unexpected argument 'two'"},
      {{"--list-devices", "one"}, "unexpected argument 'one'"},
      {{"--listen-device", "--dot", "d.wav"}, "--dot applies only to --wav"},
      {{"--listen="}, "--listen: the file name is empty"},
      {{"--listen", "a.wav", "--letter-delay", "50"}, "--letter-delay applies only to --wav"},
      {{"--to-morse", "--alphabet", "klingon"},
       "--alphabet: unknown alphabet 'klingon' (english, european, norwegian or russian)"},
      {{"--wav", "o.wav", "--letter-delay", "abc"},
       "--letter-delay: 'abc' is not a whole number of milliseconds"},
      {{"--wav", "o.wav", "--element-delay", "50ms"},
       "--element-delay: '50ms' is not a whole number of milliseconds"},
      {{"--wav", "o.wav", "--letter-delay", "99999999999"},
       "--letter-delay: '99999999999' is not a whole number of milliseconds"},
      {{"--wav", "o.wav", "--letter-delay", "24"},
       "--letter-delay: 24 is outside 25..10000 milliseconds"},
      {{"--wav", "o.wav", "--element-delay", "10001"},
       "--element-delay: 10001 is outside 25..10000 milliseconds"},
      {{"--wav="}, "--wav: the file name is empty"},
      {{"--wav", "o.wav", "--dot="}, "--dot: the file name is empty"},
      {{"--to-morse", "--dot", "d.wav"}, "--dot applies only to --wav"},
      // Every message names the option as it was typed.
      {{"-to-text", "-dot=d.wav"}, "-dot applies only to --wav"},
      {{"-wav", "o.wav", "-letter-delay", "5"},
       "-letter-delay: 5 is outside 25..10000 milliseconds"},
      {{"-to-morse", "-alphabet", "x"},
       "-alphabet: unknown alphabet 'x' (english, european, norwegian or russian)"},
      {{"-listen="}, "-listen: the file name is empty"},
  };
  for (const auto& c : cases) {
    const Parsed_Options p = parse_options(c.args);
    EXPECT_FALSE(p.options.has_value()) << c.error;
    EXPECT_EQ(p.error, c.error);
    EXPECT_EQ(p.error.find('\n'), std::string::npos);
  }
}

}  // namespace
