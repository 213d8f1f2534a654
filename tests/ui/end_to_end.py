"""The real program as its user and a screen reader meet it: under Xvfb with AT-SPI, a clipboard
manager and a private CUPS; with --wayland a smoke test under Weston's headless backend.
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

# Role and name of each part a screen reader meets, in the window's order.
CONTROLS = [("IMAGE", "Zeichenfläche"), ("PUSH_BUTTON", "Berechnen")] + [
    ("TEXT", f"Term {t}, {part}") for t in (1, 2, 3) for part in ("Zähler", "Nenner", "Exponent")] + [
    ("TEXT", "Konstante")]
ACTIONS = ". Im Kontextmenü: Kopieren, Speichern unter, Drucken, Kurvendiskussion."
MM_PER_POINT = 25.4 / 72


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


def ink_near(window, x, f):
    """Whether a pixel within one pixel of where the point (x, f) in cm lands is black, at 96 dpi;
    the plotting area is 528 x 400 pixels at (8, 8)."""
    left, top = 8 + int(264 + x * 96 / 2.54), 8 + int(200 - f * 96 / 2.54)
    raw = window.get_image(left - 1, top - 1, 3, 3, X.ZPixmap, 0xFFFFFFFF).data
    return (0, 0, 0) in {(raw[i + 2], raw[i + 1], raw[i]) for i in range(0, len(raw), 4)}  # stored as B, G, R, pad


def is_a(accessible, role):
    try:
        return accessible.getRole() == getattr(pyatspi, "ROLE_" + role)  # role names differ between AT-SPI versions
    except GLib.Error:
        return False  # gone while asked


def press(accessible):
    accessible.queryAction().doAction(0)  # "Press", as a screen reader's user presses it


def kurvomat():
    """The program's accessible application and its status line."""
    app = wait_for(lambda: [a for a in pyatspi.Registry.getDesktop(0) if a and a.name == "Kurvomat"], "Kurvomat", 30)[0]
    return app, next(c for c in app[0] if c.name == "Der Kurvix von Velmora")


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


def alert_says(app, text):
    alerts = lambda: [c for c in app if c and is_a(c, "ALERT")]
    alert = wait_for(alerts, "a message box")[0]
    says = text.search if hasattr(text, "search") else lambda name: text in name
    assert alert.name == "Kurvomat" and any(says(name) for name in names_in(alert) if name), names_in(alert)
    press(pyatspi.findDescendant(alert, lambda c: c.name == "OK"))
    wait_for(lambda: not alerts(), "the message box closed")


def true_scale(pdf, page_mm):
    """The page has the size, and the x axis' labels 0 and 5 stand 5 cm apart on it (pdftotext -bbox)."""
    layout = subprocess.run(["pdftotext", "-bbox", pdf, "-"], capture_output=True, text=True, check=True).stdout
    page = [float(v) * MM_PER_POINT for v in re.search(r'<page width="([\d.]+)" height="([\d.]+)"', layout).groups()]
    rows = {}
    for x, y in re.findall(r'<word xMin="([\d.]+)" yMin="([\d.]+)"', layout):
        rows.setdefault(round(float(y)), []).append(float(x))
    labels = sorted(max(rows.values(), key=len))  # the x axis' row
    spacing = (labels[-1] - labels[-6]) * MM_PER_POINT
    assert abs(page[0] - page_mm[0]) < 1 and abs(page[1] - page_mm[1]) < 1 and abs(spacing - 50) < 0.1, (page, spacing)


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


def ended(kurvix, statuses=(0,)):
    assert kurvix.wait(timeout=int(os.environ.get("CLOSE_LIMIT_S", "1"))) in statuses, f"status {kurvix.returncode}"


