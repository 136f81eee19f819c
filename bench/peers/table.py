#!/usr/bin/env python3
"""Prints the side-by-side table of our figures and the peers' anchors.

usage: table.py PEERS_RESULTS OURS_RAW

PEERS_RESULTS is the peers' results.txt (`metric median unit min max n`);
OURS_RAW holds ours.py's `metric value unit` lines, one per run. A speed
ratio is the anchor's median time over ours (above 1: we are faster); its
range comes from our fastest and slowest run against the anchor's median."""
import statistics
import sys


def read_peers(path):
    found = {}
    for line in open(path):
        if line.startswith("#") or not line.strip():
            continue
        metric, median, unit, low, high, n = line.split()[:6]
        found[metric] = (float(median), float(low), float(high), unit)
    return found


def read_ours(path):
    runs = {}
    for line in open(path):
        parts = line.split()
        if len(parts) == 3:
            runs.setdefault(parts[0], []).append(float(parts[1]))
    return {m: (statistics.median(v), min(v), max(v), len(v)) for m, v in runs.items()}


# (work, anchor metric, anchor label, our metric, kind, target)
# kind: "time"  ratio = anchor / ours (our speed in units of the anchor's)
#       "rate"  ratio = ours / anchor (MB/s)
#       "size"  ratio = ours / anchor (memory; below 1 is smaller)
ROWS = [
    ("load 50 MB (in process)", "qsci.freebasic.50MB.settext_ms", "QScintilla setText",
     "ours.50MB.load_ms", "time", ">= 2x its speed"),
    ("load 50 MB (quarno-tool, minus its start)", "qsci.freebasic.50MB.settext_ms",
     "QScintilla setText", "ours.50MB.tool_load_minus_start_ms", "time", ">= 2x its speed"),
    ("memory after load, 10 MB", "qsci.none.10MB.bytes_per_char_in_store",
     "QScintilla, no lexer", "ours.10MB.bytes_per_byte_loaded", "size", "<= 2.2 bytes/byte"),
    ("memory after load, 50 MB", "qsci.none.10MB.bytes_per_char_in_store",
     "QScintilla, no lexer (10 MB)", "ours.50MB.bytes_per_byte_loaded", "size",
     "<= 2.2 bytes/byte"),
    ("memory after highlighting, 10 MB", "qsci.freebasic.10MB.bytes_per_char_in_store",
     "QScintilla, BASIC lexer", "ours.10MB.bytes_per_byte_highlighted", "size",
     "<= 2.2 bytes/byte"),
    ("memory after highlighting, 50 MB", "qsci.freebasic.10MB.bytes_per_char_in_store",
     "QScintilla, BASIC lexer (10 MB)", "ours.50MB.bytes_per_byte_highlighted", "size",
     "<= 2.2 bytes/byte"),
    ("full highlighting, 10 MB (MB/s)", "qsci.freebasic.10MB.style_MBps",
     "Scintilla BASIC lexer", "ours.10MB.highlight_MBps", "rate", ">= 2.5x (>= 60 MB/s)"),
    ("full highlighting, 10 MB, each run paired with Scintilla's", None, "",
     "ours.10MB.highlight_paired_ratio", "value", ">= 2.5"),
    ("open 10 MB, first paint (ms)", "featherpad.settled_ms", "FeatherPad settled",
     "ours.10MB.first_paint_ms", "time", "<= 0.1x its time (<= 200 ms)"),
    ("open 10 MB under Xvfb, settled (ms)", "featherpad.settled_ms", "FeatherPad settled",
     "ours.10MB.probe_settled_ms", "time", "<= 0.1x its time"),
    ("plain search, absent literal, 50 MB", "raw.50MB.grep_F_literal_ms", "grep -F (process)",
     "ours.50MB.find_literal_ms", "time", ">= 1x its speed"),
    ("plain search, absent literal, 50 MB", "qsci.freebasic.50MB.find_literal_ms",
     "QScintilla findFirst", "ours.50MB.find_literal_ms", "time", ""),
    ("regex1, 50 MB", "raw.50MB.grep_E_regex1_ms", "grep -E (process)",
     "ours.50MB.find_regex1_ms", "time", ">= 1.5x its speed"),
    ("regex2, 50 MB", "raw.50MB.pcre2_interp_regex2_ms", "PCRE2 interpreter",
     "ours.50MB.find_regex2_ms", "time", ">= 2x its speed"),
    ("regex2, 50 MB", "raw.50MB.grep_E_regex2_ms", "grep -E (process)",
     "ours.50MB.find_regex2_ms", "time", ""),
    ("word wrap on at column 80, 10 MB (ms)", None, "", "ours.10MB.wrap_ms", "value",
     "<= 300 ms"),
    ("its memory / without wrap", None, "", "ours.10MB.wrap_memory_ratio", "value", "<= 1.5"),
    ("word wrap on, no window (narrow rows), 10 MB (ms)", None, "", "ours.10MB.wrap_narrow_ms",
     "value", "<= 300 ms"),
    ("its memory / without wrap", None, "", "ours.10MB.wrap_narrow_memory_ratio", "value",
     "<= 1.5"),
]


def fmt(x):
    return "%.3g" % x if abs(x) < 100 else "%.0f" % x


def ratio_text(kind, anchor, ours):
    med, low, high, _ = ours
    if kind == "time":
        values = (anchor / med, anchor / high, anchor / low)
    else:
        values = (med / anchor, low / anchor, high / anchor)
    return "%.2fx (%.2f-%.2f)" % values


def main():
    peers, ours = read_peers(sys.argv[1]), read_ours(sys.argv[2])
    print("| work | anchor | anchor median | ours median (min-max, n) | ratio (range) | target |")
    print("|---|---|---|---|---|---|")
    for work, metric, label, mine, kind, target in ROWS:
        if mine not in ours:
            print("| %s | %s | | not measured | | %s |" % (work, label, target))
            continue
        med, low, high, n = ours[mine]
        ours_text = "%s (%s-%s, %d)" % (fmt(med), fmt(low), fmt(high), n)
        if metric is None:
            print("| %s | | | %s | | %s |" % (work, ours_text, target))
        elif metric not in peers:
            print("| %s | %s | missing | %s | | %s |" % (work, label, ours_text, target))
        else:
            anchor = peers[metric][0]
            print("| %s | %s | %s %s | %s | %s | %s |" % (
                work, label, fmt(anchor), peers[metric][3], ours_text,
                ratio_text(kind, anchor, ours[mine]), target))


main()
