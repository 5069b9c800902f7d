#!/usr/bin/env python3
"""Frame benchmark report: reads the frame log written by the LD_PRELOAD library
(vossa_frameshim.so), the phase windows written by bench/frames.sh and the floor program's
line, and prints frames per second, update steps per second, the frame's own work per frame
(everything but the frame delay), the start-up times and the peak resident memory.

Usage: frames-report.py LOG PHASES FLOOR_LINE... [--launch NS]
       frames-report.py --deal LOG CLICK_NS
  LOG     the library's log (start/pacer/loop/open/swap/delay/probe/hwm lines)
  PHASES  lines "NAME FIRST LAST": main-loop frame numbers (1 = first intro frame), inclusive,
          or "NAME T0 T1": wall-clock times (CLOCK_REALTIME nanoseconds)
  --deal  the time from the answer at CLICK_NS to the rows at rest: the first frame from which
          on the probed pixels stay at the colours they end with
"""
import statistics
import sys


def parse_floor(outputs, kind="floor"):
    """(fps, ms per frame, CPU ms per frame) of each floor line of the given kind."""
    values = []
    for output in outputs:
        for line in output.splitlines():
            if not line.startswith(kind + " "):
                continue
            fields = dict(f.split("=", 1) for f in line.split()[1:] if "=" in f)
            values.append((float(fields["fps"]), float(fields["ms"]), float(fields["cpums"])))
    return values


STEP_NS = 1e9 / 60
MAX_STEPS = 15


