#!/usr/bin/env python3
"""Fails when a file of src/ includes a header of a layer above its own.

Each folder of src/ is a layer; a file may include its own layer's headers
and those of the layers below it (the same order as the CMake targets).
Usage: check-layers.py [SOURCE_ROOT]
"""
import os
import re
import sys

# Each layer and the layers it may include, its own included.
BELOW = {
    "platform": {"platform"},
    "charset": {"charset", "platform"},
    "codec": {"codec", "charset", "platform"},
    "html": {"html", "charset", "platform"},
    "mime": {"mime", "codec", "charset", "platform"},
    "host": {"host", "platform"},
    "translate": {"translate", "mime", "html", "host", "codec", "charset", "platform"},
    "mailclient": {"mailclient", "translate", "mime", "html", "host", "codec", "charset",
                   "platform"},
    "ui": {"ui", "translate", "mime", "html", "host", "codec", "charset", "platform"},
    "plugin": {"plugin", "ui", "translate", "mime", "html", "host", "codec", "charset",
               "platform"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def check_file(path, layer):
    problems = []
    with open(path, encoding="utf-8", errors="replace") as source:
        for number, line in enumerate(source, 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            target = match.group(1)
            if "/" not in target:
                continue  # a file beside it, in its own layer
            top = target.split("/")[0]
            if top == ".." or top not in BELOW or top not in BELOW[layer]:
                problems.append(f"{path}:{number}: layer {layer} includes {target}")
    return problems


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    src = os.path.join(root, "src")
    problems = []
    for layer in sorted(os.listdir(src)):
        if not os.path.isdir(os.path.join(src, layer)):
            continue
        if layer not in BELOW:
            problems.append(f"src/{layer}: a folder that is not a known layer")
            continue
        for folder, _, files in os.walk(os.path.join(src, layer)):
            for name in sorted(files):
                if name.endswith((".h", ".cpp", ".rc")):
                    problems.extend(check_file(os.path.join(folder, name), layer))
    for problem in problems:
        print(problem)
    print(f"layer check: {len(problems)} problem(s)")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
