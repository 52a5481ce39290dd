#!/usr/bin/env python3
"""Mutation run over the rules library: how many one-line faults do the rules tests catch?

Makes one-line mutants of src/**/*.cpp (not src/ui, src/app): a comparison flipped
(< <=, > >=, == !=), Int and CInt exchanged, a numeric constant moved by one, two adjacent
random draws swapped, a statement dropped. Each mutant is built in a scratch copy of the tree
(never the working tree) with ninja, so only the changed object is rebuilt and the test programs
relinked; then the rules test programs run, one after the other, until one fails. A failing test,
a crash or a run past its time limit kills the mutant; a mutant that does not build is discarded
and replaced by the next one of the seeded sample. The behaviour-signature test is not run: it
pins today's behaviour, not the rules.

Prints every survivor (file:line, the change, the line) and, last, "mutants: K killed of N (P %)".
"""

from __future__ import annotations

import argparse
import dataclasses
import json
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import time
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
EQUIVALENT_FILE = Path(__file__).resolve().parent / "equivalent.txt"

# Test programs that do not judge the rules: the signature pins today's behaviour.
EXCLUDED_TESTS = {"ui", "signature"}
RULES_FOLDERS_EXCLUDED = ("src/ui/", "src/app/")

# A statement that draws from the dice: a draw helper or the source itself.
DRAW_CALL = re.compile(r"\b(roll\w*|\w*_roll|two_dice|throw_dice|Rnd\w*|Randomize|d4|d6|unallied_level)\s*\(")
COMPARISON = re.compile(r"(?<= )(<=|>=|==|!=|<|>)(?= )")
FLIPPED = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
ROUNDING = re.compile(r"(?<![\w:.])(C?Int)(?=\()")
NUMBER = re.compile(r"(?<![\w.'])(\d+)(?:\.(\d+))?(f?)(?![\w.'])")
# "Type name = ..." and the like: dropping a declaration only breaks the build.
DECLARATION = re.compile(
    r"^(?:(?:const|constexpr|static|inline|thread_local)\s+)*"
    r"[A-Za-z_][\w:]*(?:<[^;=]*>)?(?:\s*[&*]+)?\s+[&*]*[A-Za-z_]\w*\s*(?:=|\{|\(|;|\[)")
CAPACITY_HINT = re.compile(r"\.reserve\(")
CONTROL_HEAD = re.compile(r"^(?:\}\s*)?(?:if|for|while|switch|else|do|case|default)\b")
LABEL = re.compile(r"^(?:case\b[^;]*|default)\s*:\s*(break;)?$")


def falls_into_nothing(codes: list[str], i: int) -> bool:
    """A break followed only by labels, then a break or the switch's end: dropping it changes nothing."""
    for nxt in codes[i + 1:]:
        s = nxt.strip()
        if not s:
            continue
        label = LABEL.match(s)
        if label and not label.group(1):
            continue
        return s.startswith("}") or s == "break;" or bool(label)
    return True


@dataclasses.dataclass
class Mutant:
    path: str          # relative to the tree
    line: int          # 1-based
    kind: str
    change: str        # what a reader is told
    original: list[str]  # the replaced lines (one, or two for a swap)
    mutated: list[str]

    def key(self) -> tuple[str, str, str]:
        return (self.path, " / ".join(l.strip() for l in self.original), " / ".join(l.strip() for l in self.mutated))

    def where(self) -> str:
        return f"{self.path}:{self.line}"


# --- reading the sources ------------------------------------------------------------------------

def code_mask(lines: list[str]) -> list[list[bool]]:
    """Per character: True where it is code, False inside comments, strings and char literals."""
    masks = []
    in_block = False
    for text in lines:
        mask = [False] * len(text)
        i = 0
        while i < len(text):
            c = text[i]
            if in_block:
                if text.startswith("*/", i):
                    in_block = False
                    i += 2
                    continue
                i += 1
                continue
            if text.startswith("//", i):
                break
            if text.startswith("/*", i):
                in_block = True
                i += 2
                continue
            if c in "\"'":
                # A digit separator (1'000) is not a char literal.
                if c == "'" and i > 0 and text[i - 1].isalnum() and i + 1 < len(text) and text[i + 1].isalnum():
                    mask[i] = True
                    i += 1
                    continue
                j = i + 1
                while j < len(text) and text[j] != c:
                    j += 2 if text[j] == "\\" else 1
                i = j + 1
                continue
            mask[i] = True
            i += 1
        masks.append(mask)
    return masks


