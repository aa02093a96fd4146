#!/usr/bin/env python3
"""Measures the built game as a player's machine runs it and prints one table
of medians of repeated runs, with the machine and its load.

    tools/measure-game.py BUILD_DIR [BENCH_JSON...]
    tools/measure-game.py --paths BUILD_DIR     the player's paths only

Needs an X display with a window manager (tools/with-display.sh gives one).
Every program runs silent (OpenAL Soft's null backend) in a fresh working
directory, so no state file is shared. Figures:

- start-up: wall time from the launch to the end of the first update of the
  map with loading finished (BUILD/startup_probe, the game with that report),
  and the processor time it took;
  and to the game's window first showing more than one colour
  (BUILD/window_probe), the same for the floor below and for Debian's
  sgt-pattern (installed by tools/setup.sh; left out when missing);
- CPU per update of the map, the board, the pause menu and the options box:
  Google Benchmark medians from the JSON files of bench_screens;
- draw calls per rendered frame on those screens (BUILD/frames_probe);
- peak resident memory (VmHWM) and CPU use, from /proc over a fixed window,
  of the game on the map with nothing moving, while its window is inactive,
  and on the map at full screen (the peak then includes the switch), of a
  running puzzle (BUILD/puzzle_probe, the game going straight into a puzzle),
  of the stack's floor (BUILD/floor_probe: a bare GLFW window with OpenGL and
  OpenAL clearing 60 times a second) and of sgt-pattern;
- the player's paths (tools/player_paths.py): the real game driven with keys
  and clicks, CPU over each path's window in one run and the frame probe's
  redundant and missed frames over the same windows in another, the floor
  and sgt-pattern taking turns with them.
"""
import json
import os
import platform
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
import types

import player_paths

RUNS = int(os.environ.get("TILEMARCH_BENCH_RUNS", "5"))  # fewer for a quick look
CPU_WINDOW_S = 10.0
SETTLE_S = 3.0
PATTERN = "/usr/games/sgt-pattern"
# The start-up before frames were drawn only on change (same machine, README).
STARTUP_BEFORE_MS = 714
TICK = os.sysconf("SC_CLK_TCK")


def env():
    e = dict(os.environ)
    e["ALSOFT_CONF"] = os.path.join(SOURCE, "tests", "alsoft-null.conf")
    return e


def cpu_ticks(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])  # utime, stime of all threads


