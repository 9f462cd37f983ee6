// The filters give what the window gives: the same UTF-8 text typed into the
// input area, converted with the window's button and copied out of the output
// area, in all four alphabets, both ways.

#include <gtest/gtest.h>

#include <QRadioButton>
#include <QTest>
#include <random>

#include "cli/pipe_conversion.h"
#include "cli/uncoded_characters.h"
#include "engine/morse_table.h"
#include "fakes/fake_messages.h"
#include "panels/clipboard_text.h"
#include "shell/code_page.h"
#include "shell/main_form.h"
#include "string_streams.h"

namespace {

// Pieces that a test text is made of: letters of every alphabet in both
// cases, what the code pages cannot hold, controls and their pictures,
// every kind of line break, and broken UTF-8.
const std::vector<std::string> text_pieces = {"CQ",
                                              "de",
                                              "SOS",
                                              "Hi you",
                                              "73",
                                              "?",
                                              "&()",
                                              "=",
                                              "/",
                                              " ",
                                              "  ",
                                              "\t",
                                              "é",
                                              "É",
                                              "Á",
                                              "Ä",
                                              "Æ",
                                              "Ø",
                                              "Å",
                                              "ü",
                                              "Ñ",
                                              "СОС",
                                              "мир",
                                              "Я",
                                              "Ё",
                                              "ё",
                                              "€",
                                              "„",
                                              "\xC2\xA0",
                                              "\u2028",
                                              "\u240A",
                                              "\u2421",
                                              "\u2420",
                                              "\xF0\x9F\x98\x80",
                                              "\xE4\xB8\xAD",
                                              "\n",
                                              "\r\n",
                                              "\r",
                                              "\u2029",
                                              "\xEF\xBB\xBF",
                                              "\xC3",
                                              "\xE2\x82",
                                              "\x80",
                                              "\xC0\xAE",
                                              "\xED\xA0\x80",
                                              "\x1A",
                                              "\x7F",
                                              "\x01"};

const std::vector<std::string> morse_pieces = {
    ".-",    "-...", ".-.-",  "......", "...---...", "&",    ".-.-.-", "/",
    " ",     " ",    " ",     "   ",    "\t",        "-.-.", "--.-",   ".--.-",
    "..-..", "---.", "-----", "\n",     "\r\n",      "x",    "\u2029", "\xC2\xB7"};

std::string random_text(const std::vector<std::string>& pieces, std::mt19937& gen, int count) {
  std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
  std::string s;
  for (int i = 0; i < count; ++i) s += pieces[pick(gen)];
  return s;
}

class Window_Equality : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    form.show();
    QRadioButton* b = form.Alphabet_RadioGroup->button(GetParam());
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
    ASSERT_EQ(form.Alphabet_RadioGroup->itemIndex(), GetParam());
  }

  std::string by_window(Conversion conversion, const std::string& utf8) {
    form.Input_Memo->setPlainText(QString::fromUtf8(utf8));
    if (conversion == Conversion::Text_to_Morse)
      form.Convert_Text_to_Morse_ButtonClick();
    else
      form.Convert_Morse_to_Text_ButtonClick();
    return clipboard_text(*form.Output_Memo->document()).toStdString();
  }

  std::string by_pipe(Conversion conversion, const std::string& utf8,
                      std::uint64_t* uncoded = nullptr, std::size_t piece = 7) {
    String_Source in(utf8, piece);
    String_Sink out;
    std::string error;
    EXPECT_TRUE(convert_pipe(conversion, GetParam(), in, out, error, uncoded)) << error;
    return out.text;
  }

  // The characters of the input area that have no byte in the code page or no code for
  // their byte, counted independently of the pipe.
  std::uint64_t left_out(const std::string& utf8) const {
    TMorse_Code_Table table;
    Build_Morse_Code_Table(table, GetParam());
    const Code_Page page = code_page_of_alphabet(GetParam());
    std::uint64_t n = 0;
    for (const char32_t c : QString::fromUtf8(utf8).toUcs4()) {
      if (c == '\n' || c == '\r' || c == 0x2029) continue;
      const int byte = code_page_byte(page, c);
      n += byte < 0 || table.text_codes()[static_cast<std::size_t>(byte)].empty();
    }
    return n;
  }

  void expect_count(const std::string& utf8, std::size_t piece) {
    std::uint64_t uncoded = 0;
    by_pipe(Conversion::Text_to_Morse, utf8, &uncoded, piece);
    EXPECT_EQ(uncoded, left_out(utf8))
        << "alphabet " << GetParam() << " input " << testing::PrintToString(utf8);
  }

  void expect_same(Conversion conversion, const std::string& utf8) {
    EXPECT_EQ(by_pipe(conversion, utf8), by_window(conversion, utf8))
        << "alphabet " << GetParam() << " input " << testing::PrintToString(utf8);
  }

  Fake_Messages messages;
  TMainForm1 form{messages};
};

