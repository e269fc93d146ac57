#!/usr/bin/env python3
"""Whole-process comparison of the smart and follow rules of vezdar-cli with the other filler
(qxw batch mode) on grid files with their decks, for one or more program folders (dictionaries).

  compare-fillers.py --cli build/vezdar-cli --home default=build --home head=/tmp/h \\
                     --runs 5 bench/grids/auto-*.txt

Each run starts one process per filler, interleaved, and times it from start to exit. Follow is
stopped after --follow-limit seconds (it never gives up on an unfillable grid); smart and qxw get
--limit. Prints one line per grid and filler, then per dictionary, grid kind and size: median and
95th percentile (nearest rank; runs that reached no end count as slower than any), and the shares
filled and proven unfillable."""
import argparse, math, os, re, statistics, subprocess, sys, tempfile, time

ap = argparse.ArgumentParser()
ap.add_argument('--cli', required=True)
ap.add_argument('--home', action='append', required=True, help='NAME=PROGRAM_FOLDER')
ap.add_argument('--runs', type=int, default=5)
ap.add_argument('--limit', type=float, default=60)
ap.add_argument('--follow-limit', type=float, default=2)
ap.add_argument('--qxw', default='/usr/games/qxw')
ap.add_argument('grids', nargs='+')
a = ap.parse_args()
here = os.path.dirname(os.path.abspath(__file__))


def timed(cmd, env, limit):
    t = time.perf_counter()
    try:
        p = subprocess.run(cmd, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=limit + 5)
        return time.perf_counter() - t, p.returncode, p.stdout.decode('utf-8', 'replace')
    except subprocess.TimeoutExpired:
        return time.perf_counter() - t, None, ''


def quantile(ts, q):
    ts = sorted(ts)
    return ts[min(len(ts), max(1, math.ceil(q * len(ts)))) - 1]


def fmt(t):
    return '  >limit' if math.isinf(t) else '%8.3f' % t


def kind(path):
    m = re.match(r'(.*?)-(\d+)-\d+$', os.path.splitext(os.path.basename(path))[0])
    return (m.group(1), int(m.group(2))) if m else ('other', 0)


rows = []  # (home, grid, filler, times list, filled, proven)
for entry in a.home:
    name, home = entry.split('=', 1)
    words = tempfile.NamedTemporaryFile('w', suffix='.txt', delete=False)
    # One line per distinct word: the dictionary repeats a word once per meaning.
    listed = subprocess.run(['sh', os.path.join(here, 'words-from-dict.sh'), home], stdout=subprocess.PIPE, check=True)
    words.write('\n'.join(dict.fromkeys(listed.stdout.decode('utf-8').split())) + '\n')
    words.close()
    env = dict(os.environ, VEZDAR_HOME=os.path.abspath(home))
    for grid in a.grids:
        deck = os.path.splitext(grid)[0] + '.qxd'
        res = {f: ([], 0, 0) for f in ('smart', 'follow', 'qxw')}
        for r in range(1, a.runs + 1):
            for filler in ('smart', 'follow', 'qxw'):
                if filler == 'qxw':
                    t, rc, out = timed([a.qxw, '-b', '-a', 'RU', '-d', words.name, deck], env, a.limit)
                    filled, proven = rc == 0, rc is not None and 'No fill found' in out
                else:
                    limit = a.limit if filler == 'smart' else a.follow_limit
                    t, rc, out = timed([a.cli, 'compose', grid, '--rule', filler, '--seed', str(r),
                                        '--time-limit', str(limit)], env, limit)
                    filled, proven = rc == 0, rc == 4
                ts, nf, np_ = res[filler]
                ts.append(t if filled or proven else math.inf)
                res[filler] = (ts, nf + filled, np_ + proven)
        for filler, (ts, nf, np_) in res.items():
            rows.append((name, grid, filler, ts, nf, np_))
            print('%-8s %-16s %-7s median %s p95 %s filled %d/%d proven %d/%d' % (
                name, os.path.basename(grid), filler, fmt(quantile(ts, .5)), fmt(quantile(ts, .95)), nf, len(ts),
                np_, len(ts)), flush=True)
    os.unlink(words.name)

print('\nPer dictionary, grid kind and size (seconds, whole process)')
print('%-8s %-6s %4s %-7s %8s %8s %8s %8s' % ('dict', 'kind', 'size', 'filler', 'median', 'p95', 'filled', 'proven'))
groups = sorted({(h, *kind(g)) for h, g, *_ in rows})
for h, k, size in groups:
    for filler in ('smart', 'follow', 'qxw'):
        sel = [r for r in rows if r[0] == h and kind(r[1]) == (k, size) and r[2] == filler]
        ts = [t for r in sel for t in r[3]]
        n = len(ts)
        print('%-8s %-6s %4d %-7s %s %s %7.0f%% %7.0f%%' % (h, k, size, filler, fmt(quantile(ts, .5)),
              fmt(quantile(ts, .95)), 100 * sum(r[4] for r in sel) / n, 100 * sum(r[5] for r in sel) / n))
# Grids that follow fills within a second (median): smart's median against follow's.
print('\nGrids follow fills within a second: smart median / follow median')
for h in sorted({r[0] for r in rows}):
    ratios = []
    for g in sorted({r[1] for r in rows if r[0] == h}):
        f = next(r for r in rows if r[0] == h and r[1] == g and r[2] == 'follow')
        s = next(r for r in rows if r[0] == h and r[1] == g and r[2] == 'smart')
        fm, sm = quantile(f[3], .5), quantile(s[3], .5)
        if fm <= 1:
            ratios.append(sm / fm)
    if ratios:
        print('%-8s grids %d, ratio median %.2f, max %.2f' % (h, len(ratios), statistics.median(ratios), max(ratios)))
