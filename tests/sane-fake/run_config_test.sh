#!/usr/bin/env bash
# scripts/sane-config-dir keeps the system's scanners: on a system folder whose dll.conf
# lists quillerfake and whose dll.d adds nothing of ours, scanimage lists both the
# system's devices (quillerfake) and the station's virtual "test" scanner.
set -euo pipefail
scanimage=$1
script=$2
fixture=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/system/dll.d" "$tmp/pages"
echo quillerfake >"$tmp/system/dll.conf"
echo '# a drop-in of the system' >"$tmp/system/dll.d/other"
sed "s|@DIR@|$tmp|" "$fixture" >"$tmp/system/quillerfake.conf"
export QUILLER_SANE_SYSTEM_DIR="$tmp/system"
SANE_CONFIG_DIR=$("$script" "$tmp/run")
export SANE_CONFIG_DIR
test -f "$tmp/run/dll.d/other"
test ! -e "$tmp/run/dll.conf"
list=$("$scanimage" -L)
echo "$list"
grep -q "quillerfake:system" <<<"$list"
grep -q "test:0" <<<"$list"
