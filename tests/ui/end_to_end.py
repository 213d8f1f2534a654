"""The real program as its user and a screen reader meet it: under Xvfb with AT-SPI, a clipboard manager and a
private CUPS; with --wayland, under Weston's headless backend. Only what needs the real program is checked here.
On failure it prints why, with the program's own messages; it always ends the program and the servers first, then
its clipboard manager, then the display. Usage: dbus-run-session -- /usr/bin/python3 end_to_end.py [--wayland] KURVIX"""
import contextlib, glob, os, re, select, subprocess, sys, tempfile, threading, time

from gi.repository import GLib
from Xlib import X, display, protocol

CONTROLS = ([("image", "Zeichenfläche"), ("push button", "Berechnen")] + [("text", f"Term {t}, {part}") for t in
            "123" for part in ("Zähler", "Nenner", "Exponent")] + [("text", "Konstante")] + [("label", sign) for sign in
            "x/+/x+/x+"] + [("label", "Beispielfunktion: (1 / 4 * x ^ 4) - (2 * x ^ 2) + 2"),
            ("label", "Der Kurvix von Velmora"), ("combo box", "Maßstab")])


def wait_for(find, what, seconds=15):
    deadline = time.monotonic() + seconds
    while not (found := find()):
        assert time.monotonic() < deadline, f"no {what} within {seconds} s"
        GLib.MainContext.default().iteration(False) or time.sleep(0.01)  # delivers the accessibility events
    return found


def start(command, **options):
    started.append(subprocess.Popen(command, env=env, **options))
    return started[-1]


def run(*command, check=True):
    return subprocess.run(command, env=env, check=check, capture_output=True, text=True, timeout=30).stdout


def kurvix():
    """The program started anew, and its window as a screen reader finds it."""
    program = start([sys.argv[-1]], stderr=log)
    mine = lambda: [app for app in pyatspi.Registry.getDesktop(0)
                    if app and app.get_process_id() == program.pid and app.childCount]
    return program, wait_for(mine, "the window Kurvix")[0][0]


def clipboard_manager(stop):
    """A desktop's clipboard manager: a program that owns the clipboard asks it, when ending, to save the
    clipboard (SAVE_TARGETS); it fetches the PNG and the SVG. Ends when stop becomes readable, wherever it waits."""
    x11 = display.Display()
    atom, window = x11.intern_atom, x11.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
    window.set_selection_owner(atom("CLIPBOARD_MANAGER"), X.CurrentTime)

    def events(kind):
        while x11.flush() or x11.pending_events() or stop not in select.select([x11, stop], [], [])[0]:
            while x11.pending_events():
                if (event := x11.next_event()).type == kind:
                    yield event

    for request in (r for r in events(X.SelectionRequest) if r.target == atom("SAVE_TARGETS")):
        for target in ("image/png", "image/svg+xml"):
            window.convert_selection(atom("CLIPBOARD"), atom(target), atom("SAVED"), X.CurrentTime)
            next(events(X.SelectionNotify), None)
            SAVED.append(window.get_full_property(atom("SAVED"), X.AnyPropertyType).value)
        request.requestor.send_event(protocol.event.SelectionNotify(time=request.time, requestor=request.requestor,
                                     selection=request.selection, target=request.target, property=request.property))
    x11.close()


