#!/usr/bin/env python3
"""plmclient --interactive driven like a person in a terminal (tmux): the product tree command on
the sample database; the downloaded files must be those of the same actions done by a script.

Usage: terminal_session_test.py PLMCLIENT
Exit 0 on success, 1 on a failure, 77 when tmux is missing.
"""
import os
import re
import shutil
import sqlite3
import subprocess
import sys
import tempfile
import time
import unicodedata

STEP_TIMEOUT = 15  # seconds for the screen to show what an action should bring
PROGRAM_TIMEOUT = 60

PLMCLIENT = os.path.abspath(sys.argv[1])
SOCKET = "viz-interactive-%d" % os.getpid()  # a tmux server of our own, ended at the end
ENV = dict(os.environ, LANG="C.UTF-8", LC_ALL="C.UTF-8", TERM="xterm-256color")


class Failure(Exception):
    pass


def tmux(*args, check=True):
    result = subprocess.run(["tmux", "-L", SOCKET, "-f", "/dev/null"] + list(args), env=ENV,
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=10)
    if check and result.returncode != 0:
        raise Failure("tmux %s: %s" % (" ".join(args), result.stderr.decode(errors="replace")))
    return result.stdout.decode("utf-8", errors="replace")


class Pane:
    def __init__(self, command, session):
        self.session = session
        tmux("-u", "new-session", "-d", "-s", session, "-x", "160", "-y", "50", command)

    def screen(self):
        return tmux("capture-pane", "-p", "-t", self.session, check=False).split("\n")

    def keys(self, *keys):
        tmux("send-keys", "-t", self.session, *keys)

    def text(self, text):
        tmux("send-keys", "-t", self.session, "-l", text)

    def wait_for(self, what, predicate):
        deadline = time.time() + STEP_TIMEOUT
        while time.time() < deadline:
            lines = self.screen()
            if predicate(lines):
                return self.settled(lines, deadline)
            time.sleep(0.1)
        raise Failure("the screen never showed %s; it shows:\n%s" % (what, "\n".join(self.screen())))

    def settled(self, lines, deadline):
        """The screen once a redraw has finished: two captures in a row alike (slow builds draw slowly)."""
        while time.time() < deadline:
            time.sleep(0.2)
            again = self.screen()
            if again == lines:
                return lines
            lines = again
        return lines

    def wait_text(self, text):
        return self.wait_for(repr(text), lambda lines: any(text in line for line in lines))


def display_column(line, index):
    """The terminal column of line[index]: wide (Chinese) characters take two columns."""
    return sum(2 if unicodedata.east_asian_width(c) in "WF" else 1 for c in line[:index])


def tree_rows(lines):
    """label -> (check box '[ ]'/'[x]', selected) for the tree rows on the screen."""
    rows = {}
    for line in lines:
        m = re.match(r"^│(>| )\s*[+\- ]?\s*\[(x| )\] (.+?)\s*│?$", line)
        if m:
            rows[m.group(3)] = ("[%s]" % m.group(2), m.group(1) == ">")
    return rows


def check_of(lines, label):
    rows = tree_rows(lines)
    if label not in rows:
        raise Failure("no tree row %r on the screen:\n%s" % (label, "\n".join(lines)))
    return rows[label][0]


def selected(lines):
    return [label for label, (_, sel) in tree_rows(lines).items() if sel]


def expect(condition, message, lines=None):
    if not condition:
        raise Failure(message + ("\n" + "\n".join(lines) if lines else ""))


def move_down_to(pane, label):
    """Down until the label is selected, one row at a time."""
    for _ in range(30):
        now = selected(pane.screen())
        if now == [label]:
            return
        pane.keys("Down")
        pane.wait_for("the selection moving down from %s" % now, lambda l: selected(l) != now)
    raise Failure("%s was never selected" % label)


def wait_exit(status_file):
    deadline = time.time() + PROGRAM_TIMEOUT
    while time.time() < deadline:
        if os.path.exists(status_file) and open(status_file).read().strip():
            return open(status_file).read().strip()
        time.sleep(0.1)
    raise Failure("plmclient did not end")


