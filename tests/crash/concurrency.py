#!/usr/bin/python3
"""Runs two or three kwutil processes at once on one configuration, round after round, and checks
that none of them lost another's edit and none reported success for a change it did not make.

    concurrency.py --kwutil PATH [--rounds N] [--processes 2 --processes 3] [--kind NAME ...]

Kinds:
  start-up  every process starts on a user library two table versions behind (each upgrades it
            or finds it upgraded); all answer the query as an uninterrupted start does, and the
            library ends as after one upgrade.
  settings  each process saves its own row of the user-parameter table through the dialog; every
            save that exited 0 is in the library, and none may be lost.
  registry  one process records another configuration directory, one sets the drawing mode (both
            in the user's registry file) and, with three, one reads a layer meanwhile; both values
            end recorded, and the reader answers as always.
Kinds of two processes changing one file (each round on a fresh copy):
  imports       two imports into one drawing;
  import-xdata  an import and an extended-data edit ("xdata-edit") of one drawing;
  xdata-same    an extended-data edit and a same-entity edit of one drawing;
  table-design  two table designers on one .TDB, each writing a cell of its own.
  A change that exited 0 must be in the file; one that failed must have changed nothing (the second
  program waits a moment for the first and otherwise says who holds the file)."""
import argparse
import os
import re
import shutil
import sqlite3
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from crash_campaign import Upgrade, table_digests  # noqa: E402

QUERY = ("layer", "梁")


def start_all(scenario, commands):
    """Starts the commands at once in the scenario's configuration; their exit status and output."""
    procs = [subprocess.Popen([scenario.kwutil, *c], env=scenario.env, cwd=scenario.root,
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE) for c in commands]
    results = []
    for p in procs:
        out, err = p.communicate(timeout=120)
        results.append((p.returncode, out, err.decode(errors="replace")))
    return results


class Round(Upgrade):
    """A configuration for one round; Upgrade's prepare() leaves the user library behind."""


def start_up_rounds(args, n, log):
    ref = Round(tempfile.mkdtemp(prefix="ckw-conc-"), args.kwutil)
    ref.prepare()
    answer = ref.run(*QUERY).stdout
    expected = table_digests(ref.user())
    shutil.rmtree(ref.root)
    lost = 0
    for r in range(args.rounds):
        s = Round(tempfile.mkdtemp(prefix="ckw-conc-"), args.kwutil)
        try:
            s.prepare()
            results = start_all(s, [QUERY] * n)
            problems = ["exit %d: %s" % (code, err) for code, _, err in results if code != 0]
            problems += ["answered %r" % out for code, out, _ in results if code == 0 and out != answer]
            if table_digests(s.user()) != expected:
                problems.append("the library does not end as after one upgrade")
            if s.leftovers():
                problems.append("left %s" % s.leftovers())
            if problems:
                lost += 1
                log.write("start-up %d processes round %d: %s\n" % (n, r, "; ".join(problems)))
        finally:
            shutil.rmtree(s.root, ignore_errors=True)
    return {"rounds": args.rounds, "failed rounds": lost}


def user_parameters(scenario):
    db = sqlite3.connect(scenario.user())
    try:
        return [row[0] for row in db.execute("SELECT 数值 FROM 用户参数表 ORDER BY rowid")]
    finally:
        db.close()


def settings_rounds(args, n, log):
    s = Round(tempfile.mkdtemp(prefix="ckw-conc-"), args.kwutil)
    s.setup()
    s.run(*QUERY)
    saved = refused = lost = 0
    try:
        for r in range(args.rounds):
            commands = []
            values = []
            for p in range(n):
                # Grid row p + 1 is the table's row p; a new value every round.
                values.append(str(100 + r * n + p))
                script = os.path.join(s.root, "edit%d.txt" % p)
                with open(script, "w") as f:
                    f.write("cell %d 2 %s\nok\n" % (p + 1, values[p]))
                commands.append(("settings", "userpara", "用户参数表", "--script", script))
            results = start_all(s, commands)
            now = user_parameters(s)
            for p, (code, _, err) in enumerate(results):
                if code == 0 and now[p] == values[p]:
                    saved += 1
                elif code == 0:
                    lost += 1
                    log.write("settings %d processes round %d: row %d saved with exit 0 but holds %s\n"
                              % (n, r, p, now[p]))
                else:
                    refused += 1
                    log.write("settings %d processes round %d: row %d not saved (exit %d): %s\n" % (n, r, p, code, err))
    finally:
        shutil.rmtree(s.root, ignore_errors=True)
    return {"saves": args.rounds * n, "saved": saved, "reported not saved": refused, "lost with exit 0": lost}


