#!/usr/bin/env bash
# Loads and saves of 2 MiB as Intel HEX and as S-records: karvo-cli against
# srec_cat and objcopy doing the same conversions on the same files in the
# same run, whole process against whole process, and each one's peak memory.
#
#   bash bench/files/run.sh [BUILD_DIR] [RUNS]
#
# BUILD_DIR (default: build) holds bin/karvo-cli and the device data files;
# the 2 MiB part is the catalogue's "AMD Am29F016". bench/karvo_file_convert,
# when built, adds the same conversions by the load and save code alone,
# without the program's start-up. Needs srec_cat (srecord), objcopy
# (binutils), hyperfine and GNU time.
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
runs=${2:-20}
cli=$build/bin/karvo-cli
for tool in "$cli" srec_cat objcopy hyperfine /usr/bin/time python3; do
  command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 2; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
here=$(cd "$(dirname "$0")" && pwd)

# The same 2 MiB for every tool; srec_cat writes the text files (16 bytes a
# record, as this program writes them; S2 records ending in S8).
head -c $((2 * 1024 * 1024)) /dev/urandom >"$work/data.bin"
srec_cat "$work/data.bin" -binary -o "$work/data.hex" -intel -obs=16
srec_cat "$work/data.bin" -binary -execution-start-address=0 \
  -o "$work/data.srec" -motorola --address-length=3

convert=$build/bench/karvo_file_convert
karvo="$cli --virtual --settings $work/settings.ini --data-dir $build/bin -e 'select AMD Am29F016'"

# Every tool must produce the same bytes before its time means anything.
check() {  # name, file that must equal data.bin
  cmp -s "$work/data.bin" "$2" || { echo "FAIL: $1 does not reproduce the data" >&2; exit 1; }
}
eval "$karvo -e 'load $work/data.hex' -e 'save $work/k.bin format=binary'" >/dev/null
check "karvo-cli Intel HEX load" "$work/k.bin"
eval "$karvo -e 'load $work/data.srec format=motorola' -e 'save $work/k.bin format=binary'" >/dev/null
check "karvo-cli S-record load" "$work/k.bin"
eval "$karvo -e 'load $work/data.bin' -e 'save $work/k.hex'" >/dev/null
srec_cat "$work/k.hex" -intel -o "$work/k.bin" -binary
check "karvo-cli Intel HEX save" "$work/k.bin"
eval "$karvo -e 'load $work/data.bin' -e 'save $work/k.srec format=motorola'" >/dev/null
srec_cat "$work/k.srec" -motorola -o "$work/k.bin" -binary 2>/dev/null
check "karvo-cli S-record save" "$work/k.bin"
if [ -x "$convert" ]; then
  "$convert" load intel "$work/data.hex" "$work/c.bin" && check "library Intel HEX load" "$work/c.bin"
  "$convert" load motorola "$work/data.srec" "$work/c.bin" && check "library S-record load" "$work/c.bin"
fi

# name|command per conversion: karvo-cli, the code alone, srec_cat, objcopy.
cases=("start-up and select only|$karvo")
add() {  # conversion, karvo-cli commands, convert arguments, srec_cat and objcopy commands
  cases+=("$1: karvo-cli|$karvo $2")
  [ -x "$convert" ] && cases+=("$1: karvo library|$convert $3")
  cases+=("$1: srec_cat|$4" "$1: objcopy|$5")
}
add "load Intel HEX" "-e 'load $work/data.hex'" "load intel $work/data.hex $work/c.bin" \
  "srec_cat $work/data.hex -intel -o $work/s.bin -binary" \
  "objcopy -I ihex -O binary $work/data.hex $work/o.bin"
add "load S-record" "-e 'load $work/data.srec format=motorola'" \
  "load motorola $work/data.srec $work/c.bin" \
  "srec_cat $work/data.srec -motorola -o $work/s.bin -binary" \
  "objcopy -I srec -O binary $work/data.srec $work/o.bin"
add "save Intel HEX" "-e 'load $work/data.bin' -e 'save $work/k.hex'" \
  "save intel $work/data.bin $work/c.hex" \
  "srec_cat $work/data.bin -binary -o $work/s.hex -intel -obs=16" \
  "objcopy -I binary -O ihex $work/data.bin $work/o.hex"
add "save S-record" "-e 'load $work/data.bin' -e 'save $work/k.srec format=motorola'" \
  "save motorola $work/data.bin $work/c.srec" \
  "srec_cat $work/data.bin -binary -o $work/s.srec -motorola" \
  "objcopy -I binary -O srec $work/data.bin $work/o.srec"

args=()
for c in "${cases[@]}"; do args+=(--command-name "${c%%|*}" "${c#*|}"); done
hyperfine -N --warmup 2 --runs "$runs" --style none --export-json "$work/times.json" "${args[@]}" \
  >/dev/null

# Peak resident memory of one run of each.
: >"$work/memory.txt"
for c in "${cases[@]}"; do
  eval "/usr/bin/time -f '%M' -o $work/kb.txt ${c#*|}" >/dev/null 2>&1
  printf '%s|%s\n' "${c%%|*}" "$(cat "$work/kb.txt")" >>"$work/memory.txt"
done

python3 "$here/report.py" "$work/times.json" "$work/memory.txt"
