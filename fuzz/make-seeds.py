#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets, one folder per target.

The password files come in every layout, plain and protected; the protected
ones are encrypted under the password that the LoadFile harness types, so
the fuzzer starts from files that it opens and reads to their end.
Usage: make-seeds.py [corpus folder], by default fuzz/corpus beside this script.
"""
import functools
import importlib.util
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
PASSWORD = b"fuzz"  # what the LoadFile harness types into its prompt


@functools.lru_cache(maxsize=None)
def load_pi_words():
    path = os.path.join(ROOT, "scripts", "gen-blowfish-tables.py")
    spec = importlib.util.spec_from_file_location("blowfish_tables", path)
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    return module.pi_fraction_words()


class Blowfish:
    """Blowfish in ECB over big-endian words, the key zero-padded to 56 bytes."""

    def __init__(self, key):
        words = load_pi_words()
        self.p = words[:18]
        self.s = [words[18 + 256 * i:18 + 256 * (i + 1)] for i in range(4)]
        key = (key[:56] + bytes(56))[:56]
        for i in range(18):
            word = 0
            for k in range(4):
                word = (word << 8) | key[(4 * i + k) % 56]
            self.p[i] ^= word
        left = right = 0
        for i in range(0, 18, 2):
            left, right = self.encrypt_block(left, right)
            self.p[i], self.p[i + 1] = left, right
        for box in self.s:
            for i in range(0, 256, 2):
                left, right = self.encrypt_block(left, right)
                box[i], box[i + 1] = left, right

    def f(self, x):
        s = self.s
        h = (s[0][x >> 24] + s[1][(x >> 16) & 0xFF]) & 0xFFFFFFFF
        return ((h ^ s[2][(x >> 8) & 0xFF]) + s[3][x & 0xFF]) & 0xFFFFFFFF

    def encrypt_block(self, left, right):
        for i in range(0, 16, 2):
            left ^= self.p[i]
            right ^= self.f(left)
            right ^= self.p[i + 1]
            left ^= self.f(right)
        return right ^ self.p[17], left ^ self.p[16]

    def encrypt(self, data):
        out = bytearray(data)
        for offset in range(0, len(data) - 7, 8):
            left, right = struct.unpack_from(">II", data, offset)
            struct.pack_into(">II", out, offset, *self.encrypt_block(left, right))
        return bytes(out)


def i32(v):
    return struct.pack("<i", v)


def tag(letter):
    return i32(ord(letter))


def block(text, size):
    data = text.encode("latin-1")[:size]
    return data + bytes(size - len(data))


def date(*words):
    return struct.pack("<8H", *(list(words) + [0] * (8 - len(words))))


def verifier(password):
    return Blowfish(password).encrypt((password[:80] + bytes(80))[:80])


class Writer:
    """The items of one file; strings are encrypted once protection is on."""

    def __init__(self, password=None):
        self.cipher = Blowfish(password) if password else None

    def crypt(self, data):
        return self.cipher.encrypt(data) if self.cipher else data

    def string(self, text):
        data = text.encode("latin-1")
        padded = (len(data) + 8) // 8 * 8
        return i32(padded) + self.crypt(block(text, padded))

    def history(self, letter, text):
        return tag(letter) + self.crypt(block(text, 16))

    def record7(self, texts, assigned=(2024, 5, 5, 17), expires=()):
        items = b""
        for i in range(14):
            if i == 9:
                items += date(*assigned)
            elif i == 10:
                items += date(*expires)
            else:
                items += self.string(texts[i] if i < len(texts) else "")
        return tag("R") + i32(14) + items

    def record6(self, texts):
        return tag("R") + i32(14) + b"".join(self.string(texts[i] if i < len(texts) else "") for i in range(14))

    def form_data(self, count):
        item = (i32(2) + self.string("pass") + self.string("secret") + i32(0) + i32(1) + i32(0)
                + self.string("") + i32(1) + i32(2))
        return tag("D") + i32(count) + item * count

    def folder(self, path, category):
        return tag("F") + self.string(path) + i32(category)

    def legacy_record(self, description="Desc"):
        fields = [(description, 32), ("Pass", 64), ("User", 32), ("Title", 32), ("Serial", 64), ("4111", 24),
                  ("Bank", 32), ("Acct", 32), ("555", 24), ("", 12), ("", 12), ("a@b.c", 64),
                  ("http://x", 256), ("Notes", 1024)]
        body = b"".join(block(t, n) for t, n in fields) + date(2001, 5, 3, 4, 16) + date(2030, 1, 2, 3, 4)
        return tag("R") + self.crypt(body)


def legacy_folder(path, category):
    return tag("F") + block(path, 260) + i32(category)


def version(v):
    return tag("V") + block(v, 4)


def protection(password, hint="fuzz hint"):
    return tag("P") + block(hint, 32) + tag("M") + verifier(password)


RICH_NOTES = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Line one\\par Caf\\'e9 \\u8364?\\par}"


def password_files():
    plain = Writer()
    fuzz = Writer(PASSWORD)
    v7_body = lambda w: (
        w.history("S", "bank") + w.history("U", "visa") + w.history("U", "a history entry of 16+")
        + tag("I") + w.string("example.com/")
        + w.folder("Internet", 2) + w.record7(["Mail", "me", "pw", "", "", "", "", "", "", "", "", "m@x.y",
                                               "http://mail.example.com/", RICH_NOTES]) + w.form_data(2)
        + w.folder("Internet~Shops", 2) + w.record7([]) + w.record7([]) + w.record7(["Books"], (), (2020, 1, 2, 3, 4))
        + w.folder("Banking", 3) + w.record7(["Card", "", "1234", "", "", "4111 1111"])
        + w.folder("Empty", 4))
    return {
        "v7-plain": version("7") + v7_body(plain),
        "v7-protected": version("7") + protection(PASSWORD) + v7_body(fuzz) + tag("X"),
        "v7-header-only": protection(PASSWORD),
        "v7-empty-password": version("7") + protection(b"") + v7_body(plain),
        "v7-blank-verifier": version("7") + tag("P") + block("hint", 32) + tag("M") + bytes(80)
        + plain.folder("Vault", 3) + plain.record7(["Card", "", "1234"]) + tag("X"),
        "v7-twice-verified": version("7") + protection(PASSWORD) + protection(PASSWORD, "again")
        + fuzz.folder("Twice", 1) + fuzz.record7(["Both"]),
        "v7-other-password": version("7") + protection(b"not the harness's") + plain.folder("Other", 1),
        "v6": version("6") + plain.folder("Six", 4)
        + plain.record6(["Old", "user", "pw", "", "", "", "", "", "", "1/2/2003"]),
        "v6-protected": version("6") + protection(PASSWORD) + fuzz.folder("Six", 4)
        + fuzz.record6(["Old", "user", "pw", "", "", "", "", "", "", "1/2/2003", "", "", "", RICH_NOTES])
        + fuzz.form_data(1),
        "v5": version("5") + legacy_folder("Five~Sub", 2) + plain.record6(["Five"]),
        "v5-protected": version("5") + protection(PASSWORD) + legacy_folder("Five", 1)
        + legacy_folder("Five~Sub", 2) + fuzz.record6(["Five", "u", "p"]),
        "v4": version("4") + legacy_folder("Four", 1) + plain.legacy_record(),
        "v4-protected": version("4") + protection(PASSWORD) + fuzz.history("S", "four")
        + legacy_folder("Four", 1) + fuzz.legacy_record() + fuzz.legacy_record("Second"),
        "v3": version("3") + legacy_folder("Three", 1) + plain.legacy_record(),
        "v3-protected": version("3") + protection(PASSWORD) + legacy_folder("Three", 1) + fuzz.legacy_record(),
        "untagged": legacy_folder("None", 1) + plain.legacy_record(),
        "untagged-protected": protection(PASSWORD) + legacy_folder("None", 1) + fuzz.legacy_record(),
        "empty": b"",
    }


def json_documents():
    with open(os.path.join(ROOT, "cli", "sample.json"), "rb") as f:
        sample = f.read()
    return {
        "sample": sample,
        "minimal-database": b'{"version": "7", "folders": [{"path": "A", "category": 1, "records": []}]}',
        "values": b'[null, true, false, 0, -12, 9223372036854775807, "a\\u00e9\\n\\"", {"k": [[], {}]}]',
        "escapes": b'"\\ud83d\\ude00 \\t\\/\\\\ \xc3\xa9"',
    }


def rich_texts():
    return {
        "notes": RICH_NOTES.encode("latin-1"),
        "groups": b"{\\rtf1{\\*\\generator x;}{\\info{\\title t}}Text\\tab more\\line\\~\\_\\-\\\\\\{\\}}",
        "unicode": b"{\\rtf1\\uc2\\u233\\'e9\\'e9 \\u-3 \\uc0\\u8212 \\emdash\\ldblquote x\\rdblquote\\bullet}",
        "escapes": b"{\\rtf1 a\\\r\nb\\'4\\'zz\\par\\par}",
        "plain": b"Not rich text\r\nat all",
    }


def settings_value(kind, name, payload):
    """One value of the settings harness's input: a kind with a name of its own."""
    encoded = name.encode("latin-1")
    return bytes([kind | 4]) + struct.pack("<H", len(encoded)) + encoded + payload


