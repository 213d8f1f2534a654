"""The real program as its user and a screen reader meet it, under Xvfb and
AT-SPI; with --wayland a smoke test under Weston's headless backend.
Usage: dbus-run-session -- /usr/bin/python3 end_to_end.py [--wayland] KURVIX_BINARY"""
import glob
import os
import re
import resource
import signal
import subprocess
import sys
import tempfile
import threading
import time

from gi.repository import GLib
from Xlib import X, display, protocol

import print_server
import true_scale

TERMS = [f"Term {t}, {part}" for t in (1, 2, 3) for part in ("Zähler", "Nenner", "Exponent")]
# Role, name and text of each part a screen reader meets, in the window's order.
CONTROLS = [("IMAGE", "Zeichenfläche", None), ("PUSH_BUTTON", "Berechnen", None)] \
    + list(zip(["TEXT"] * 10, TERMS + ["Konstante"], ["1", "4", "4", "-2", "1", "2", "2", "1", "0", "0"]))
PPCM = 96 / 2.54  # pixels per centimetre at 96 dpi; the plotting area is 528 x 400 pixels at (8, 8)
ACTIONS = ". Im Kontextmenü: Kopieren, Speichern unter, Drucken."


def wait_for(find, what, seconds=10):
    deadline = time.monotonic() + seconds
    while not (found := find()):
        assert time.monotonic() < deadline, f"no {what} within {seconds} s"
        time.sleep(0.02)
        while GLib.MainContext.default().iteration(False):
            pass  # delivers the accessibility events
    return found


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True, timeout=10)


