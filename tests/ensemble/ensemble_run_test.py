#!/usr/bin/env python3
"""Runs of quill-ensemble on a small ensemble of 8 realisations, one broken on purpose.

    ensemble_run_test.py <case> <quill-ensemble> <quill> <scratch-folder> [<repository>]

Cases:
  local   the broken realisation is recorded and the others collected; mending it and running
          again runs it alone; the user's folders are never changed
  resume  Ctrl-C ends the running quill processes; running again resumes and collects the
          same files as a run that was never stopped
  slurm   on a one-node Slurm cluster started here (scripts/start_local_slurm.sh), the
          collected files equal the local mode's byte for byte; --no-wait returns the job
          id and a second submission is refused while the job runs
Exits 0 when the case passes; a failure says what differed.
"""
import fcntl
import filecmp
import os
import shutil
import signal
import subprocess
import sys
import time

REALISATIONS = 8
BROKEN = "r03"
CELLS = 10 * 10 * 2

DECK = """-- 10 x 10 x 2 cells, one vertical well; each realisation has its own PERMX
DIMENS
10 10 2
DX
50
DY
50
DZ
20
PORO
INCLUDE
PORO.inc
PERMX
INCLUDE
PERMX.inc
COMPLOC
5 5 1
5 5 2
/
SIMULATION
-- pressure model
OIL
PRESSURE
3000
SWL
0.2
RCOMP
3000 4e-6
PVDO
1000 1.1 1.5
4000 1.08 1.6
/
RPTPRE
FREQ=5
WCONPROD
100 ORAT 500 200 10
/
END
"""

COLLECTED = ["case_ENSEMBLE.csv", "case_ARRIVAL_P10.grdecl", "case_ARRIVAL_P50.grdecl",
             "case_ARRIVAL_P90.grdecl", "case_REACHED_0.01.grdecl", "case_REACHED_1.6681.grdecl",
             "case_REACHED_100.grdecl"]


def fail(message):
    print("FAILED: " + message)
    sys.exit(1)


def permeability_values(realisation, count):
    """Deterministic, different for every realisation: 10 to 15 md times (r + 1)."""
    return ["%g" % (10 * (realisation + 1) * (1 + 0.5 * ((c * 7919 + realisation * 104729) % 1000) / 1000))
            for c in range(count)]


def make_ensemble(folder):
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    with open(os.path.join(folder, "case.fip"), "w") as deck:
        deck.write(DECK)
    with open(os.path.join(folder, "PORO.inc"), "w") as poro:
        poro.write("\n".join(["0.2"] * CELLS) + "\n")
    with open(os.path.join(folder, "PERMX.inc"), "w") as permx:
        permx.write("\n".join(["30"] * CELLS) + "\n")
    for r in range(REALISATIONS):
        name = "r%02d" % r
        os.makedirs(os.path.join(folder, name))
        # The broken realisation holds too few values for the grid.
        count = CELLS // 4 if name == BROKEN else CELLS
        with open(os.path.join(folder, name, "PERMX.inc"), "w") as permx:
            permx.write("\n".join(permeability_values(r, count)) + "\n")


def mend_broken(folder):
    with open(os.path.join(folder, BROKEN, "PERMX.inc"), "w") as permx:
        permx.write("\n".join(permeability_values(3, CELLS)) + "\n")


def run(arguments, expected_status, **options):
    result = subprocess.run(arguments, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True,
                            timeout=110, **options)
    if result.returncode != expected_status:
        fail("%s ended with %d instead of %d\nstdout:\n%s\nstderr:\n%s" %
             (" ".join(arguments), result.returncode, expected_status, result.stdout, result.stderr))
    return result.stdout


def require_in(text, expected, what):
    if expected not in text:
        fail("%s lacks %r:\n%s" % (what, expected, text))


def read(path):
    with open(path) as file:
        return file.read()


def snapshot(folder):
    """Names, sizes and modification times of the user's files (everything but runs/ and results)."""
    files = {}
    for root, folders, names in os.walk(folder):
        folders[:] = [f for f in folders if not (root == folder and f == "runs")]
        for name in names:
            if root == folder and name.startswith("case_"):
                continue
            status = os.stat(os.path.join(root, name))
            files[os.path.join(root, name)] = (status.st_size, status.st_mtime_ns)
    return files


