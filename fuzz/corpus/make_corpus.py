#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpora into the folders beside this file.

Every seed is made here (the GIF logo is the one assets/logo_generator makes:
pass its path to add it). Run again after changing a seed; files found by the
fuzzers and kept as regression inputs live beside these and are not touched.

    python3 fuzz/corpus/make_corpus.py [path/to/tapwren_logo.gif]
"""
import math
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))


def put(target, name, data):
    folder = os.path.join(HERE, target)
    os.makedirs(folder, exist_ok=True)
    if isinstance(data, str):
        data = data.encode("latin-1")
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


# ---- WAV images -------------------------------------------------------------

def chunk(tag, body, size=None):
    data = tag + struct.pack("<I", len(body) if size is None else size) + body
    return data + (b"\0" if len(body) % 2 else b"")


def wav(fmt_body, data_body, extra=b"", data_size=None, riff_size=None):
    body = b"WAVE" + chunk(b"fmt ", fmt_body) + extra + chunk(b"data", data_body, data_size)
    return b"RIFF" + struct.pack("<I", len(body) if riff_size is None else riff_size) + body


def fmt(tag, channels, rate, bits, block=None, extra=None):
    block = block if block is not None else channels * bits // 8
    body = struct.pack("<HHIIHH", tag, channels, rate, rate * block, block, bits)
    if extra is not None:
        body += struct.pack("<H", len(extra)) + extra
    return body


def tone(n, rate, scale, offset=0):
    return [int(offset + scale * math.sin(2 * math.pi * 700 * i / rate)) for i in range(n)]


def wavs():
    pcm16 = b"".join(struct.pack("<hh", s, -s) for s in tone(200, 44100, 12000))
    put("wav_image", "pcm16_stereo_44100.wav", wav(fmt(1, 2, 44100, 16), pcm16))
    pcm8 = bytes(s & 0xFF for s in tone(160, 8000, 100, 128))
    put("wav_image", "pcm8_mono_8000.wav", wav(fmt(1, 1, 8000, 8), pcm8))
    pcm24 = b"".join(struct.pack("<i", s << 8)[1:] for s in tone(120, 48000, 3000000))
    put("wav_image", "pcm24_mono_48000.wav", wav(fmt(1, 1, 48000, 24), pcm24))
    pcm32 = b"".join(struct.pack("<i", s) for s in tone(100, 22050, 1 << 30))
    put("wav_image", "pcm32_mono_22050.wav", wav(fmt(1, 1, 22050, 32), pcm32))
    f32 = b"".join(struct.pack("<f", s / 1000.0) for s in tone(100, 96000, 900))
    put("wav_image", "float32_mono_96000.wav", wav(fmt(3, 1, 96000, 32, extra=b""), f32))
    law = bytes((s * 7) & 0xFF for s in range(150))
    put("wav_image", "alaw_mono_8000.wav", wav(fmt(6, 1, 8000, 8, extra=b""), law))
    put("wav_image", "mulaw_stereo_11025.wav", wav(fmt(7, 2, 11025, 8, extra=b""), law))
    # IMA ADPCM: 256-byte blocks of 505 samples, one channel.
    ima_block = struct.pack("<hBB", 0, 0, 0) + bytes((i * 37) & 0xFF for i in range(252))
    put("wav_image", "ima_adpcm_mono_8000.wav",
        wav(fmt(0x11, 1, 8000, 4, block=256, extra=struct.pack("<H", 505)), ima_block * 2))
    # MS ADPCM with its seven standard coefficient pairs.
    coefs = [(256, 0), (512, -256), (0, 0), (192, 64), (240, 0), (460, -208), (392, -232)]
    ms_extra = struct.pack("<HH", 244, len(coefs)) + b"".join(struct.pack("<hh", *c) for c in coefs)
    ms_block = struct.pack("<BhhH", 0, 16, 0, 0) + bytes((i * 11) & 0xFF for i in range(249))
    ms_block = ms_block[:256]
    put("wav_image", "ms_adpcm_mono_22050.wav",
        wav(fmt(2, 1, 22050, 4, block=256, extra=ms_extra), ms_block * 2))
    # WAVE_FORMAT_EXTENSIBLE holding 16-bit PCM.
    pcm_guid = struct.pack("<IHH", 1, 0, 0x10) + bytes([0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71])
    ext = struct.pack("<HI", 16, 3) + pcm_guid
    put("wav_image", "extensible_pcm16_stereo.wav", wav(fmt(0xFFFE, 2, 32000, 16, extra=ext), pcm16))
    # Odd layouts: a chunk before the data, an odd-sized chunk with its pad
    # byte, sizes that claim far more than is there, a cut header.
    put("wav_image", "list_chunk_first.wav",
        wav(fmt(1, 1, 8000, 8), pcm8, extra=chunk(b"LIST", b"INFOISFT\x05\0\0\0tapw\0")))
    put("wav_image", "odd_chunk_padding.wav",
        wav(fmt(1, 1, 8000, 8), pcm8[:77], extra=chunk(b"junk", b"abc")))
    # Found by fuzzing: the reader allocated a data chunk's declared size.
    put("wav_image", "huge_data_size.wav", wav(fmt(1, 2, 44100, 16), pcm16[:64], data_size=0xFFFFFFF0))
    put("wav_image", "huge_riff_size.wav", wav(fmt(1, 1, 8000, 8), pcm8, riff_size=0xFFFFFFFF))
    put("wav_image", "cut_header.wav", wav(fmt(1, 2, 44100, 16), pcm16)[:30])
    put("wav_image", "one_hertz.wav", wav(fmt(1, 1, 1, 8), pcm8[:20]))


# ---- GIF images -------------------------------------------------------------

def lzw_plain(pixels, min_code_size):
    """LZW data that never grows the code table: a clear code before every
    two pixels, so every decoder reads it the same way."""
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    width = min_code_size + 1
    codes = []
    for i, p in enumerate(pixels):
        if i % 2 == 0:
            codes.append(clear)
        codes.append(p)
    codes.append(end)
    bits, nbits, out = 0, 0, bytearray()
    for c in codes:
        bits |= c << nbits
        nbits += width
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8
    if nbits:
        out.append(bits & 0xFF)
    blocks = bytearray([min_code_size])
    for i in range(0, len(out), 255):
        part = out[i:i + 255]
        blocks += bytes([len(part)]) + part
    return bytes(blocks + b"\0")


PALETTE = bytes([0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255])  # padded to 4 below


def gif(width, height, frames, global_map=True, loop=True):
    out = bytearray(b"GIF89a")
    flags = 0x80 | 0x01 if global_map else 0  # 4 colours
    out += struct.pack("<HHBBB", width, height, flags, 0, 0)
    if global_map:
        out += PALETTE
    if loop:
        out += b"\x21\xff\x0bNETSCAPE2.0\x03\x01\x00\x00\x00"
    out += b"\x21\xfe\x05tapwr\x00"  # a comment
    for f in frames:
        left, top, w, h, disposal, delay, transparent, local, interlaced = f
        packed = (disposal << 2) | (1 if transparent is not None else 0)
        out += b"\x21\xf9\x04" + struct.pack("<BHB", packed, delay, transparent or 0) + b"\0"
        iflags = (0x80 | 0x00 if local else 0) | (0x40 if interlaced else 0)
        out += b"\x2c" + struct.pack("<HHHHB", left, top, w, h, iflags)
        if local:
            out += bytes([255, 255, 0, 0, 255, 255])
        colours = 2 if local else 4
        out += lzw_plain([(x + y) % colours for y in range(h) for x in range(w)], 2)
    return bytes(out + b"\x3b")


def gifs(logo):
    put("gif_logo", "one_frame.gif", gif(4, 3, [(0, 0, 4, 3, 0, 10, None, False, False)]))
    put("gif_logo", "every_disposal.gif", gif(8, 8, [
        (0, 0, 8, 8, 1, 5, None, False, False),
        (2, 2, 4, 4, 2, 20, 0, False, False),
        (1, 1, 3, 5, 3, 0, 1, True, False),
        (4, 0, 4, 8, 0, 7, None, False, True),
    ]))
    put("gif_logo", "frame_off_screen.gif", gif(6, 6, [(4, 4, 5, 5, 2, 3, None, False, False)]))
    put("gif_logo", "no_colour_map.gif",
        gif(5, 5, [(0, 0, 5, 5, 0, 10, None, False, False)], global_map=False, loop=False))
    put("gif_logo", "cut_in_raster.gif",
        gif(10, 10, [(0, 0, 10, 10, 0, 10, None, False, False)])[:60])
    # A frame descriptor far larger than its screen, which once made
    # the decoder allocate its whole raster before reading a byte of it.
    claiming = bytearray(gif(4, 3, [(0, 0, 4, 3, 0, 10, None, False, False)]))
    image = claiming.index(b"\x2c", 13)
    claiming[image + 5:image + 9] = struct.pack("<HH", 40000, 40000)
    put("gif_logo", "frame_claiming_40000_square.gif", bytes(claiming))
    if logo:
        with open(logo, "rb") as f:
            put("gif_logo", "tapwren_logo.gif", f.read())


# ---- Settings files ---------------------------------------------------------

def esc(field):
    return field.replace("\\", "\\\\") + "\\|"


def profile(name, section, key, value, text):
    put("profile_file", name, esc(section) + esc(key) + esc(value) + text)


SETTINGS = ("[tapwrenz]\r\nWindowState_wsMaximized=0\r\nwindow_top_posn=120\r\n"
            "window_left_posn=64\r\nwindow_Width=800\r\nwindow_Height=600\r\n"
            "Always_on_Top_Option=0\r\nAlphabet_RadioGroup=1\r\n"
            "Letter_Input_Delay_Millisec_SpinEdit=500\r\n"
            "Dot_Sound_File_Name_Edit=/opt/tapwrenz/Mores_Code_Dot_Tone.wav\r\n")


def profiles():
    profile("settings_update.ini", "tapwrenz", "window_Width", "1024", SETTINGS)
    profile("new_key_case.ini", "TAPWRENZ", "Letter_Playback_Delay_Millisec_SpinEdit", "250",
            SETTINGS)
    profile("new_section.ini", "Other", "Key", "value with spaces", SETTINGS.rstrip("\r\n"))
    profile("quoted_hex.ini", "s", "n", "0x1A",
            "\xef\xbb\xbf; comment\n[s]\n  n = \"0xFFFFFFFF\"  \n\n[s]\nn=2\nm='q'\n")
    profile("duplicates_blank_lines.ini", "a", "k", " padded ",
            "top=1\n[a]\nk=1\nK=2\n\n\n[b]\nk=3\n[a]\nk=4")
    profile("odd_lines.ini", "x]y", "[k", "v",
            "[x\r\n=novalue\r\n[ spaced ]\r\nkey\r\n\rk=v\r\r\n[unclosed\n")
    profile("empty_file.ini", "tapwrenz", "window_top_posn", "-2147483648", "")


# ---- Morse and text lines ---------------------------------------------------

def lines():
    for i, (name, text) in enumerate([
        ("text_english", "SOS Hello, World 123 ?!"),
        ("morse_words", "... --- ...   .... . .-.. .-.. ---"),
        ("morse_ampersand", ".-.-.- & .-.-   -.-.-- &&"),
        ("morse_blanks", "\t  .-  \x01 -...\x1f  ..--.. \xff "),
        ("text_latin1", "\xc4\xd6\xdc\xe5\xf8\xe9 \xa7 ~"),
        ("text_cyrillic", "\xcf\xd0\xc8\xc2\xc5\xd2 \xec\xe8\xf0 \xb8"),
        ("morse_long_code", "........ ---------- .-.-.-.-.-.- x.- .x"),
    ]):
        # The last byte picks the alphabet: one seed for each.
        put("morse_conversion", name + ".txt", text + chr(i % 4))


def strutil():
    seeds = {
        "endless_replace": "bbbabab\\|ba\\|aabb\\|",
        "placeholder_route": "xax\\|a\\|aa\\|-\x10\x05",
        "find_in_placeholder": "a\x01\x02\x03\\|\x02\x03\\|\x02\x03!\\|",
        "backslashes": "C:\\\\\\\\dir\\\\\\\\\\|\\\\\\|\\\\\\|",
        "fields": "10 20  30 -40\\| \\|\\|.\x2a\x03",
        "number": "a-1-2b3 +99999999999\\|+\\|\\|",
        "pad": "Alfa\\|\\|\\| \x0f\x02",
        "growing_pair": "aaaaab\\|ab\\|bba\\|",
    }
    for name, text in seeds.items():
        put("strutil", name + ".txt", text)


# ---- Launchers --------------------------------------------------------------

def launchers():
    put("desktop_entry", "written.desktop",
        "[Desktop Entry]\nType=Application\nName=tapwrenz\nExec=\"/opt/tap wrenz/tapwrenz\"\n")
    put("desktop_entry", "plain.desktop",
        "[Desktop Entry]\nType=Application\nName=tapwrenz\nExec=/usr/bin/tapwrenz\n")
    put("desktop_entry", "escapes.desktop",
        "# made by hand\r\n[Desktop Entry]\r\nExec = \"/a\\\\\\\\b \\\\$HOME\\\\`x\\\\\" %%f\" --arg\r\n"
        "Name=a\\sb\\nc\r\n")
    put("desktop_entry", "other_group_first.desktop",
        "[Desktop Action New]\nExec=wrong\n[Desktop Entry]\nName=x\nExec=right %U\n[Other]\nExec=no\n")
    put("desktop_entry", "no_exec.desktop", "[Desktop Entry]\nType=Application\nName=none\n")
    put("desktop_entry", "unclosed_quote.desktop", "[Desktop Entry]\nExec=\"/bin/x \\\\\"\n")
    put("desktop_entry", "installed.desktop",
        "[Desktop Entry]\nType=Application\nName=Tapwren\nName[de]=Tapwren\nComment=Morse\n"
        "Exec=tapwrenz\nIcon=tapwrenz\nNoDisplay=false\nCategories=Education;Ham\\;Radio;\n"
        "Name=second\n")


# ---- Samples for the listener ----------------------------------------------

def samples():
    # Float samples; the last bytes choose the rate and the block size.
    rate = 8000
    keyed = [(False, 0.1), (True, 0.06), (False, 0.06), (True, 0.18), (False, 0.3)]
    out = []
    for on, seconds in keyed:
        for i in range(int(seconds * rate)):
            out.append(0.5 * math.sin(2 * math.pi * 700 * i / rate) if on else 0.0)
    tail = struct.pack("<HI", 1024, 6000)
    put("listen_samples", "a_at_8000.raw", struct.pack("<%df" % len(out), *out) + tail)
    broken = [0.5, float("nan"), float("inf"), -float("inf"), 1e-45, -3.0e38] * 8
    put("listen_samples", "broken_values.raw", struct.pack("<%df" % len(broken), *broken) + tail)


# ---- Recordings for --listen ------------------------------------------------

def keyed(rate, hz, elements, unit, scale):
    """A tone keyed on and off: (on, units) pairs at `unit` seconds each."""
    out = []
    for on, units in elements:
        for i in range(int(units * unit * rate)):
            out.append(scale * math.sin(2 * math.pi * hz * i / rate) if on else 0.0)
    return out


def recordings():
    # Small enough for the cap on a fuzzed file's length: low rates and
    # narrow samples. The last byte picks the output and the alphabet.
    a_code = [(False, 2), (True, 1), (False, 1), (True, 3), (False, 3)]
    low = keyed(2000, 500, a_code * 2, 0.1, 100)
    pcm8 = bytes(int(128 + s) & 0xFF for s in low)
    put("listen_file", "a_pcm8_2000.wav", wav(fmt(1, 1, 2000, 8), pcm8[:3900]))
    pcm16 = keyed(2000, 400, a_code, 0.08, 12000)
    put("listen_file", "a_pcm16_stereo_2000.wav",
        wav(fmt(1, 2, 2000, 16), b"".join(struct.pack("<hh", int(v), int(v)) for v in pcm16[:960])))
    put("listen_file", "a_pcm16_mono_2000.wav",
        wav(fmt(1, 1, 2000, 16), b"".join(struct.pack("<h", int(v)) for v in pcm16[:1900]) + b"\x01"))
    put("listen_file", "a_float32_1000.wav",
        wav(fmt(3, 1, 1000, 32, extra=b""), b"".join(struct.pack("<f", v / 30000) for v in
                                                   keyed(1000, 350, a_code, 0.1, 12000)[:960])))
    put("listen_file", "mulaw_8000.wav", wav(fmt(7, 1, 8000, 8, extra=b""), pcm8[:2000]))
    put("listen_file", "no_samples.wav", wav(fmt(1, 1, 8000, 16), b""))
    put("listen_file", "huge_data_size.wav",
        wav(fmt(1, 1, 2000, 16), pcm8[:600], data_size=0xFFFFFFF0))
    # Found by hand: an odd chunk that fills the file without its pad byte
    # made the format search read past the end.
    put("listen_file", "odd_last_chunk.wav", b"RIFF" + struct.pack("<I", 13) + b"WAVEjunk" +
        struct.pack("<I", 1) + b"x")


def main():
    samples()
    recordings()
    wavs()
    gifs(sys.argv[1] if len(sys.argv) > 1 else None)
    profiles()
    lines()
    strutil()
    launchers()


if __name__ == "__main__":
    main()
