#include "cli/options.h"

#include <QCommandLineParser>
#include <QStringList>
#include <charconv>

#include "shell/settings_file.h"

namespace {

constexpr const char* alphabet_names[] = {"english", "european", "norwegian", "russian"};

std::optional<int> alphabet_index(const QString& name) {
  for (int i = 0; i < 4; ++i) {
    if (name.compare(QLatin1String(alphabet_names[i]), Qt::CaseInsensitive) == 0) return i;
  }
  return std::nullopt;
}

// A delay as the window's spin edits take it: a whole number within their bounds.
std::optional<int> delay_value(const std::string& typed, const std::string& text,
                               std::string& error) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, failure] = std::from_chars(text.data(), end, value);
  if (text.empty() || failure != std::errc() || stop != end) {
    error = typed + ": '" + text + "' is not a whole number of milliseconds";
    return std::nullopt;
  }
  if (value < settings_delay_min || value > settings_delay_max) {
    error = typed + ": " + text + " is outside " + std::to_string(settings_delay_min) + ".." +
            std::to_string(settings_delay_max) + " milliseconds";
    return std::nullopt;
  }
  return value;
}

// An option as the user typed it (one dash or two), the last time it was
// given, since its last value is the one taken.
std::string as_typed(const std::vector<std::string>& arguments, const std::string& name) {
  std::string typed = "--" + name;
  for (const std::string& a : arguments) {
    const std::string option = a.substr(0, a.find('='));
    const std::size_t start = option.find_first_not_of('-');
    if (start != std::string::npos && start > 0 && start <= 2 && option.substr(start) == name)
      typed = option;
  }
  return typed;
}

// The parser's own messages in the style of ours: one line, starting in lower
// case, naming an option as the user typed it (the parser drops the dashes of
// an unknown one), with room for a hint after it.
std::string parser_error(const QCommandLineParser& parser,
                         const std::vector<std::string>& arguments) {
  const QStringList unknown = parser.unknownOptionNames();
  if (!unknown.isEmpty()) {
    const std::string name = unknown.first().toStdString();
    for (const std::string& a : arguments) {
      if (a.size() < 2 || a[0] != '-') continue;
      const std::string typed = a.substr(0, a.find('='));
      const std::size_t start = typed.find_first_not_of('-');
      if (start != std::string::npos && typed.substr(start) == name)
        return "unknown option '" + typed + "'";
    }
    return "unknown option '" + name + "'";
  }
  QString text = parser.errorText();
  text.replace(QLatin1Char('\n'), QLatin1String("; "));
  if (text.endsWith(QLatin1Char('.'))) text.chop(1);
  if (!text.isEmpty()) text[0] = text[0].toLower();
  return text.toStdString();
}

}  // namespace