def centre(accessible):
    extents = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return str(extents.x + extents.width // 2), str(extents.y + extents.height // 2)


def ink_near(window, x, f, rgb=(0, 0, 0)):
    """Whether a pixel within one pixel of where the point (x, f) lands has the colour."""
    left, top = 8 + int((x + 528 / PPCM / 2) * PPCM), 8 + int((400 / PPCM / 2 - f) * PPCM)
    raw = window.get_image(left - 1, top - 1, 3, 3, X.ZPixmap, 0xFFFFFFFF).data
    return rgb in {(raw[i + 2], raw[i + 1], raw[i]) for i in range(0, len(raw), 4)}  # stored as B, G, R, pad


def example(x):
    return 0.25 * x**4 - 2 * x**2 + 2


def is_a(accessible, role):
    return accessible.getRole() == getattr(pyatspi, "ROLE_" + role)  # role names differ between AT-SPI versions


def press(accessible):
    accessible.queryAction().doAction(0)  # "Press", as a screen reader's user presses it


def kurvomat():
    """The program's accessible application and its status label."""
    app = wait_for(lambda: [a for a in pyatspi.Registry.getDesktop(0) if a and a.name == "Kurvomat"], "Kurvomat", 30)[0]
    return app, next(c for c in app[0] if c.name == "Der Kurvix von Velmora")


def run(kurvix):
    app, status = kurvomat()
    controls = list(app[0])
    assert is_a(app[0], "FRAME") and app[0].name == "Kurvix"
    area, button, fields, combo = controls[0], controls[1], controls[2:12], controls[-1]
    seen = [(c.getRole(), c.name, c.queryText().getText(0, -1) if is_a(c, "TEXT") else None) for c in controls[:12]]
    assert seen == [(getattr(pyatspi, "ROLE_" + role), name, text) for role, name, text in CONTROLS], seen
    assert is_a(combo, "COMBO_BOX") and (combo.name, combo.description) == ("Maßstab", "Maßstab: cm, mm oder Zoll")
    assert [c.name for c in combo[0]] == ["cm", "mm", "Zoll"] and combo[1].queryText().getText(0, -1) == "Maßstab"
    assert "Beispielfunktion: (1 / 4 * x ^ 4) - (2 * x ^ 2) + 2" in [c.name for c in controls]

    wid = int(subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Kurvix$"],
                             capture_output=True, text=True, timeout=10).stdout.split()[0])
    x11 = display.Display()
    window = x11.create_resource_object("window", wid)
    geometry = window.get_geometry()
    assert (window.get_wm_name(), geometry.width, geometry.height) == ("Kurvix", 547, 534)

    # Tooltips show in the active window, below right of the pointer: visited from the right, none hides the next.
    xdotool("mousemove", *centre(area), "click", "1")
    for control, tip in reversed(list(zip([combo] + fields, ["Maßstab: cm, mm oder Zoll"] + TERMS + ["Konstante"]))):
        xdotool("mousemove", *centre(control))
        wait_for(lambda: [c for c in app if c and is_a(c, "TOOL_TIP") and c.name == tip], f"tooltip {tip}")

    names = []
    pyatspi.Registry.registerEventListener(lambda e: names.append(e.source.name), "object:property-change:accessible-name")
    started = time.monotonic()
    press(button)
    wait_for(lambda: "Fertig..." in names, "Fertig...")
    run_ms = (time.monotonic() - started) * 1000
    assert 0 < names.count("Fertig...") and len(names) <= run_ms / 4 + 2, f"{len(names)} status line events"  # frames >= 4 ms
    assert all(re.fullmatch(r"Berechnung: \d+(,\d+)?%|Fertig\.\.\.", name) for name in names), names
    assert area.description == "Maßstab cm, 6133 Punkte" + ACTIONS, area.description
    wait_for(lambda: ink_near(window, 3.0, example(3.0)), "the last visible sample on screen")
    assert ink_near(window, -6.8, 0, (12, 0, 0)) and ink_near(window, 0, -5, (12, 0, 0)), "the cross in colour 12"
    for x in (-2.8, -2, -1, 0.5, 1.3, 2, 2.9):
        assert ink_near(window, x, example(x)), f"the curve at x={x}"
    drawing_leaves_the_window(app, area)

    combo[1].queryEditableText().setTextContents("mm")
    assert wait_for(lambda: combo[1].queryText().getText(0, -1) == "mm", "mm") and combo.name == "Maßstab"

    fields[0].queryEditableText().setTextContents("NaN")
    press(button)
    alert = wait_for(lambda: [c for c in app if c and is_a(c, "ALERT")], "message box")[0]
    assert alert.name == "Kurvomat" and "Sie müssen noch eine Funktionsgleichung eingeben." in [c.name for c in alert]
    press(pyatspi.findDescendant(alert, lambda c: c.name == "OK"))
    wait_for(lambda: area.description == "Nichts gezeichnet: keine Funktionsgleichung" + ACTIONS, "nothing plotted")
    fields[0].queryEditableText().setTextContents("1")

    # Floods of presses, as fast as X sends them: runs nest only so deep, and all are done soon after.
    combo[1].queryEditableText().setTextContents("cm")
    for flood in (["click", "--repeat", "3000", "--delay", "1", "1"], ["key", "--repeat", "3000", "--delay", "1", "space"]):
        xdotool("mousemove", *centre(button), "click", "1")  # the button has the focus for Space
        subprocess.run(["xdotool", *flood], check=True, timeout=120)
        wait_for(lambda: status.name == "Fertig...", "Fertig... after a flood of presses", seconds=3)
        assert kurvix.poll() is None and ink_near(window, 2.8, example(2.8)), "the whole curve after the flood"

    # Three quick presses nest three runs; the close box's request arrives while the last one runs.
    xdotool("mousemove", *centre(button), "click", "--repeat", "3", "--delay", "15", "1")
    close = [x11.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0]
    window.send_event(protocol.event.ClientMessage(window=window, client_type=x11.intern_atom("WM_PROTOCOLS"),
                                                   data=(32, close)))
    x11.flush()
    assert kurvix.wait(timeout=int(os.environ.get("CLOSE_LIMIT_S", "1"))) == 0, f"exit status {kurvix.returncode}"
    clipboard_saved()
    print(f"end-to-end: all checks passed; a run of {run_ms:.0f} ms sent {len(names)} status line events")


