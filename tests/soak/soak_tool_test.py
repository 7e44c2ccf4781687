"""The judgement of tools/soak, without a display: the memory slope across cycles, the reading
of the control map the Qt program writes and of the lines the Windows soak driver prints, and
the last line of each front."""
import importlib.machinery
import importlib.util
import os
import tempfile
import types
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
_loader = importlib.machinery.SourceFileLoader(
    "soak", os.path.join(HERE, "..", "..", "tools", "soak"))
_spec = importlib.util.spec_from_loader("soak", _loader)
soak = importlib.util.module_from_spec(_spec)
_loader.exec_module(soak)

GROWTH_KB = 64.0  # the tool's default threshold


class MemorySlope(unittest.TestCase):
    CASES = [
        # (resident kB per measured cycle, grows?)
        ([50000, 50000, 50000, 50000, 50000], False),
        # a cache filled once: one step, then level
        ([50000, 58000, 58000, 58000, 58000, 58000], False),
        # noise of a few pages up and down
        ([50000, 50120, 49980, 50060, 50010, 50100], False),
        # one sample far out (a burst of allocation freed later)
        ([50000, 50000, 90000, 50000, 50000, 50000], False),
        # a steady leak of 1 MB a cycle
        ([50000, 51024, 52048, 53072, 54096], True),
        # a slow steady growth of 225 kB a cycle (seen in a window's start-stop routine)
        ([60960, 61184, 61412, 61640, 61860, 62090], True),
        # a leak with noise
        ([50000, 50700, 51100, 52000, 52300, 53300], True),
        # a leak of 64 KiB per key press, 500 keys a cycle
        ([60000, 92000, 124000, 156000], True),
        # shrinking is no fault
        ([60000, 59000, 58000, 57000], False),
    ]

    def test_cases(self):
        for samples, grows in self.CASES:
            with self.subTest(samples=samples):
                self.assertEqual(soak.theil_sen(samples) > GROWTH_KB, grows,
                                 "slope %.1f" % soak.theil_sen(samples))

    def test_exact_slopes(self):
        for samples, slope in [([1, 2, 3, 4], 1.0), ([10, 10], 0.0), ([0, 300, 600], 300.0),
                               ([5], 0.0), ([], 0.0)]:
            with self.subTest(samples=samples):
                self.assertAlmostEqual(soak.theil_sen(samples), slope)


class ControlMap(unittest.TestCase):
    def read(self, text):
        with tempfile.NamedTemporaryFile("w", encoding="utf-8", delete=False) as f:
            f.write(text)
        try:
            return soak.read_map(f.name)
        finally:
            os.unlink(f.name)

    def test_windows_and_controls(self):
        windows, controls = self.read(
            "window\t4194310\t420\t300\tfrmNoseR\tノーズR補正\n"
            "control\t4194310\tedit\t10\t20\t80\t22\tText1\t\n"
            "control\t4194310\tbutton\t100\t20\t90\t24\tCommand1\tX Z コピー\n"
            "window\t4194400\t200\t100\t-\t\n")
        self.assertEqual(sorted(windows), [4194310, 4194400])
        self.assertEqual(windows[4194310]["name"], "frmNoseR")
        self.assertEqual(windows[4194400]["name"], "-")
        self.assertEqual([c["name"] for c in controls[4194310]], ["Text1", "Command1"])
        button = controls[4194310][1]
        self.assertEqual((button["kind"], button["x"], button["y"], button["w"], button["h"]),
                         ("button", 100, 20, 90, 24))
        self.assertIn("コピー", button["text"])
        self.assertEqual(controls[4194400], [])

    def test_broken_lines_are_skipped(self):
        windows, controls = self.read("window\t1\t2\n" "control\t9\tedit\t1\n" "junk\n")
        self.assertEqual(windows, {})
        self.assertEqual(controls, {})

    def test_missing_file(self):
        self.assertEqual(soak.read_map("/nonexistent/controls.map"), ({}, {}))


class ExitDescription(unittest.TestCase):
    def test_cases(self):
        for code, text in [(-6, "signal SIGABRT"), (-11, "signal SIGSEGV"), (1, "status 1"),
                           (23, "status 23")]:
            with self.subTest(code=code):
                self.assertEqual(soak.describe_exit(code), text)


