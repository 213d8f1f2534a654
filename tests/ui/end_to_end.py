"""The real program under a real X server: its title and size, a press of
"Berechnen" and the pixels it draws, the message box, and closing during
nested runs with exit status 0. Usage: end_to_end.py KURVIX_BINARY"""
import os
import subprocess
import sys
import time

from Xlib import X, display, protocol

PPCM = 96 / 2.54  # pixels per centimetre at 96 dpi; the plotting area is 528 x 400 pixels at (8, 8)


def xdotool(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True, timeout=10).stdout.split()


def ink_near(window, x, f, rgb=(0, 0, 0)):
    """Whether a pixel within one pixel of where the point (x, f) lands has the colour."""
    left, top = 8 + int((x + 528 / PPCM / 2) * PPCM), 8 + int((400 / PPCM / 2 - f) * PPCM)
    raw = window.get_image(left - 1, top - 1, 3, 3, X.ZPixmap, 0xFFFFFFFF).data
    return rgb in {(raw[i + 2], raw[i + 1], raw[i]) for i in range(0, len(raw), 4)}  # stored as B, G, R, pad


def example(x):
    return 0.25 * x**4 - 2 * x**2 + 2


def run(kurvix):
    wid = xdotool("search", "--sync", "--onlyvisible", "--name", "^Kurvix$")[0]
    press = ["mousemove", "--window", wid, str((5760 + 2295 // 2) // 15), str((6240 + 855 // 2) // 15), "click"]
    x11 = display.Display()
    window = x11.create_resource_object("window", int(wid))
    geometry = window.get_geometry()
    assert (window.get_wm_name(), geometry.width, geometry.height) == ("Kurvix", 547, 534)

    xdotool(*press, "1")
    deadline = time.monotonic() + 10
    while not ink_near(window, 3.0, example(3.0)) and time.monotonic() < deadline:
        time.sleep(0.1)  # until the last visible sample is on screen
    assert ink_near(window, -6.8, 0, (12, 0, 0)) and ink_near(window, 0, -5, (12, 0, 0)), "the cross in colour 12"
    for x in (-2.8, -2, -1, 0.5, 1.3, 2, 2.9):
        assert ink_near(window, x, example(x)), f"the curve at x={x}"
    assert not ink_near(window, 1.5, 3), "ink off the curve"

    numerator = ["mousemove", "--window", wid, str((360 + 127) // 15), str((6600 + 142) // 15), "click", "1"]
    xdotool(*numerator, "key", "ctrl+a", "BackSpace", "type", "NaN")
    xdotool(*press, "1")
    assert xdotool("search", "--sync", "--onlyvisible", "--name", "^Kurvomat$"), "the message box"
    xdotool("key", "Return")
    xdotool(*numerator, "key", "ctrl+a", "BackSpace", "type", "1")

    # Three quick presses nest three runs; the close, as a window manager's
    # close button sends it, arrives while the last one runs.
    xdotool(*press, "--repeat", "3", "--delay", "15", "1")
    close = [x11.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0]
    window.send_event(protocol.event.ClientMessage(window=window, client_type=x11.intern_atom("WM_PROTOCOLS"),
                                                   data=(32, close)))
    x11.flush()
    assert kurvix.wait(timeout=int(os.environ.get("CLOSE_LIMIT_S", "1"))) == 0, f"exit status {kurvix.returncode}"
    print("end-to-end: all checks passed")


read, write = os.pipe()
xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-dpi", "96",
                         "-nolisten", "tcp"], pass_fds=[write], stderr=subprocess.DEVNULL)
os.environ["DISPLAY"] = ":" + os.read(read, 16).decode().strip()
app = subprocess.Popen([sys.argv[1]], env=dict(os.environ, LANG="de_DE.UTF-8", LC_ALL="", LC_NUMERIC=""))
try:
    run(app)
finally:
    app.kill()
    xvfb.terminate()