def peak_kb(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return -1


def cpu_percent(pid, seconds):
    before, t0 = cpu_ticks(pid), time.monotonic()
    time.sleep(seconds)
    after, t1 = cpu_ticks(pid), time.monotonic()
    return 100.0 * (after - before) / TICK / (t1 - t0)


def xdotool(*args, timeout=15):
    r = subprocess.run(["xdotool", *args], capture_output=True, text=True, timeout=timeout)
    return r.stdout.split()


def window_of(title, pid=None):
    """The window titled `title` (of process `pid` when given), waiting up to 15 s."""
    deadline = time.monotonic() + 15
    while time.monotonic() < deadline:
        ids = xdotool("search", "--onlyvisible", *(["--pid", str(pid)] if pid else []), "--name", f"^{title}$")
        if ids:
            return ids[-1]
        time.sleep(0.05)
    raise RuntimeError(f"no window {title!r}")


def activate(window):
    xdotool("windowactivate", "--sync", window)


def stop(proc):
    proc.terminate()
    try:
        proc.wait(5)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()


def launch(cmd, **kw):
    return subprocess.Popen(cmd, cwd=tempfile.mkdtemp(dir=WORK), env=env(),
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True, **kw)


def startup_ms():
    e = env()
    e["TILEMARCH_LAUNCH_NS"] = str(time.clock_gettime_ns(time.CLOCK_REALTIME))
    p = subprocess.Popen([os.path.join(BUILD, "startup_probe")], cwd=tempfile.mkdtemp(dir=WORK), env=e,
                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    out, _ = p.communicate(timeout=60)
    for line in out.splitlines():
        words = line.split()
        if len(words) == 4 and words[0] == "startup_ms":
            return float(words[1]), float(words[3])
    raise RuntimeError("startup_probe reported nothing")


def window_times(title, hold_ms, cmd):
    p = launch([os.path.join(BUILD, "window_probe"), title, str(hold_ms), *cmd])
    out, _ = p.communicate(timeout=90)
    # The program's own output shares the pipe; the probe's line is its last.
    for line in out.splitlines():
        words = line.split()
        if p.returncode == 0 and len(words) == 7 and words[0] == "window":
            return float(words[2]), float(words[4]), int(words[6])
    raise RuntimeError(f"window_probe {title}: {out!r}")


def game_on_map():
    """CPU % on the map, CPU % while inactive, peak kB in the window, CPU % on
    the map at full screen, peak kB over the whole run (the switch included)."""
    game = launch([os.path.join(BUILD, "tilemarch")])
    other = None
    try:
        window = window_of("Tilemarch", game.pid)
        activate(window)
        time.sleep(SETTLE_S)
        activate(window)
        active = cpu_percent(game.pid, CPU_WINDOW_S)
        other = subprocess.Popen(["xmessage", "-title", "bench", "inactive"], stderr=subprocess.DEVNULL)
        activate(window_of("bench"))
        time.sleep(1)
        inactive = cpu_percent(game.pid, CPU_WINDOW_S)
        stop(other)
        other = None
        activate(window)
        window_peak = peak_kb(game.pid)
        xdotool("key", "F11")
        # The full-screen window is a new one; the pictures load again.
        time.sleep(SETTLE_S + 2)
        activate(window_of("Tilemarch", game.pid))
        time.sleep(1)
        full = cpu_percent(game.pid, CPU_WINDOW_S)
        return active, inactive, window_peak, full, peak_kb(game.pid)
    finally:
        if other:
            stop(other)
        stop(game)


def resting(cmd, title):
    """CPU % and peak kB of a program showing its window with nothing moving."""
    p = launch(cmd)
    try:
        window = window_of(title, p.pid)
        activate(window)
        time.sleep(SETTLE_S)
        activate(window)
        return cpu_percent(p.pid, CPU_WINDOW_S), peak_kb(p.pid)
    finally:
        stop(p)


def floor():
    p = launch([os.path.join(BUILD, "floor_probe")])
    try:
        activate(window_of("Floor", p.pid))
        time.sleep(SETTLE_S)
        return cpu_percent(p.pid, CPU_WINDOW_S), peak_kb(p.pid)
    finally:
        stop(p)


def frames():
    """{screen: (median draw calls, max, limit at the max, frames over)}"""
    p = launch([os.path.join(BUILD, "frames_probe")])
    try:
        activate(window_of("Tilemarch", p.pid))
        out, _ = p.communicate(timeout=120)
    finally:
        if p.poll() is None:
            stop(p)
    result = {}
    for line in out.splitlines():
        w = line.split()
        if w and w[0] == "frames":
            result[w[1]] = (int(w[3]), int(w[5]), int(w[7]), int(w[9]))
    if len(result) != 5:
        raise RuntimeError(f"frames_probe: {out!r}")
    return result


def update_medians(json_files):
    """Median CPU microseconds of the BM_Update/SCREEN benchmarks."""
    scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}
    found = {}
    for path in json_files:
        try:
            with open(path) as f:
                data = json.load(f)
        except (OSError, ValueError):
            continue
        for b in data.get("benchmarks", []):
            name = b.get("run_name", b["name"])
            if name.startswith("BM_Update/") and b.get("aggregate_name") == "median":
                found[name[len("BM_Update/"):]] = b["cpu_time"] * scale[b.get("time_unit", "ns")]
    return found


def med(values):
    return statistics.median(values) if values else None


def fmt(v, digits=0):
    return "n/a" if v is None else f"{v:.{digits}f}"


def verdict(ok):
    return "n/a" if ok is None else ("met" if ok else "MISSED")


def main():
    global BUILD, SOURCE, WORK
    args = sys.argv[1:]
    paths_only = bool(args) and args[0] == "--paths"
    if paths_only:
        args = args[1:]
    BUILD = os.path.abspath(args[0] if args else "build")
    SOURCE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    WORK = tempfile.mkdtemp(prefix="tilemarch-measure-")
    try:
        if paths_only:
            load = os.getloadavg()
            print_report(path_rows(*player_turns()), cpu_model(), load)
            return 0
        return report(update_medians(args[1:]))
    finally:
        shutil.rmtree(WORK, ignore_errors=True)


def repeat(what, fn):
    results = []
    for _ in range(RUNS):
        try:
            results.append(fn())
        except (RuntimeError, subprocess.TimeoutExpired, OSError) as e:
            print(f"measure-game: {what}: {e}", file=sys.stderr)
    return results


def cpu_model():
    with open("/proc/cpuinfo") as f:
        for line in f:
            if line.startswith("model name"):
                return line.split(":", 1)[1].strip()
    return ""


def in_turns(programs):
    """Runs each (name, function) of `programs` RUNS times, all taking turns,
    so that a change of the machine's load falls on all of them alike; the
    results of each, in order. sgt-pattern is left out where it is missing."""
    results = [[] for _ in programs]
    for _ in range(RUNS):
        for (what, fn), into in zip(programs, results):
            if what == "sgt-pattern" and not os.path.exists(PATTERN):
                continue
            try:
                into.append(fn())
            except (RuntimeError, subprocess.TimeoutExpired, OSError) as e:
                print(f"measure-game: {what}: {e}", file=sys.stderr)
    return results


def taking_turns():
    """The runs of the game on the map, the floor, a puzzle and sgt-pattern."""
    return in_turns([("game", game_on_map), ("floor", floor),
                     ("puzzle", lambda: resting([os.path.join(BUILD, "puzzle_probe")], "Tilemarch")),
                     ("sgt-pattern", lambda: resting([PATTERN], "Pattern"))])


def measure():
    """Runs every measurement but the benchmarks: the medians of the figures
    (None where no run succeeded) and the runs of frames_probe."""
    starts = repeat("start-up", startup_ms)
    ours_win = repeat("window", lambda: window_times("Tilemarch", 0, [os.path.join(BUILD, "tilemarch")]))
    floor_win = repeat("floor window", lambda: window_times("Floor", 0, [os.path.join(BUILD, "floor_probe")]))
    pattern_win = repeat("sgt-pattern", lambda: window_times("Pattern", 2000, [PATTERN])) if os.path.exists(PATTERN) else []
    runs, floors, puzzles, patterns = taking_turns()
    frame_runs = repeat("frames", frames)
    m = types.SimpleNamespace(
        start=med([r[0] for r in starts]),
        start_cpu=med([r[1] for r in starts]),
        win_drawn=med([r[1] for r in ours_win]),
        floor_drawn=med([r[1] for r in floor_win]),
        pat_drawn=med([r[1] for r in pattern_win]),
        # sgt-pattern's peak at rest where there is one, else that of its window runs.
        pat_mb=med([r[1] / 1024 for r in patterns]) if patterns else med([r[2] / 1024 for r in pattern_win]),
        map_cpu=med([r[0] for r in runs]),
        idle_cpu=med([r[1] for r in runs]),
        mem_mb=med([r[2] / 1024 for r in runs]),
        full_cpu=med([r[3] for r in runs]),
        full_mb=med([r[4] / 1024 for r in runs]),
        puzzle_cpu=med([r[0] for r in puzzles]),
        pat_cpu=med([r[0] for r in patterns]),
        floor_cpu=med([r[0] for r in floors]),
        floor_mb=med([r[1] / 1024 for r in floors]))
    return m, frame_runs


def player_turns():
    """Runs of the player's session (CPU), of it with the frame probe (counts),
    of the floor and of sgt-pattern, in turns."""
    return in_turns([
        ("session", lambda: player_paths.session(BUILD, tempfile.mkdtemp(dir=WORK), env(), False)),
        ("probed session", lambda: player_paths.session(BUILD, tempfile.mkdtemp(dir=WORK), env(), True)),
        ("floor", floor), ("sgt-pattern", lambda: resting([PATTERN], "Pattern"))])


def path_rows(cpu, counted, floors, patterns):
    floor_cpu = med([r[0] for r in floors])
    pattern_cpu = med([r[0] for r in patterns])
    reference = f"floor {fmt(floor_cpu, 1)}; sgt-pattern {fmt(pattern_cpu, 1)}"
    rows = []
    for name, label, kind in player_paths.ROWS + [("session", "session of about two minutes, mean", "session")]:
        ours = med([r[name][0] for r in cpu if name in r])
        factor = {"still": 0.5, "moving": 1.0, "session": 0.75}[kind]
        probed = [r[name][1] for r in counted if name in r and r[name][1] is not None]
        waste = f"{max(c[0] for c in probed)} / {max(c[1] for c in probed)}" if probed else "n/a"
        ok = within(ours, floor_cpu, factor)
        if probed and ok is not None:
            ok = ok and all(c == (0, 0) for c in probed)
        rows.append(row(f"CPU, {label} (% of a core); redundant / missed frames", f"{fmt(ours, 1)}; {waste}",
                        reference, f"<= {limit(floor_cpu, factor)}; 0 / 0", ok))
    return rows


def row(figure, ours, reference, target, ok):
    return (figure, ours, reference, target, verdict(ok))


def within(ours, ref, factor=1.0, extra=0.0):
    return None if ours is None or ref is None else ours <= ref * factor + extra


def limit(ref, factor=1.0, extra=0.0, digits=1):
    return fmt(None if ref is None else ref * factor + extra, digits)


def startup_rows(m):
    return [
        row("start-up to the first map update, loading done (ms)", fmt(m.start),
            f"floor {fmt(None if m.floor_drawn is None else m.floor_drawn + 400)} (400 + floor's window)",
            f"<= {STARTUP_BEFORE_MS} (before drawing only changes)",
            None if m.start is None else m.start <= STARTUP_BEFORE_MS),
        row("CPU time of that start-up, all threads (ms)", fmt(m.start_cpu), "-", "-", None),
        row("start-up to the window drawn (ms)", fmt(m.win_drawn),
            f"floor {fmt(m.floor_drawn)}; sgt-pattern {fmt(m.pat_drawn)}", "-", None),
    ]


def update_rows(updates):
    rows = []
    targets = {"Map": 60, "Board": 30}
    for screen, label in (("Map", "map"), ("Board", "board"), ("PauseMenu", "pause menu"),
                          ("OptionsBox", "options box")):
        v = updates.get(screen)
        t = targets.get(screen)
        rows.append(row(f"CPU per update, {label} (us)", fmt(v, 1), "-", f"<= {t}" if t else "-",
                        None if v is None or t is None else v <= t))
    return rows


def frame_rows(frame_runs):
    rows = []
    caps = {"map": 16, "map-sweep": 16, "board": 8}
    for screen in ("map", "map-sweep", "board", "pause", "options"):
        runs_of = [r[screen] for r in frame_runs]
        if not runs_of:
            rows.append(row(f"draw calls per frame, {screen}", "n/a", "-", "-", None))
            continue
        calls, most = med([r[0] for r in runs_of]), max(r[1] for r in runs_of)
        changes = med([r[2] for r in runs_of])
        over = sum(r[3] for r in runs_of)
        cap = caps.get(screen)
        target = f"<= changes {fmt(changes)}" + (f", <= {cap}" if cap else "")
        ok = over == 0 and (cap is None or most <= cap)
        rows.append(row(f"draw calls per frame, {screen} (median, max)", f"{fmt(calls)}, {most}",
                        f"{over} frames over", target, ok))
    return rows


def resource_rows(m):
    floor_cpu = f"floor {fmt(m.floor_cpu, 1)}"
    return [
        row("peak resident memory at 640 x 480 (MB)", fmt(m.mem_mb, 1),
            f"floor {fmt(m.floor_mb, 1)}; sgt-pattern {fmt(m.pat_mb, 1)}", f"<= {limit(m.floor_mb, extra=40)}",
            within(m.mem_mb, m.floor_mb, extra=40)),
        row("peak resident memory with full screen 1280 x 1024, switch included (MB)", fmt(m.full_mb, 1),
            f"floor {fmt(m.floor_mb, 1)}", f"<= {limit(m.floor_mb, extra=130)}",
            within(m.full_mb, m.floor_mb, extra=130)),
        row("CPU on the map, nothing moving (% of a core)", fmt(m.map_cpu, 1),
            f"{floor_cpu}; sgt-pattern {fmt(m.pat_cpu, 1)}", f"<= {limit(m.floor_cpu, 0.5)}",
            within(m.map_cpu, m.floor_cpu, 0.5)),
        row("CPU in a running puzzle (% of a core)", fmt(m.puzzle_cpu, 1), floor_cpu, f"<= {limit(m.floor_cpu)}",
            within(m.puzzle_cpu, m.floor_cpu)),
        row("CPU on the map at full screen 1280 x 1024 (% of a core)", fmt(m.full_cpu, 1), floor_cpu,
            f"<= {limit(m.floor_cpu)}", within(m.full_cpu, m.floor_cpu)),
        row("CPU while suspended (% of a core)", fmt(m.idle_cpu, 2), "-", "<= 1",
            None if m.idle_cpu is None else m.idle_cpu <= 1),
    ]


def print_report(rows, cpu, load):
    print()
    end = os.getloadavg()
    print(f"machine: {platform.machine()}, {os.cpu_count()} cores, {cpu}; "
          f"load average {load[0]:.2f} {load[1]:.2f} {load[2]:.2f} at the start, "
          f"{end[0]:.2f} {end[1]:.2f} {end[2]:.2f} at the end")
    print(f"medians of {RUNS} runs; CPU and memory over {CPU_WINDOW_S:.0f} s; display {os.environ.get('DISPLAY')}")
    print()
    header = ("figure", "Tilemarch", "reference", "target", "")
    widths = [max(len(str(r[i])) for r in rows + [header]) for i in range(5)]
    for r in [header, tuple("-" * w for w in widths)] + rows:
        print("| " + " | ".join(str(c).ljust(w) for c, w in zip(r, widths)) + " |")


def report(updates):
    load = os.getloadavg()
    cpu = cpu_model()
    m, frame_runs = measure()
    rows = startup_rows(m) + update_rows(updates) + frame_rows(frame_runs) + resource_rows(m) + path_rows(*player_turns())
    print_report(rows, cpu, load)
    missing = [r for r in rows if r[1] == "n/a"]
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main())