def clipboard_manager(saved):
    """A desktop's clipboard manager: when a program that owns the clipboard ends, it asks the
    manager to save the clipboard (SAVE_TARGETS), and the manager fetches the PNG and the SVG."""
    x11 = display.Display()
    atom = x11.intern_atom
    window = x11.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
    window.set_selection_owner(atom("CLIPBOARD_MANAGER"), X.CurrentTime)
    x11.flush()
    while True:
        request = x11.next_event()
        if request.type != X.SelectionRequest or request.target != atom("SAVE_TARGETS"):
            continue
        for target in ("image/png", "image/svg+xml"):
            window.convert_selection(atom("CLIPBOARD"), atom(target), atom("KURVIX_SAVED"), X.CurrentTime)
            while x11.next_event().type != X.SelectionNotify:
                pass
            got = window.get_full_property(atom("KURVIX_SAVED"), X.AnyPropertyType)
            saved[target] = got.value if got else b""
        request.requestor.send_event(protocol.event.SelectionNotify(
            time=request.time, requestor=request.requestor, selection=request.selection, target=request.target,
            property=request.property))
        x11.flush()


def clipboard_saved():
    """The clipboard manager holds what the program that just ended had copied."""
    wait_for(lambda: len(SAVED) == 2, "the clipboard saved by its manager")
    assert SAVED.pop("image/png").startswith(b"\x89PNG\r\n\x1a\n") and b"<svg" in SAVED.pop("image/svg+xml")


def clipboard(target):
    return subprocess.run(["xclip", "-o", "-selection", "clipboard", "-t", target], capture_output=True,
                          timeout=10).stdout


def dialog(app, title):
    """The dialog with the title, once it has the keyboard."""
    active = lambda c: c and is_a(c, "DIALOG") and c.name == title and c.getState().contains(pyatspi.STATE_ACTIVE)
    return wait_for(lambda: [c for c in app if active(c)], title)[0]


def names_in(accessible):
    """The names in a dialog, past the rows of its file lists, whose children may vanish while read."""
    names, todo = set(), [accessible]
    while todo:
        node = todo.pop()
        try:
            names.add(node.name)
            if not any(is_a(node, role) for role in ("TABLE", "TREE_TABLE", "TREE", "LIST")):
                todo.extend(child for child in node if child)
        except (AttributeError, TypeError, GLib.Error):
            pass
    return names


def save_through_dialog(app, path):
    xdotool("key", "ctrl+s")
    box = dialog(app, "Speichern unter")
    assert {"Dateiname:", "Speichern", "Abbrechen"} <= names_in(box), names_in(box)  # Qt's dialog in German
    xdotool("type", "--delay", "2", path)
    xdotool("key", "Return")


def drawing_leaves_the_window(app, area):
    """Copy, save and print as a user does, each result measured for true scale."""
    xdotool("key", "ctrl+c")  # the plotting area has the focus
    wait_for(lambda: b"image/svg+xml" in clipboard("TARGETS"), "the drawing on the clipboard")
    for target, dpi in (("image/png", 300), ("image/svg+xml", 254)):
        path = os.path.join(OUT, "clipboard." + target[6:9])
        with open(path, "wb") as copied:
            copied.write(clipboard(target))
        true_scale.check(path, dpi)
    for suffix, dpi in (("pdf", 254), ("svg", 254), ("png", 300)):  # the typed suffix decides the format
        path = os.path.join(OUT, "Kurve." + suffix)
        save_through_dialog(app, path)
        wait_for(lambda: os.path.exists(path), path)
        true_scale.check(path, dpi)
    if not PRINTS:
        return
    since = time.time()
    xdotool("key", "ctrl+p")
    dialog(app, "Drucken")
    xdotool("key", "Return")
    try:
        page = print_server.printed("Kurve", since)
    except AssertionError:
        print(print_server.log(PRINTS), file=sys.stderr)
        raise
    true_scale.check(page, 254, page=(210, 297), page_tolerance=0.2)  # A4
    # A queue that refuses the job (CUPS says why in its own words), and one that holds it: each said in a box.
    for refuse, allow, says in ((["cupsreject"], "cupsaccept", "gedruckt: Der Drucker „Kurvix-PDF“ nimmt sie nicht an ("),
                                (["cupsdisable", "-r", "Papierstau"], "cupsenable", "„Kurvix-PDF“ ist angehalten: Papierstau.")):
        print_server.admin(PRINTS, *refuse, "Kurvix-PDF")
        xdotool("mousemove", *centre(area), "click", "1", "key", "ctrl+p")
        dialog(app, "Drucken")
        xdotool("key", "Return")
        alert_says(app, says)
        print_server.admin(PRINTS, "cancel", "-a", "Kurvix-PDF")
        print_server.admin(PRINTS, allow, "Kurvix-PDF")


