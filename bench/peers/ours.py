#!/usr/bin/env python3
"""Our side of the peer comparison: the same works the peers' harness times,
on the same corpus files, printed as `metric value unit` lines (one per run),
the format the peers' aggregate.py reads.

usage: ours.py BUILD_DIR CORPUS_DIR RUNS [PEERS_DIR]

In-process figures come from our Google Benchmark executables given
--corpus; whole-process figures from quarno-tool edit scripts and from
quarno-ide in its screenshot mode (start until the first painted window has
been grabbed and closed). Peak memory is each child's own maximum resident
set, read with GNU time."""
import json
import os
import subprocess
import sys
import tempfile
import time

BUILD, CORPUS, RUNS = sys.argv[1], sys.argv[2], int(sys.argv[3])
PEERS = sys.argv[4] if len(sys.argv) > 4 else None
TOOL = os.path.join(BUILD, "bin", "quarno-tool")
IDE = os.path.join(BUILD, "bin", "quarno-ide")
SCRATCH = tempfile.mkdtemp(prefix="quarno-ours-")


def corpus(mb):
    return os.path.join(CORPUS, "corpus_%dMB.bas" % mb)


def emit(metric, value, unit):
    print("%s %.4g %s" % (metric, value, unit), flush=True)


def run_child(cmd, env=None):
    """Runs cmd; returns (wall ms, peak resident MiB, exit status). The peak
    comes from GNU time: a child forked from this interpreter would report the
    interpreter's own resident size as its peak (it survives the exec)."""
    report = os.path.join(SCRATCH, "peak.txt")
    t0 = time.perf_counter()
    rc = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", report] + cmd, env=env,
                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode
    ms = (time.perf_counter() - t0) * 1000
    with open(report) as f:
        kib = int(f.read().split()[-1])
    return ms, kib / 1024.0, rc


def edit_script(name, lines):
    path = os.path.join(SCRATCH, name + ".txt")
    with open(path, "w") as f:
        f.write("\n".join(lines) + "\n")
    return path


def tool_edit(name, lines):
    ms, mib, rc = run_child([TOOL, "edit", edit_script(name, lines)])
    if rc != 0:
        raise SystemExit("quarno-tool edit %s failed (%d)" % (name, rc))
    return ms, mib


def benchmark(executable, filter_, corpus_file):
    """Google Benchmark's JSON for the benchmarks matching filter_."""
    out = subprocess.run([os.path.join(BUILD, "bench", executable), "--corpus", corpus_file,
                          "--benchmark_filter=" + filter_, "--benchmark_format=json"],
                         capture_output=True, text=True, check=True).stdout
    found = json.loads(out)["benchmarks"]
    if not found:
        raise SystemExit("%s: no benchmark matches %s" % (executable, filter_))
    for b in found:
        if b.get("error_occurred"):
            raise SystemExit("%s %s: %s" % (executable, b["name"], b.get("error_message")))
    return found


def ms_of(b):
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]
    return b["real_time"] * scale


def measure_load():
    f = corpus(50)
    for b in benchmark("BenchTextStore", "^BM_LoadFile(/|$)", f):
        emit("ours.50MB.load_ms", ms_of(b), "ms")
    base, _ = tool_edit("empty", ['text "x"', "print lines"])
    ms, _ = tool_edit("load50", ["load " + f, "print lines"])
    emit("ours.50MB.tool_load_ms", ms, "ms")
    emit("ours.50MB.tool_load_minus_start_ms", ms - base, "ms")


def measure_memory():
    _, base = tool_edit("empty", ['text "x"', "print lines"])
    for mb in (10, 50):
        f = corpus(mb)
        size = os.path.getsize(f)
        _, loaded = tool_edit("load", ["load " + f, "print lines"])
        _, styled = tool_edit("styled", ["parser basic", "load " + f, "print lines"])
        emit("ours.%dMB.bytes_per_byte_loaded" % mb, (loaded - base) * 2**20 / size, "ratio")
        emit("ours.%dMB.bytes_per_byte_highlighted" % mb, (styled - base) * 2**20 / size, "ratio")


def measure_highlighting():
    f = corpus(10)
    size = os.path.getsize(f)
    for b in benchmark("BenchRestyle", "^BM_FullRestyle(/|$)", f):
        emit("ours.10MB.highlight_MBps", size / 1e6 / (ms_of(b) / 1000), "MB/s")
    plain, _ = tool_edit("load10", ["load " + f, "print lines"])
    styled, _ = tool_edit("styled10", ["parser basic", "load " + f, "print lines"])
    emit("ours.10MB.tool_highlight_MBps", size / 1e6 / (max(styled - plain, 0.001) / 1000), "MB/s")


