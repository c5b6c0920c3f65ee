#!/usr/bin/env python3
"""Compiles every header of the targets under the given folders on its own (-fsyntax-only), with the flags of
its target's sources from compile_commands.json, so that a header that leans on its includer's includes fails.
The target's precompiled header (Qt's and the standard library's headers) stays, which makes the check cheap;
--strict drops it, so that a missing Qt or standard include fails too.
Usage: check_headers.py <compile_commands.json> <targets.tsv> <folder>... [--jobs N] [--strict]"""

import argparse
import json
import os
import shlex
import subprocess
import sys
from concurrent.futures import ThreadPoolExecutor

import check_layering

HEADER_SUFFIXES = ('.h', '.hpp')
# Options that name the output or its dependency file.
DROPPED_WITH_VALUE = {'-o', '-MT', '-MF', '-MQ'}
DROPPED = {'-c', '-MD', '-MMD'}


def syntax_only_flags(entry, strict):
    args = entry['arguments'] if 'arguments' in entry else shlex.split(entry['command'])
    dropped_with_value = DROPPED_WITH_VALUE | ({'-include'} if strict else set())
    flags, skip = [args[0]], False
    for arg in args[1:]:
        if skip:
            skip = False
        elif arg in dropped_with_value:
            skip = True
        elif arg not in DROPPED and os.path.normpath(os.path.join(entry['directory'], arg)) != entry['file']:
            flags.append(arg)
    return flags + ['-fsyntax-only', '-x', 'c++', '-']


def headers_with_flags(compile_commands, targets, folders, strict):
    """(header, compiler command, working folder) for every header of a target whose sources were compiled."""
    by_source = {os.path.normpath(os.path.join(e['directory'], e['file'])): e for e in compile_commands}
    jobs = []
    for target in targets.values():
        entry = next((by_source[f] for f in target.files if f in by_source), None)
        if entry is None:
            continue
        for path in target.files:
            if path.endswith(HEADER_SUFFIXES) and any(path.startswith(folder + os.sep) for folder in folders):
                jobs.append((path, syntax_only_flags(entry, strict), entry['directory']))
    return sorted(jobs)


def compile_alone(job):
    header, command, directory = job
    result = subprocess.run(command, input=f'#include "{header}"\n', cwd=directory, capture_output=True, text=True)
    return header, result.returncode, result.stderr


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('compile_commands')
    parser.add_argument('manifest')
    parser.add_argument('folders', nargs='+')
    parser.add_argument('--jobs', type=int, default=os.cpu_count())
    parser.add_argument('--strict', action='store_true', help='without the precompiled header')
    options = parser.parse_args()

    with open(options.compile_commands, encoding='utf-8') as file:
        compile_commands = json.load(file)
    root, targets = check_layering.read_manifest(options.manifest)
    folders = [os.path.normpath(os.path.join(root, folder)) for folder in options.folders]
    jobs = headers_with_flags(compile_commands, targets, folders, options.strict)
    with ThreadPoolExecutor(max_workers=options.jobs) as pool:
        failed = [(header, errors) for header, code, errors in pool.map(compile_alone, jobs) if code != 0]
    for header, errors in failed:
        print(f'{os.path.relpath(header, root)} does not compile on its own:\n{errors}')
    if failed:
        print(f'{len(failed)} of {len(jobs)} headers do not compile on their own: include what they use.')
        return 1
    print(f'All {len(jobs)} headers compile on their own.')
    return 0


if __name__ == '__main__':
    sys.exit(main())
