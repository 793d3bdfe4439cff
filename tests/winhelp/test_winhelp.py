"""The help generator's files read back by an independent reader."""

import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "tools", "winhelp"))
sys.path.insert(0, os.path.dirname(__file__))

import btree  # noqa: E402
import hlpread  # noqa: E402
import makechm  # noqa: E402
import makehlp  # noqa: E402
import source as help_source  # noqa: E402


def read_source():
    with open(os.path.join(ROOT, "docs", "help", "DRIM32.hlp.txt"), encoding="utf-8") as stream:
        return stream.read()


def tray_menu_captions():
    """The tray menus' captions as the menus show them: the "&" of the
    access key is not drawn."""
    with open(os.path.join(ROOT, "tray", "TrayMenuText.h"), encoding="utf-8") as stream:
        header = stream.read()
    captions = re.findall(r'(?:P\w*|MICON_\w+|MDESK_\w+|PML_\w+|CloseMenu) = "([^"]+)"', header)
    return [caption.replace("&", "").encode("cp932") for caption in captions]


class ShippedHelp(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.data = makehlp.make(read_source())
        cls.help = hlpread.HelpFile(cls.data)

    def test_opens_at_a_contents_topic_that_reaches_every_topic(self):
        self.assertEqual(self.help.contents().title, "目次".encode("cp932"))
        self.assertEqual(self.help.records[11][0], 128)
        seen, pending = set(), [self.help.contents()]
        while pending:
            topic = pending.pop()
            if topic.number in seen:
                continue
            seen.add(topic.number)
            for paragraph in topic.paragraphs:
                for key, text in paragraph.links:
                    target = self.help.topic_by_hash(key)
                    self.assertIsNotNone(target, text.decode("cp932"))
                    pending.append(target)
        self.assertEqual(seen, {t.number for t in self.help.topics})

    def test_describes_every_menu_item_every_switch_and_the_version(self):
        text = b"".join(t.text() for t in self.help.topics)
        for caption in tray_menu_captions() + [b"/off", b"-off", b"/on", b"-on", b"/no", b"-no", b"/uninstall"]:
            self.assertIn(caption, text)
        self.assertIn("使い方　DRIM32.EXE V1.4 PALUN (H)".encode("cp932"), text)

    def test_the_same_source_gives_the_same_bytes(self):
        self.assertEqual(makehlp.make(read_source()), self.data)


@unittest.skipUnless(shutil.which("chmcmd") and shutil.which("test_chmLib"), "needs chmcmd (fp-utils) and chmlib (libchm-bin)")
class ShippedHtmlHelp(unittest.TestCase):
    """The .CHM compiled from the same source, read back with chmlib."""

    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.mkdtemp()
        source_path = os.path.join(ROOT, "docs", "help", "DRIM32.hlp.txt")
        cls.chm = os.path.join(cls.folder, "DRIM32.CHM")
        if makechm.main([source_path, cls.chm, os.path.join(cls.folder, "project")]) != 0:
            raise AssertionError("makechm failed")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.folder)

    def read(self, name):
        target = os.path.join(self.folder, "object")
        subprocess.run(["test_chmLib", self.chm, name, target], check=True, stdout=subprocess.DEVNULL)
        with open(target, "rb") as stream:
            return stream.read()

    def test_contents_and_index_list_every_topic_of_the_help_source(self):
        topics = help_source.parse(read_source()).topics
        wanted = [(t.title, makechm.page_name(t.context).encode("ascii")) for t in topics]
        entry = re.compile(rb'<param name="Name" value="([^"]*)"><param name="Local" value="([^"]*)">')
        self.assertEqual(entry.findall(self.read("/contents.hhc")), wanted)
        self.assertEqual(sorted(entry.findall(self.read("/index.hhk"))), sorted(wanted))
        for title, page in wanted:
            text = self.read("/" + page.decode("ascii"))
            self.assertIn(b'<meta http-equiv="Content-Type" content="text/html; charset=Shift_JIS">', text)
            self.assertIn(b"<h1>" + title + b"</h1>", text)

    def test_opens_at_the_contents_in_japanese(self):
        system = self.read("/#SYSTEM")
        self.assertIn(b"contents.htm\0", system)
        self.assertIn(struct.pack("<HHI", 4, 36, 0x411), system)


class LargeHelp(unittest.TestCase):
    """Enough topics for several topic blocks and a context tree of more
    than one level."""

    def test_every_topic_is_found_by_its_context_across_blocks(self):
        lines = ["@title 大きなヘルプ"]
        for number in range(600):
            lines.append("= topic_%d 項目%d" % (number, number))
            lines.append("本文" * 40 + " [[topic_%d|次へ]]" % ((number + 1) % 600))
        help_file = hlpread.HelpFile(makehlp.make("\n".join(lines)))
        self.assertGreater(len(help_file.files["|TOPIC"]) // 4096, 10)
        self.assertGreater(help_file.context.levels, 1)
        self.assertEqual(len(help_file.context.entries()), 600)
        for number in (0, 1, 299, 599):
            topic = help_file.topic_by_hash(hlpread.context_hash("topic_%d" % number))
            self.assertEqual(topic.title, ("項目%d" % number).encode("cp932"))
            self.assertEqual(topic.number, number)


class Directory(unittest.TestCase):
    def test_a_directory_of_many_pages_is_searched_like_the_viewer_does(self):
        names = sorted(("|name%04d" % n).encode("ascii") + b"\0" for n in range(400))
        data = btree.build([(name, struct.pack("<I", n)) for n, name in enumerate(names)], 1024, "z4", True)
        tree = hlpread.directory_tree(data)
        self.assertGreater(tree.levels, 1)
        self.assertEqual([value for _, value in tree.entries()], list(range(400)))
        for n in (0, 57, 399):
            self.assertEqual(tree.search(names[n][:-1]), n)
        self.assertIsNone(tree.search(b"|name9999"))


class BadSource(unittest.TestCase):
    def test_refuses_what_it_cannot_write(self):
        for text in [
            "= a 題\n[[missing|どこか]]",
            "= a 題\n😀",
            "= a 題\n" + "長" * 3000,
            "本文だけ",
            "= a 題\n= A 同じ名前",
        ]:
            with self.subTest(text=text[:20]), self.assertRaises(ValueError):
                makehlp.make(text)


if __name__ == "__main__":
    unittest.main()