def alert_says(app, text):
    alerts = lambda: [c for c in app if c and is_a(c, "ALERT")]
    alert = wait_for(alerts, "a message box")[0]
    assert alert.name == "Kurvomat" and any(text in name for name in names_in(alert) if name), names_in(alert)
    press(pyatspi.findDescendant(alert, lambda c: c.name == "OK"))
    wait_for(lambda: not alerts(), "the message box closed")


def dialogs_during_a_run(stderr):
    """Dialogs opened from inside a run, in a program whose files may not grow past 2 KiB."""
    small = lambda: resource.setrlimit(resource.RLIMIT_FSIZE, (2048, 2048))
    dialogs = [("Speichern unter", "ctrl+s")] + ([("Drucken", "ctrl+p")] if PRINTS else [])
    for title, shortcut in dialogs:
        kurvix = start([sys.argv[-1]], env=env, stderr=stderr, preexec_fn=small)
        app, status = kurvomat()
        wid = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Kurvix$"],
                             capture_output=True, text=True, timeout=10).stdout.split()[0]
        button = [str(c) for c in (460, 444)]
        kurvix.send_signal(signal.SIGSTOP)  # both reach it at once: the run starts, and its first yield opens the dialog
        xdotool("mousemove", "--window", wid, *button, "click", "1", "key", "ctrl+c", shortcut)  # focus is on the window
        kurvix.send_signal(signal.SIGCONT)
        dialog(app, title)
        assert status.name.startswith("Berechnung: "), status.name  # the run waits for the dialog
        path = os.path.join(OUT, "klein.pdf")
        if title == "Speichern unter":
            xdotool("type", "--delay", "2", path)
            xdotool("key", "Return")
            alert_says(app, f"„{path}“ wurde nicht gespeichert. Die Datei wäre größer, als hier erlaubt ist.")
            wait_for(lambda: status.name == "Fertig...", "the run going on after the dialog")
            assert [f for f in os.listdir(OUT) if f.startswith("klein")] == [], "a partial file"
            xdotool("key", shortcut)
            dialog(app, title)
        since = time.time()
        kurvix.terminate()  # a session ending while the dialog is open
        assert kurvix.wait(timeout=int(os.environ.get("CLOSE_LIMIT_S", "1"))) == 0, f"exit status {kurvix.returncode}"
        clipboard_saved()
        printed = [f for f in glob.glob(os.path.expanduser("~/PDF/*.pdf")) if os.path.getmtime(f) >= since]
        assert not printed and not os.path.exists(path), "written after the program was asked to end"


def catches_sigterm(pid):
    with open(f"/proc/{pid}/status") as status:
        caught = next(line for line in status if line.startswith("SigCgt:")).split()[1]
    return int(caught, 16) & (1 << (signal.SIGTERM - 1))