def registry_rounds(args, n, log):
    s = Round(tempfile.mkdtemp(prefix="ckw-conc-"), args.kwutil)
    dirs = [os.path.join(s.root, d) for d in ("cfgA", "cfgB")]
    # Both configurations ready, so that a process reading either one finds a finished library.
    for d in dirs:
        s.run("setup", d)
        s.run(*QUERY)
    answer = s.run(*QUERY).stdout
    mode_script = os.path.join(s.root, "mode.txt")
    recorded = refused = lost = 0
    try:
        for r in range(args.rounds):
            target = dirs[r % 2]
            mode, radio = (2005, "图纸空间模式") if r % 2 else (2008, "模型空间模式")
            with open(mode_script, "w") as f:
                f.write("dialog 2012\nradio %s\nok\n" % radio)
            commands = [("setup", target), ("settings", "mode", "--script", mode_script)] + [QUERY] * (n - 2)
            results = start_all(s, commands)
            text = s.registry()
            held = ['"CFG"="%s"' % target in text, '"DrawingKind05"=dword:%08x' % mode in text]
            for i in range(2):
                code, _, err = results[i]
                if code == 0 and held[i]:
                    recorded += 1
                elif code == 0:
                    lost += 1
                    log.write("registry %d processes round %d: %s exited 0 but its value is not recorded\n%s\n"
                              % (n, r, commands[i][0], text))
                else:
                    refused += 1
                    log.write("registry %d processes round %d: %s failed (exit %d): %s\n" % (n, r, commands[i][0], code, err))
            for code, out, err in results[2:]:
                if code != 0 or out != answer:
                    lost += 1
                    log.write("registry %d processes round %d: the reader got exit %d %r %s\n" % (n, r, code, out, err))
    finally:
        shutil.rmtree(s.root, ignore_errors=True)
    return {"writes": args.rounds * 2, "recorded": recorded, "reported failed": refused,
            "lost or misread": lost}


PLAN = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "examples", "drawings", "plan.txt")
# The first column's integer becomes 30; the four axis lines turn colour 3 (see KwutilWindowScripts.cmake).
XDATA_EDIT = ("point -250 -100\nexpect caption \"XDATA MANAGE\"\nexpect cell 2 1 3\ncell 2 1 30\n"
              "click 修改实体Xdata\nesc\n")
SAME_ENTITY = "point 5000 0\nexpect caption 同类实体编辑器:2,LINE\ncolour 1 1 #00FF00\nclick 修改...\nesc\n"
AXIS_RECOLOURED = re.compile(r"^line id=\d+ layer=1 linetype=2 width=180 colour=3 ", re.M)


class Changes:
    """What the changing commands left in a drawing."""

    def __init__(self, s, drawing, base_ids, per_import):
        dump = s.run("dump", drawing).stdout.decode()
        added = len(re.findall(r" id=\d+ ", dump)) - base_ids
        self.imports = added // per_import if added % per_import == 0 else -1
        self.xdata = "integer 30" in s.run("xdata", drawing).stdout.decode()
        self.recoloured = len(AXIS_RECOLOURED.findall(dump)) == 4


def tally(figures, log, what, code, err, done, expected_failure=False):
    if code == 0 and done:
        figures["done and kept"] += 1
    elif code == 0:
        figures["lost with exit 0"] += 1
        log.write("%s exited 0 but its change is not in the drawing\n" % what)
    elif not done:
        figures["reported failed"] += 1
        if "is being changed by" not in err:
            log.write("%s failed (exit %d): %s\n" % (what, code, err))
    else:
        figures["changed though failed"] += 1
        log.write("%s failed (exit %d) but changed the drawing: %s\n" % (what, code, err))


def start_round(args):
    """A fresh configuration and the figures of one kind of round, all at zero."""
    s = Round(tempfile.mkdtemp(prefix="ckw-conc-"), args.kwutil)
    figures = {"operations": 0, "done and kept": 0, "reported failed": 0, "lost with exit 0": 0,
               "changed though failed": 0}
    try:
        s.setup()
        s.run(*QUERY)
    except BaseException:
        shutil.rmtree(s.root, ignore_errors=True)
        raise
    return s, figures


