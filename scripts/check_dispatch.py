#!/usr/bin/env python3
"""Event entry check: every place where Qt calls into our code (an event override, an event filter, a lambda
given to connect, a single-shot timer or a queued call) runs it through ui::Dispatch, so that no exception
crosses the event loop. Entry points that only call Qt stand in ONLY_QT. Usage: check_dispatch.py <src folder>"""

import os
import re
import sys

# Qt's event handlers that we override: lower-case names ending in Event, and a few others.
EVENT_METHOD = re.compile(r'\b(?:(\w+)::)?(event|eventFilter|scrollContentsBy|[a-z]\w*Event)\s*\(')
# Calls that take a lambda which Qt runs later from its event loop.
LAMBDA_TAKER = re.compile(r'\b(connect|singleShot|invokeMethod|callOnTimeout)\s*\(')
CLASS = re.compile(r'\b(?:class|struct)\s+(\w+)(?:\s+final)?\s*(?::[^;{]*)?\{')
CODE_SUFFIXES = ('.h', '.cpp')

# Entry points that only call Qt, by file, class and method (a lambda by file, the call taking it and the
# signal: 'folder/File.cpp:connect:&QObject::destroyed'); each with why it needs no Dispatch.
ONLY_QT = {
    # Runs the control's handling through HandleControlEvent, which dispatches.
    'platform/ui/Control.h:ControlOf::event',
    # The grid scrolls by cells and takes its keys through the control's key stages.
    'platform/ui/CustomGridInput.cpp:TCustomGrid::scrollContentsBy',
    'platform/ui/CustomGridInput.cpp:TCustomGrid::keyPressEvent',
    # Note where a drag starts and ends.
    'platform/ui/Splitter.cpp:TSplitter::mousePressEvent',
    'platform/ui/Splitter.cpp:TSplitter::mouseReleaseEvent',
    # Refuses the context menu.
    'controls/grid/WwInplaceEdit.cpp:TwwInplaceEdit::contextMenuEvent',
    # Leaves the painting to the line edit unless the multi-line editor covers it.
    'controls/grid/WwInplaceEdit.cpp:TwwInplaceEdit::paintEvent',
}


def blank_comments_and_strings(text):
    """The text with comments, string and character literals turned to spaces, lines kept where they were."""
    pattern = re.compile(r'//[^\n]*|/\*.*?\*/|R"(\w*)\(.*?\)\1"|"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])*\'',
                         re.DOTALL)
    return pattern.sub(lambda m: re.sub(r'[^\n]', ' ', m.group(0)), text)


def matching(text, start, open_char, close_char):
    """The index just past the bracket that closes the one at start."""
    depth = 0
    for index in range(start, len(text)):
        if text[index] == open_char:
            depth += 1
        elif text[index] == close_char:
            depth -= 1
            if depth == 0:
                return index + 1
    return len(text)


def enclosing_class(text, position):
    """The name of the innermost class or struct whose body holds position, or '' at namespace scope."""
    name = ''
    for match in CLASS.finditer(text, 0, position):
        if matching(text, match.end() - 1, '{', '}') > position:
            name = match.group(1)
    return name


def method_bodies(text):
    """(class, method, body start, body end) of each definition of an event method."""
    for match in EVENT_METHOD.finditer(text):
        close = matching(text, match.end() - 1, '(', ')')
        after = re.match(r'\s*(?:const\s*)?(?:override\s*|final\s*)*\{', text[close:])
        if not after:
            continue
        body = close + after.end() - 1
        owner = match.group(1) or enclosing_class(text, match.start())
        yield owner, match.group(2), body, matching(text, body, '{', '}')


def lambda_bodies(text):
    """(taker, signal, body start, body end) of each lambda given to a call that Qt runs later."""
    for match in LAMBDA_TAKER.finditer(text):
        end = matching(text, match.end() - 1, '(', ')')
        arguments = text[match.end():end]
        lambda_at = re.search(r'\[[^\]]*\]\s*(?:\([^)]*\))?\s*(?:mutable\s*)?(?:->\s*[\w:<>]+\s*)?\{', arguments)
        if not lambda_at:
            continue
        body = match.end() + lambda_at.end() - 1
        signal = re.search(r'&\w+::\w+', arguments)
        yield match.group(1), signal.group(0) if signal else '', body, matching(text, body, '{', '}')


def check_file(path, relative):
    with open(path, encoding='utf-8') as source:
        text = blank_comments_and_strings(source.read())
    faults = []

    def check(key, what, start, end):
        if 'Dispatch(' in text[start:end] or key in ONLY_QT:
            return
        line = text.count('\n', 0, start) + 1
        faults.append(f'{relative}:{line}: {what} runs our code without ui::Dispatch')

    for owner, method, start, end in method_bodies(text):
        check(f'{relative}:{owner}::{method}', f'{owner}::{method}', start, end)
    for taker, signal, start, end in lambda_bodies(text):
        check(f'{relative}:{taker}:{signal}', f'the lambda given to {taker} {signal}'.rstrip(), start, end)
    return faults


def check(src):
    faults = []
    for folder, _, files in sorted(os.walk(src)):
        for name in sorted(files):
            if name.endswith(CODE_SUFFIXES):
                path = os.path.join(folder, name)
                faults += check_file(path, os.path.relpath(path, src))
    return faults


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    faults = check(sys.argv[1])
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main())
