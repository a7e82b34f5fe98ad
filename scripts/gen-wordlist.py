#!/usr/bin/env python3
"""Builds the password generator's word list resource from a plain word file.

Reads resources/wordlist.txt (one word per line) and writes
resources/wordlist.bin, the resource "WORDLIST" 162 of the program. The
output is committed, so the build needs no Python; running this script again
reproduces it exactly.

The list holds 971 common English words of 3 to 10 characters: lower-case
letters, and an apostrophe in two of them. They are stored in ascending byte
order and front-coded: each entry is one byte with the number of leading
characters taken over from the previous word, one byte with the number n of
characters that follow, and those n characters. Two zero bytes end the list.

Usage: gen-wordlist.py [resources folder]
"""
import os
import sys

WORD_COUNT = 971
APOSTROPHE_WORDS = 2
ALLOWED = set("abcdefghijklmnopqrstuvwxyz'")


def read_words(path):
    with open(path, encoding="ascii") as f:
        words = [line.strip() for line in f if line.strip()]
    for word in words:
        if not 3 <= len(word) <= 10 or not set(word) <= ALLOWED:
            raise SystemExit("not a word of 3 to 10 lower-case letters: %r" % word)
    if len(set(words)) != len(words):
        raise SystemExit("a word is listed twice")
    if len(words) != WORD_COUNT:
        raise SystemExit("%d words; the list holds %d" % (len(words), WORD_COUNT))
    if sum("'" in word for word in words) != APOSTROPHE_WORDS:
        raise SystemExit("the list holds %d words with an apostrophe" % APOSTROPHE_WORDS)
    return sorted(words, key=lambda word: word.encode("ascii"))


def front_coded(words):
    out = bytearray()
    previous = b""
    for word in words:
        data = word.encode("ascii")
        kept = 0
        while kept < min(len(previous), len(data)) and previous[kept] == data[kept]:
            kept += 1
        out += bytes([kept, len(data) - kept]) + data[kept:]
        previous = data
    return bytes(out + b"\0\0")


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..",
                                                              "resources")
    data = front_coded(read_words(os.path.join(root, "wordlist.txt")))
    with open(os.path.join(root, "wordlist.bin"), "wb") as f:
        f.write(data)
    print("wordlist.bin: %d words, %d bytes" % (WORD_COUNT, len(data)))


if __name__ == "__main__":
    main()