def code_only(text: str, mask: list[bool]) -> str:
    return "".join(ch if m else " " for ch, m in zip(text, mask))


def is_statement(code: str, prev_code: str) -> bool:
    """A whole one-line statement, and not the continuation of the line before."""
    s = code.strip()
    if not s.endswith(";") or s.startswith(("return ", "#", "}")) or s.count("(") != s.count(")"):
        return False
    if s.startswith(("case ", "default")) or s.count("{") != s.count("}"):
        return False
    p = prev_code.strip()
    return p == "" or p.endswith((";", "{", "}", ":")) or p.endswith(")") and CONTROL_HEAD.match(p) is not None \
        or p == "else"


def mutants_of_file(root: Path, rel: str) -> list[Mutant]:
    lines = (root / rel).read_text(encoding="utf-8").split("\n")
    masks = code_mask(lines)
    codes = [code_only(t, m) for t, m in zip(lines, masks)]
    out: list[Mutant] = []

    def one(i: int, kind: str, change: str, new_text: str) -> None:
        out.append(Mutant(rel, i + 1, kind, change, [lines[i]], [new_text]))

    prev_code = ""
    for i, (text, code) in enumerate(zip(lines, codes)):
        stripped = code.strip()
        # A capacity hint (reserve) changes no result: its mutants would all be equivalent.
        if not stripped or stripped.startswith("#") or "static_assert" in code or CAPACITY_HINT.search(code):
            if stripped:
                prev_code = code
            continue
        for m in COMPARISON.finditer(code):
            op = m.group(1)
            new = FLIPPED[op]
            one(i, "comparison", f"`{op}` → `{new}`", text[:m.start()] + new + text[m.end():])
        for m in ROUNDING.finditer(code):
            old = m.group(1)
            new = "Int" if old == "CInt" else "CInt"
            one(i, "rounding", f"{old} → {new}", text[:m.start()] + new + text[m.end():])
        for m in NUMBER.finditer(code):
            whole, frac, suffix = m.group(1), m.group(2), m.group(3)
            if text[m.start():m.start() + 2].lower() == "0x":
                continue
            if frac is None:
                if suffix:
                    continue
                value = int(whole)
                news = [str(value + 1)] + ([str(value - 1)] if value > 0 else [])
            elif set(frac) == {"0"}:
                value = int(whole)
                news = [f"{value + 1}.{frac}{suffix}"] + ([f"{value - 1}.{frac}{suffix}"] if value > 0 else [])
            else:
                # A fraction moves by one unit of its last digit: 1.1 → 1.0 / 1.2.
                scale = 10 ** len(frac)
                units = int(whole) * scale + int(frac)
                news = []
                for u in (units + 1, units - 1):
                    if u >= 0:
                        news.append(f"{u // scale}.{u % scale:0{len(frac)}d}{suffix}")
            for new in news:
                one(i, "constant", f"{m.group(0)} → {new}", text[:m.start()] + new + text[m.end():])
        if is_statement(code, prev_code) and not DECLARATION.match(stripped) \
                and not (stripped == "break;" and falls_into_nothing(codes, i)):
            indent = text[:len(text) - len(text.lstrip())]
            one(i, "drop", "statement dropped", indent + ";")
        # Two adjacent draws, each a whole statement: exchange the lines.
        if i + 1 < len(lines) and is_statement(code, prev_code) and DRAW_CALL.search(code):
            nxt = codes[i + 1]
            if is_statement(nxt, code) and DRAW_CALL.search(nxt) and lines[i].strip() != lines[i + 1].strip():
                out.append(Mutant(rel, i + 1, "swap", f"draws of lines {i + 1} and {i + 2} swapped",
                                  [lines[i], lines[i + 1]], [lines[i + 1], lines[i]]))
        prev_code = code
    return out


def rules_sources(root: Path) -> list[str]:
    found = []
    for p in sorted((root / "src").rglob("*.cpp")):
        rel = p.relative_to(root).as_posix()
        if not rel.startswith(RULES_FOLDERS_EXCLUDED):
            found.append(rel)
    return found


