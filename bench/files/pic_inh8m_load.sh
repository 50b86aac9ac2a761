#!/usr/bin/env bash
# Loading a PIC18 INH8M file of about 1 MiB: karvo-cli against srec_cat
# reading the same file, whole process against whole process, in the same
# run. The image fills the PIC18 buffer below its areas (0 .. 0xEFFFF) and
# carries ID locations, configuration bytes and data EEPROM at their file
# addresses (0x200000, 0x300000, 0xF00000), as an assembler writes them.
#
#   bash bench/files/pic_inh8m_load.sh [BUILD_DIR] [RUNS]
#
# BUILD_DIR (default: build) holds bin/karvo-cli and the device data files;
# the part is the catalogue's largest PIC18, "Microchip 18F4685". Needs
# srec_cat (srecord), hyperfine and python3.
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
runs=${2:-20}
cli=$build/bin/karvo-cli
for tool in "$cli" srec_cat hyperfine python3; do
  command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 2; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

head -c $((0xF0000)) /dev/urandom >"$work/code.bin"
head -c 8 /dev/urandom >"$work/id.bin"
head -c 14 /dev/urandom >"$work/config.bin"
head -c 256 /dev/urandom >"$work/eeprom.bin"
srec_cat "$work/code.bin" -binary \
  "$work/id.bin" -binary -offset 0x200000 \
  "$work/config.bin" -binary -offset 0x300000 \
  "$work/eeprom.bin" -binary -offset 0xF00000 \
  -o "$work/image.hex" -intel -obs=16

karvo="$cli --virtual --settings $work/settings.ini --data-dir $build/bin -e 'select Microchip 18F4685'"
load="-e 'load $work/image.hex format=inh8m'"

# The load must put the bytes where they belong before its time means
# anything: words high byte first, the data EEPROM byte for byte.
eval "$karvo $load -e 'dump EFFF0 10' -e 'dump F0000 8' -e 'dump F0010 E' -e 'dump F0200 10'" \
  >"$work/dump.txt"
python3 - "$work" <<'PY'
import sys
work = sys.argv[1]
read = lambda name: open(f"{work}/{name}", "rb").read()
def swapped(b):
    return bytes(b[i ^ 1] for i in range(len(b)))
want = {0xEFFF0: swapped(read("code.bin")[-16:]), 0xF0000: swapped(read("id.bin")),
        0xF0010: swapped(read("config.bin")), 0xF0200: read("eeprom.bin")[:16]}
got = {}
for line in open(f"{work}/dump.txt"):
    if len(line) > 9 and line[8] == ":":
        got[int(line[:8], 16)] = bytes.fromhex(line[9:])
if got != want:
    sys.exit(f"FAIL: karvo-cli did not load the image where it belongs:\n{got}\n{want}")
PY
echo "file: $(du -k "$work/image.hex" | cut -f1) KiB of INH8M, $((0xF0000 / 1024)) KiB of code" \
  "and the three areas; load average $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) CPUs"

hyperfine -N --warmup 2 --runs "$runs" --style none --export-json "$work/times.json" \
  --command-name "karvo-cli start-up and select only" "$karvo" \
  --command-name "karvo-cli load INH8M" "$karvo $load" \
  --command-name "srec_cat read" "srec_cat $work/image.hex -intel -o /dev/null -binary" \
  >/dev/null

python3 - "$work/times.json" <<'PY'
import json, sys
times = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
mean = lambda name: times[name]["mean"] * 1000
print(f"{'':36} {'mean ms':>8} {'± ms':>6}")
for name, r in times.items():
    print(f"{name:36} {mean(name):8.1f} {r['stddev'] * 1000:6.1f}")
load, alone, srec = (mean("karvo-cli load INH8M"), mean("karvo-cli start-up and select only"),
                     mean("srec_cat read"))
print(f"karvo-cli / srec_cat, whole process: {load / srec:.2f}")
print(f"the load alone (less start-up and select): {load - alone:.1f} ms, "
      f"{(load - alone) / srec:.2f} of srec_cat")
PY
