#!/usr/bin/env python3
"""Rebuilds the golden files of this folder from the written rules of the
HEX loader, the two grids and the ASCII table, independently of the
program's code, and compares. Run: python3 tests/data/viewers/check_golden.py
(prints each file and OK or the first differing line; exit 1 on a mismatch)."""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))


def load_hex(lines):
    words, eeprom = [0x3FFF] * 8192, [0xFF] * 256
    for line in lines:
        if not line.startswith(":"):
            continue
        total, p = 0, 1
        while p + 1 < len(line):  # a last odd character is left out
            total += int(line[p:p + 2], 16)
            p += 2
        if total & 0xFF:
            continue
        data = bytes.fromhex(line[1:1 + 2 * ((len(line) - 1) // 2)])
        count, address = data[0], (data[1] << 8 | data[2]) >> 1
        body = data[4:4 + count]
        for i in range(count // 2):
            low, high = body[2 * i], body[2 * i + 1]
            if address < 0x2000:
                words[address] = high << 8 | low
            elif 0x2100 <= address < 0x2200:
                eeprom[address - 0x2100] = low
            address += 1
    return words, eeprom


def program_grid(words):
    return "".join("%04X %s\n" % (r * 8, " ".join("%04X" % w for w in words[r * 8:r * 8 + 8]))
                   for r in range(1024))


def eeprom_grid(eeprom):
    return "".join("%04X %s\n" % (0x2100 + r * 16,
                                  " ".join("%02X" % b for b in eeprom[r * 16:r * 16 + 16]))
                   for r in range(8))


def ascii_table():
    names = ("NUL SOH STX ETX EOT ENQ ACK BEL BS HT LF VT FF CR SO SI DLE DC1 DC2 DC3 DC4 "
             "NAK SYN ETB CAN EM SUB ESC FS GS RS US SP").split()
    out = bytearray()
    for code in range(256):
        shown = 0x7F if code < 32 else 0x8D if code in (142, 143, 144) else code
        line = bytes([shown]) + b" " * 7 + ("%02d" % code).ljust(8).encode() + b"%02X" % code
        if code <= 32:
            line = line.ljust(24) + names[code].encode()
        out += line + b"\n"
    return bytes(out + b"\n" + b" \n" * 6)


def main():
    with open(os.path.join(HERE, "sample.hex")) as f:
        words, eeprom = load_hex(f.read().splitlines())
    expected = {
        "blank_program_grid.txt": program_grid([0x3FFF] * 8192).encode(),
        "blank_eeprom_grid.txt": eeprom_grid([0xFF] * 256).encode(),
        "sample_program_grid.txt": program_grid(words).encode(),
        "sample_eeprom_grid.txt": eeprom_grid(eeprom).encode(),
        "ascii_table.txt": ascii_table(),
    }
    failed = False
    for name, text in expected.items():
        with open(os.path.join(HERE, name), "rb") as f:
            golden = f.read()
        if golden == text:
            print(name, "OK")
            continue
        failed = True
        for number, (a, b) in enumerate(zip(golden.split(b"\n"), text.split(b"\n")), 1):
            if a != b:
                print(name, "differs at line", number, a, "expected", b)
                break
        else:
            print(name, "differs in length")
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
