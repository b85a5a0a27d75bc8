#!/usr/bin/env python3
# The receiver table as a screen reader hears it through AT-SPI: the real
# program on an X server, a session bus and an accessibility registry of the
# test's own, read with pyatspi and typed into with xdotool.
# Usage: test_atspi.py PROGRAM. Exit 77: this machine cannot run it.
import importlib.util
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

signal.signal(signal.SIGALRM, lambda *_: sys.exit("FAIL!  no end within 60 s"))
signal.alarm(60)  # never hang a test run; what it started is ended below
missing = [t for t in ("Xvfb", "dbus-daemon", "xdotool", "/usr/libexec/at-spi-bus-launcher") if not shutil.which(t)]
if importlib.util.find_spec("pyatspi") is None:
    missing.append("python3-pyatspi")
if missing:
    print("skipped: not installed: " + ", ".join(missing))
    sys.exit(77)

home = tempfile.mkdtemp()
runtime, config = home + "/runtime", home + "/config/ZorudozaZudizirIvozudiro"
os.makedirs(config)
os.mkdir(runtime, 0o700)
with open(config + "/ZorudozaZudizirIvozudiro.conf", "w") as store:  # row 3 filled, row 4 empty
    store.write("[MaxReceivers]\nReceivers=4\n\n[RX3]\nFrequency=10491.500\nSymbolRate=1500\n"
                "Offset=9750.000\nAntenna=TOP\n")
started, results, heard = [], [], []


def check(what, actual, expected):
    results.append(actual == expected)
    print(("PASS   " if results[-1] else "FAIL!  ") + what
          + ("" if results[-1] else ": heard %r, wanted %r" % (actual, expected)))


def keys(*names):  # what was heard while they were typed: "[un]focused NAME", "[un]selected NAME"
    heard.clear()
    for name in names + ("",):
        if name:
            subprocess.run(["xdotool", "key", name], timeout=10)
        context, end = GLib.MainContext.default(), time.monotonic() + 0.3
        while time.monotonic() < end:
            while context.pending():
                context.iteration(False)
            time.sleep(0.01)
    return list(heard)


def states(obj):
    return {s for s in ("focused", "selected", "showing")
            if obj.getState().contains(getattr(pyatspi, "STATE_" + s.upper()))}


try:
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                             "-noreset"], stdout=subprocess.PIPE)
    started.append(xvfb)
    os.environ.update(DISPLAY=":" + xvfb.stdout.readline().decode().strip(), XDG_RUNTIME_DIR=runtime,
                      XDG_CONFIG_HOME=home + "/config", QT_QPA_PLATFORM="xcb",
                      QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    os.environ.pop("AT_SPI_BUS_ADDRESS", None)
    bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"], stdout=subprocess.PIPE)
    started.append(bus)
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().decode().strip()
    program = subprocess.Popen([sys.argv[1]])
    started.append(program)
    import pyatspi  # reads the bus from the environment set above
    from gi.repository import GLib

    table = None
    while not table:
        if program.poll() is not None:
            sys.exit("FAIL!  the program ended with status %d" % program.returncode)
        time.sleep(0.2)
        apps = [a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == program.pid]
        table = apps and pyatspi.findDescendant(apps[0], lambda o: o.getRole() == pyatspi.ROLE_TABLE)
    window = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Zorudoza"],
                            capture_output=True, text=True, timeout=10).stdout.split()
    subprocess.run(["xdotool", "windowfocus", "--sync", window[0]], timeout=10)
    for kind in ("object:state-changed:focused", "object:state-changed:selected"):
        pyatspi.Registry.registerEventListener(
            lambda e: heard.append(("" if e.detail1 else "un") + e.type.split(":")[-1] + " " + e.source.name),
            kind)
    grid = table.queryTable()
    cell = grid.getAccessibleAt

    check("a cell names its receiver and column", cell(3, 1).name, "Receiver 3, Frequency 10491.500")
    check("an empty cell says so", cell(4, 2).name, "Receiver 4, Symbol Rate, empty")
    column = grid.getColumnHeader(1)
    check("the table gives a cell's headers, shown", (grid.getRowHeader(3).name, column.name, states(column)),
          ("Receiver 3", "Frequency", {"showing"}))
    keys("Down", "Down", "Down", "Right")
    check("Enter on row 3 moves the focus once, to its RX cell",
          [e for e in keys("Return") if e.startswith("focused")], ["focused Receiver 3"])
    check("the marked row is selected, in its cells and the table",
          (states(cell(3, 1)), list(grid.getSelectedRows())), ({"selected", "showing"}, [3]))
    moved = keys("Down", "Return")
    check("moving the mark is told for every cell",
          [sum(e.startswith(w) for e in moved) for w in ("unselected Receiver 3", "selected Receiver 4")], [6, 6])
    check("after Tab the cell that had the focus says it has not",
          ("unfocused Receiver 4" in keys("Tab"), states(cell(4, 0))), (True, {"selected", "showing"}))
finally:
    for process in reversed(started):
        process.kill()
        process.wait(10)
    shutil.rmtree(home, ignore_errors=True)
print("%d passed, %d failed" % (results.count(True), results.count(False)))
sys.exit(0 if results and all(results) else 1)