TEST_P(Window_Equality, ChosenTexts) {
  for (Conversion c : {Conversion::Text_to_Morse, Conversion::Morse_to_Text}) {
    expect_same(c, "");
    expect_same(c, "\n");
    expect_same(c, "CQ CQ DE TAPWREN\nHi you\n\n  .-  \n& .-.-.-\r\nСОС мир\rÉé ÁÄÆØÅ 1=2");
    expect_same(c, ".- .-.- -...\n...... ---.\n.--.- ..-..\n.-.-\u2029.-.-\xC3");
  }
}

TEST_P(Window_Equality, RandomTexts) {
  std::mt19937 gen(1234 + GetParam());
  for (int round = 0; round < 40; ++round) {
    expect_same(Conversion::Text_to_Morse, random_text(text_pieces, gen, 60));
    expect_same(Conversion::Morse_to_Text, random_text(morse_pieces, gen, 80));
    expect_same(Conversion::Morse_to_Text, random_text(text_pieces, gen, 30));
  }
}

TEST_P(Window_Equality, TextToMorseCountsTheCharactersItLeavesOut) {
  // Well-formed text only: how many characters broken UTF-8 holds is a matter of taste.
  std::vector<std::string> pieces;
  for (const std::string& p : text_pieces) {
    if (QString::fromUtf8(p).toUtf8().toStdString() == p) pieces.push_back(p);
  }
  std::mt19937 gen(99 + GetParam());
  for (int round = 0; round < 40; ++round) {
    const std::string text = random_text(pieces, gen, 60);
    expect_count(text, 7);  // lines across reads
    expect_count(text, 1 << 16);
  }
  // Long lines of every ASCII byte but the breaks, read whole: the quick count, in every
  // width of step the processor offers.
  std::uniform_int_distribution<int> ascii(0, 127);
  TMorse_Code_Table table;
  Build_Morse_Code_Table(table, GetParam());
  using Simd = Uncoded_Characters::Simd;
  Uncoded_Characters widths[] = {Uncoded_Characters(table, Simd::None),
                                 Uncoded_Characters(table, Simd::Ssse3),
                                 Uncoded_Characters(table, Simd::Avx2)};
  std::uint64_t expected = 0;
  for (const std::size_t length : {15, 16, 17, 31, 32, 33, 4080, 4096, 10000}) {
    std::string line;
    while (line.size() < length) {
      const char c = static_cast<char>(ascii(gen));
      if (c != '\n' && c != '\r') line += c;
    }
    expect_count(line + "\n" + line, 1 << 16);
    // The count of each byte lane overflows unless it is added up in time.
    const std::string hashes(length, '#');
    for (Uncoded_Characters& counter : widths) {
      counter.add_ascii_line(line);
      counter.add_ascii_line(hashes);
    }
    expected += left_out(line) + left_out(hashes);
  }
  for (const Uncoded_Characters& counter : widths) EXPECT_EQ(counter.count(), expected);
}

INSTANTIATE_TEST_SUITE_P(AllAlphabets, Window_Equality, ::testing::Values(0, 1, 2, 3));

}  // namespace