def measure_paired_highlighting():
    """Scintilla's lexer and ours on the 10 MB corpus, five times in turn, so
    both see the same phases of a host whose speed drifts within seconds:
    the ratio of the fastest of each (a disturbance only ever slows a run),
    not of medians taken minutes apart."""
    qsci = os.path.join(os.path.dirname(CORPUS), "qt6", "qsci_bench")
    keywords = os.path.join(os.path.dirname(CORPUS), "keywords.txt")
    if not os.path.exists(qsci):
        return
    f = corpus(10)
    size = os.path.getsize(f)
    theirs, ours = [], []
    for _ in range(5):
        out = subprocess.run([qsci, f, "10MB", "freebasic", keywords], capture_output=True,
                             text=True, env=dict(os.environ, QT_QPA_PLATFORM="offscreen")).stdout
        theirs += [float(line.split()[1]) for line in out.splitlines()
                   if line.startswith("qsci.freebasic.10MB.style_MBps ")]
        ours += [size / 1e6 / (ms_of(b) / 1000)
                 for b in benchmark("BenchRestyle", "^BM_FullRestyle(/|$)", f)]
    if theirs and ours:
        emit("ours.10MB.highlight_paired_ratio", max(ours) / max(theirs), "ratio")


def measure_search():
    for b in benchmark("BenchPeerPatterns", "^BM_Peer", corpus(50)):
        name = {"BM_PeerLiteral": "literal", "BM_PeerRegex1": "regex1",
                "BM_PeerRegex2": "regex2"}[b["name"].split("/")[0]]
        emit("ours.50MB.find_%s_ms" % name, ms_of(b), "ms")


def measure_wrap():
    f = corpus(10)
    plain, plain_mib = tool_edit("nowrap", ["load " + f, "print lines"])
    wrapped, wrap_mib = tool_edit("wrap", ["load " + f, "set WrapAtColumn 80",
                                           "set WordWrap 1", "print lines"])
    emit("ours.10MB.wrap_ms", wrapped - plain, "ms")
    emit("ours.10MB.wrap_memory_ratio", wrap_mib / plain_mib, "ratio")
    # Without a wrap column a control without a window wraps at its own tiny
    # width: about six rows a line, the worst case of the layout.
    narrow, narrow_mib = tool_edit("wrapnarrow", ["load " + f, "set WordWrap 1", "print lines"])
    emit("ours.10MB.wrap_narrow_ms", narrow - plain, "ms")
    emit("ours.10MB.wrap_narrow_memory_ratio", narrow_mib / plain_mib, "ratio")


def ide_env(display=None):
    home = tempfile.mkdtemp(prefix="home-", dir=SCRATCH)
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home + "/config",
               XDG_STATE_HOME=home + "/state", XDG_DATA_HOME=home + "/data",
               XDG_RUNTIME_DIR=home + "/run", XDG_CACHE_HOME=home + "/cache")
    os.makedirs(home + "/run", mode=0o700)
    if display:
        env.update(DISPLAY=display, QT_QPA_PLATFORM="xcb")
    else:
        env.update(QT_QPA_PLATFORM="offscreen")
    return env


def measure_first_paint():
    f = corpus(10)
    env = ide_env()
    # BMP: encoding a PNG is zlib's time, not the window's.
    env["QUARNO_SCREENSHOT"] = os.path.join(SCRATCH, "shot.bmp")
    ms, mib, rc = run_child([IDE, f], env=env)
    if rc != 0:
        raise SystemExit("quarno-ide screenshot run failed (%d)" % rc)
    emit("ours.10MB.first_paint_ms", ms, "ms")
    emit("ours.10MB.ide_peak_MiB", mib, "MiB")


def measure_probe(display):
    """The peers' start-up probe (map, title, settled) on quarno-ide."""
    sys.path.insert(0, PEERS)
    import startup_bench
    f = corpus(10)
    _, m, t, s = startup_bench.probe([IDE, f], ide_env(display), os.path.basename(f))
    if t is not None:
        emit("ours.10MB.probe_title_ms", t, "ms")
        emit("ours.10MB.probe_settled_ms", s, "ms")


MEASURES = {"load": measure_load, "memory": measure_memory, "highlighting": measure_highlighting,
            "paired": measure_paired_highlighting, "search": measure_search, "wrap": measure_wrap,
            "paint": measure_first_paint}


def main():
    # OURS_ONLY="load search" limits a run to some of the measures.
    chosen = os.environ.get("OURS_ONLY", " ".join(MEASURES)).split()
    for _ in range(RUNS):
        for name in chosen:
            MEASURES[name]()
        if "paint" in chosen and PEERS and os.environ.get("DISPLAY"):
            measure_probe(os.environ["DISPLAY"])


main()
