#!/bin/sh
# Runs a validator over a shipped file: every message it prints is a fault, warnings and hints
# too. Skipped (77) where the validator is not installed; `make deps` installs it.
tool=$1
if ! command -v "$tool" >/dev/null 2>&1; then
  echo "skipped: $tool is not installed (make deps installs it)"
  exit 77
fi
out=$("$@" 2>&1)
status=$?
echo "$out"
complaints=$(printf '%s\n' "$out" | grep -v -e '^$' -e 'Validation was successful')
[ "$status" -eq 0 ] && [ -z "$complaints" ]