def start_cups():
    """A CUPS of its own with the PDF printer Kurvix-PDF on A4; as root, since cups-pdf writes as the job's user."""
    root = f"{TMP.name}/cups"
    for sub, mode in (("", 0o755), ("spool", 0o700), ("cache", 0o700), ("state", 0o700), ("tmp", 0o1777)):
        os.makedirs(f"{root}/{sub}", exist_ok=True)
        os.chmod(f"{root}/{sub}", mode)  # the filters run as lp
    open(f"{root}/cupsd.conf", "w").write(f"Listen {root}/cups.sock\n"
                                          "<Policy default>\n<Limit All>\n</Limit>\n</Policy>\n")
    open(f"{root}/cups-files.conf", "w").write("".join(f"{key} {root}/{sub}\n" for key, sub in (
        ("ServerRoot", ""), ("RequestRoot", "spool"), ("CacheDir", "cache"), ("StateDir", "state"), ("TempDir", "tmp"),
        ("ErrorLog", "log"))))
    env.update(CUPS_SERVER=f"{root}/cups.sock", PATH=env["PATH"] + ":/usr/sbin", PRINTER="Kurvix-PDF")
    start(["cupsd", "-f", "-c", f"{root}/cupsd.conf", "-s", f"{root}/cups-files.conf"])
    wait_for(lambda: os.path.exists(env["CUPS_SERVER"]), "the print server")
    run("lpadmin", "-p", "Kurvix-PDF", "-E", "-v", "cups-pdf:/", "-o", "PageSize=A4", "-P",
        "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd")
    return root


def printed_at_true_scale(since):
    """The page CUPS made is A4, and the x axis' labels 0 and 5 stand 5 cm apart on it."""
    page = lambda: not run("lpstat", "-o") and [p for p in glob.glob(os.path.expanduser("~/PDF/Kurve*.pdf"))
                                                if os.path.getmtime(p) >= since]
    printed = wait_for(page, "the printed page", 60)[0]
    layout, mm, rows = run("pdftotext", "-bbox", printed, "-"), 25.4 / 72, {}
    os.remove(printed)
    size = [float(v) * mm for v in re.search(r'<page width="([\d.]+)" height="([\d.]+)"', layout).groups()]
    for x, y in re.findall(r'<word xMin="([\d.]+)" yMin="([\d.]+)"', layout):  # the printer's fonts hold no digits:
        rows.setdefault(round(float(y)), []).append(float(x))  # the x axis' labels are the longest row of words
    axis = sorted(max(rows.values(), key=len))  # -5 .. 5
    five_cm = (axis[-1] - axis[-6]) * mm
    assert abs(size[0] - 210) < 1 and abs(size[1] - 297) < 1 and abs(five_cm - 50) < 0.1, (size, five_cm)


def check():
    program, window = kurvix()
    parts = [(part.getRoleName(), part.name) for part in window]
    assert wayland or (window.getRoleName(), window.name, parts) == ("frame", "Kurvix", CONTROLS), parts
    names.clear()
    started_at = time.monotonic() + 0.1  # the press action clicks after Qt's animation of 100 ms
    window[1].queryAction().doAction(0)  # "Berechnen", as a screen reader's user presses it
    wait_for(lambda: "Fertig..." in names, "Fertig...")
    run_ms, changes = (time.monotonic() - started_at) * 1000, len(names)
    assert window[0].description.startswith("Maßstab cm, 6133 Punkte. Nullstellen bei -2,61; -1,08"), window[0].description
    assert changes <= run_ms / 4 + 2, f"{changes} status line changes in {run_ms:.0f} ms"  # frames >= 4 ms
    if wayland:
        program.terminate()  # no input here: ended as a session ends it
        assert program.wait(CLOSE_LIMIT_S) == 0, f"status {program.returncode} after SIGTERM"
        return
    dialog = lambda title: lambda: [c for c in window.parent if c and c.name == title and c.getRoleName() == "dialog"
                                    and c.getState().contains(pyatspi.STATE_ACTIVE)]  # once it has the keyboard
    window[0].queryAction().doAction(1)  # "Speichern unter…"
    save = wait_for(dialog("Speichern unter"), "the save dialog")[0]
    assert ("label", "Dateiname:") in [(c.getRoleName(), c.name) for c in save]  # in German
    saved = f"{TMP.name}/Kurve.pdf"
    run("xdotool", "type", "--delay", "2", saved)
    run("xdotool", "key", "Return")
    wait_for(lambda: os.path.exists(saved) and open(saved, "rb").read(4) == b"%PDF", saved)
    if cups:
        since = time.time()
        window[0].queryAction().doAction(2)  # "Drucken…"
        wait_for(dialog("Drucken"), "the print dialog")
        run("xdotool", "key", "Return")
        printed_at_true_scale(since)
    for ending in ("the close box", "SIGTERM"):
        window[0].queryAction().doAction(0)  # "Kopieren"
        wait_for(lambda: "image/svg+xml" in run("xclip", "-o", "-selection", "clipboard", "-t", "TARGETS", check=False),
                 "a copy")  # xclip fails until the program owns the clipboard
        if ending == "SIGTERM":
            program.terminate()
        else:
            wid = x11.create_resource_object("window", int(run("xdotool", "search", "--name", "^Kurvix$").split()[0]))
            wid.send_event(protocol.event.ClientMessage(window=wid, client_type=x11.intern_atom("WM_PROTOCOLS"), data=(
                32, [x11.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0])))
            x11.flush()
        assert program.wait(CLOSE_LIMIT_S) == 0, f"status {program.returncode} after {ending}"
        wait_for(lambda: len(SAVED) == 2, "the clipboard with its manager after " + ending)
        png, svg = SAVED.pop(0), SAVED.pop(0)  # after the close box, what the run drew: labels and all
        assert png[:5] == b"\x89PNG\r" and svg[:5] == b"<?xml" and (ending == "SIGTERM" or b"</text>" in svg), svg
        program, window = kurvix() if ending == "the close box" else (program, window)


