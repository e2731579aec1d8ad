#!/bin/sh
# The source tree as the project keeps it, checked by make test:
# - every C++ file is clang-format clean under the project's .clang-format;
# - every shell script (*.sh, and files that start with a shell's #!) has no warning of
#   ShellCheck (at the level "warning");
# - no two units of ui/ (a header and its source counted as one) include each other, directly or
#   round a circle (scripts/include-circles.py).
# Prints one line when all holds, else the files that break it, and exits with 1.
set -eu
cd "$(dirname "$0")/.."

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    files=$(git ls-files --cached --others --exclude-standard)
else
    files=$(find . -path ./out -prune -o -type f -print | sed 's|^\./||')
fi

unformatted=$(echo "$files" | grep -E '\.(cpp|h)$' | while read -r file; do
    [ -f "$file" ] || continue
    clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || echo "$file"
done)
scripts=$(echo "$files" | while read -r file; do
    [ -f "$file" ] || continue
    case "$file" in
        *.sh) echo "$file" ;;
        *) if head -n 1 "$file" | grep -qE '^#!(/usr/bin/env |/bin/)(ba)?sh'; then echo "$file"; fi ;;
    esac
done)
# shellcheck disable=SC2086 # one argument per script
lint=$(shellcheck -S warning -f gcc $scripts 2>&1) || true
circles=$(python3 scripts/include-circles.py ui)

status=0
if [ -n "$unformatted" ]; then
    echo "sources      NOT clang-format clean (clang-format -i them):" $unformatted
    status=1
fi
if [ -n "$lint" ]; then
    echo "sources      shellcheck warnings:"
    echo "$lint"
    status=1
fi
if [ -n "$circles" ]; then
    echo "sources      units of ui/ that include each other:"
    echo "$circles"
    status=1
fi
[ $status -ne 0 ] ||
    echo "sources      clang-format clean, shell scripts shellcheck clean, no include circles in ui/"
exit $status