def settings_number(name, value):
    return settings_value(0, name, struct.pack("<I", value))


def settings_text(name, text):
    data = text.encode("latin-1")
    return settings_value(1, name, struct.pack("<H", len(data)) + data)


def settings_inputs():
    valid = (settings_number("Transparency", 200) + settings_number("ExpirationDays", 30)
             + settings_number("ClearSeconds", 45) + settings_number("DefaultCategory", 3)
             + settings_number("EncryptFiles", 1) + settings_number("Init", 0) + settings_number("SendTab", 0)
             + settings_text("LastFile", "C:\\a.kv") + settings_text("Columns1", "3,4,")
             + settings_text("Columns2", "-1,99,x") + settings_text("ColumnName2", "Secret")
             + settings_text("ColumnIcon2", "400") + settings_text("CategoryName4", "Mine")
             + settings_text("RecentFile1", "C:\\b.kv") + settings_text("RecentFile2", "")
             + settings_number("HotKeyEnable", 1) + settings_number("HotKeyVk", 0x4B)
             + settings_number("HotKeyMod", 6) + settings_number("Secure", 1055) + settings_number("UseCase", 1038)
             + settings_number("WordOptions", 1058) + settings_number("InsertMode", 1045)
             + settings_text("PasswordLength", "24") + settings_text("InsertText", "xy")
             + settings_number("UseNumbers", 1))
    out_of_range = (settings_number("Transparency", 256) + settings_number("ExpirationDays", 10000)
                    + settings_number("ClearSeconds", 301) + settings_number("DefaultCategory", 0)
                    + settings_number("Mask", 2) + settings_number("HotKeyEnable", 7)
                    + settings_number("HotKeyVk", 0x100) + settings_number("HotKeyMod", 8)
                    + settings_number("Secure", 1053) + settings_text("Transparency", "12")
                    + settings_text("LastFile", "p" * 260) + settings_text("ColumnName0", "n" * 256)
                    + settings_text("SpecialChars", "s" * 512)
                    + settings_value(2, "Init", b"\x01\x00") + settings_value(2, "LastFile", b"no zero"))
    return {
        "valid": b"\x00" + valid,
        "out-of-range": b"\x02" + out_of_range,
        "missing-key": b"\x01" + settings_number("Transparency", 3),
    }


def protocol_inputs():
    """A WM_COPYDATA record of each kind (first byte even) and shared blocks
    (first byte odd): two entries, and one whose description fills its field."""
    def copy_data(kind, address):
        return b"\x00" + i32(kind) + block(address, 512) + i32(0x10020) + i32(0x10030) + i32(0)
    def entry(folder, record, description):
        return i32(folder) + i32(record) + block(description, 40)
    return {
        "copydata-menu": copy_data(1, "https://mail.example.com/login"),
        "copydata-dialog": copy_data(0, "x" * 512),
        "block-two": b"\x01" + entry(0, 1, "Web mail") + entry(2, 0, "Bank"),
        "block-full-description": b"\x01" + entry(0, 0, "d" * 40),
    }


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "corpus")
    corpora = {
        "load_file": password_files(),
        "json": json_documents(),
        "rich_text": rich_texts(),
        "settings": settings_inputs(),
        "protocol": protocol_inputs(),
    }
    for target, seeds in corpora.items():
        folder = os.path.join(out, target)
        os.makedirs(folder, exist_ok=True)
        for name, data in seeds.items():
            with open(os.path.join(folder, name), "wb") as f:
                f.write(data)


if __name__ == "__main__":
    main()
