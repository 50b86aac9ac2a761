"""Prints the table of bench/files/run.sh: mean time, peak memory, ratios."""
import json
import sys

times = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
memory = dict(line.rstrip("\n").split("|") for line in open(sys.argv[2]))


def mean_ms(name):
    return times[name]["mean"] * 1000


print(f"{'conversion':34} {'mean ms':>8} {'± ms':>6} {'peak KiB':>9}  time / srec_cat, / objcopy")
for name, result in times.items():
    ratios = ""
    if "karvo" in name and ":" in name:
        group = name.split(":")[0]
        ratios = "  ".join(f"{mean_ms(name) / mean_ms(f'{group}: {tool}'):5.2f}"
                           for tool in ("srec_cat", "objcopy"))
    print(f"{name:34} {mean_ms(name):8.1f} {result['stddev'] * 1000:6.1f} {memory[name]:>9}  {ratios}")