Parsed_Options parse_options(const std::vector<std::string>& arguments) {
  QCommandLineParser parser;
  // "-platform" is then one unknown option, not eight unknown letters.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help({"h", "help"}, {});
  const QCommandLineOption version("version", {});
  const QCommandLineOption to_morse("to-morse", {});
  const QCommandLineOption to_text("to-text", {});
  const QCommandLineOption wav("wav", {}, "FILE");
  const QCommandLineOption listen("listen", {}, "FILE");
  // Its device name, which may be left out, comes as the one argument.
  const QCommandLineOption listen_device("listen-device", {});
  const QCommandLineOption list_devices("list-devices", {});
  const QCommandLineOption alphabet("alphabet", {}, "NAME");
  const QCommandLineOption dot("dot", {}, "FILE");
  const QCommandLineOption dash("dash", {}, "FILE");
  const QCommandLineOption letter_delay("letter-delay", {}, "MS");
  const QCommandLineOption element_delay("element-delay", {}, "MS");
  parser.addOptions({help, version, to_morse, to_text, wav, listen, listen_device, list_devices,
                     alphabet, dot, dash, letter_delay, element_delay});

  QStringList list{QStringLiteral("tapwrenz")};
  for (const std::string& a : arguments) list << QString::fromLocal8Bit(a);
  Parsed_Options result;
  if (!parser.parse(list)) {
    result.error = parser_error(parser, arguments);
    return result;
  }
  const QStringList positional = parser.positionalArguments();
  if (!positional.isEmpty() && !(parser.isSet(listen_device) && positional.size() == 1)) {
    result.error = "unexpected argument '" +
                   positional.at(parser.isSet(listen_device) ? 1 : 0).toStdString() + "'";
    return result;
  }

  Cli_Options o;
  if (parser.isSet(help) || parser.isSet(version)) {
    o.mode = parser.isSet(help) ? Cli_Mode::Help : Cli_Mode::Version;
    result.options = o;
    return result;
  }

  // --listen and --listen-device take --to-morse (or --to-text) to say what
  // they print.
  const bool listening = parser.isSet(listen) || parser.isSet(listen_device);
  const int modes = int(parser.isSet(to_morse) && !listening) +
                    int(parser.isSet(to_text) && !listening) + int(parser.isSet(wav)) +
                    int(parser.isSet(listen)) + int(parser.isSet(listen_device)) +
                    int(parser.isSet(list_devices));
  if (modes != 1 || (listening && parser.isSet(to_morse) && parser.isSet(to_text)) ||
      (parser.isSet(list_devices) && (parser.isSet(to_morse) || parser.isSet(to_text)))) {
    result.error = modes == 0 ? "nothing to do: give --to-morse, --to-text, --wav FILE, --listen "
                                "FILE, --listen-device or --list-devices"
                              : "give only one of --to-morse, --to-text, --wav, --listen, "
                                "--listen-device and --list-devices";
    return result;
  }
  o.mode = parser.isSet(listen)          ? Cli_Mode::Listen
           : parser.isSet(listen_device) ? Cli_Mode::Listen_Device
           : parser.isSet(list_devices)  ? Cli_Mode::List_Devices
           : parser.isSet(to_morse)      ? Cli_Mode::To_Morse
           : parser.isSet(to_text)       ? Cli_Mode::To_Text
                                         : Cli_Mode::Wav;
  if (o.mode == Cli_Mode::Listen_Device) {
    o.listen_morse = parser.isSet(to_morse);
    if (!positional.isEmpty()) o.listen_device = positional.first().toLocal8Bit().toStdString();
  }
  if (o.mode == Cli_Mode::Listen) {
    o.listen_file = parser.value(listen).toLocal8Bit().toStdString();
    o.listen_morse = parser.isSet(to_morse);
    if (o.listen_file.empty()) {
      result.error = as_typed(arguments, "listen") + ": the file name is empty";
      return result;
    }
  }
  if (o.mode == Cli_Mode::Wav) {
    o.wav_file = parser.value(wav).toLocal8Bit().toStdString();
    if (o.wav_file.empty()) {
      result.error = as_typed(arguments, "wav") + ": the file name is empty";
      return result;
    }
  } else {
    for (const QCommandLineOption* sound_option : {&dot, &dash, &letter_delay, &element_delay}) {
      if (parser.isSet(*sound_option)) {
        result.error = as_typed(arguments, sound_option->names().first().toStdString()) +
                       " applies only to --wav";
        return result;
      }
    }
  }

  if (parser.isSet(alphabet)) {
    o.alphabet = alphabet_index(parser.value(alphabet));
    if (!o.alphabet) {
      result.error = as_typed(arguments, "alphabet") + ": unknown alphabet '" +
                     parser.value(alphabet).toStdString() +
                     "' (english, european, norwegian or russian)";
      return result;
    }
  }
  const auto file = [&](const QCommandLineOption& option, std::optional<std::string>& into) {
    if (!parser.isSet(option)) return true;
    into = parser.value(option).toLocal8Bit().toStdString();
    if (!into->empty()) return true;
    result.error =
        as_typed(arguments, option.names().first().toStdString()) + ": the file name is empty";
    return false;
  };
  const auto delay = [&](const QCommandLineOption& option, std::optional<int>& into) {
    if (!parser.isSet(option)) return true;
    into = delay_value(as_typed(arguments, option.names().first().toStdString()),
                       parser.value(option).toLocal8Bit().toStdString(), result.error);
    return into.has_value();
  };
  if (!file(dot, o.dot_file) || !file(dash, o.dash_file) || !delay(letter_delay, o.letter_delay) ||
      !delay(element_delay, o.element_delay))
    return result;
  result.options = o;
  return result;
}

std::string help_text() {
  return R"(Usage: tapwrenz [OPTION]...
Converts between text and Morse code, renders Morse code as a WAV file, or
decodes the Morse code in a WAV recording.
Started without options, the program opens its window.

  --to-morse           read text from standard input, write its Morse code
  --to-text            read Morse code from standard input, write its text
  --wav FILE           read Morse code from standard input, write its sound to FILE
                       ("-" for standard output)
  --listen FILE        decode the Morse code in the WAV recording FILE ("-" for
                       standard input) and write its text; with --to-morse, the
                       Morse code itself
  --listen-device [NAME]
                       decode the Morse code heard by the default capture device
                       (or the one named NAME) and write its text as it is
                       decided, until interrupted; with --to-morse, the Morse code
  --list-devices       list the names of the capture devices, one a line
  --alphabet NAME      english, european, norwegian or russian
  --dot FILE           the WAV file played for a dot (with --wav)
  --dash FILE          the WAV file played for a dash (with --wav)
  --letter-delay MS    the pause for each space, 25 to 10000 ms (with --wav)
  --element-delay MS   the pause after each dot or dash, 25 to 10000 ms (with --wav)
  -h, --help           show this help
      --version        show the version

Text is read and written as UTF-8, one output line for each input line;
characters the alphabet has no code for are left out, and --to-morse says
on standard error how many. Options not given are taken from the settings
file tapwrenz.ini (see man tapwrenz), as the window left them, or else from
the window's defaults; the file is never written.

Exit status: 0 on success, 1 when a file could not be read or written or
the sound library could not be loaded, 2 when the options are wrong.
)";
}

std::string version_text() { return "Tapwren v2.0f\n"; }
