"""The paths a player takes through the real game, driven with keys and clicks
(xdotool under X with a window manager), with the game's CPU over fixed
windows and, when the game runs with its frame probe, its redundant and
missed frames over the same windows.

One session, from the launch in an empty directory:
  map at rest; a drag on the map; a cursor move (each 0-10 s, and 2-10 s
  once the camera has settled); a puzzle entered with the
  keyboard (0-10 s and 10-20 s); its pause menu; the options box; back to the
  map; a puzzle entered with clicks, the pointer resting on the board; that
  puzzle solved, through the reveal and the end banner to the map; the first
  tutorial picture. The session's mean CPU covers all of it.
"""
import os
import subprocess
import sys
import threading
import time

TICK = os.sysconf("SC_CLK_TCK")
WINDOW_S = 10.0
# The map is drawn at 640 x 480: the cursor's cell in the middle, the next
# cell a pitch to the right, the board's middle below it.
MIDDLE = (320, 240)
PITCH = 116
BOARD = (320, 350)
RESTING_POINTER = (630, 20)
PUZZLE_RIGHT_OF_HOW_TO = 112

# (key, label, target: "still" at most half the floor, "moving" at most the floor)
ROWS = [
    ("map", "map at rest after start", "still"),
    ("drag", "map, 0-10 s after a drag", "moving"),
    ("drag-settled", "map, 2-10 s after a drag, the camera settled", "still"),
    ("move", "map, 0-10 s after a cursor move", "moving"),
    ("move-settled", "map, 2-10 s after a cursor move, the camera settled", "still"),
    ("puzzle", "puzzle from the keyboard, 0-10 s", "moving"),
    ("puzzle-late", "puzzle from the keyboard, 10-20 s", "moving"),
    ("clicked", "puzzle from clicks, pointer on the board", "moving"),
    ("tutorial", "first tutorial picture", "moving"),
    ("pause", "pause menu", "moving"),
    ("options", "options box", "moving"),
    ("solve", "a solve, reveal and banner back to the map", "moving"),
]


def cpu_ticks(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])


def xdotool(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True, timeout=30).stdout.split()


def key(name, hold=0.06, gap=0.06):
    xdotool("keydown", name)
    time.sleep(hold)
    xdotool("keyup", name)
    time.sleep(gap)


def point(window, x, y):
    xdotool("mousemove", "--window", window, str(x), str(y))


def click(window, x, y):
    point(window, x, y)
    time.sleep(0.05)
    xdotool("mousedown", "1")
    time.sleep(0.08)
    xdotool("mouseup", "1")


def pixel(window, x, y):
    out = subprocess.run(["import", "-silent", "-window", window, "-crop", f"1x1+{x}+{y}", "-depth", "8", "txt:-"],
                         capture_output=True, text=True, timeout=30).stdout
    start = out.find("(", out.find("\n"))
    return tuple(int(float(v)) for v in out[start + 1:out.find(")", start)].split(",")[:3])


def on_map(window):
    r, g, b = pixel(window, 610, 66)
    return b > 100 and b > r + 40


def wait_for(condition, seconds=30):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if condition():
            return True
        time.sleep(0.1)
    return False


class Probe:
    """The game's frame-probe reports, read as they come; the latest counts.
    A missed frame's report (where the pixels differ) goes to stderr with the
    path it came in, as the one clue to what was left out."""

    def __init__(self, stream):
        self.counts = (0, 0)
        self.path = "start"
        threading.Thread(target=self._read, args=(stream,), daemon=True).start()

    def _read(self, stream):
        for line in stream:
            w = line.split()
            if len(w) == 10 and w[:2] == ["frame", "probe:"]:
                self.counts = (int(w[5]), int(w[9]))  # redundant, missed
            elif line.startswith("frame probe: missed"):
                print(f"player paths, {self.path}: {line.strip()}", file=sys.stderr, flush=True)