def drawing_rounds(args, pair, log):
    """Two commands that change one drawing at once, on a fresh copy of the example plan each round."""
    s, figures = start_round(args)
    try:
        base, source, drawing = (os.path.join(s.root, n) for n in ("base.T", "source.T", "drawing.T"))
        s.run("load", PLAN, "-o", base)
        shutil.copy(base, source)
        scripts = {"xdata-edit": XDATA_EDIT, "same-entity": SAME_ENTITY}
        for name, text in scripts.items():
            with open(os.path.join(s.root, name + ".txt"), "w") as f:
                f.write(text)
        base_ids = len(re.findall(r" id=\d+ ", s.run("dump", base).stdout.decode()))
        shutil.copy(base, drawing)
        s.run("import", source, "--into", drawing)
        per_import = len(re.findall(r" id=\d+ ", s.run("dump", drawing).stdout.decode())) - base_ids

        def command(op):
            if op == "import":
                return ("import", source, "--into", drawing)
            return (op, drawing, "--script", os.path.join(s.root, op + ".txt"))

        for r in range(args.rounds):
            shutil.copy(base, drawing)
            results = start_all(s, [command(op) for op in pair])
            after = Changes(s, drawing, base_ids, per_import)
            # Imports of one source cannot be told apart: the drawing must hold as many as exited 0.
            imported = after.imports
            for op, (code, _, err) in zip(pair, results):
                figures["operations"] += 1
                what = "%s round %d: %s" % (" + ".join(pair), r, op)
                if op == "import" and code == 0:
                    done = imported > 0
                    imported -= 1
                elif op == "import":
                    done = False
                else:
                    done = after.xdata if op == "xdata-edit" else after.recoloured
                tally(figures, log, what, code, err, done)
            if imported > 0:
                figures["changed though failed"] += 1
                log.write("%s round %d: %d import(s) more in the drawing than exited 0\n" % (" + ".join(pair), r, imported))
            leftovers = [n for n in os.listdir(s.root) if ".saving-" in n or n.endswith(".lock")]
            if leftovers:
                figures["changed though failed"] += 1
                log.write("%s round %d: left %s\n" % (" + ".join(pair), r, leftovers))
    finally:
        shutil.rmtree(s.root, ignore_errors=True)
    return figures


def table_rounds(args, log):
    """Two table designers on one .TDB at once, each writing a cell of its own."""
    s, figures = start_round(args)
    try:
        table = os.path.join(s.root, "beams.TDB")
        s.run("table", "--new", "5x4", "-o", table)
        for r in range(args.rounds):
            commands, values = [], []
            for p in range(2):
                values.append("R%dP%d" % (r, p))
                script = os.path.join(s.root, "cell%d.txt" % p)
                with open(script, "w") as f:
                    f.write("cell 1 %d %s\nok\n" % (p + 1, values[p]))
                commands.append(("table", "--design", table, "--script", script))
            results = start_all(s, commands)
            held = open(table, "rb").read()
            for p, (code, _, err) in enumerate(results):
                figures["operations"] += 1
                tally(figures, log, "table --design round %d: process %d" % (r, p), code, err,
                      values[p].encode() in held)
            leftovers = [n for n in os.listdir(s.root) if n.startswith("$tmpTdb") or ".tmp" in n or n.endswith(".lock")]
            if leftovers:
                figures["changed though failed"] += 1
                log.write("table --design round %d: left %s\n" % (r, leftovers))
    finally:
        shutil.rmtree(s.root, ignore_errors=True)
    return figures


PAIRS = {"imports": ("import", "import"), "import-xdata": ("import", "xdata-edit"),
         "xdata-same": ("xdata-edit", "same-entity")}
KINDS = {"start-up": start_up_rounds, "settings": settings_rounds, "registry": registry_rounds}
# Kinds of two processes only: two commands that change one drawing or table.
PAIR_KINDS = {name: (lambda args, log, pair=pair: drawing_rounds(args, pair, log)) for name, pair in PAIRS.items()}
PAIR_KINDS["table-design"] = table_rounds


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--kwutil", required=True)
    ap.add_argument("--rounds", type=int, default=100)
    ap.add_argument("--processes", type=int, action="append", choices=(2, 3))
    ap.add_argument("--kind", action="append", choices=sorted(KINDS) + sorted(PAIR_KINDS))
    args = ap.parse_args()
    args.kwutil = os.path.abspath(args.kwutil)
    ok = True
    for kind in args.kind or [*KINDS, *PAIR_KINDS]:
        if kind in PAIR_KINDS:
            # A command that found the drawing held says so and changes nothing: that is no fault.
            figures = PAIR_KINDS[kind](args, sys.stdout)
            print("%-12s 2 processes  %s" % (kind, "  ".join("%s %d" % f for f in figures.items())))
            ok = ok and not figures["lost with exit 0"] and not figures["changed though failed"]
            continue
        for n in args.processes or (2, 3):
            figures = KINDS[kind](args, n, sys.stdout)
            print("%-12s %d processes  %s" % (kind, n, "  ".join("%s %d" % f for f in figures.items())))
            bad = [v for k, v in figures.items() if k in ("failed rounds", "lost with exit 0", "lost or misread",
                                                            "reported not saved", "reported failed")]
            ok = ok and not any(bad)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
