#!/usr/bin/python3
# Runs a build step unless the cache holds what the same command made of the
# same files, and keeps what it makes: as ccache does for compiling, for the
# steps of the page's build that take longest, linking the program (wasm-opt)
# and compressing it with brotli. A step is known by its command line, the
# contents of every file the line names and its tool's version; its outputs
# are named on ours.
#   build_cache.py CACHE_DIR OUTPUT... -- COMMAND...
# Relative names are the working folder's, so another checkout of the same
# sources finds the same steps.
import hashlib, os, shutil, subprocess, sys, tempfile

KEPT_STEPS = 24  # the oldest used go first; a page's steps are a dozen


def named_files(command):
    # The files a command line names, a response file's own lines with them.
    for word in command:
        name = word[1:] if word.startswith("@") else word
        if os.path.isfile(name):
            yield name
            if word.startswith("@"):
                with open(name) as response:
                    yield from named_files(response.read().split())


def key(command, outputs):
    version = subprocess.run([command[0], "--version"], capture_output=True, check=True).stdout
    digest = hashlib.sha256("\0".join(command).encode() + b"\0" + version)
    made = {os.path.realpath(output) for output in outputs}
    for name in (n for n in named_files(command) if os.path.realpath(n) not in made):
        with open(name, "rb") as file:
            digest.update(name.encode() + b"\0" + hashlib.file_digest(file, "sha256").digest())
    return digest.hexdigest()


def main():
    cache, *rest = sys.argv[1:]
    split = rest.index("--")
    outputs, command = rest[:split], rest[split + 1:]
    step = os.path.join(cache, key(command, outputs))
    if all(os.path.isfile(os.path.join(step, str(n))) for n in range(len(outputs))):
        for n, output in enumerate(outputs):
            shutil.copyfile(os.path.join(step, str(n)), output)
        os.utime(step)
        return
    subprocess.run(command, check=True)
    os.makedirs(cache, exist_ok=True)
    # Whole or not at all, whoever else keeps the same step meanwhile.
    kept = tempfile.mkdtemp(dir=cache, prefix=".")
    for n, output in enumerate(outputs):
        shutil.copyfile(output, os.path.join(kept, str(n)))
    try:
        os.rename(kept, step)
    except OSError:
        shutil.rmtree(kept)
    steps = sorted((e for e in os.scandir(cache) if not e.name.startswith(".")), key=lambda e: e.stat().st_mtime)
    for old in steps[:-KEPT_STEPS]:
        shutil.rmtree(old.path, ignore_errors=True)


if __name__ == "__main__":
    try:
        main()
    except subprocess.CalledProcessError as failed:
        sys.exit(failed.returncode)
