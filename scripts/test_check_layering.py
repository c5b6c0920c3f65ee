"""Self-test of check_layering.py on a tiny tree: low <- mid <- high, where mid links low privately."""

import os
import tempfile
import unittest

import check_layering


class CheckLayeringTest(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.root = self.tmp.name
        self.write('src/low/Low.h', '#pragma once\n')
        self.write('src/low/Low.cpp', '#include "Low.h"\n#include "low/Version.h"\n')
        self.write('build/generated/low/Version.h', '#pragma once\n')
        self.write('src/mid/Mid.h', '#pragma once\n')
        self.write('src/mid/Mid.cpp', '#include "mid/Mid.h"\n#include "low/Low.h"\n')
        self.write('src/high/High.cpp', '#include "mid/Mid.h"\n  #  include "low/Low.h"\n')

    def tearDown(self):
        self.tmp.cleanup()

    def write(self, relative, text):
        path = os.path.join(self.root, relative)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, 'w', encoding='utf-8') as file:
            file.write(text)

    def faults(self):
        src = os.path.join(self.root, 'src')
        generated = os.path.join(self.root, 'build/generated')
        rows = [
            ('low', 'low', '', '', f'{src};{generated}', 'Low.h;Low.cpp'),
            ('mid', 'mid', 'low', '$<LINK_ONLY:low>', src, 'Mid.h;Mid.cpp'),
            ('high', 'high', 'mid', '', src, 'High.cpp'),
        ]
        lines = [f'root\t{self.root}'] + [
            '\t'.join(['target', name, os.path.join(src, folder), *rest]) for name, folder, *rest in rows]
        self.write('targets.tsv', '\n'.join(lines) + '\n')
        root, targets = check_layering.read_manifest(os.path.join(self.root, 'targets.tsv'))
        return check_layering.check(root, targets)

    def test_a_private_dependency_is_not_passed_on(self):
        self.assertEqual(self.faults(),
                         ['src/high/High.cpp: includes "low/Low.h" of low, which high does not link'])

    def test_an_include_upwards_fails_and_a_header_generated_in_the_build_belongs_to_its_folder(self):
        self.write('src/high/High.cpp', '#include "mid/Mid.h"\n')
        self.write('src/low/Low.h', '#pragma once\n#include "high/High.h"\n#include "low/Version.h"\n')
        self.write('src/high/High.h', '#pragma once\n')
        self.assertEqual(self.faults(), ['src/low/Low.h: includes "high/High.h" of high, which low does not link'])

    def test_an_include_of_no_project_header_is_reported(self):
        self.write('src/high/High.cpp', '#include "mid/Mid.h"\n#include "gone/Gone.h"\n')
        self.assertEqual(self.faults(),
                         ['src/high/High.cpp: includes "gone/Gone.h", which is no header of any target'])


if __name__ == '__main__':
    unittest.main()
