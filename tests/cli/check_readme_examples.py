"""Runs the commands of the README's fenwarde-calc section as written, with
the tool of this build for build/bin/fenwarde-calc, and checks that each one
succeeds with JSON answers and that what the text quotes from an answer is
in it; the example plan of the Plans section must open with --plan.
Usage: check_readme_examples.py README.md PATH_TO_FENWARDE_CALC"""

import json
import re
import subprocess
import sys
import tempfile


def section(text, title):
    start = text.index("\n## %s\n" % title)
    end = text.find("\n## ", start + 1)
    return text[start:end if end >= 0 else len(text)]


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    with open(sys.argv[1], encoding="utf-8") as readme:
        whole = readme.read()
    text = section(whole, "fenwarde-calc")
    with tempfile.NamedTemporaryFile("w", suffix=".fenwarde") as plan:
        plan.write(re.search(r"```json\n(.*?)```", section(whole, "Plans"), re.S).group(1))
        plan.flush()
        run = subprocess.run([sys.argv[2], "--plan", plan.name], stdout=subprocess.PIPE,
                             stderr=subprocess.PIPE, timeout=60)
    if run.returncode != 0 or '"pole":"Entrance"}' not in run.stdout.decode():
        print("the example plan: %s" % run.stderr.decode())
        return 1
    parts = re.split(r"```sh\n(.*?)```", text, flags=re.S)
    commands = parts[1::2]
    # Each command is followed by prose; `quoted` bits of an answer in it
    # that look like JSON must be in the command's output, and in the first
    # suggestion when it suggests, which the prose calls the best.
    prose = parts[2::2]
    if len(commands) < 2:
        print("expected at least two examples, found %d" % len(commands))
        return 1
    failures = 0
    for command, after in zip(commands, prose):
        runnable = command.replace("build/bin/fenwarde-calc", sys.argv[2])
        run = subprocess.run(["bash", "-o", "pipefail", "-c", runnable],
                             stdout=subprocess.PIPE, timeout=60)
        output = run.stdout.decode()
        problems = []
        if run.returncode != 0:
            problems.append("exit status %d" % run.returncode)
        for line in output.splitlines():
            answer = json.loads(line)
            if "inputError" in answer or "solveError" in answer:
                problems.append(line)
        if not output:
            problems.append("no output")
        scope = output.split('},{"horizontalMount"')[0]
        for quoted in re.findall(r"`([^`]*\":[^`]*)`", after):
            if quoted not in scope:
                problems.append("%s is not in the answer" % quoted)
        if problems:
            failures += 1
            print("%s\n  %s" % (command.strip(), "\n  ".join(problems)))
    print("%d examples, %d failed" % (len(commands), failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