def replay_steps(start, turn_ends):
    """Update steps of each turn of a loop that runs one step per 1/60 s of wall time, at most
    MAX_STEPS a turn and the rest of the time dropped. A turn steps at its start (the end of
    the turn before, or the loop's start) for the time gathered until then."""
    steps, acc, last = [], 0.0, start
    for end in turn_ends:
        due = int(acc // STEP_NS)
        steps.append(min(due, MAX_STEPS))
        acc -= due * STEP_NS
        acc += end - last
        last = end
    return steps


def deal(log_path, click):
    """Seconds from the answer to the rows at rest, and frames drawn per second meanwhile."""
    probes, swaps = [], []
    with open(log_path) as log:
        for line in log:
            f = line.split()
            if f and f[0] == "probe" and int(f[1]) > click:
                probes.append((int(f[1]), [int(v) for v in f[2:8]]))
            elif f and f[0] == "swap" and int(f[2]) > click:
                swaps.append(int(f[2]))
    if len(probes) < 10:
        print("deal: too few frames after the answer", file=sys.stderr)
        return 1
    final = probes[-1][1]
    rest = len(probes) - 1
    while rest > 0 and sum(abs(a - b) for a, b in zip(probes[rest - 1][1], final)) <= 60:
        rest -= 1
    at = probes[rest][0]
    seconds = (at - click) / 1e9
    frames = sum(1 for t in swaps if t <= at)
    print("%.2f s, %.1f frames/s" % (seconds, frames / seconds))
    return 0


def main():
    args = sys.argv[1:]
    if args and args[0] == "--deal":
        return deal(args[1], int(args[2]))
    launch = None
    if "--launch" in args:
        i = args.index("--launch")
        launch = int(args[i + 1])
        del args[i : i + 2]
    backdrops = []
    while "--backdrop" in args:
        i = args.index("--backdrop")
        backdrops.append(args[i + 1])
        del args[i : i + 2]
    backdrop = parse_floor(backdrops, "backdrop")
    log_path, phases_path = args[0], args[1]
    floors = parse_floor(args[2:])

    pacers, loops, swaps, delays, opens = [], [], [], [], []
    start = hwm = None
    with open(log_path) as log:
        for line in log:
            f = line.split()
            if not f:
                continue
            if f[0] == "start":
                start = int(f[1])
            elif f[0] == "pacer":
                pacers.append((int(f[1]), len(swaps), len(delays),
                               int(f[2]) if len(f) > 2 else None))
            elif f[0] == "loop":
                loops.append((int(f[1]), len(swaps), len(delays), int(f[2])))
            elif f[0] == "swap":
                swaps.append((int(f[1]), int(f[2])))
            elif f[0] == "delay":
                delays.append((int(f[1]), int(f[2]), int(f[3])))
            elif f[0] == "open":
                opens.append((int(f[1]), f[2]))
            elif f[0] == "hwm":
                hwm = int(f[1])
    # A loop of fixed update steps marks its start by choosing the swap interval; an older
    # one, a step per frame, by its second frame-rate manager.
    fixed_step = bool(loops) and bool(pacers)
    if not fixed_step and len(pacers) < 2:
        print("frames-report: the main loop never started", file=sys.stderr)
        return 1

    logo_time, logo_swaps, logo_delays, _ = pacers[0]
    run_time, run_swaps, run_delays, run_cpu = loops[0] if fixed_step else pacers[1]
    # Main-loop frame k (1-based) is swap run_swaps+k-1 followed by delay run_delays+k-1.
    loop_swaps = swaps[run_swaps:]
    loop_delays = delays[run_delays:]
    logo_end = delays[run_delays - 1][1] if run_delays > logo_delays else logo_time

    floor_fps = statistics.mean(v[0] for v in floors) if floors else None
    floor_ms = statistics.mean(v[1] for v in floors) if floors else None
    floor_cpu = statistics.mean(v[2] for v in floors) if floors else None

    print("Floor (clear + swap, uncapped): " +
          (", ".join("%.1f fps / %.2f ms / %.2f CPU ms" % v for v in floors) if floors else "not measured"))
    if backdrop:
        print("Floor + one opaque full-screen gradient: " +
              ", ".join("%.1f fps / %.2f ms / %.2f CPU ms" % v for v in backdrop))
    print()
    turn_ends = [d[1] for d in loop_delays]
    steps = replay_steps(run_time, turn_ends) if fixed_step else [1] * len(turn_ends)
    header = "%-20s %6s %6s %7s %8s %7s %7s %8s %7s %7s %7s %6s" % (
        "phase", "frames", "fps", "steps/s", "work ms", "p95 ms", "max ms", "swap ms", "x floor", "cpu ms",
        "x floor", ">16.7")
    print(header)
    print("-" * len(header))
    with open(phases_path) as phases:
        for line in phases:
            f = line.split()
            if len(f) != 3:
                continue
            name, first, last = f[0], int(f[1]), int(f[2])
            if first > 10**15:
                # Wall-clock times: the frames whose turn ended within them.
                inside = [k for k, t in enumerate(turn_ends, 1) if first <= t <= last]
                if not inside:
                    print("%-20s (no frame drawn in its time)" % name)
                    continue
                first, last = inside[0], inside[-1]
            if first < 2 or last > len(loop_delays):
                print("%-20s (window %d-%d outside the %d frames drawn)" %
                      (name, first, last, len(loop_delays)))
                continue
            ends = [loop_delays[k - 1][1] for k in range(first - 1, last + 1)]
            periods = [(b - a) / 1e6 for a, b in zip(ends, ends[1:])]
            work = [(loop_delays[k - 1][0] - loop_delays[k - 2][1]) / 1e6
                    for k in range(first, last + 1)]
            swap = [(loop_swaps[k - 1][1] - loop_swaps[k - 1][0]) / 1e6
                    for k in range(first, last + 1)]
            cpu = [(loop_delays[k - 1][2] - loop_delays[k - 2][2]) / 1e6
                   for k in range(first, last + 1)]
            n = last - first + 1
            fps = n / ((ends[-1] - ends[0]) / 1e9)
            steps_per_second = sum(steps[first - 1:last]) / ((ends[-1] - ends[0]) / 1e9)
            mean_work = statistics.mean(work)
            p95 = sorted(work)[int(0.95 * (n - 1))]
            late = sum(1 for p in periods if p > 1000.0 / 60 + 1.0)
            ratio = "%.2f" % (mean_work / floor_ms) if floor_ms else "-"
            cpu_ratio = "%.2f" % (statistics.mean(cpu) / floor_cpu) if floor_cpu else "-"
            print("%-20s %6d %6.1f %7.1f %8.2f %7.2f %7.2f %8.2f %7s %7.2f %7s %5d%%" %
                  (name, n, fps, steps_per_second, mean_work, p95, max(work), statistics.mean(swap), ratio,
                   statistics.mean(cpu), cpu_ratio, round(100.0 * late / n)))
    print()
    print("work: the frame minus its frame delay (wall clock); cpu ms: the process's CPU time per")
    print("frame, all threads (less sensitive to other load on the machine); x floor: the same")
    print("figure over the floor's; >16.7: frames whose period exceeded 16.7 ms by over 1 ms;")
    print("steps/s: update steps a second, by the loop's rule (a step per 1/60 s of wall time, at")
    print("most %d a frame) over the frame times%s." %
          (MAX_STEPS, "" if fixed_step else "; this loop runs one step per frame"))
    print()

    first_frame = loop_swaps[0][1] if loop_swaps else None
    pack_open = next((t for t, name in opens if name.endswith("vossadata.bin")), None)
    origin = launch if launch is not None else start
    logo = (logo_end - logo_time) / 1e6
    print("Start-up")
    if launch is not None and start is not None:
        print("  launch to library loaded             %8.1f ms" % ((start - launch) / 1e6))
    print("  launch to logo (SDL, audio, window)  %8.1f ms" % ((logo_time - origin) / 1e6))
    print("  logo                                 %8.1f ms" % logo)
    if pack_open is not None:
        print("  logo end to pack opened              %8.1f ms" % ((pack_open - logo_end) / 1e6))
    print("  asset pack load and decode           %8.1f ms  (logo end to main loop)" %
          ((run_time - logo_end) / 1e6))
    if run_cpu is not None and run_delays > logo_delays:
        print("    of it CPU time                     %8.1f ms" %
              ((run_cpu - delays[run_delays - 1][2]) / 1e6))
    if first_frame is not None:
        print("  main loop to first intro frame       %8.1f ms" % ((first_frame - run_time) / 1e6))
        total = (first_frame - origin) / 1e6
        print("  launch to first intro frame          %8.1f ms" % total)
        print("  start-up beyond the logo             %8.1f ms" % (total - logo))
    print()
    print("Peak resident memory over the run     %8s" %
          ("%.1f MiB" % (hwm / 1024.0) if hwm is not None else "not logged"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