wayland, started, names, SAVED, cups = sys.argv[1] == "--wayland", [], [], [], None
CLOSE_LIMIT_S = int(os.environ.get("CLOSE_LIMIT_S", "1"))  # longer where sanitizers slow the ending
env = dict(os.environ, LANG="de_DE.UTF-8", LC_ALL="", LC_NUMERIC="", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
TMP = tempfile.TemporaryDirectory()  # the program's messages, the print server, the saved file, Weston; gone at exit
os.chmod(TMP.name, 0o755)  # the print filters run as lp
log = open(f"{TMP.name}/stderr", "w+")
stop_manager, stop = os.pipe()
manager = threading.Thread(target=clipboard_manager, args=(stop_manager,))
try:
    if wayland:
        os.mkdir(f"{TMP.name}/run", 0o700)
        env.update(XDG_RUNTIME_DIR=f"{TMP.name}/run", WAYLAND_DISPLAY="kurvix-test", QT_QPA_PLATFORM="wayland")
        start(["weston", "--backend=headless-backend.so", "--socket=kurvix-test", "--idle-time=0"],
              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for(lambda: os.path.exists(f"{env['XDG_RUNTIME_DIR']}/kurvix-test"), "Weston")
    else:
        read, write = os.pipe()
        start(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"], pass_fds=[write],
              stderr=subprocess.DEVNULL)
        os.close(write)  # so that the read ends if Xvfb does
        env["DISPLAY"] = os.environ["DISPLAY"] = ":" + os.read(read, 16).decode().strip()
        assert env["DISPLAY"] != ":", "Xvfb did not start"
        x11 = display.Display()
        manager.start()
        cups = os.geteuid() == 0 and start_cups()
        cups or print("end-to-end: printing not checked: the print server runs as root")
    start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
    wait_for(lambda: "true" in run("dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
             "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", "string:org.a11y.Bus"), "the AT-SPI bus")
    import pyatspi  # connects to the accessibility bus just started

    pyatspi.Registry.registerEventListener(lambda event: names.append(event.source.name),
                                           "object:property-change:accessible-name")
    check()
except BaseException:
    log.seek(0)
    print("".join(line for line in log if not line.startswith("["))[-3000:], file=sys.stderr)  # the program's own
    cups and print(open(f"{cups}/log").read()[-2000:], file=sys.stderr)
    raise
finally:
    for process in reversed(started):
        if process is started[0]:
            os.write(stop, b"x")
            manager.is_alive() and manager.join(10)
        process.terminate()
        with contextlib.suppress(subprocess.TimeoutExpired):
            process.wait(10)
        process.kill()  # nothing where it has ended
