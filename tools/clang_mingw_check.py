#!/usr/bin/env python3
"""Compiles every source of the Windows cross build a second time, with clang for the MinGW-w64
target, as far as the checks of the language go (-fsyntax-only: no code, no link), so that code only
GCC accepts is caught. Reads the cross build's compile commands (configure the windows-cross preset
first); the MinGW-w64 headers and GCC's C++ library headers are those the cross build uses.

Usage: clang_mingw_check.py [build folder] [jobs]
Prints each failing file with clang's first messages, then "clang-mingw: P passed, F failed"; exits 1
when a file failed."""
import concurrent.futures
import json
import os
import shlex
import subprocess
import sys

TARGET = "x86_64-w64-mingw32"


def gcc_include_dirs(gcc):
    """GCC's search list for C++, in order: its C++ library, then the MinGW-w64 headers."""
    run = subprocess.run([gcc, "-v", "-x", "c++", "-fsyntax-only", os.devnull], capture_output=True, text=True)
    lines = run.stderr.splitlines()
    try:
        begin = lines.index("#include <...> search starts here:") + 1
        end = lines.index("End of search list.")
    except ValueError:
        return []
    # GCC's own built-in headers (intrinsics, stddef.h) stay out: clang brings its own.
    folders = [os.path.normpath(line.strip()) for line in lines[begin:end]]
    return [f for f in folders if "/c++" in f or f.endswith(TARGET + "/include")]


def clang_command(entry, includes):
    words = shlex.split(entry["command"]) if "command" in entry else list(entry["arguments"])
    out = []
    skip = False
    for word in words[1:]:
        if skip:
            skip = False
        elif word in ("-o", "-MF", "-MT", "-MQ"):
            skip = True
        elif word not in ("-c", "-MD", "-MMD"):
            out.append(word)
    head = ["clang++", "--target=" + TARGET, "-nostdinc++", "-nostdlibinc", "-fsyntax-only",
            "-Wno-unknown-warning-option"]
    for folder in includes:
        head += ["-isystem", folder]
    return head + out


def check(entry, includes):
    run = subprocess.run(clang_command(entry, includes), cwd=entry["directory"], capture_output=True, text=True)
    return entry["file"], run.returncode, run.stderr


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build/windows-cross"
    jobs = int(sys.argv[2]) if len(sys.argv) > 2 else os.cpu_count() or 2
    with open(os.path.join(build, "compile_commands.json"), encoding="utf-8") as f:
        # The resource scripts go through windres, not a compiler.
        entries = [e for e in json.load(f) if e["file"].endswith((".cpp", ".cc", ".c"))]
    gcc = shlex.split(entries[0]["command"])[0] if entries and "command" in entries[0] else TARGET + "-g++"
    includes = gcc_include_dirs(gcc)
    if not includes:
        print("clang-mingw: cannot read the include folders of " + gcc)
        return 1
    passed = failed = warned = 0
    with concurrent.futures.ThreadPoolExecutor(max_workers=jobs) as pool:
        for name, code, messages in pool.map(lambda e: check(e, includes), entries):
            if code == 0:
                passed += 1
                if "warning:" in messages:
                    warned += 1
                    print("warnings: " + name + "\n" + "\n".join(messages.splitlines()[:10]))
            else:
                failed += 1
                print("FAILED: " + name + "\n" + "\n".join(messages.splitlines()[:20]))
    print(f"clang-mingw: {passed} passed ({warned} with warnings), {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
