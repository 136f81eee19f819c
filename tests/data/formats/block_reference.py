#!/usr/bin/env python3
"""A second coder of the block method, written from the method's description
and independent of the program's own, used to derive the container bytes of
parser_block.hex. It first checks itself against the hand-derived block_*.hex
fixtures. Usage: block_reference.py FILE.hex rewrites the file's @block part;
block_reference.py --check FILE.hex only compares it (exit 1 on a difference)."""
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))


def parse(text):
    parts, name = {"": bytearray()}, ""
    for line in text.splitlines():
        line = re.split("[#;]", line, maxsplit=1)[0]
        if line.strip().startswith("@"):
            name = line.strip()[1:].strip()
            parts[name] = bytearray()
            continue
        digits = "".join(line.split())
        parts[name] += bytes.fromhex(digits)
    return parts


def code_block(data):
    n = len(data)
    table = [-1] * 4096
    out = bytearray([0x40, 0, 0])
    command_pos, items, command, x = 1, 0, 0, 0
    while x < n and len(out) <= n:
        if items == 16:
            out[command_pos:command_pos + 2] = command.to_bytes(2, "big")
            command_pos = len(out)
            out += b"\0\0"
            items, command = 0, 0
        r = 1
        while x + r < n and data[x + r] == data[x] and r < 4095:
            r += 1
        if r >= 16:
            out += bytes([0, (r - 16) >> 8, (r - 16) & 0xFF, data[x]])
            command = (command << 1 | 1) & 0xFFFF
            x += r
        else:
            b = [data[x + i] if x + i < n else 0 for i in range(3)]
            h = (((((b[0] << 4) ^ b[1]) << 4) ^ b[2]) * 40543 >> 4) & 0x0FFF
            p, k = table[h], 0
            if p != -1 and x - p < 4096:
                while k < 18 and x + k < n and data[x + k] == data[p + k]:
                    k += 1
            table[h] = x
            if p != -1 and k >= 3:
                out += (((x - p) << 4) + (k - 3)).to_bytes(2, "big")
                command = (command << 1 | 1) & 0xFFFF
                x += k
            else:
                out.append(data[x])
                command = (command << 1) & 0xFFFF
                x += 1
        items += 1
    command = (command << (16 - items)) & 0xFFFF
    out[command_pos:command_pos + 2] = command.to_bytes(2, "big")
    if len(out) > n:
        out = bytearray([0x80]) + data
    return out


def container(data):
    out = bytearray(b"WRZL") + len(data).to_bytes(4, "little")
    pos = 0
    while True:
        piece = data[pos:pos + 32768]
        pos += len(piece)
        block = code_block(piece)
        out += len(block).to_bytes(2, "little") + block
        if len(piece) < 32768:
            return out


def hexlines(data):
    return "\n".join(" ".join("%02X" % b for b in data[i:i + 16])
                     for i in range(0, len(data), 16))


def main(path, check):
    for name in ("block_back_reference", "block_run", "block_stored"):
        with open(os.path.join(HERE, name + ".hex")) as f:
            known = parse(f.read())
        assert container(known["text"]) == known["container"], name
    with open(path) as f:
        text = f.read()
    inner = parse(text)["inner"]
    block = (51).to_bytes(2, "little") + len(inner).to_bytes(4, "little") + container(inner)
    if check:
        if parse(text)["block"] != block:
            sys.exit("%s: @block is not the block method's coding of @inner" % path)
        print(path, "OK")
        return
    text = text.split("\n@block\n")[0].rstrip("\n")
    text += ("\n\n@block\n33 00  # version 51\n%s  # inner length %d\n%s\n"
             % (" ".join("%02X" % b for b in block[2:6]), len(inner), hexlines(block[6:])))
    with open(path, "w") as f:
        f.write(text)


if __name__ == "__main__":
    if sys.argv[1] == "--check":
        main(sys.argv[2], True)
    else:
        main(sys.argv[1], False)
