#!/usr/bin/env python3
"""Writes the seed corpus of the LoadFile fuzzer: small files of every layout."""
import os
import struct
import sys

out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "corpus")
os.makedirs(out, exist_ok=True)


def i32(v):
    return struct.pack("<i", v)


def tag(letter):
    return i32(ord(letter))


def block(text, size):
    data = text.encode("latin-1")[:size]
    return data + bytes(size - len(data))


def string(text):
    data = text.encode("latin-1")
    padded = (len(data) + 8) // 8 * 8
    return i32(padded) + block(text, padded)


def date(*words):
    return struct.pack("<8H", *(list(words) + [0] * (8 - len(words))))


def record7(texts):
    items = b""
    for i in range(14):
        if i == 9:
            items += date(2024, 5, 5, 17)
        elif i == 10:
            items += date()
        else:
            items += string(texts[i] if i < len(texts) else "")
    return tag("R") + i32(14) + items


def record6(texts):
    return tag("R") + i32(14) + b"".join(string(texts[i] if i < len(texts) else "") for i in range(14))


def form_data(count):
    item = i32(2) + string("pass") + string("secret") + i32(0) + i32(0) + i32(0) + string("") + i32(1) + i32(2)
    return tag("D") + i32(count) + item * count


def legacy_folder(path, category):
    return tag("F") + block(path, 260) + i32(category)


def legacy_record():
    fields = [("Desc", 32), ("Pass", 64), ("User", 32), ("Title", 32), ("Serial", 64), ("4111", 24),
              ("Bank", 32), ("Acct", 32), ("555", 24), ("", 12), ("", 12), ("a@b.c", 64),
              ("http://x", 256), ("Notes", 1024)]
    return tag("R") + b"".join(block(t, n) for t, n in fields) + date(2001, 5, 3, 16) + date()


def version(v):
    return tag("V") + block(v, 4)


seeds = {
    "v7-plain": version("7") + tag("S") + block("bank", 16) + tag("U") + block("visa", 16)
    + tag("I") + string("example.com/") + tag("F") + string("Internet") + i32(2)
    + record7(["Mail", "me", "pw"]) + form_data(2) + tag("F") + string("Internet~Shops") + i32(1)
    + record7([]) + record7(["Books"]),
    "v7-blank-verifier": version("7") + tag("P") + block("hint", 32) + tag("M") + bytes(80)
    + tag("F") + string("Vault") + i32(3) + record7(["Card", "", "1234"]) + tag("X"),
    "v6": version("6") + tag("F") + string("Six") + i32(4) + record6(["Old", "user", "pw", "", "", "", "", "", "", "1/2/2003"]),
    "v5": version("5") + legacy_folder("Five~Sub", 2) + record6(["Five"]),
    "v4": version("4") + legacy_folder("Four", 1) + legacy_record(),
    "v3": version("3") + legacy_folder("Three", 1) + legacy_record(),
    "untagged": legacy_folder("None", 1) + legacy_record(),
    "empty": b"",
}
for name, data in seeds.items():
    with open(os.path.join(out, name), "wb") as f:
        f.write(data)