def last_lines(text, count=25):
    """The end of a transcript but its SQL: where a run that failed says why (a report cuts a long one short)."""
    lines = [line for line in text.rstrip("\n").split("\n") if not line.startswith("[sql] ")]
    return "\n".join(lines[-count:])


def listing(folder):
    return sorted(os.listdir(folder))


def shell_quote(s):
    return "'" + s.replace("'", "'\\''") + "'"


def download_session(work, db, part):
    """The person's run: returns the folder it downloaded into."""
    out = os.path.join(work, "out-interactive")
    os.mkdir(out)
    status = os.path.join(work, "interactive.status")
    transcript = os.path.join(work, "interactive.txt")
    command = "cd %s && %s --db %s --command PrdTreeOutputLightFile --select Part:%d --interactive > %s 2>&1; " \
              "echo $? > %s; sleep 60" % (shell_quote(work), shell_quote(PLMCLIENT), shell_quote(db), part,
                                          shell_quote(transcript), shell_quote(status))
    pane = Pane("sh -c %s" % shell_quote(command), "download")
    lines = pane.wait_text("轻量化文件管理")
    expect(any("[ ] DWG" in l and "[ ] PDF" in l and "[ ] STEP" in l for l in lines), "filter boxes not all clear", lines)
    expect(any("[ 打印 ]" in l and "[ 下载 ]" in l and "[ 取消 ]" in l for l in lines), "buttons missing", lines)

    # Open the top assembly, the sub-assembly and its part, and come back to the sub-assembly.
    pane.keys("Down")
    pane.wait_for("the root selected", lambda l: selected(l) == ["总装配 A100"])
    pane.keys("Right")
    pane.wait_text("部件 A110")
    pane.keys("Down")
    pane.wait_for("部件 A110 selected", lambda l: selected(l) == ["部件 A110"])
    pane.keys("Right")
    pane.wait_text("零件 A111")
    pane.keys("Down")
    pane.wait_for("零件 A111 selected", lambda l: selected(l) == ["零件 A111"])
    pane.keys("Right")
    lines = pane.wait_text("A111零件图.pdf")
    pane.keys("Up")
    lines = pane.wait_for("部件 A110 selected again", lambda l: selected(l) == ["部件 A110"])
    branch = ["零件 A111", "A111零件图.pdf", "A110装配图.pdf"]
    for label in ["部件 A110"] + branch:
        expect(check_of(lines, label) == "[ ]", "%s checked before anything was done" % label, lines)

    # Space: the tree's keyboard toggle changes the selected item alone.
    pane.keys("Space")
    lines = pane.wait_for("部件 A110 ticked by Space", lambda l: check_of(l, "部件 A110") == "[x]")
    for label in branch:
        expect(check_of(lines, label) == "[ ]", "Space carried to %s" % label, lines)
    pane.keys("Space")
    pane.wait_for("部件 A110 cleared by Space", lambda l: check_of(l, "部件 A110") == "[ ]")

    # The click key: a mouse click on the box, which the dialog carries to the whole branch.
    pane.keys("c")
    lines = pane.wait_for("部件 A110 ticked by a click", lambda l: check_of(l, "部件 A110") == "[x]")
    for label in branch:
        expect(check_of(lines, label) == "[x]", "the click did not carry to %s" % label, lines)
    expect(check_of(lines, "总装配 A100") == "[ ]", "the click changed the ancestor", lines)

    # A double click on a file (the 'o' key) shows it in the viewer; Escape closes the viewer.
    move_down_to(pane, "A110装配图.pdf")
    pane.keys("o")
    lines = pane.wait_text("ActiveX {")
    expect(lines[0].strip() == "浏览", "the viewer's caption is not on top", lines)
    expect(any(re.search(r"file: +/.*/temp/A110装配图\.pdf +\(\d+ bytes\)", l) for l in lines),
           "the viewer does not show the fetched file", lines)
    pane.keys("Escape")
    lines = pane.wait_text("轻量化文件管理")
    expect(check_of(lines, "A110装配图.pdf") == "[x]", "viewing changed the file's box", lines)

    # A real mouse click (xterm SGR report) on the box of 零件 A120, twice: on and off again.
    row = next(i for i, l in enumerate(lines) if l.rstrip("│ ").endswith("零件 A120"))
    column = display_column(lines[row], lines[row].index("[ ]")) + 1
    for expected in ("[x]", "[ ]"):
        pane.text("\x1b[<0;%d;%dM\x1b[<0;%d;%dm" % (column + 1, row + 1, column + 1, row + 1))
        pane.wait_for("零件 A120 %s after a mouse click" % expected, lambda l: check_of(l, "零件 A120") == expected)
        time.sleep(0.6)  # two clicks, not a double click

    # The PDF filter box.
    pane.keys("p")
    lines = pane.wait_for("the PDF box ticked", lambda l: any("[x] PDF" in x for x in l))
    expect(check_of(lines, "A110装配图.pdf") == "[x]", "PDF filter left a PDF clear", lines)
    expect(check_of(lines, "A110装配图.dwg") == "[ ]", "PDF filter left a DWG checked", lines)

    # Download: the folder prompt, with Tab completion of the folder's name.
    pane.keys("D")
    pane.wait_text("Select a folder")
    pane.text(os.path.join(work, "out-i"))
    pane.keys("Tab")
    pane.wait_text("> " + out + "/")
    pane.keys("Enter")
    lines = pane.wait_text("下载成功!")
    expect(any("轻量化导出/打印" in l for l in lines), "the message box has not the module's caption", lines)
    expect(any("< 确定 >" in l for l in lines), "the message box has no OK button", lines)
    expect(any("正在导出..." in l for l in lines), "the wait window is not shown under the message box", lines)
    pane.keys("Enter")
    pane.wait_for("the message box gone", lambda l: not any("< 确定 >" in x for x in l))
    pane.keys("Escape")
    code = wait_exit(status)
    expect(code == "0", "plmclient --interactive ended with %s:\n%s" % (code, last_lines(open(transcript).read())))
    text = open(transcript).read()
    expect("[messagebox] 轻量化导出/打印: 下载成功! (icon none) -> ok" in text, "no confirmed message box:\n" + last_lines(text))
    expect("[dialog] event=close caption=轻量化文件管理 result=2" in text, "the dialog was not cancelled:\n" + last_lines(text))
    return out