class Session:
    def __init__(self, build, work, env, probe):
        e = dict(env)
        if probe:
            e["TILEMARCH_FRAME_PROBE"] = "1"
        self.proc = subprocess.Popen([os.path.join(build, "tilemarch")], cwd=work, env=e, stdout=subprocess.DEVNULL,
                                     stderr=subprocess.PIPE if probe else subprocess.DEVNULL, text=True)
        self.probe = Probe(self.proc.stderr) if probe else None
        self.build = build
        self.rows = {}
        self.start = (cpu_ticks(self.proc.pid), time.monotonic())

    def measure(self, name, seconds=WINDOW_S, action=None):
        """CPU % (and probe counts) over `seconds`, or over `action` when given."""
        shots = os.environ.get("TILEMARCH_PATH_SHOTS")
        if shots:
            subprocess.run(["import", "-silent", "-window", self.window, os.path.join(shots, name + ".png")])
        before, t0 = cpu_ticks(self.proc.pid), time.monotonic()
        counts = self.probe.counts if self.probe else None
        if self.probe:
            self.probe.path = name
        if action:
            action()
        else:
            time.sleep(seconds)
        after, t1 = cpu_ticks(self.proc.pid), time.monotonic()
        if self.probe:
            time.sleep(1.2)  # the report of the window's last updates
            now = self.probe.counts
            counts = (now[0] - counts[0], now[1] - counts[1])
            self.probe.path = "after " + name
        self.rows[name] = (100.0 * (after - before) / TICK / (t1 - t0), counts)

    def measure_settling(self, name, settle=2.0):
        """The camera's ease and its rest after it, and both as one window."""
        self.measure(name, settle)
        self.measure(name + "-settled", WINDOW_S - settle)
        (moving, a), (still, b) = self.rows[name], self.rows[name + "-settled"]
        counts = None if a is None else (a[0] + b[0], a[1] + b[1])
        self.rows[name] = ((moving * settle + still * (WINDOW_S - settle)) / WINDOW_S, counts)

    def run(self):
        window = None
        deadline = time.monotonic() + 20
        while not window and time.monotonic() < deadline:
            ids = xdotool("search", "--onlyvisible", "--pid", str(self.proc.pid), "--name", "^Tilemarch$")
            window = ids[-1] if ids else None
            time.sleep(0.1)
        if not window:
            raise RuntimeError("no game window")
        self.window = window
        xdotool("windowactivate", "--sync", window)
        point(window, *RESTING_POINTER)
        if not wait_for(lambda: on_map(window)):
            raise RuntimeError("the map was not drawn")
        time.sleep(3)
        self.measure("map")
        self.drag(window)
        self.measure_settling("drag")
        key("Right")
        self.measure_settling("move")
        key("Return")
        self.measure("puzzle")
        self.measure("puzzle-late")
        key("Escape")
        time.sleep(1)
        self.measure("pause")
        key("Down")
        key("Return")
        time.sleep(1)
        self.measure("options")
        key("Escape")
        time.sleep(1)
        key("Up")
        key("Up")
        key("Return")
        if not wait_for(lambda: on_map(window)):
            raise RuntimeError("quitting the puzzle did not lead to the map")
        time.sleep(2)
        self.enter_by_clicks(window)
        point(window, *BOARD)
        self.measure("clicked")
        point(window, *RESTING_POINTER)
        self.measure("solve", action=lambda: self.solve(window))
        time.sleep(2)
        click(window, MIDDLE[0] - PITCH, MIDDLE[1])
        time.sleep(1.5)
        click(window, *MIDDLE)
        time.sleep(2)
        self.measure("tutorial")
        end = (cpu_ticks(self.proc.pid), time.monotonic())
        self.rows["session"] = (100.0 * (end[0] - self.start[0]) / TICK / (end[1] - self.start[1]), None)
        return self.rows

    def drag(self, window):
        point(window, 360, 300)
        xdotool("mousedown", "1")
        for step in range(1, 11):
            point(window, 360 - 12 * step, 300 - 8 * step)
            time.sleep(0.03)
        xdotool("mouseup", "1")

    def enter_by_clicks(self, window):
        # The cursor is on the puzzle just quit, in the middle: select the
        # How To cell beside it, then the puzzle again, then start it.
        click(window, MIDDLE[0] - PITCH, MIDDLE[1])
        time.sleep(1.5)
        click(window, MIDDLE[0] + PITCH, MIDDLE[1])
        time.sleep(1.5)
        click(window, *MIDDLE)
        time.sleep(1.5)

    def solve(self, window):
        picture = subprocess.run([os.path.join(self.build, "solution_probe"), str(PUZZLE_RIGHT_OF_HOW_TO)],
                                 capture_output=True, text=True, timeout=10).stdout.strip()
        for _ in range(8):
            key("Up")
        for row in range(8):
            for _ in range(8):
                key("Left")
            for col in range(8):
                if picture[8 * row + col] == "1":
                    key("z")
                key("Right")
            key("Down")
        if not wait_for(lambda: on_map(window), 60):
            raise RuntimeError("the solve did not lead back to the map")

    def stop(self):
        self.proc.terminate()
        try:
            self.proc.wait(5)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait()


def session(build, work, env, probe):
    """{row: (CPU %, (redundant, missed) or None)} of one session."""
    s = Session(build, work, env, probe)
    try:
        return s.run()
    finally:
        s.stop()
