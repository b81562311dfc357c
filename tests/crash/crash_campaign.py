#!/usr/bin/python3
"""Kills kwutil at every file-changing call (open, write, fsync, rename, unlink, truncate) of an
operation, and fails each such call in turn, then checks what is left on disk: every database
passes its integrity check, every table holds its old rows or its new ones (never a mix), the
registry file still reads, a drawing is the old one or the new one, and the next run completes
with the same result as a run that was never interrupted.

    crash_campaign.py --kwutil PATH --shim PATH [--stride N] [--scenario NAME ...] [--no-faults]

--stride N tries every N-th call only (CI runs a sample; by hand: --stride 1)."""
import argparse
import errno
import hashlib
import os
import re
import shutil
import signal
import sqlite3
import subprocess
import sys
import tempfile

SYS = "绘图参数.mdb"
USER = "用户绘图参数.mdb"


def table_digests(path):
    """Per table, a digest of its rows; None when the file does not pass its integrity check."""
    # Opened for writing, as the next program to open it would: a hot journal left by a killed
    # writer is rolled back first (a read-only connection refuses the file then).
    db = sqlite3.connect(path)
    try:
        if db.execute("PRAGMA integrity_check").fetchone()[0] != "ok":
            return None
        names = [r[0] for r in db.execute("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name")]
        out = {}
        for name in names:
            rows = db.execute('SELECT * FROM "%s"' % name.replace('"', '""')).fetchall()
            out[name] = hashlib.sha1(repr(sorted(map(repr, rows))).encode()).hexdigest()
        return out
    finally:
        db.close()


class Scenario:
    """One operation on a fresh configuration: prepare() builds the state before it, command is
    what is interrupted, check() judges the state after an interruption, next_run() is the run
    after it, after() what is compared."""

    # Exit status 0 promises the operation's result (a save, a recorded setting); a start that
    # answered its query while an upgrade waits for the next start may exit 0 as well.
    reports_success = False

    def __init__(self, root, kwutil):
        self.root = root
        self.kwutil = kwutil
        self.cfg = os.path.join(root, "cfg")
        self.env = dict(os.environ, HOME=root, XDG_CONFIG_HOME=os.path.join(root, "config"),
                        XDG_CONFIG_DIRS=os.path.join(root, "etc"), XDG_DATA_HOME=os.path.join(root, "data"),
                        QT_QPA_PLATFORM="offscreen", LC_ALL="C.UTF-8")
        self.env.pop("DISPLAY", None)
        self.env.pop("WAYLAND_DISPLAY", None)

    def run(self, *args, extra=None, check=True):
        env = dict(self.env, **(extra or {}))
        p = subprocess.run([self.kwutil, *args], env=env, cwd=self.root, stdout=subprocess.PIPE,
                           stderr=subprocess.PIPE, timeout=120)
        if check and p.returncode != 0:
            raise AssertionError("kwutil %s: exit %d\n%s" % (" ".join(args), p.returncode, p.stderr.decode(errors="replace")))
        return p

    def setup(self):
        self.run("setup", self.cfg)

    def user(self):
        return os.path.join(self.cfg, USER)

    def registry(self):
        return open(os.path.join(self.root, "config", "kelo", "user.reg"), "rb").read().decode()

    def leftovers(self):
        return [n for n in os.listdir(self.cfg) if ".tmp" in n or ".saving-" in n]


class FirstStart(Scenario):
    name = "first-start"
    command = ("layer", "梁")

    def prepare(self):
        self.setup()

    def after(self):
        return {"lib": table_digests(self.user()) if os.path.exists(self.user()) else None,
                "mode": "DrawingKind05" in self.registry() and "000007d5" in self.registry()}

    def check(self, before, after, expected):
        # No user library yet, or the finished one (with its drawing mode recorded).
        assert after["lib"] is None or after == expected, "unfinished first start kept"

    def next_run(self):
        self.run(*self.command)
        assert not self.leftovers(), self.leftovers()


class Upgrade(Scenario):
    name = "upgrade"
    command = ("layer", "梁")

    def prepare(self):
        self.setup()
        self.run("layer", "梁")  # first start
        sysdb = sqlite3.connect(os.path.join(self.cfg, SYS))
        sysdb.executescript("""
            UPDATE 版本信息表 SET 数值 = 20300101 WHERE 项目 = '版本信息表';
            UPDATE 版本信息表 SET 数值 = 数值 + 1 WHERE 项目 IN ('颜色表', '系统构件图层表', '用户参数表', '系统文字标注高宽表');
            INSERT INTO 颜色表 (颜色名, 颜色号, 颜色说明) VALUES ('紫', 6, 'new');
            INSERT INTO 系统构件图层表 (构件类型, 层名, 层号, 颜色, 线型, 线宽) VALUES ('新构件', 'NEW', '90', '红', '实线', 0.25);
            INSERT INTO 用户参数表 (内容, 数值, 类型, 说明) VALUES ('新参数', '1', 'mm', 'new');
            UPDATE 系统文字标注高宽表 SET 说明 = '新' ;""")
        sysdb.commit()
        sysdb.close()
        user = sqlite3.connect(self.user())
        user.executescript("UPDATE 版本信息表 SET 数值 = 20090101 WHERE 项目 = '版本信息表';"
                           "UPDATE 颜色表 SET 颜色号 = 11 WHERE 颜色名 = '红';")
        user.commit()
        user.close()

    def after(self):
        return table_digests(self.user())

    def check(self, before, after, expected):
        assert after is not None, "integrity check failed"
        for table, digest in after.items():
            # The version table moves on row by row, each row with its table: that is how an
            # upgrade cut short knows where to resume. The next run must still end at the new one.
            if table == "版本信息表":
                continue
            assert digest in (before.get(table), expected.get(table)), "table %s mixed" % table

    def next_run(self):
        self.run(*self.command)