def scripted_run(work, db, part):
    out = os.path.join(work, "out-scripted")
    actions = ["toggle 部件 A110", "toggle 部件 A110", "check 部件 A110", "dblclick A110装配图.pdf", "close",
               "check 零件 A120", "check 零件 A120",
               "filter PDF", "press 下载", "folder " + out, "messagebox ok", "press 取消"]
    args = [PLMCLIENT, "--db", db, "--command", "PrdTreeOutputLightFile", "--select", "Part:%d" % part]
    for a in actions:
        args += ["--do", a]
    result = subprocess.run(args, env=ENV, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                            stderr=subprocess.STDOUT, timeout=PROGRAM_TIMEOUT, cwd=work)
    expect(result.returncode == 0, "the scripted run ended with %d; its last lines:\n%s"
           % (result.returncode, last_lines(result.stdout.decode(errors="replace"))))
    return out


def escape_then_download(work, db, part, rounds=50):
    """The viewer closed with Escape and D pressed at once, many times: the folder prompt that
    takes the next keys is on the screen every time, soon."""
    command = "cd %s && %s --db %s --command PrdTreeOutputLightFile --select Part:%d --interactive " \
              ">/dev/null 2>&1; sleep 60" % (shell_quote(work), shell_quote(PLMCLIENT), shell_quote(db), part)
    pane = Pane("sh -c %s" % shell_quote(command), "race")
    pane.wait_text("轻量化文件管理")
    pane.keys("Down")
    pane.wait_for("the root selected", lambda l: selected(l) == ["总装配 A100"])
    pane.keys("Right")
    pane.wait_text("部件 A110")
    move_down_to(pane, "部件 A110")
    pane.keys("Right")
    pane.wait_text("A110装配图.pdf")
    move_down_to(pane, "A110装配图.pdf")
    prompt = "Tab completes, Enter chooses"  # the prompt's own line: the log below names its title too
    slowest = 0.0
    for n in range(rounds):
        pane.keys("o")
        pane.wait_text("ActiveX {")
        start = time.time()
        pane.keys("Escape", "D")  # one write: both keys reach the program together
        pane.wait_for("the folder prompt in round %d" % (n + 1),
                      lambda l: any(prompt in x for x in l) and not any("ActiveX {" in x for x in l))
        slowest = max(slowest, time.time() - start)
        pane.keys("Escape")
        pane.wait_for("the prompt gone in round %d" % (n + 1), lambda l: not any(prompt in x for x in l))
    expect(slowest < 3.0, "the folder prompt took %.1f s to show" % slowest)
    pane.keys("Escape")
    print("escape then download: the prompt showed in all %d rounds, the slowest after %.2f s" % (rounds, slowest))