def run(kurvix):
    app, status = kurvomat()
    controls = list(app[0])
    assert is_a(app[0], "FRAME") and app[0].name == "Kurvix"
    assert all(is_a(c, role) and c.name == name for c, (role, name) in zip(controls, CONTROLS)), [
        (c.getRoleName(), c.name) for c in controls]
    area, button, fields, combo = controls[0], controls[1], controls[2:12], controls[-1]
    assert is_a(combo, "COMBO_BOX") and combo.name == "Maßstab"
    wid = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Kurvix$"],
                         capture_output=True, text=True, timeout=10).stdout.split()[0]
    x11 = display.Display()
    window = x11.create_resource_object("window", int(wid))
    assert (window.get_wm_name(), window.get_geometry().width, window.get_geometry().height) == ("Kurvix", 547, 534)

    names = []
    pyatspi.Registry.registerEventListener(lambda e: names.append(e.source.name), "object:property-change:accessible-name")
    started = time.monotonic()
    press(button)
    wait_for(lambda: "Fertig..." in names, "Fertig...")
    run_ms = (time.monotonic() - started) * 1000
    events = len(names)
    assert events <= run_ms / 4 + 2, f"{events} status line events in {run_ms:.0f} ms"  # frames >= 4 ms
    assert all(re.fullmatch(r"Berechnung: \d+(,\d+)?%|Fertig\.\.\.", name) for name in names), names
    wait_for(lambda: ink_near(window, 2.8, 0.25 * 2.8**4 - 2 * 2.8**2 + 2), "the last visible sample on screen")

    # The discussion's window, opened as a screen reader's user opens it, reads its rows.
    area.queryAction().doAction(3)
    table = pyatspi.findDescendant(dialog(app, "Kurvendiskussion"), lambda c: c and is_a(c, "TABLE"))
    cells = table.queryTable()
    assert [cells.getAccessibleAt(4, column).name for column in range(3)] == ["Hochpunkt", "0", "2"]
    xdotool("key", "Escape")
    xdotool("mousemove", *centre(area), "click", "1", "key", "ctrl+c")
    targets = lambda: subprocess.run(["xclip", "-o", "-selection", "clipboard", "-t", "TARGETS"],
                                     capture_output=True, timeout=10).stdout
    wait_for(lambda: b"image/png" in targets() and b"image/svg+xml" in targets(), "the drawing on the clipboard")
    for name, start in (("Kurve.pdf", b"%PDF"), ("Kurve.svg", b"<?xml"), ("Kurve.png", b"\x89PNG")):
        path = os.path.join(OUT, name)
        xdotool("key", "ctrl+s")
        assert {"Dateiname:", "Speichern", "Abbrechen"} <= names_in(dialog(app, "Speichern unter"))  # in German
        xdotool("type", "--delay", "2", path)
        xdotool("key", "Return")
        wait_for(lambda: os.path.exists(path) and open(path, "rb").read(len(start)) == start, path)
    if PRINTS:
        prints(app, area)

    fields[0].queryEditableText().setTextContents("NaN")
    press(button)
    alert_says(app, "Sie müssen noch eine Funktionsgleichung eingeben.")
    wait_for(lambda: area.description == "Nichts gezeichnet: keine Funktionsgleichung" + ACTIONS, "nothing drawn")
    fields[0].queryEditableText().setTextContents("1")

    # Three quick presses nest three runs; the close box's request arrives while the last one runs.
    xdotool("mousemove", *centre(button), "click", "--repeat", "3", "--delay", "15", "1")
    close = [x11.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0]
    window.send_event(protocol.event.ClientMessage(window=window, client_type=x11.intern_atom("WM_PROTOCOLS"),
                                                   data=(32, close)))
    x11.flush()
    ended(kurvix)
    clipboard_saved()
    print(f"end-to-end: a run of {run_ms:.0f} ms sent {events} status line events")


def prints(app, area):
    """A4 through CUPS at true scale; a queue that refuses the job (CUPS says why in its own words),
    and one that holds it: each said in a box."""
    for refuse, allow, says in ((None, None, None),
                                (["cupsreject"], "cupsaccept", re.compile(r"gedruckt: Der Drucker „Kurvix-PDF“ nimmt sie "
                                                                          r"nicht an \((?!Kurvix-PDF\)).+\)\.$")),
                                (["cupsdisable", "-r", "Papierstau"], "cupsenable", "„Kurvix-PDF“ ist angehalten: Papierstau.")):
        if refuse:
            print_server.admin(PRINTS, *refuse, "Kurvix-PDF")
        since = time.time()
        xdotool("mousemove", *centre(area), "click", "1", "key", "ctrl+p")
        dialog(app, "Drucken")
        xdotool("key", "Return")
        if not refuse:
            true_scale(print_server.printed("Kurve", since), (210, 297))
            continue
        alert_says(app, says)
        print_server.admin(PRINTS, "cancel", "-a", "Kurvix-PDF")
        print_server.admin(PRINTS, allow, "Kurvix-PDF")


