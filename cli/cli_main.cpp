#include "cli/cli_main.h"

#include <unistd.h>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "cli/element_sounds.h"
#include "cli/listen_command.h"
#include "cli/listen_device.h"
#include "cli/options.h"
#include "cli/pipe_conversion.h"
#include "cli/settings_defaults.h"
#include "cli/uncoded_characters.h"
#include "cli/wav_render.h"

namespace {

// Every line in one style: lower case first, as the messages shared with the
// window ("Cannot open file ...") are not.
int report(Byte_Sink& err, std::string problem, int status) {
  if (!problem.empty() && problem[0] >= 'A' && problem[0] <= 'Z')
    problem[0] = char(problem[0] - 'A' + 'a');
  err.write("tapwrenz: " + problem + "\n");
  return status;
}

int render(const Cli_Options& o, const Settings_Defaults& d, Byte_Source& in, Byte_Sink& out,
           Byte_Sink& err) {
  std::string error;
  const auto sounds = load_element_sounds(o.dot_file.value_or(d.dot_file),
                                          o.dash_file.value_or(d.dash_file), error);
  if (!sounds) return report(err, error, cli_exit_failure);
  const Wav_Render_Settings settings{o.wav_file, o.alphabet.value_or(d.alphabet),
                                     o.element_delay.value_or(d.element_delay),
                                     o.letter_delay.value_or(d.letter_delay)};
  const Wav_Render_Result rendered = render_wav(settings, *sounds, in, out);
  if (!rendered.ok) return report(err, rendered.error, cli_exit_failure);
  // Text given by mistake makes a silent file; it is written all the same.
  if (rendered.elements == 0)
    report(err, "no Morse code in the input: convert text with --to-morse first", cli_exit_ok);
  return cli_exit_ok;
}

}  // namespace

int run_command_line(const std::vector<std::string>& arguments, const App_Folders& folders,
                     Byte_Source& in, Byte_Sink& out, Byte_Sink& err) {
  const Parsed_Options parsed = parse_options(arguments);
  if (!parsed.options) return report(err, parsed.error + " (see --help)", cli_exit_usage);
  const Cli_Options& o = *parsed.options;
  switch (o.mode) {
    case Cli_Mode::Help:
      return out.write(help_text()) ? cli_exit_ok : cli_exit_failure;
    case Cli_Mode::Version:
      return out.write(version_text()) ? cli_exit_ok : cli_exit_failure;
    default:
      break;
  }
  const Settings_Defaults defaults = read_settings_defaults(folders);
  if (o.mode == Cli_Mode::Wav) return render(o, defaults, in, out, err);
  std::string error;
  if (o.mode == Cli_Mode::List_Devices)
    return list_capture_devices(out, error) ? cli_exit_ok : report(err, error, cli_exit_failure);
  if (o.mode == Cli_Mode::Listen_Device) {
    const Listen_Device_Request request{o.listen_device, o.listen_morse,
                                        o.alphabet.value_or(defaults.alphabet)};
    return listen_to_device(request, until_interrupted(), out, error)
               ? cli_exit_ok
               : report(err, error, cli_exit_failure);
  }
  if (o.mode == Cli_Mode::Listen) {
    const Listen_Request request{
        o.listen_file, o.listen_morse, o.alphabet.value_or(defaults.alphabet), {}};
    std::string notice;
    if (!listen_to_wav(request, in, out, error, notice))
      return report(err, error, cli_exit_failure);
    if (!notice.empty()) report(err, notice, cli_exit_ok);
    return cli_exit_ok;
  }
  const Conversion conversion =
      o.mode == Cli_Mode::To_Morse ? Conversion::Text_to_Morse : Conversion::Morse_to_Text;
  const int alphabet = o.alphabet.value_or(defaults.alphabet);
  std::uint64_t uncoded = 0;
  if (!convert_pipe(conversion, alphabet, in, out, error, &uncoded))
    return report(err, error, cli_exit_failure);
  if (uncoded > 0) report(err, uncoded_notice(uncoded, alphabet), cli_exit_ok);
  return cli_exit_ok;
}

int command_line_main(int argc, char* argv[]) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
#ifdef _WIN32
  // The bytes pass as they are: no line ends turned into CR LF and back, no
  // end at a Ctrl-Z.
  _setmode(STDIN_FILENO, _O_BINARY);
  _setmode(STDOUT_FILENO, _O_BINARY);
#endif
  Fd_Source in(STDIN_FILENO);
  Fd_Sink out(STDOUT_FILENO);
  Fd_Sink err(STDERR_FILENO);
  return run_command_line(arguments, system_app_folders(executable_from_argument(argv[0])), in, out,
                          err);
}
