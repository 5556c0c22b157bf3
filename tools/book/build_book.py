#!/usr/bin/env python3
"""Builds the sample book's audiobook and reader project.

    build_book.py DATA_DIR SYNTH

Reads data/book/clock-shop-en.txt (Windows-1251, CR LF), cuts it into sentences by
the reader's own rule, speaks every sentence with espeak-ng's RP voice through the
course's synthesis tool, and writes data/book/clock-shop.wav with one control point
per sentence in data/book/clock-shop.acp: the caret just before the sentence's first
character, paired with the moment its speech starts; a last point pairs the caret
after the book's final full stop with the moment its speech ends, so that the last
sentence is heard to its end. data/book/clock-shop.times keeps
the start and end of every sentence's speech ("start TAB end" in milliseconds).
"""
import os
import subprocess
import sys
import tempfile

VOICE = "en-gb-x-rp"
BOOK = "clock-shop"
RANGE_WIDTH_MS = 10000
LINE_CHARS = 70


def sentences(text):
    """(start, end) per sentence: `end` is the 1-based index of the character that
    ends it (the reader's boundary end offset); `start` is the caret offset just
    before its first character, past the closing quote of the sentence before and
    any blank."""
    out, counter, prev_end = [], 0, 0
    for i, ch in enumerate(text):
        if ch in ".?!" and counter > 1:
            out.append((first_char(text, prev_end), i + 1))
            prev_end, counter = i + 1, 0
        else:
            counter += 1
    return out


def first_char(text, boundary_end):
    k = boundary_end
    if boundary_end > 0 and k < len(text) and text[k] == '"':
        k += 1  # the closing quote of the sentence before
    while k < len(text) and text[k] in " \r\n\t":
        k += 1
    return k


def spoken(text, start, end):
    """The words to speak: a title before a blank line ends with a full stop, so the
    voice pauses after it; line breaks are spaces."""
    part = text[start:end]
    head, sep, rest = part.partition("\r\n\r\n")
    if sep and head and head[-1] not in ".?!":
        part = head + ". " + rest
    return " ".join(part.split())


def control_line(text, p):
    before = text[max(0, p - LINE_CHARS):p]
    return before.replace("\r", " ").replace("\n", " ")


def main():
    data, synth = sys.argv[1], sys.argv[2]
    folder = os.path.join(data, "book")
    with open(os.path.join(folder, BOOK + "-en.txt"), "rb") as f:
        text = f.read().decode("cp1251")
    cut = sentences(text)
    wav = os.path.join(folder, BOOK + ".wav")
    with tempfile.TemporaryDirectory() as tmp:
        listing = os.path.join(tmp, "sentences.list")
        times = os.path.join(tmp, "sentences.times")
        with open(listing, "w", encoding="utf-8") as f:
            for start, end in cut:
                f.write(VOICE + "\t" + spoken(text, start, end) + "\n")
        partial = wav + ".part"
        subprocess.run([synth, "speak", listing, partial, times], check=True)
        with open(times, encoding="ascii") as f:
            spans = [line.split() for line in f]
    if len(spans) != len(cut) or any(s == ["-"] for s in spans):
        sys.exit("sample book: the voice gave no sound for some sentence")
    lines = [BOOK + "-en.txt", BOOK + "-ru.txt", str(RANGE_WIDTH_MS), "0", "0", "***", BOOK + ".wav"]
    for (start, _), (begin, _) in zip(cut, spans):
        lines += [str(start), begin, control_line(text, start)]
    last_end = cut[-1][1]
    lines += [str(last_end), spans[-1][1], control_line(text, last_end)]
    acp = os.path.join(folder, BOOK + ".acp")
    with open(acp + ".part", "wb") as f:
        f.write("".join(line + "\r\n" for line in lines).encode("cp1251"))
    with open(os.path.join(folder, BOOK + ".times"), "w", encoding="ascii", newline="\r\n") as f:
        f.writelines("%s\t%s\n" % (begin, end) for begin, end in spans)
    os.replace(partial, wav)
    os.replace(acp + ".part", acp)
    print("sample book: %d sentences, %.1f minutes" % (len(cut), int(spans[-1][1]) / 60000.0))


if __name__ == "__main__":
    main()