def require_same_collected(first, second):
    for name in COLLECTED:
        if not filecmp.cmp(os.path.join(first, name), os.path.join(second, name), shallow=False):
            fail("%s differs between %s and %s" % (name, first, second))


def case_local(tool, quill, scratch):
    ensemble = os.path.join(scratch, "ensemble")
    make_ensemble(ensemble)
    before = snapshot(ensemble)

    output = run([tool, "run", ensemble, "--jobs", "2", "--quill", quill], 3)
    require_in(output, "8 of 8 realisations to run (0 finished already)", "the first run's output")
    require_in(output, "r03 failed with exit status 1: Error in reading PERMX data!", "the first run's output")
    require_in(output, "Failed: r03\nMissing: none", "the first run's output")
    if read(os.path.join(ensemble, "runs", BROKEN, "exit_status")) != "1\nError in reading PERMX data!\n":
        fail("the broken realisation's record is " + read(os.path.join(ensemble, "runs", BROKEN, "exit_status")))
    table = read(os.path.join(ensemble, "case_ENSEMBLE.csv")).splitlines()
    require_in(table[1], "P90 is the low case", "the table's header")
    if len(table) != 4 + 10 or any(line.split(",")[1] != "7" for line in table[4:]):
        fail("the table does not use the 7 finished realisations at 10 report times:\n" + "\n".join(table))
    for name in COLLECTED:
        if not os.path.exists(os.path.join(ensemble, name)):
            fail(name + " was not written")
    if snapshot(ensemble) != before:
        fail("the run changed the user's folders")

    # A second run takes up only what has no finished result: the mended realisation.
    mend_broken(ensemble)
    output = run([tool, "run", ensemble, "--jobs", "2", "--quill", quill], 0)
    require_in(output, "1 of 8 realisations to run (7 finished already)", "the second run's output")
    require_in(output, "[1/1] r03 finished", "the second run's output")
    if any(line.split(",")[1] != "8" for line in read(os.path.join(ensemble, "case_ENSEMBLE.csv")).splitlines()[4:]):
        fail("the table does not use all 8 realisations after the mended run")

    # One quill-ensemble at a time: a second one is refused while the first holds the lock.
    with open(os.path.join(ensemble, "runs", "ensemble.lock"), "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        result = subprocess.run([tool, "collect", ensemble], stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        if result.returncode != 1 or "Error: another quill-ensemble is running on" not in result.stderr:
            fail("collect beside a running quill-ensemble gave %d: %s" % (result.returncode, result.stderr))

    # A base deck changed after the runs makes their results stale: collect refuses them.
    with open(os.path.join(ensemble, "case.fip"), "a") as deck:
        deck.write("-- changed\n")
    result = subprocess.run([tool, "collect", ensemble], stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    if result.returncode != 1 or "changed after their runs finished" not in result.stderr:
        fail("collect after a change of the base deck gave %d: %s" % (result.returncode, result.stderr))


def case_resume(tool, quill, scratch):
    straight = os.path.join(scratch, "straight")
    make_ensemble(straight)
    run([tool, "run", straight, "--jobs", "2", "--quill", quill], 3)

    # A quill that takes a while, and leaves its process id where the test finds it.
    slow_quill = os.path.join(scratch, "slow_quill.sh")
    with open(slow_quill, "w") as script:
        script.write("#!/bin/sh\necho $$ >slow_quill.pid\nsleep 0.4\nexec '%s' \"$@\"\n" % quill)
    os.chmod(slow_quill, 0o755)

    stopped = os.path.join(scratch, "stopped")
    make_ensemble(stopped)
    runs = os.path.join(stopped, "runs")
    process = subprocess.Popen([tool, "run", stopped, "--jobs", "2", "--quill", slow_quill],
                               stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    deadline = time.time() + 60
    recorded = lambda: [r for r in sorted(os.listdir(runs)) if os.path.exists(os.path.join(runs, r, "exit_status"))] \
        if os.path.isdir(runs) else []
    while len(recorded()) < 2 and time.time() < deadline and process.poll() is None:
        time.sleep(0.05)
    process.send_signal(signal.SIGINT)
    output, errors = process.communicate(timeout=30)
    if process.returncode != 130:
        fail("the stopped run ended with %d:\n%s%s" % (process.returncode, output, errors))
    require_in(output, "run the same command again to go on", "the stopped run's output")
    done = recorded()
    if not 2 <= len(done) < REALISATIONS:
        fail("the stopped run recorded %d realisations" % len(done))
    for name in os.listdir(runs):
        pid_file = os.path.join(runs, name, "slow_quill.pid")
        if os.path.exists(pid_file):
            try:
                os.kill(int(read(pid_file)), 0)
                fail("the quill of %s still runs after the stop" % name)
            except ProcessLookupError:
                pass

    output = run([tool, "run", stopped, "--jobs", "2", "--quill", quill], 3)
    finished = [r for r in done if read(os.path.join(runs, r, "exit_status")).startswith("0\n")]
    if set(done) - set(finished) - {BROKEN}:
        fail("the stopped run recorded failures: " + ", ".join(sorted(set(done) - set(finished))))
    left = REALISATIONS - len(finished)
    require_in(output, "%d of 8 realisations to run" % left, "the resumed run's output")
    require_same_collected(straight, stopped)


def case_slurm(tool, quill, scratch, repository):
    state = os.path.join(scratch, "slurm")
    start = subprocess.run([os.path.join(repository, "scripts", "start_local_slurm.sh"), state],
                           stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, timeout=100)
    if start.returncode != 0:
        fail("the local Slurm cluster did not start:\n" + start.stdout)
    environment = dict(os.environ, SLURM_CONF=os.path.join(state, "slurm.conf"))
    try:
        local = os.path.join(scratch, "local")
        make_ensemble(local)
        run([tool, "run", local, "--jobs", "2", "--quill", quill], 3)

        cluster = os.path.join(scratch, "cluster")
        make_ensemble(cluster)
        output = run([tool, "run", cluster, "--slurm", "--quill", quill], 3, env=environment)
        require_in(output, "Submitted the Slurm job", "the Slurm run's output")
        require_in(output, "r03 failed with exit status 1: Error in reading PERMX data!", "the Slurm run's output")
        require_same_collected(local, cluster)

        # --no-wait prints the job id and returns; the same ensemble is not submitted twice.
        mend_broken(cluster)
        output = run([tool, "run", cluster, "--slurm", "--no-wait", "--quill", quill], 0, env=environment)
        job = output.strip().splitlines()[-1]
        if not job.isdigit():
            fail("--no-wait did not end with the job id:\n" + output)
        result = subprocess.run([tool, "run", cluster, "--slurm", "--quill", quill], stdout=subprocess.PIPE,
                                stderr=subprocess.PIPE, text=True, env=environment)
        queued = subprocess.run(["squeue", "-h", "-j", job], stdout=subprocess.PIPE, text=True, env=environment)
        if queued.stdout.strip() and (result.returncode != 1 or "still queued or running" not in result.stderr):
            fail("a second submission while job %s runs gave %d: %s" % (job, result.returncode, result.stderr))
        deadline = time.time() + 60
        while time.time() < deadline:
            queued = subprocess.run(["squeue", "-h", "-j", job], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                    text=True, env=environment)
            if not queued.stdout.strip():
                break
            time.sleep(0.5)
        output = run([tool, "collect", cluster], 0)
        require_in(output, "Collected 8 of 8 realisations", "collect after the --no-wait job")
    finally:
        subprocess.run([os.path.join(repository, "scripts", "start_local_slurm.sh"), "--stop", state])


def main():
    if len(sys.argv) < 5:
        fail(__doc__)
    case = sys.argv[1]
    tool, quill, scratch = (os.path.abspath(path) for path in sys.argv[2:5])
    scratch = os.path.join(scratch, case)
    shutil.rmtree(scratch, ignore_errors=True)
    os.makedirs(scratch)
    if case == "local":
        case_local(tool, quill, scratch)
    elif case == "resume":
        case_resume(tool, quill, scratch)
    elif case == "slurm":
        case_slurm(tool, quill, scratch, sys.argv[5])
    else:
        fail("unknown case " + case)
    print("passed")


if __name__ == "__main__":
    main()