def sigterm_early_and_twice(stderr):
    """SIGTERM as soon as the program can take it, before its window exists; then twice in a row."""
    limit = int(os.environ.get("CLOSE_LIMIT_S", "1"))
    kurvix = start([sys.argv[-1]], env=env, stderr=stderr)
    wait_for(lambda: catches_sigterm(kurvix.pid), "the SIGTERM handler")
    kurvix.terminate()
    assert kurvix.wait(timeout=limit) == 0, f"exit status {kurvix.returncode} after an early SIGTERM"
    kurvix = start([sys.argv[-1]], env=env, stderr=stderr)
    kurvomat()
    kurvix.terminate()
    kurvix.terminate()  # the second ends it at once if the first has not yet
    assert kurvix.wait(timeout=limit) in (0, -signal.SIGTERM), f"exit status {kurvix.returncode}"


def on_wayland(kurvix, log):
    wait_for(lambda: re.search(r'xdg_toplevel[@#]\d+\.set_title\("Kurvix"\)', open(log).read()), "the title Kurvix")
    app, status = kurvomat()
    commits_before, started = open(log).read().count(".commit()"), time.monotonic()
    press(app[0][1])
    wait_for(lambda: status.name == "Fertig...", "Fertig...")
    run_ms, commits = (time.monotonic() - started) * 1000, open(log).read().count(".commit()") - commits_before
    assert commits <= run_ms / 4 + 2, f"{commits} commits in a run of {run_ms:.0f} ms"  # frames >= 4 ms
    kurvix.terminate()  # no input here: ended as a session ends it, it closes its window like the close box
    assert kurvix.wait(timeout=int(os.environ.get("CLOSE_LIMIT_S", "1"))) == 0, f"exit status {kurvix.returncode}"
    print(f"wayland: all checks passed; a run of {run_ms:.0f} ms made {commits} commits")


def start(*args, **kwargs):
    started.append(subprocess.Popen(*args, **kwargs))
    return started[-1]


wayland, started = sys.argv[1] == "--wayland", []
OUT = tempfile.mkdtemp()
env = dict(os.environ, LANG="de_DE.UTF-8", LC_ALL="", LC_NUMERIC="", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
log = os.path.join(tempfile.mkdtemp(), "stderr")
try:
    if wayland:
        env.update(XDG_RUNTIME_DIR=tempfile.mkdtemp(), WAYLAND_DISPLAY="kurvix-test", QT_QPA_PLATFORM="wayland",
                   WAYLAND_DEBUG="1")
        start(["weston", "--backend=headless-backend.so", "--socket=kurvix-test", "--idle-time=0"], env=env,
              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for(lambda: os.path.exists(os.path.join(env["XDG_RUNTIME_DIR"], "kurvix-test")), "Weston")
    else:
        read, write = os.pipe()
        start(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-dpi", "96", "-nolisten", "tcp"],
              pass_fds=[write], stderr=subprocess.DEVNULL)
        os.environ["DISPLAY"] = env["DISPLAY"] = ":" + os.read(read, 16).decode().strip()
        SAVED = {}
        threading.Thread(target=clipboard_manager, args=(SAVED,), daemon=True).start()
    start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
    owner = ["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus", "/org/freedesktop/DBus",
             "org.freedesktop.DBus.NameHasOwner", "string:org.a11y.Bus"]
    wait_for(lambda: "true" in subprocess.run(owner, capture_output=True, text=True).stdout, "the AT-SPI bus")
    import pyatspi  # connects to the accessibility bus just started

    assert pyatspi.Registry.getDesktop(0).childCount == 0  # the registry runs before the program looks for it
    PRINTS = None
    if not wayland and print_server.can_start():
        PRINTS, env["CUPS_SERVER"] = print_server.start(started)
    elif not wayland:
        print("end-to-end: printing not checked: the print server runs as root (root, or sudo without a password)")
    with open(log, "w") as stderr:
        kurvix = start([sys.argv[-1]], env=env, stderr=stderr)
        on_wayland(kurvix, log) if wayland else run(kurvix)
        if not wayland:
            dialogs_during_a_run(stderr)
            sigterm_early_and_twice(stderr)
except BaseException:
    os.system(f"grep -v '^\\[' {log} | tail -30 >&2")  # the program's own messages
    raise
finally:
    for process in reversed(started):
        process.terminate()
