#!/usr/bin/python3
"""Single faults of the file-changing commands, each made to happen with the fault shim (or a
pipe, a read-only folder, a full output): the command must exit non-zero, say why, and leave the
user's files as they were.

    faults.py --kwutil PATH --shim PATH [--case NAME ...]"""
import argparse
import os
import shutil
import stat
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from crash_campaign import Scenario  # noqa: E402

PLAN = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "examples", "drawings", "plan.txt")
NOBODY = 65534


class Case(Scenario):
    def __init__(self, root, kwutil, shim):
        super().__init__(root, kwutil)
        self.shim = shim

    def path(self, name):
        return os.path.join(self.root, name)

    def write(self, name, text, mode=None):
        with open(self.path(name), "w") as f:
            f.write(text)
        if mode:
            os.chmod(self.path(name), mode)
        return self.path(name)

    def dump(self, name):
        return self.run("dump", self.path(name)).stdout

    def bytes(self, name):
        return open(self.path(name), "rb").read()

    def faulty(self, args, faults=None, stdout=subprocess.PIPE, as_nobody=False):
        """Runs kwutil with the shim set up for faults; its exit status and what it said."""
        env = dict(self.env, LD_PRELOAD=self.shim, **(faults or {}))
        pre = (lambda: os.setuid(NOBODY)) if as_nobody and os.getuid() == 0 else None
        p = subprocess.run([self.kwutil, *args], env=env, cwd=self.root, stdout=stdout, stderr=subprocess.PIPE,
                           timeout=60, preexec_fn=pre)
        return p.returncode, (p.stdout or b"").decode(errors="replace") + p.stderr.decode(errors="replace")


def dead_pid():
    p = subprocess.Popen(["true"])
    p.wait()
    return p.pid


def source_open_fails(c, command):
    """The source opens when its layers are read, then no more: nothing is copied or saved."""
    c.run("load", PLAN, "-o", c.path("source.T"))
    c.run("load", PLAN, "-o", c.path("into.T"))
    before = c.dump("into.T")
    code, said = c.faulty([command, c.path("source.T"), "--into", c.path("into.T")],
                          {"CKW_FAULT_PATH": "/source.T", "CKW_FAULT_CALLS": "open", "CKW_FAULT_FROM": "2"})
    return code != 0 and "cannot open" in said and c.dump("into.T") == before, said


def converter_writes_nothing(c):
    """A converter that exits 0 without writing: the older PLAN.T beside is not imported."""
    c.write("plan.dxf", "0\nEOF\n")
    c.run("load", PLAN, "-o", c.path("PLAN.T"))
    c.run("load", PLAN, "-o", c.path("into.T"))
    before = c.dump("into.T")
    converter = c.write("conv", "#!/bin/sh\nexit 0\n", 0o755)
    code, said = c.faulty(["import", c.path("plan.dxf"), "--into", c.path("into.T"), "--converter", converter])
    return code != 0 and "没有生成文件" in said and c.dump("into.T") == before, said


def fifo_as_drawing(c):
    """A pipe given as the DXF is refused before the converter would wait on it for ever."""
    os.mkfifo(c.path("pipe.dxf"))
    converter = c.write("conv", "#!/bin/sh\ncat \"$1\" >/dev/null\n", 0o755)
    code, said = c.faulty(["import", c.path("pipe.dxf"), "--into", c.path("into.T"), "--converter", converter])
    return code != 0 and "不是图形文件" in said and not os.path.exists(c.path("into.T")), said


def fifo_as_table(c):
    os.mkfifo(c.path("pipe.TDB"))
    code, said = c.faulty(["table", c.path("pipe.TDB"), "-o", c.path("out")])
    return code != 0 and "不是表格文件" in said and not os.path.exists(c.path("out.T")), said


def working_copy_not_removed(c):
    """OK saves the table, but the working copy stays: the next start would offer it, so no exit 0."""
    c.run("table", "--new", "3x3", "-o", c.path("beams.TDB"))
    script = c.write("edit.txt", "cell 1 1 KL1\nok\n")
    code, said = c.faulty(["table", "--design", c.path("beams.TDB"), "--script", script],
                          {"CKW_FAULT_PATH": "$tmpTdb.TDB", "CKW_FAULT_CALLS": "remove,unlink"})
    return code != 0 and "$tmpTdb.TDB" in said and b"KL1" in c.bytes("beams.TDB"), said


def killed_designers_copies(c):
    """Copies that designers killed while saving left beside the table and its working copy go."""
    c.run("table", "--new", "3x3", "-o", c.path("beams.TDB"))
    pid = dead_pid()
    left = [c.write("beams.TDB.tmp%d.Ab12Cd" % pid, "x"), c.write("$tmpTdb.TDB.tmp%d.Ef34Gh" % pid, "x")]
    kept = c.write("beams.TDB.tmp%d.Ij56Kl" % os.getpid(), "x")  # a live process's
    script = c.write("cancel.txt", "cancel\n")
    code, said = c.faulty(["table", "--design", c.path("beams.TDB"), "--script", script])
    return code == 3 and not any(os.path.exists(f) for f in left) and os.path.exists(kept), said


def folder_sync_fails(c, args):
    """The folder's entry after a rename does not reach the disk: no exit 0."""
    c.run("sheet", "-o", c.path("out"))
    code, said = c.faulty(args(c), {"CKW_FAULT_DIR_FSYNC": "1"})
    return code != 0 and "Input/output error" in said, said


def output_not_written(c):
    """The final message goes to a full disk: no exit 0."""
    with open("/dev/full", "w") as full:
        code, said = c.faulty(["sheet", "-o", c.path("out")], stdout=full)
    return code != 0 and "cannot write the output" in said, said


def read_only_folder(c):
    """A drawing saved into a folder the user may not write: the system's own reason."""
    os.chmod(c.root, 0o755)
    os.mkdir(c.path("ro"), 0o555)
    code, said = c.faulty(["load", PLAN, "-o", c.path("ro/plan.T")], as_nobody=True)
    return code != 0 and "Permission denied" in said, said


CASES = {
    "copyfloor-source-fails": lambda c: source_open_fails(c, "copyfloor"),
    "import-source-fails": lambda c: source_open_fails(c, "import"),
    "converter-writes-nothing": converter_writes_nothing,
    "fifo-dxf": fifo_as_drawing,
    "fifo-tdb": fifo_as_table,
    "working-copy-stays": working_copy_not_removed,
    "killed-designers-copies": killed_designers_copies,
    "drawing-folder-sync": lambda c: folder_sync_fails(c, lambda c: ["sheet", "-o", c.path("out")]),
    "registry-folder-sync": lambda c: folder_sync_fails(c, lambda c: ["setup", c.path("cfg2")]),
    "output-full": output_not_written,
    "read-only-folder": read_only_folder,
}


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--kwutil", required=True)
    ap.add_argument("--shim", required=True)
    ap.add_argument("--case", action="append", choices=sorted(CASES))
    args = ap.parse_args()
    failed = 0
    for name in args.case or CASES:
        c = Case(tempfile.mkdtemp(prefix="ckw-fault-"), os.path.abspath(args.kwutil), os.path.abspath(args.shim))
        try:
            c.setup()
            c.run("layer", "梁")
            try:
                ok, said = CASES[name](c)
            except subprocess.TimeoutExpired:
                ok, said = False, "no answer within 60 s"
        finally:
            for d, _, files in os.walk(c.root):
                os.chmod(d, stat.S_IRWXU)
            shutil.rmtree(c.root, ignore_errors=True)
        print("%-24s %s" % (name, "ok" if ok else "FAILED\n" + said.strip()))
        failed += not ok
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
