#!/usr/bin/env python3
"""Time from starting a program to its first top-level window being mapped
on the X display in DISPLAY. Usage: startup_time.py RUNS PROGRAM
Prints each run in ms, then the median."""
import ctypes
import ctypes.util
import statistics
import subprocess
import sys
import time

xlib = ctypes.CDLL(ctypes.util.find_library("X11"))
xlib.XOpenDisplay.restype = ctypes.c_void_p
xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
xlib.XDefaultRootWindow.restype = ctypes.c_ulong
xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
xlib.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
xlib.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
xlib.XPending.argtypes = [ctypes.c_void_p]
xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]

SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
MAP_NOTIFY = 19


def one_run(program, display):
    root = xlib.XDefaultRootWindow(display)
    xlib.XSelectInput(display, root, SUBSTRUCTURE_NOTIFY_MASK)
    xlib.XSync(display, 1)
    event = (ctypes.c_long * 24)()
    start = time.perf_counter()
    proc = subprocess.Popen([program], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        while True:
            if proc.poll() is not None:
                sys.exit(f"{program} exited before showing a window")
            if xlib.XPending(display):
                xlib.XNextEvent(display, event)
                if ctypes.cast(event, ctypes.POINTER(ctypes.c_int))[0] == MAP_NOTIFY:
                    return (time.perf_counter() - start) * 1000
            else:
                time.sleep(0.0005)
            if time.perf_counter() - start > 30:
                sys.exit("no window within 30 s")
    finally:
        proc.terminate()
        proc.wait()


def main():
    runs, program = int(sys.argv[1]), sys.argv[2]
    display = xlib.XOpenDisplay(None)
    if not display:
        sys.exit("cannot open display")
    times = [one_run(program, display) for _ in range(runs)]
    print("start-up to mapped window, ms:", " ".join(f"{t:.1f}" for t in times))
    print(f"median: {statistics.median(times):.1f} ms")


main()
