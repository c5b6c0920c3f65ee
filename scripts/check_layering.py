#!/usr/bin/env python3
"""Layering check: every #include "..." of a target's file must name a header of that target or of a target it
links, directly or through others. Reads the target manifest that cmake/TavorinChecks.cmake writes at configure
time. Usage: check_layering.py <targets.tsv>"""

import os
import re
import sys
from dataclasses import dataclass, field

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.MULTILINE)
CODE_SUFFIXES = ('.h', '.hpp', '.cpp', '.cc')


@dataclass
class Target:
    name: str
    folder: str
    deps: list
    interface_deps: list
    include_dirs: list
    files: list = field(default_factory=list)


def cmake_list(text):
    return [item for item in text.split(';') if item]


def plain_path(item):
    """The path of a manifest entry, with the $<BUILD_INTERFACE:...> wrapper removed; None for other expressions."""
    match = re.fullmatch(r'\$<BUILD_INTERFACE:(.*)>', item)
    if match:
        return match.group(1)
    return None if item.startswith('$<') else item


def read_manifest(path):
    root = None
    targets = {}
    with open(path, encoding='utf-8') as manifest:
        for line in manifest.read().splitlines():
            fields = line.split('\t')
            if fields[0] == 'root':
                root = fields[1]
            elif fields[0] == 'target':
                name, folder, deps, interface_deps, include_dirs, sources = (fields[1:] + [''] * 6)[:6]
                target = Target(name, folder, cmake_list(deps), cmake_list(interface_deps),
                                [p for p in map(plain_path, cmake_list(include_dirs)) if p])
                for source in map(plain_path, cmake_list(sources)):
                    if source:
                        target.files.append(os.path.normpath(os.path.join(folder, source)))
                targets[name] = target
    return root, targets


def dependency_closure(targets):
    """For each target, the names of the targets whose headers it may use: itself, the targets it links, and
    what those pass on to their users, transitively (a private dependency of a library is not passed on)."""
    def passed_on(name, seen):
        for dep in targets[name].interface_deps:
            if dep in targets and dep not in seen:
                seen.add(dep)
                passed_on(dep, seen)

    closure = {}
    for name, target in targets.items():
        seen = {name}
        for dep in target.deps:
            if dep in targets and dep not in seen:
                seen.add(dep)
                passed_on(dep, seen)
        closure[name] = seen
    return closure


def owners_by_file_and_folder(targets):
    by_file, by_folder = {}, {}
    for target in targets.values():
        for path in target.files:
            by_file.setdefault(path, set()).add(target.name)
            by_folder.setdefault(os.path.dirname(path), set()).add(target.name)
    return by_file, by_folder


def check(root, targets):
    """Returns the layering faults as readable lines."""
    closure = dependency_closure(targets)
    by_file, by_folder = owners_by_file_and_folder(targets)
    include_roots = sorted({os.path.normpath(d) for t in targets.values() for d in t.include_dirs})
    faults = []
    for target in sorted(targets.values(), key=lambda t: t.name):
        for path in target.files:
            if not path.endswith(CODE_SUFFIXES) or not os.path.isfile(path):
                continue
            with open(path, encoding='utf-8', errors='replace') as source:
                includes = INCLUDE.findall(source.read())
            for include in includes:
                owners = header_owners(include, os.path.dirname(path), include_roots, by_file, by_folder)
                where = os.path.relpath(path, root)
                if owners is None:
                    faults.append(f'{where}: includes "{include}", which is no header of any target')
                elif not owners & closure[target.name]:
                    faults.append(f'{where}: includes "{include}" of {", ".join(sorted(owners))}, '
                                  f'which {target.name} does not link')
    return faults


def header_owners(include, including_folder, include_roots, by_file, by_folder):
    """The targets owning the header an include names, searched as the compiler does; a header that is not
    listed as a source (one generated at configure time) belongs to the targets of the source folder it names."""
    candidates = [os.path.normpath(os.path.join(d, include)) for d in [including_folder] + include_roots]
    for candidate in candidates:
        if candidate in by_file:
            return by_file[candidate]
    for candidate in candidates:
        if os.path.dirname(candidate) in by_folder:
            return by_folder[os.path.dirname(candidate)]
    return None


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    root, targets = read_manifest(sys.argv[1])
    faults = check(root, targets)
    for fault in faults:
        print(fault)
    if faults:
        print(f'{len(faults)} include(s) reach a library that is not linked: link it in the CMakeLists.txt '
              'or move the code to the layer that may use it.')
        return 1
    print(f'Layering holds for {len(targets)} targets.')
    return 0


if __name__ == '__main__':
    sys.exit(main())