class SettingsSave(Scenario):
    reports_success = True
    name = "settings-save"
    command = ("settings", "userpara", "用户参数表", "--script", "edit.txt")

    def prepare(self):
        self.setup()
        self.run("layer", "梁")
        with open(os.path.join(self.root, "edit.txt"), "w") as f:
            f.write("cell 1 2 33\nok\n")

    def after(self):
        return table_digests(self.user())

    def check(self, before, after, expected):
        assert after is not None, "integrity check failed"
        for table, digest in after.items():
            assert digest in (before.get(table), expected.get(table)), "table %s mixed" % table

    def next_run(self):
        self.run("layer", "梁")


class RegistryWrite(Scenario):
    reports_success = True
    name = "registry-write"
    command = ("setup", "cfg2")

    def prepare(self):
        self.setup()

    def after(self):
        text = self.registry()
        return "cfg2" if "cfg2" in text else "cfg"

    def check(self, before, after, expected):
        assert "Windows Registry Editor" in self.registry(), "registry file damaged"

    def next_run(self):
        self.run("layer", "梁")


class DrawingSave(Scenario):
    reports_success = True
    name = "drawing-save"
    command = ("sheet", "-o", "out", "--sheet", "2")

    def prepare(self):
        self.setup()
        self.run("sheet", "-o", "out")

    def after(self):
        # The drawing's content: its dump without what differs between runs that wrote the same
        # drawing (the configuration directory named by the title blocks, the drawing's stamp,
        # drawn afresh for every new drawing).
        text = self.run("dump", "out.T").stdout.decode().replace(self.root, "ROOT")
        return re.sub(r"^drawing stamp=\d+ ", "drawing stamp=S ", text, flags=re.M)

    def check(self, before, after, expected):
        assert after in (before, expected), "drawing neither old nor new"

    def next_run(self):
        self.run(*self.command)
        stale = [n for n in os.listdir(self.root) if ".saving-" in n]
        assert not stale, stale


SCENARIOS = [FirstStart, Upgrade, SettingsSave, RegistryWrite, DrawingSave]


def campaign(cls, args, log):
    def fresh():
        root = tempfile.mkdtemp(prefix="ckw-crash-")
        s = cls(root, args.kwutil)
        s.prepare()
        return s

    # The reference: the operation run once without interruption, its calls counted.
    ref = fresh()
    before = ref.after()
    count_file = os.path.join(ref.root, "count")
    ref.run(*cls.command, extra={"LD_PRELOAD": args.shim, "CKW_FAULT_COUNT_FILE": count_file})
    expected = ref.after()
    calls = int(open(count_file).read())
    shutil.rmtree(ref.root)

    tried = survived = 0
    modes = [("kill", None)] + ([] if args.no_faults else [("fail", errno.EIO), ("fail", errno.ENOSPC)])
    for mode, err in modes:
        for point in range(1, calls + 1, args.stride):
            s = fresh()
            extra = {"LD_PRELOAD": args.shim}
            if mode == "kill":
                extra["CKW_FAULT_KILL_AT"] = str(point)
            else:
                extra.update(CKW_FAULT_FAIL_AT=str(point), CKW_FAULT_ERRNO=str(err))
            tried += 1
            try:
                p = s.run(*cls.command, extra=extra, check=False)
                if mode == "kill":
                    assert p.returncode in (0, -signal.SIGKILL), "exit %d" % p.returncode
                state = s.after()
                s.check(before, state, expected)
                if cls.reports_success and p.returncode == 0:
                    assert state == expected, "a failed operation was reported as success"
                s.next_run()
                final = s.after()
                assert final == expected or (cls.reports_success and final == before), "the next run did not complete"
                survived += 1
            except Exception as e:  # noqa: BLE001 - every failure is reported
                log.write("%s %s %s point %d/%d: %s\n" % (cls.name, mode, errno.errorcode.get(err, ""), point, calls, e))
            finally:
                shutil.rmtree(s.root, ignore_errors=True)
    return calls, tried, survived


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--kwutil", required=True)
    ap.add_argument("--shim", required=True)
    ap.add_argument("--stride", type=int, default=1)
    ap.add_argument("--scenario", action="append")
    ap.add_argument("--no-faults", action="store_true")
    args = ap.parse_args()
    args.kwutil, args.shim = os.path.abspath(args.kwutil), os.path.abspath(args.shim)
    chosen = [c for c in SCENARIOS if not args.scenario or c.name in args.scenario]
    ok = True
    for cls in chosen:
        calls, tried, survived = campaign(cls, args, sys.stdout)
        print("%-15s calls %5d  tried %5d  survived %5d" % (cls.name, calls, tried, survived))
        ok = ok and tried == survived
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
