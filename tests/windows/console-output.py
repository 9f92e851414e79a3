#!/usr/bin/env python3
"""zelko6-cli.exe in a Windows console and through pipes: its texts, Japanese included, its exit
codes, and Ctrl-C.

In a console (Wine's, on a pseudo-terminal) whose code page is 932, as on a Japanese Windows, the
Japanese texts must come out as themselves. A control shows that the check can fail: the same
text as UTF-8 bytes, typed into that console, comes out garbled. Through pipes, the bytes and the
exit code must be the Linux program's own. Ctrl-C while the program waits for the board on COM3
(the board simulator on a pseudo-terminal) ends it with exit code 130 and leaves the port closed:
the next start opens it again.

Usage: console-output.py LINUX_BUILD WINDOWS_BUILD WORK   (WINEPREFIX: the run's scratch prefix)
"""
import os
import pty
import select
import signal
import subprocess
import sys
import time

root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
wine = os.path.join(root, "scripts", "windows", "wine.sh")
linux_build, windows_build, work = sys.argv[1:4]
os.makedirs(work, exist_ok=True)
env = dict(os.environ, LANG="C.UTF-8")
failures = []


def check(ok, what):
    print(("ok:     " if ok else "FAILED: ") + what)
    if not ok:
        failures.append(what)


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def in_console(arguments, interrupt_when=None):
    """Runs a Windows program on a pseudo-terminal, which Wine makes its console: what the console
    showed, and the exit code. `interrupt_when`: a test that, once true, has Ctrl-C typed."""
    pid, fd = pty.fork()
    if pid == 0:
        os.execve(wine, [wine] + arguments, env)
    shown = b""
    deadline = time.monotonic() + 120
    while time.monotonic() < deadline:
        if interrupt_when and interrupt_when():
            os.write(fd, b"\x03")
            interrupt_when = None
        ready, _, _ = select.select([fd], [], [], 0.1)
        if not ready:
            continue
        try:
            data = os.read(fd, 4096)
        except OSError:  # the terminal's other side has gone
            break
        if not data:
            break
        shown += data
    else:
        os.kill(pid, signal.SIGKILL)  # hung: said below as an exit code of -9
    _, status = os.waitpid(pid, 0)
    return shown.decode("utf-8", "replace"), os.waitstatus_to_exitcode(status)


cli = windows_path(os.path.join(windows_build, "zelko6-cli.exe"))
unplugged = "COM9 : ライター未接続"
not_found = "プログラマ接続確認エラー。ポートが見つかりません: COM9"
sample = os.path.join(work, "utf8.txt")
with open(sample, "w", encoding="utf-8") as f:
    f.write(unplugged + "\n")

shown, code = in_console(["cmd", "/c", f"chcp 932 & type {windows_path(sample)} & {cli} --lang ja identify --port 9"])
check("Active code page: 932" in shown, "the console runs with code page 932")
check(shown.count(unplugged) == 1, "UTF-8 bytes typed into that console are garbled (the control)")
check(not_found in shown, "zelko6-cli.exe shows its Japanese texts in the console as themselves")
check(code == 2, f"no board on the port ends with exit code 2 (got {code})")

# Through pipes: the same command on both systems, the same bytes and the same exit code. A file
# with a wrong checksum: the text is the program's own, with no words of the system in it.
with open(os.path.join(work, "bad.hex"), "wb") as f:
    f.write(b":0100000041BF\r\n:00000001FF\r\n")
arguments = ["--lang", "ja", "convert", "bad.hex", "out.bin", "--size", "256"]
ours = subprocess.run([wine, os.path.join(windows_build, "zelko6-cli.exe")] + arguments, cwd=work, env=env,
                      capture_output=True)
theirs = subprocess.run([os.path.join(linux_build, "zelko6-cli")] + arguments, cwd=work, env=env,
                        capture_output=True)
check("1行目のチェックサムが合いません" in ours.stderr.decode("utf-8", "replace"),
      "the piped text names the damage in Japanese")
check(ours.stderr == theirs.stderr and ours.stdout == theirs.stdout,
      "piped, the Windows program writes the Linux program's bytes (UTF-8, \\n line ends)")
check(ours.returncode == theirs.returncode == 4,
      f"a damaged file ends with exit code 4 on both ({ours.returncode}, {theirs.returncode})")

# Ctrl-C while the connection check waits for the board's answer.
board_log = os.path.join(work, "board.log")
board = subprocess.Popen([os.path.join(linux_build, "tools", "zelko6-boardsim"), "--link",
                          os.path.join(work, "board"), "--log", board_log, "--silent"],
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
try:
    for _ in range(100):
        if os.path.exists(os.path.join(work, "board")):
            break
        time.sleep(0.1)
    device = os.readlink(os.path.join(work, "board"))
    subprocess.run(["bash", "-c", f'. "{root}/scripts/windows/common.sh" && map_com_port 3 "{device}"'], check=True)


    def commands_heard():
        # The log has a line per run of bytes in one direction: a silent board's log is one line
        # of the program's bytes, so the identification requests (0x3F) are counted one by one.
        with open(board_log, encoding="ascii") as f:
            return sum(line.split()[1:].count("3F") for line in f if line.startswith("PC:"))


    shown, code = in_console([os.path.join(windows_build, "zelko6-cli.exe"), "--lang", "en", "identify", "--port", "3"],
                             interrupt_when=lambda: commands_heard() > 0)
    check(code == 130, f"Ctrl-C during the connection check ends with exit code 130 (got {code})")
    check("Interrupted." in shown, "and says the check was interrupted")
    heard = commands_heard()
    shown, code = in_console([os.path.join(windows_build, "zelko6-cli.exe"), "--lang", "en", "identify", "--port", "3"])
    check(commands_heard() > heard and "denied" not in shown,
          "the port was closed: the next start opens COM3 again and sends its command")
finally:
    board.terminate()
    board.wait()

sys.exit(1 if failures else 0)