def read_equivalents() -> dict[tuple[str, str, str], str]:
    """Reviewed equivalent mutants: blocks of file:/from:/to:/why: lines. A block without to:
    stands for every mutant of that line (key with to = "*")."""
    known: dict[tuple[str, str, str], str] = {}
    if not EQUIVALENT_FILE.exists():
        return known
    block: dict[str, str] = {}

    def flush() -> None:
        if {"file", "from"} <= block.keys():
            known[(block["file"], block["from"], block.get("to", "*"))] = block.get("why", "")
        block.clear()

    for raw in EQUIVALENT_FILE.read_text(encoding="utf-8").split("\n"):
        if raw.startswith("#"):
            continue
        if not raw.strip():
            flush()
            continue
        name, _, value = raw.partition(":")
        block[name.strip()] = value.strip()
    flush()
    return known


# --- the scratch tree and its build -------------------------------------------------------------

class Scratch:
    def __init__(self, work: Path):
        self.work = work
        self.tree = work / "tree"
        self.build = work / "build"
        self.manifest_path = work / "manifest.json"
        self.dirty_path = work / "mutating.json"

    def sync(self) -> None:
        """Copies the working tree's files (committed or not, ignored ones left out) that changed."""
        self.tree.mkdir(parents=True, exist_ok=True)
        self.restore_left_over()
        listed = subprocess.run(["git", "ls-files", "-z", "--cached", "--others", "--exclude-standard"],
                                cwd=REPO, check=True, capture_output=True).stdout.decode().split("\0")
        manifest = json.loads(self.manifest_path.read_text()) if self.manifest_path.exists() else {}
        fresh = {}
        for rel in filter(None, listed):
            src = REPO / rel
            if not src.is_file():
                continue  # deleted but not yet staged
            st = src.stat()
            stamp = [st.st_size, st.st_mtime_ns]
            dst = self.tree / rel
            if manifest.get(rel) != stamp or not dst.exists():
                dst.parent.mkdir(parents=True, exist_ok=True)
                shutil.copy2(src, dst)
                # Newer than any object a mutant of the old text left in the scratch build: a copy
                # keeping the working tree's older mtime would let ninja keep that object.
                os.utime(dst)
            fresh[rel] = stamp
        for rel in set(manifest) - set(fresh):
            (self.tree / rel).unlink(missing_ok=True)
        self.manifest_path.write_text(json.dumps(fresh))
        self.share_the_core()

    def share_the_core(self) -> None:
        """In the scratch copy only: the rules library becomes a shared library, so a mutant relinks
        that one library and no test program (CMAKE_LINK_DEPENDS_NO_SHARED)."""
        cmake_lists = self.tree / "CMakeLists.txt"
        text = cmake_lists.read_text(encoding="utf-8")
        shared = text.replace("add_library(teijinki_core STATIC", "add_library(teijinki_core SHARED")
        if shared != text:
            cmake_lists.write_text(shared, encoding="utf-8")

    def restore_left_over(self) -> None:
        """A run stopped hard (kill -9) may have left a mutant in the scratch tree."""
        if self.dirty_path.exists():
            left = json.loads(self.dirty_path.read_text(encoding="utf-8"))
            if (self.tree / left["path"]).exists():
                write_touched(self.tree / left["path"], left["original"])
            self.dirty_path.unlink()

    def mutate(self, m: Mutant, lines: list[str]) -> None:
        # The original is kept beside the tree first, so even a killed run can put it back.
        self.dirty_path.write_text(json.dumps({"path": m.path, "original": "\n".join(lines)}), encoding="utf-8")
        new = list(lines)
        new[m.line - 1:m.line - 1 + len(m.original)] = m.mutated
        write_touched(self.tree / m.path, "\n".join(new))

    def restore(self, rel: str, lines: list[str]) -> None:
        write_touched(self.tree / rel, "\n".join(lines))
        self.dirty_path.unlink(missing_ok=True)

    def configure(self) -> None:
        if (self.build / "build.ninja").exists():
            return
        args = ["cmake", "-S", str(self.tree), "-B", str(self.build), "-G", "Ninja",
                "-DCMAKE_BUILD_TYPE=Release", "-DCMAKE_CXX_FLAGS_RELEASE=-O1 -DNDEBUG",
                "-DTEIJINKI_BUILD_DESKTOP=OFF", "-DCMAKE_LINK_DEPENDS_NO_SHARED=ON"]
        if shutil.which("ccache"):
            args.append("-DCMAKE_CXX_COMPILER_LAUNCHER=ccache")
        if shutil.which("ld.lld"):
            args.append("-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld")
        subprocess.run(args, check=True, stdout=subprocess.DEVNULL)

    def ninja(self, targets: list[str], jobs: int) -> bool:
        r = subprocess.run(["ninja", "-C", str(self.build), f"-j{jobs}", *targets],
                           stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        self.last_output = r.stdout.decode(errors="replace")
        return r.returncode == 0


def write_touched(path: Path, text: str) -> None:
    # A fresh mtime, later than any object built from the previous text, so ninja rebuilds.
    path.write_text(text, encoding="utf-8")
    now = time.time_ns()
    os.utime(path, ns=(now, now))


def test_programs(root: Path) -> list[str]:
    names = []
    for d in sorted((root / "tests").iterdir()):
        if d.is_dir() and d.name not in EXCLUDED_TESTS and any(d.glob("*.cpp")):
            names.append(f"test_{d.name}")
    return names


@dataclasses.dataclass
class Verdict:
    killed: bool
    by: str = ""
    detail: str = ""


class Running:
    """One test program running in its own process group, its output in a file."""

    def __init__(self, build: Path, name: str, timeout: float, out: Path):
        self.name, self.out = name, out
        self.deadline = time.monotonic() + timeout
        env = dict(os.environ, GTEST_FAIL_FAST="1")
        with out.open("wb") as sink:
            self.proc = subprocess.Popen([str(build / name), "--gtest_brief=1", "--gtest_fail_fast"], cwd=build,
                                         env=env, stdout=sink, stderr=subprocess.STDOUT, start_new_session=True)

    def verdict(self) -> tuple[bool, str] | None:
        """None while running; (passed, why not) when done. A run past its time counts as failed."""
        code = self.proc.poll()
        if code is None:
            if time.monotonic() < self.deadline:
                return None
            self.stop()
            return False, "timeout"
        if code == 0:
            return True, ""
        failed = re.findall(r"\[  FAILED  \] (\S+)", self.out.read_text(errors="replace"))
        return False, failed[0] if failed else f"exit {code}"

    def stop(self) -> None:
        if self.proc.poll() is None:
            try:
                os.killpg(self.proc.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            self.proc.wait()


def run_programs(build: Path, names: list[str], timeouts: dict[str, float], jobs: int) -> tuple[str, str] | None:
    """Runs the programs, `jobs` at a time, until one fails: (its name, why) or None when all pass."""
    waiting, running = list(names), []
    try:
        while waiting or running:
            while waiting and len(running) < jobs:
                name = waiting.pop(0)
                running.append(Running(build, name, timeouts[name], build / f"{name}.mutant-out"))
            for r in list(running):
                v = r.verdict()
                if v is None:
                    continue
                running.remove(r)
                if not v[0]:
                    return r.name, v[1]
            time.sleep(0.05)
        return None
    finally:
        for r in running:
            r.stop()


# --- the run ------------------------------------------------------------------------------------

def main() -> int:
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--mutants", type=int, default=200, help="mutants in the sample (default 200)")
    ap.add_argument("--seed", type=int, default=1, help="seed of the sample")
    ap.add_argument("--work", default=str(REPO / "build-mutants"), help="scratch tree and build")
    ap.add_argument("--jobs", type=int, default=2)
    ap.add_argument("--budget", type=float, default=180.0, help="minutes; the run stops after them")
    ap.add_argument("--only", action="append", default=[], help="mutate only files under this path")
    ap.add_argument("--list", action="store_true", help="count the candidates and exit")
    args = ap.parse_args()

    scratch = Scratch(Path(args.work).resolve())
    interrupted = {"signal": None}

    def on_signal(signum, _frame):
        interrupted["signal"] = signum
        raise KeyboardInterrupt

    # Installed by hand: a run started in the background inherits SIGINT ignored.
    for signum in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
        signal.signal(signum, on_signal)

    scratch.sync()
    tree = scratch.tree
    equivalents = read_equivalents()
    pool: list[Mutant] = []
    for rel in rules_sources(tree):
        if args.only and not any(rel.startswith(o) for o in args.only):
            continue
        pool.extend(m for m in mutants_of_file(tree, rel)
                    if m.key() not in equivalents and m.key()[:2] + ("*",) not in equivalents)
    rng = random.Random(args.seed)
    rng.shuffle(pool)
    kinds: dict[str, int] = {}
    for m in pool:
        kinds[m.kind] = kinds.get(m.kind, 0) + 1
    print(f"candidates: {len(pool)} ({', '.join(f'{k} {v}' for k, v in sorted(kinds.items()))}); "
          f"{len(equivalents)} reviewed as equivalent", file=sys.stderr)
    if args.list:
        return 0

    scratch.configure()
    programs = test_programs(tree)
    targets = programs + ["teijinki-sim"]  # the fault tests run the headless program
    print("building the unchanged tree ...", file=sys.stderr, flush=True)
    if not scratch.ninja(targets, args.jobs):
        print("the unchanged tree does not build", file=sys.stderr)
        return 2
    baseline: dict[str, float] = {}
    for name in programs:
        start = time.monotonic()
        failed = run_programs(scratch.build, [name], {name: 600.0}, 1)
        if failed:
            print(f"{name} fails on the unchanged tree ({failed[1]}): fix the tests first", file=sys.stderr)
            return 2
        baseline[name] = time.monotonic() - start
    print("baseline: " + ", ".join(f"{n} {t:.1f} s" for n, t in baseline.items()), file=sys.stderr)
    # A run that takes far longer than the unchanged one hangs: it counts as a kill.
    timeouts = {name: max(30.0, t * 5 + 10) for name, t in baseline.items()}

    # Programs tried first for a file: those named after its folder, then those that killed
    # most mutants of that folder so far, then the quickest.
    kills_by_folder: dict[tuple[str, str], int] = {}

    def order_for(rel: str) -> list[str]:
        folder = rel.split("/")[1]
        return sorted(programs, key=lambda n: (folder[:4] not in n, -kills_by_folder.get((folder, n), 0), baseline[n]))

    deadline = time.monotonic() + args.budget * 60
    sample = pool[:args.mutants]
    spare = pool[args.mutants:]
    # Mutants of one file one after the other: the restored file is rebuilt once per file.
    queue = sorted(sample, key=lambda m: (m.path, m.line))
    results: list[tuple[Mutant, Verdict]] = []
    discarded = 0
    out_of_time = False
    log = (scratch.work / "log.txt").open("w", encoding="utf-8")
    current: str | None = None
    original_lines: list[str] = []
    try:
        while queue:
            if time.monotonic() > deadline:
                out_of_time = True
                break
            m = queue.pop(0)
            if m.path != current:
                if current:
                    scratch.restore(current, original_lines)
                current = m.path
                original_lines = (tree / m.path).read_text(encoding="utf-8").split("\n")
            scratch.mutate(m, original_lines)
            order = order_for(m.path)
            verdict = None
            t0 = time.monotonic()
            # The likeliest killer is built and run alone; when it passes, the rest are built
            # together and run side by side.
            for group in ([order[0]], order[1:]):
                if not scratch.ninja(group + ["teijinki-sim"], args.jobs):
                    verdict = "discard"
                    break
                failed = run_programs(scratch.build, group, timeouts, args.jobs)
                if failed:
                    verdict = Verdict(True, *failed)
                    folder = m.path.split("/")[1]
                    kills_by_folder[(folder, failed[0])] = kills_by_folder.get((folder, failed[0]), 0) + 1
                    break
            if verdict == "discard":
                discarded += 1
                if spare:
                    queue.append(spare.pop(0))
                    queue.sort(key=lambda x: (x.path != current, x.path, x.line))
                errors = [l for l in scratch.last_output.splitlines() if "error" in l][:3]
                print(f"discarded (does not build): {m.where()} {m.change}", *errors, sep="\n  ", file=log, flush=True)
                continue
            if verdict is None:
                verdict = Verdict(False)
            results.append((m, verdict))
            n = len(results)
            state = f"killed by {verdict.by} ({verdict.detail})" if verdict.killed else "SURVIVED"
            line = f"[{n}/{args.mutants}] {m.where()} {m.change}: {state} {time.monotonic() - t0:.0f} s"
            print(line, file=sys.stderr, flush=True)
            print(line, file=log, flush=True)
    except KeyboardInterrupt:
        print("interrupted", file=sys.stderr)
    finally:
        if current:
            scratch.restore(current, original_lines)
        log.close()

    survivors = [m for m, v in results if not v.killed]
    killed = len(results) - len(survivors)
    if survivors:
        print("survivors:")
        for m in survivors:
            shown = " / ".join(l.strip() for l in m.original)
            print(f"  {m.where()}: {m.change}: {shown}")
    if discarded:
        print(f"{discarded} mutants did not build and were replaced")
    if out_of_time:
        print(f"stopped after the time budget of {args.budget:.0f} minutes")
    total = len(results)
    pct = 100.0 * killed / total if total else 0.0
    print(f"mutants: {killed} killed of {total} ({pct:.1f} %)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
