#!/usr/bin/env python3
"""Compiles every header of the targets under the given folders on its own (-fsyntax-only), with the flags of
its target's sources from compile_commands.json, so that a header that leans on its includer's includes fails.
The most used Qt and standard headers come precompiled (one small header per set of compiler options, made
here), which makes the check cheap; --strict leaves them out, so that a missing Qt or standard include fails too.
A header that passed is checked again only when it, a header of ours it includes or its options change.
Usage: check_headers.py <compile_commands.json> <targets.tsv> <folder>... [--jobs N] [--strict]"""

import argparse
import hashlib
import json
import os
import re
import shlex
import subprocess
import sys
from concurrent.futures import ThreadPoolExecutor

import check_layering

HEADER_SUFFIXES = ('.h', '.hpp')
# What the check precompiles: Qt's and the standard library's headers only, so that a missing include of ours
# still fails.
PRECOMPILED = ['QList', 'QObject', 'QString', 'QStringList', 'QVariant', 'functional', 'memory', 'vector']
PRECOMPILED_WIDGETS = ['QWidget']
# Options that name the output or its dependency file.
DROPPED_WITH_VALUE = {'-o', '-MT', '-MF', '-MQ'}
DROPPED = {'-c', '-MD', '-MMD'}


def syntax_only_flags(entry, compiler):
    """The entry's compiler and options without its input, output and dependency files, and without debug
    information, which a syntax check does not make."""
    args = entry['arguments'] if 'arguments' in entry else shlex.split(entry['command'])
    flags, skip = [compiler or args[0]], False
    for arg in args[1:]:
        if skip:
            skip = False
        elif arg in DROPPED_WITH_VALUE or arg == '-include':
            skip = True
        elif arg not in DROPPED and not arg.startswith('-g') and \
                os.path.normpath(os.path.join(entry['directory'], arg)) != entry['file']:
            flags.append(arg)
    return flags + ['-g0']


def is_entry_of(entry, target):
    """Whether a compile command belongs to the target: one of its sources, or one made from them (unity
    batches, moc output) in its own build folder."""
    return entry['file'] in target.files or f'/CMakeFiles/{target.name}.dir/' in entry['file'] or \
        os.path.basename(os.path.dirname(entry['file'])) == f'{target.name}_autogen'


def headers_with_flags(compile_commands, targets, folders, compiler):
    """(header, compiler options, working folder) for every header of a target whose sources were compiled."""
    for e in compile_commands:
        e['file'] = os.path.normpath(os.path.join(e['directory'], e['file']))
    jobs = []
    for target in targets.values():
        headers = [path for path in target.files if path.endswith(HEADER_SUFFIXES) and
                   any(path.startswith(folder + os.sep) for folder in folders)]
        if not headers:
            continue
        entry = next((e for e in compile_commands if is_entry_of(e, target)), None)
        if entry is None:
            continue
        flags = syntax_only_flags(entry, compiler)
        jobs.extend((header, flags, entry['directory']) for header in headers)
    return sorted(jobs)


def precompiled_key(flags):
    """Include folders of ours do not change what Qt's and the standard headers mean: options that differ only
    in them share one precompiled header."""
    options = [f for f in flags if not f.startswith('-I')]
    return hashlib.sha1('\0'.join(options).encode()).hexdigest()[:16]


def precompile(flags, directory, folder):
    """The precompiled Qt and standard headers for these options, made once in folder; returns the name to
    pass to -include."""
    header = os.path.join(folder, f'precompiled-{precompiled_key(flags)}.h')
    if not os.path.exists(header + '.pch'):
        names = PRECOMPILED + (PRECOMPILED_WIDGETS if '-DQT_WIDGETS_LIB' in flags else [])
        with open(header, 'w', encoding='utf-8') as file:
            file.write(''.join(f'#include <{name}>\n' for name in names))
        subprocess.run(flags + ['-x', 'c++-header', header, '-o', header + '.pch'], cwd=directory, check=True)
    return header


INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)


def our_includes(path, include_dirs, seen):
    """The files of ours that path includes, directly or through others, found as the compiler finds them."""
    try:
        with open(path, encoding='utf-8', errors='replace') as file:
            text = file.read()
    except OSError:
        return
    for name in INCLUDE.findall(text):
        for folder in [os.path.dirname(path)] + include_dirs:
            candidate = os.path.normpath(os.path.join(folder, name))
            if os.path.isfile(candidate):
                if candidate not in seen:
                    seen.add(candidate)
                    our_includes(candidate, include_dirs, seen)
                break


def fingerprint(job):
    """What a header's check depends on of ours: its options, its text and the text of what it includes."""
    header, command, directory = job
    include_dirs = [os.path.join(directory, arg[2:]) for arg in command if arg.startswith('-I') and len(arg) > 2]
    files = {header}
    our_includes(header, include_dirs, files)
    digest = hashlib.sha1('\0'.join(command).encode())
    for path in sorted(files):
        digest.update(path.encode())
        with open(path, 'rb') as file:
            digest.update(file.read())
    return digest.hexdigest()


def compile_alone(job):
    header, command, directory = job
    result = subprocess.run(command + ['-fsyntax-only', '-x', 'c++', '-'], input=f'#include "{header}"\n',
                            cwd=directory, capture_output=True, text=True)
    return header, result.returncode, result.stderr


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('compile_commands')
    parser.add_argument('manifest')
    parser.add_argument('folders', nargs='+')
    parser.add_argument('--jobs', type=int, default=os.cpu_count())
    parser.add_argument('--strict', action='store_true', help='without the precompiled header')
    parser.add_argument('--compiler', help="the compiler that checks (the build's own when not given)")
    options = parser.parse_args()

    with open(options.compile_commands, encoding='utf-8') as file:
        compile_commands = json.load(file)
    root, targets = check_layering.read_manifest(options.manifest)
    folders = [os.path.normpath(os.path.join(root, folder)) for folder in options.folders]
    jobs = headers_with_flags(compile_commands, targets, folders, options.compiler)
    if not options.strict:
        folder = os.path.join(os.path.dirname(os.path.abspath(options.manifest)), 'precompiled')
        os.makedirs(folder, exist_ok=True)
        groups = {}
        for _, flags, directory in jobs:
            groups.setdefault(precompiled_key(flags), (flags, directory))
        with ThreadPoolExecutor(max_workers=options.jobs) as pool:
            made = dict(zip(groups, pool.map(lambda group: precompile(*group, folder), groups.values())))
        jobs = [(header, flags + ['-include', made[precompiled_key(flags)]], directory)
                for header, flags, directory in jobs]
    passed_file = os.path.join(os.path.dirname(os.path.abspath(options.manifest)), 'headers-passed.json')
    try:
        with open(passed_file, encoding='utf-8') as file:
            passed = set(json.load(file))
    except (OSError, ValueError):
        passed = set()
    prints = {job[0]: fingerprint(job) for job in jobs}
    to_check = [job for job in jobs if prints[job[0]] not in passed]
    with ThreadPoolExecutor(max_workers=options.jobs) as pool:
        results = list(pool.map(compile_alone, to_check))
    failed = [(header, errors) for header, code, errors in results if code != 0]
    passed |= {prints[header] for header, code, _ in results if code == 0}
    with open(passed_file + '.new', 'w', encoding='utf-8') as file:
        json.dump(sorted(passed & set(prints.values())), file)
    os.replace(passed_file + '.new', passed_file)
    for header, errors in failed:
        print(f'{os.path.relpath(header, root)} does not compile on its own:\n{errors}')
    if failed:
        print(f'{len(failed)} of {len(jobs)} headers do not compile on their own: include what they use.')
        return 1
    print(f'All {len(jobs)} headers compile on their own ({len(to_check)} checked now, the others unchanged).')
    return 0


if __name__ == '__main__':
    sys.exit(main())
