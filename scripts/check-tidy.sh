#!/usr/bin/env bash
# Runs clang-tidy (the checks in .clang-tidy) over the project's own sources and
# headers in the default build's compile commands, and fails on any finding.
# Usage: scripts/check-tidy.sh [file regex]   (configures the default preset if needed)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=build/default

run_tidy=$(command -v run-clang-tidy-14 || command -v run-clang-tidy || true)
clang_tidy=$(command -v clang-tidy-14 || command -v clang-tidy || true)
if [[ -z "$run_tidy" || -z "$clang_tidy" ]]; then
    echo "clang-tidy not found (scripts/setup.sh installs it)" >&2
    exit 2
fi
[[ -f $build/compile_commands.json ]] || cmake --preset default >/dev/null

# The project's own translation units only (no moc, autogen or generated data),
# without the build's precompiled headers: clang-tidy need not be the exact
# compiler that wrote them, and every source includes what it uses anyway.
db=$(mktemp -d)
trap 'rm -rf "$db"' EXIT
python3 - "$root" "$build/compile_commands.json" "$db/compile_commands.json" <<'PY'
import json, re, shlex, sys
root, src, dst = sys.argv[1:4]
own = re.compile(re.escape(root) + r"/(app|base|bench|calc|catalogue|storage|tests|tools|ui)/")
kept = []
for entry in json.load(open(src)):
    if not own.match(entry["file"]):
        continue
    args = entry.get("arguments") or shlex.split(entry["command"])
    out = []
    for a in args:
        if "cmake_pch" in a and out and out[-1] == "-include":
            out.pop()
        elif a != "-Winvalid-pch":
            out.append(a)
    entry.pop("command", None)
    entry["arguments"] = out
    kept.append(entry)
json.dump(kept, open(dst, "w"), indent=1)
print(f"tidy: {len(kept)} translation units", file=sys.stderr)
PY

log=$db/tidy.log
status=0
"$run_tidy" -clang-tidy-binary "$clang_tidy" -p "$db" -j "$(nproc)" -quiet "${1:-.}" >"$log" 2>&1 || status=$?
findings=$(sed 's/\x1b\[[0-9;]*m//g' "$log" | grep -E '^[^ ]+:[0-9]+:[0-9]+: (warning|error):' | sed "s|^$root/||" | sort -u || true)
if [[ -n "$findings" || $status -ne 0 ]]; then
    [[ -n "$findings" ]] && echo "$findings" || cat "$log"
    echo "tidy: $(grep -c . <<<"$findings") findings" >&2
    exit 1
fi
echo "tidy: no findings"
