"""A private CUPS scheduler on its own socket with one PDF printer (cups-pdf),
so that a print job can be sent from the program's print dialog and the page
that comes out measured. cups-pdf writes as the job's user, so the scheduler
runs as root: started by root, or through sudo where it asks no password."""
import glob
import os
import shutil
import subprocess
import tempfile
import time

CUPSD_CONF = """Listen {socket}
LogLevel warn
WebInterface No
Browsing No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
"""
FILES_CONF = """ServerRoot {root}
RequestRoot {root}/spool
CacheDir {root}/cache
StateDir {root}/state
TempDir {root}/tmp
AccessLog {root}/access_log
ErrorLog {root}/error_log
PageLog {root}/page_log
Sandboxing Relaxed
"""


def can_start():
    """Whether the scheduler can run as root here: as root, or through sudo without a password."""
    return os.geteuid() == 0 or (shutil.which("sudo") is not None and
                                 subprocess.run(["sudo", "-n", "true"], capture_output=True).returncode == 0)


def start(processes):
    """Starts cupsd in a folder of its own with the default printer Kurvix-PDF on A4;
    returns the folder and the socket."""
    root = tempfile.mkdtemp()  # the filters run as lp and must reach into it
    for sub in ("spool", "cache", "state", "tmp"):
        os.makedirs(os.path.join(root, sub))
    os.chmod(root, 0o755)
    os.chmod(os.path.join(root, "tmp"), 0o1777)
    socket = os.path.join(root, "cups.sock")
    with open(os.path.join(root, "cupsd.conf"), "w") as conf:
        conf.write(CUPSD_CONF.format(socket=socket))
    with open(os.path.join(root, "cups-files.conf"), "w") as conf:
        conf.write(FILES_CONF.format(root=root))
    as_root = [] if os.geteuid() == 0 else ["sudo", "-n"]
    processes.append(subprocess.Popen(as_root + ["cupsd", "-f", "-c", f"{root}/cupsd.conf", "-s", f"{root}/cups-files.conf"],
                                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
    for _ in range(200):
        if b"scheduler is running" in admin(root, "lpstat", "-r", check=False).stdout:
            break
        time.sleep(0.05)
    admin(root, "lpadmin", "-p", "Kurvix-PDF", "-E", "-v", "cups-pdf:/", "-o", "PageSize=A4",
          "-P", "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd")
    admin(root, "lpadmin", "-d", "Kurvix-PDF")
    return root, socket


def admin(root, *command, check=True):
    """A CUPS command (lpadmin, cupsreject, cancel ...) on the scheduler in root."""
    # They are in /usr/sbin, which a user's PATH may lack.
    env = dict(os.environ, CUPS_SERVER=os.path.join(root, "cups.sock"),
               PATH=os.environ.get("PATH", "/usr/bin") + ":/usr/sbin:/sbin")
    return subprocess.run(command, env=env, check=check, capture_output=True)


def printed(title, since, seconds=60):
    """The PDF that cups-pdf made of the job with the title, newer than since."""
    deadline = time.time() + seconds
    while time.time() < deadline:
        found = [f for f in glob.glob(os.path.expanduser(f"~/PDF/{title}*.pdf")) if os.path.getmtime(f) >= since]
        if found and time.time() - os.path.getmtime(found[0]) > 0.5:  # written completely
            return found[0]
        time.sleep(0.2)
    raise AssertionError(f"no printed page {title} within {seconds} s")


def log(root):
    with open(os.path.join(root, "error_log"), errors="replace") as errors:
        return errors.read()[-3000:]