def catches_sigterm(pid):
    with open(f"/proc/{pid}/status") as status:
        caught = next(line for line in status if line.startswith("SigCgt:")).split()[1]
    return int(caught, 16) & (1 << (signal.SIGTERM - 1))


def endings(stderr):
    """SIGTERM as soon as the program takes it; twice in a row; and with a dialog opened from inside a run,
    after a copy, in a program whose files may not grow past 2 KiB: a save fails and says so, the run goes on
    after the dialog, and nothing is written after the program was asked to end."""
    small = lambda: resource.setrlimit(resource.RLIMIT_FSIZE, (2048, 2048))
    for way in ("early", "twice", "Speichern unter") + (("Drucken",) if PRINTS else ()):
        kurvix = start([sys.argv[-1]], env=env, stderr=stderr, preexec_fn=small)
        if way == "early":
            wait_for(lambda: catches_sigterm(kurvix.pid), "the SIGTERM handler")
            kurvix.terminate()
            ended(kurvix)
            continue
        app, status = kurvomat()
        if way == "twice":
            kurvix.terminate()
            kurvix.terminate()  # the second ends it at once if the first has not yet
            ended(kurvix, (0, -signal.SIGTERM))
            continue
        wid = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Kurvix$"],
                             capture_output=True, text=True, timeout=10).stdout.split()[0]
        shortcut = "ctrl+s" if way == "Speichern unter" else "ctrl+p"
        kurvix.send_signal(signal.SIGSTOP)  # all reach it at once: the run starts, and its first yield opens the dialog
        xdotool("mousemove", "--window", wid, "460", "444", "click", "1", "key", "ctrl+c", shortcut)
        kurvix.send_signal(signal.SIGCONT)
        dialog(app, way)
        assert status.name.startswith("Berechnung: "), status.name  # the run waits for the dialog
        path = os.path.join(OUT, "klein.pdf")
        if way == "Speichern unter":
            xdotool("type", "--delay", "2", path)
            xdotool("key", "Return")
            alert_says(app, f"„{path}“ wurde nicht gespeichert. Die Datei wäre größer, als hier erlaubt ist.")
            wait_for(lambda: status.name == "Fertig...", "the run going on after the dialog")
            assert not glob.glob(os.path.join(OUT, "klein*")), "a partial file"
            xdotool("key", shortcut)
            dialog(app, way)
        since = time.time()
        kurvix.terminate()  # a session ending while the dialog is open
        ended(kurvix)
        clipboard_saved()
        printed = [f for f in glob.glob(os.path.expanduser("~/PDF/*.pdf")) if os.path.getmtime(f) >= since]
        assert not printed and not os.path.exists(path), "written after the program was asked to end"


def on_wayland(kurvix, log):
    wait_for(lambda: re.search(r'xdg_toplevel[@#]\d+\.set_title\("Kurvix"\)', open(log).read()), "the title Kurvix")
    app, status = kurvomat()
    commits_before, started = open(log).read().count(".commit()"), time.monotonic()
    press(app[0][1])
    wait_for(lambda: status.name == "Fertig...", "Fertig...")
    run_ms, commits = (time.monotonic() - started) * 1000, open(log).read().count(".commit()") - commits_before
    assert commits <= run_ms / 4 + 2, f"{commits} commits in a run of {run_ms:.0f} ms"  # frames >= 4 ms
    kurvix.terminate()  # no input here: ended as a session ends it, it closes its window like the close box
    ended(kurvix)
    print(f"wayland: a run of {run_ms:.0f} ms made {commits} commits")


def start(*args, **kwargs):
    started.append(subprocess.Popen(*args, **kwargs))
    return started[-1]


wayland, started, SAVED = sys.argv[1] == "--wayland", [], {}
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
            endings(stderr)
except BaseException:
    os.system(f"grep -v '^\\[' {log} | tail -30 >&2")  # the program's own messages
    raise
finally:
    for process in reversed(started):
        process.terminate()
