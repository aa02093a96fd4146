#!/usr/bin/env python3
"""Measures the built game as a player's machine runs it and prints one table
of medians of repeated runs, with the machine and its load.

    tools/measure-game.py BUILD_DIR [BENCH_JSON...]

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
  of the game on the map, of the game while its window is inactive, and of the
  stack's floor (BUILD/floor_probe: a bare GLFW window with OpenGL and OpenAL
  clearing 60 times a second); sgt-pattern's peak memory.
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

RUNS = 5
CPU_WINDOW_S = 10.0
SETTLE_S = 3.0
PATTERN = "/usr/games/sgt-pattern"
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
        ids = xdotool("search", *(["--pid", str(pid)] if pid else []), "--name", f"^{title}$")
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
    """CPU % on the map, CPU % while inactive, peak kB over the whole run."""
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
        return active, inactive, peak_kb(game.pid)
    finally:
        if other:
            stop(other)
        stop(game)


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
    if len(result) != 4:
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
    BUILD = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build")
    SOURCE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    WORK = tempfile.mkdtemp(prefix="tilemarch-measure-")
    try:
        return report(update_medians(sys.argv[2:]))
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


def report(updates):
    load = os.getloadavg()
    cpu = ""
    with open("/proc/cpuinfo") as f:
        for line in f:
            if line.startswith("model name"):
                cpu = line.split(":", 1)[1].strip()
                break

    starts = repeat("start-up", startup_ms)
    start = med([r[0] for r in starts])
    start_cpu = med([r[1] for r in starts])
    ours_win = repeat("window", lambda: window_times("Tilemarch", 0, [os.path.join(BUILD, "tilemarch")]))
    floor_win = repeat("floor window", lambda: window_times("Floor", 0, [os.path.join(BUILD, "floor_probe")]))
    pattern_win = repeat("sgt-pattern", lambda: window_times("Pattern", 2000, [PATTERN])) if os.path.exists(PATTERN) else []
    runs = repeat("game", game_on_map)
    floors = repeat("floor", floor)
    frame_runs = repeat("frames", frames)

    win_drawn = med([r[1] for r in ours_win])
    floor_drawn = med([r[1] for r in floor_win])
    pat_drawn = med([r[1] for r in pattern_win])
    pat_mb = med([r[2] / 1024 for r in pattern_win])
    map_cpu = med([r[0] for r in runs])
    idle_cpu = med([r[1] for r in runs])
    mem_mb = med([r[2] / 1024 for r in runs])
    floor_cpu = med([r[0] for r in floors])
    floor_mb = med([r[1] / 1024 for r in floors])

    rows = []

    def row(figure, ours, reference, target, ok):
        rows.append((figure, ours, reference, target, verdict(ok)))

    row("start-up to the first map update, loading done (ms)", fmt(start),
        f"floor {fmt(None if floor_drawn is None else floor_drawn + 400)} (400 + floor's window)", "<= 600",
        None if start is None else start <= 600)
    row("CPU time of that start-up, all threads (ms)", fmt(start_cpu), "-", "-", None)
    row("start-up to the window drawn (ms)", fmt(win_drawn),
        f"floor {fmt(floor_drawn)}; sgt-pattern {fmt(pat_drawn)}", "-", None)
    targets = {"Map": 60, "Board": 30}
    for screen, label in (("Map", "map"), ("Board", "board"), ("PauseMenu", "pause menu"),
                          ("OptionsBox", "options box")):
        v = updates.get(screen)
        t = targets.get(screen)
        row(f"CPU per update, {label} (us)", fmt(v, 1), "-", f"<= {t}" if t else "-",
            None if v is None or t is None else v <= t)
    caps = {"map": 16, "board": 8}
    for screen in ("map", "board", "pause", "options"):
        runs_of = [r[screen] for r in frame_runs]
        if not runs_of:
            row(f"draw calls per frame, {screen}", "n/a", "-", "-", None)
            continue
        calls, most = med([r[0] for r in runs_of]), max(r[1] for r in runs_of)
        limit = med([r[2] for r in runs_of])
        over = sum(r[3] for r in runs_of)
        cap = caps.get(screen)
        target = f"<= changes {fmt(limit)}" + (f", <= {cap}" if cap else "")
        ok = over == 0 and (cap is None or most <= cap)
        row(f"draw calls per frame, {screen} (median, max)", f"{fmt(calls)}, {most}", f"{over} frames over",
            target, ok)
    row("peak resident memory at 640 x 480 (MB)", fmt(mem_mb, 1),
        f"floor {fmt(floor_mb, 1)}; sgt-pattern {fmt(pat_mb, 1)}",
        f"<= {fmt(None if floor_mb is None else floor_mb + 80, 1)}",
        None if mem_mb is None or floor_mb is None else mem_mb <= floor_mb + 80)
    row("CPU on the map (% of a core)", fmt(map_cpu, 1), f"floor {fmt(floor_cpu, 1)}",
        f"<= {fmt(None if floor_cpu is None else 4 * floor_cpu, 1)}",
        None if map_cpu is None or floor_cpu is None else map_cpu <= 4 * floor_cpu)
    row("CPU while suspended (% of a core)", fmt(idle_cpu, 2), "-", "<= 1", None if idle_cpu is None else idle_cpu <= 1)

    print()
    print(f"machine: {platform.machine()}, {os.cpu_count()} cores, {cpu}; "
          f"load average {load[0]:.2f} {load[1]:.2f} {load[2]:.2f} at the start")
    print(f"medians of {RUNS} runs; CPU and memory over {CPU_WINDOW_S:.0f} s; display {os.environ.get('DISPLAY')}")
    print()
    header = ("figure", "Tilemarch", "reference", "target", "")
    widths = [max(len(str(r[i])) for r in rows + [header]) for i in range(5)]
    for r in [header, tuple("-" * w for w in widths)] + rows:
        print("| " + " | ".join(str(c).ljust(w) for c, w in zip(r, widths)) + " |")
    missing = [r for r in rows if r[1] == "n/a"]
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main())
