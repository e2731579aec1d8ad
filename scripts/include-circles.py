"""include-circles.py FOLDER: the circles of includes between the units of FOLDER (a header and
its source counted as one unit), one line each (a -> b -> a); nothing when there is none."""
import pathlib
import re
import sys

folder = pathlib.Path(sys.argv[1])
uses = {}
for file in sorted(folder.rglob("*")):
    if file.suffix in (".h", ".cpp"):
        unit = str(file.with_suffix(""))
        found = re.findall(r'^#include "([^"]+)\.h"', file.read_text(), re.M)
        uses.setdefault(unit, set()).update(name for name in found if name != unit)

state, path, circles = {}, [], []


def visit(unit):
    state[unit] = "open"
    path.append(unit)
    for used in sorted(uses.get(unit, ())):
        if state.get(used) == "open":
            circles.append(path[path.index(used):] + [used])
        elif used not in state:
            visit(used)
    path.pop()
    state[unit] = "done"


for unit in sorted(uses):
    if unit not in state:
        visit(unit)
for circle in circles:
    print(" -> ".join(circle))
