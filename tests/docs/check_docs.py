#!/usr/bin/env python3
"""The README's first screen and the pages it leads to: README.md holds at most 60 lines with
the two set-up commands in its first screen, every page of docs/ is linked from it, and every
relative link and picture of README.md and docs/*.md names a file that exists."""
import re
import sys
from pathlib import Path

root = Path(sys.argv[1]).resolve()
failures = []
readme = root / "README.md"
lines = readme.read_text(encoding="utf-8").splitlines()
if len(lines) > 60:
    failures.append(f"README.md has {len(lines)} lines, more than 60")
first_screen = "\n".join(lines[:30])
for command in ("scripts/demo", "scripts/test"):
    if command not in first_screen:
        failures.append(f"{command} is not in README.md's first 30 lines")

pages = sorted((root / "docs").glob("*.md"))
readme_text = readme.read_text(encoding="utf-8")
for page in pages:
    if f"](docs/{page.name})" not in readme_text:
        failures.append(f"README.md does not link docs/{page.name}")

for document in [readme, *pages]:
    for target in re.findall(r"\]\(([^)\s]+)\)", document.read_text(encoding="utf-8")):
        if re.match(r"[a-z]+:", target) or target.startswith("#"):
            continue
        if not (document.parent / target.split("#")[0]).exists():
            failures.append(f"{document.relative_to(root)} links {target}, which does not exist")

for failure in failures:
    print("FAIL:", failure)
print(f"{len(pages) + 1} documents checked, {len(failures)} failures")
sys.exit(1 if failures else 0)