def interrupt_session(work, db, part):
    """Ctrl-C in the middle of the dialog gives the terminal back as it was."""
    status = os.path.join(work, "interrupt.status")
    stty = os.path.join(work, "interrupt.stty")
    command = "trap 'true' INT; %s --db %s --command PrdTreeOutputLightFile --select Part:%d --interactive " \
              ">/dev/null 2>&1; echo $? > %s; stty -a > %s; echo AFTER-THE-PROGRAM; sleep 60" % (
                  shell_quote(PLMCLIENT), shell_quote(db), part, shell_quote(status), shell_quote(stty))
    pane = Pane("sh -c %s" % shell_quote(command), "interrupt")
    pane.wait_text("轻量化文件管理")
    pane.keys("C-c")
    code = wait_exit(status)
    expect(code == "130", "Ctrl-C ended plmclient with %s" % code)
    lines = pane.wait_text("AFTER-THE-PROGRAM")
    expect(not any("轻量化文件管理" in l for l in lines), "the dialog is still on the screen", lines)
    modes = open(stty).read().split()
    for mode in ("icanon", "echo", "icrnl", "opost"):
        expect(mode in modes, "the terminal was left without %s: %s" % (mode, " ".join(modes)))


def main():
    if not shutil.which("tmux"):
        print("tmux is not installed")
        return 77
    work = tempfile.mkdtemp(prefix="viz-interactive-")
    db = os.path.join(work, "plm")
    try:
        subprocess.run([PLMCLIENT, "--db", db, "--create-sample"], env=ENV, check=True, timeout=PROGRAM_TIMEOUT,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        part = sqlite3.connect(os.path.join(db, "plm.db")).execute("SELECT MIN(OBJ_ID) FROM T_Part").fetchone()[0]

        refused = subprocess.run([PLMCLIENT, "--db", db, "--command", "PrdTreeOutputLightFile", "--select",
                                  "Part:%d" % part, "--interactive"], env=ENV, stdin=subprocess.DEVNULL,
                                 stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=PROGRAM_TIMEOUT)
        expect(refused.returncode == 1 and b"needs a terminal on standard input" in refused.stderr,
               "--interactive without a terminal: %d %s" % (refused.returncode, refused.stderr))

        interactive = download_session(work, db, part)
        scripted = scripted_run(work, db, part)
        expect(listing(interactive), "nothing was downloaded")
        expect(listing(interactive) == listing(scripted), "the person's download %s differs from the script's %s"
               % (listing(interactive), listing(scripted)))
        print("downloaded:", ", ".join(listing(interactive)))

        escape_then_download(work, db, part)
        interrupt_session(work, db, part)
    except (Failure, subprocess.TimeoutExpired, subprocess.CalledProcessError) as e:
        print("FAILED:", e)
        return 1
    finally:
        tmux("kill-server", check=False)
    shutil.rmtree(work, ignore_errors=True)
    print("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
