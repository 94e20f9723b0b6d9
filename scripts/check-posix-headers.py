#!/usr/bin/env python3
"""Lists POSIX-only headers included outside Unix-only blocks in the program's sources and
fails when it finds one: the program is also built for Windows, where they do not exist.

A Unix-only block is an #if/#ifdef on Q_OS_UNIX, Q_OS_LINUX, Q_OS_MACOS, __unix__, __linux__
or __APPLE__ (its #else/#elif part is not). Files that are Unix-only as a whole are named in
UNIX_ONLY_FILES with the reason.
    scripts/check-posix-headers.py [DIR...]     (default: src)
"""
import pathlib
import re
import sys

POSIX_HEADERS = {
    "unistd.h", "fcntl.h", "termios.h", "poll.h", "pwd.h", "grp.h", "dirent.h", "dlfcn.h",
    "pthread.h", "pty.h", "util.h", "libgen.h", "syslog.h", "sys/ioctl.h", "sys/mount.h",
    "sys/select.h", "sys/socket.h", "sys/wait.h", "sys/mman.h", "sys/time.h", "sys/file.h",
    "sys/statvfs.h", "sys/un.h", "sys/resource.h", "sys/utsname.h",
}
UNIX_ONLY_FILES = {
    # zolpanel-sim serves the panel on a pseudo-terminal, which only Unix has.
    "src/sim/PtyPanel.cpp",
}
UNIX_MACROS = re.compile(r"\b(Q_OS_UNIX|Q_OS_LINUX|Q_OS_MACOS|Q_OS_DARWIN|__unix__|__unix|__linux__|__APPLE__)\b")
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]')
DIRECTIVE = re.compile(r"^\s*#\s*(if|ifdef|ifndef|elif|else|endif)\b(.*)")


def unix_only(kind, rest):
    if kind == "ifndef":
        return False
    return bool(UNIX_MACROS.search(rest)) and not re.search(r"!\s*defined|!\s*" + UNIX_MACROS.pattern, rest)


def findings(path, root):
    # One entry per open #if: whether the part we are in is Unix-only.
    stack = []
    for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
        d = DIRECTIVE.match(line)
        if d:
            kind, rest = d.groups()
            if kind in ("if", "ifdef", "ifndef"):
                stack.append(unix_only(kind, rest))
            elif kind == "elif" and stack:
                stack[-1] = unix_only("if", rest)
            elif kind == "else" and stack:
                stack[-1] = False
            elif kind == "endif" and stack:
                stack.pop()
            continue
        m = INCLUDE.match(line)
        if m and m.group(1) in POSIX_HEADERS and not any(stack):
            yield f"{path.relative_to(root)}:{number}: {m.group(1)} outside a Unix-only block"


def main(argv):
    root = pathlib.Path(__file__).resolve().parent.parent
    dirs = argv[1:] or ["src"]
    found = []
    for d in dirs:
        for path in sorted((root / d).rglob("*")):
            if path.suffix not in (".cpp", ".h", ".hpp", ".cc") or not path.is_file():
                continue
            if str(path.relative_to(root)) in UNIX_ONLY_FILES:
                continue
            found.extend(findings(path, root))
    for f in found:
        print(f)
    if found:
        print(f"check-posix-headers: {len(found)} POSIX-only header(s) outside Unix-only blocks",
              file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