class DriverLines(unittest.TestCase):
    """Lines of tests/win32/soak_driver.cpp as Wine passes them on (CR LF from the C runtime)."""
    CASES = [
        ("cycle 3 events=1035 copies=18 rss_kb=39832 private_kb=0 seconds=30\r\n",
         ("cycle", {"n": 3, "events": 1035, "copies": 18, "rss_kb": 39832, "private_kb": 0,
                    "seconds": 30})),
        ("end events=2070 copies=36 status=0\n",
         ("end", {"events": 2070, "copies": 36, "status": 0})),
        ("fail hang: the window \" ストップウォッチ\" (QuillonForm) did not answer for 5000 ms\r\n",
         ("fail", "hang: the window \" ストップウォッチ\" (QuillonForm) did not answer for 5000 ms")),
        ("fail crash: Quillon ended with status 0xc0000005\n",
         ("fail", "crash: Quillon ended with status 0xc0000005")),
        ("note frmCopyLog did not open\n", ("note", "frmCopyLog did not open")),
        # Wine's own messages and broken lines are not the driver's
        ("0024:fixme:win:RegisterTouchWindow\n", (None, "0024:fixme:win:RegisterTouchWindow")),
        ("cycle x events=1\n", (None, "cycle x events=1")),
        ("cycle 2 events=5 copies=1\n", (None, "cycle 2 events=5 copies=1")),
        ("end events=ten\n", (None, "end events=ten")),
        ("\r\n", (None, "")),
    ]

    def test_cases(self):
        for line, parsed in self.CASES:
            with self.subTest(line=line):
                self.assertEqual(soak.parse_driver_line(line), parsed)


class ProcessMemory(unittest.TestCase):
    """/proc/PID/status as Linux writes it: the resident size and its anonymous part."""
    STATUS = ("Name:\tQuillon.exe\nVmPeak:\t  412340 kB\nVmRSS:\t   56292 kB\n"
              "RssAnon:\t   21404 kB\nRssFile:\t   34888 kB\nThreads:\t7\n")

    def test_cases(self):
        for text, kb in [(self.STATUS, (56292, 21404)),
                         ("VmRSS:\t   100 kB\n", (100, 0)),  # an old kernel: no RssAnon
                         ("RssAnon: x kB\nVmRSS:\n", (0, 0)),
                         ("", (0, 0))]:
            with self.subTest(text=text):
                self.assertEqual(soak.memory_kb(text), kb)

    def test_own_process(self):
        rss, anon = soak.process_memory_kb(os.getpid())
        self.assertGreater(anon, 0)
        self.assertGreater(rss, anon)
        self.assertEqual(soak.process_memory_kb(2 ** 22 + 1), (0, 0))


class Judgement(unittest.TestCase):
    ARGS = types.SimpleNamespace(min_cycles=3, growth_kb=GROWTH_KB)

    def test_memory(self):
        for samples, verdict in [
                ([39832, 39832, 39836, 39836, 39840], None),
                ([39832, 39836], "memory not judged"),
                ([], "memory not judged"),
                # the leak on purpose: 64 KiB a key press, some 250 key presses a cycle
                ([60000, 76000, 92000, 108000], "memory grows: 16000 kB per cycle")]:
            with self.subTest(samples=samples):
                failure = soak.judge_memory(samples, self.ARGS)
                if verdict is None:
                    self.assertIsNone(failure)
                else:
                    self.assertTrue(failure.startswith(verdict), failure)

    def test_summary_lines(self):
        self.assertEqual(
            soak.summary("wine", 2070, 36, 6, [39832, 39832, 39836, 39836, 39840], 0, 0, None),
            "soak wine: events=2070 copies=36 cycles=6 memory_kb_per_cycle=2.0 "
            "anon_kb=39832..39840 crashes=0 hangs=0 PASS")
        self.assertEqual(
            soak.summary("qt", 300, 2, 1, [], 1, 0, "crash: Quillon ended with signal SIGABRT"),
            "soak qt: events=300 copies=2 cycles=1 memory_kb_per_cycle=- anon_kb=- crashes=1 "
            "hangs=0 FAIL")
        self.assertEqual(
            soak.summary("wine", 10, 0, 2, [5000], 0, 1, "hang: ..."),
            "soak wine: events=10 copies=0 cycles=2 memory_kb_per_cycle=- anon_kb=5000..5000 "
            "crashes=0 hangs=1 FAIL")


if __name__ == "__main__":
    unittest.main()
