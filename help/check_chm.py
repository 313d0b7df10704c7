#!/usr/bin/env python3
"""Unpacks the built quellix.chm and checks it against the program and the interpreter's tables.

    check_chm.py QUELLIX_CHM HELP_PAGES_BINARY HELP_SAMPLES SOURCE_ROOT

- every help topic that the program opens (read from its sources, and at least the six known
  ones) is in the file, with its anchor, and holds an English and a Japanese part;
- every built-in and named constant of the tables has its entry in the reference, in both
  languages, and in the index;
- every sample shown is, byte for byte, the script of a corpus case (the corpus run proves that
  it works), and every case of the help-samples folder is shown.
"""
import html
import pathlib
import posixpath
import re
import subprocess
import sys
import tempfile

# The topics of the tray, the help switch, the settings dialog and its links, and the editor.
KNOWN_TOPICS = {"HLP000001.html", "HLP000006.html#admin", "HLP000012.html", "HLP000013.html",
                "HLP000017.html", "HLP000024.html"}
JAPANESE = re.compile("[\u3040-\u30ff\u4e00-\u9fff]")


def topics_opened_by_the_program(root):
    topics = set()
    for folder in ("app", "ui"):
        for source in [*(root / folder).glob("*.cpp"), *(root / folder).glob("*.h")]:
            topics |= set(re.findall(r"HLP\d{6}\.html(?:#\w+)?", source.read_text(encoding="utf-8")))
    return topics


def anchors(text):
    return set(re.findall(r'<a name="([^"]+)"', text)) | set(re.findall(r'\bid="([^"]+)"', text))


def main():
    chm, generator, samples, root = (pathlib.Path(argument) for argument in sys.argv[1:5])
    problems = []
    with tempfile.TemporaryDirectory() as work:
        out = pathlib.Path(work)
        subprocess.run(["7z", "x", "-y", f"-o{out}", str(chm)], check=True, stdout=subprocess.DEVNULL)
        pages = {path.relative_to(out).as_posix(): path.read_text(encoding="utf-8")
                 for path in out.rglob("*.html")}

        # chmcmd cannot check the anchors of pages in a subfolder: every link is checked here.
        files = {path.relative_to(out).as_posix() for path in out.rglob("*") if path.is_file()}
        for page, text in sorted(pages.items()):
            folder = posixpath.dirname(page)
            for link in re.findall(r'href="([^"]+)"', text):
                if re.match(r"[a-z]+:", link):
                    continue
                target, _, anchor = link.partition("#")
                target = posixpath.normpath(posixpath.join(folder, target)) if target else page
                if target not in files:
                    problems.append(f"{page} links to {link}, which is missing")
                elif anchor and anchor not in anchors(pages.get(target, "")):
                    problems.append(f"{page} links to {link}, whose anchor is missing")

        opened = topics_opened_by_the_program(root)
        missing_in_sources = KNOWN_TOPICS - opened
        if missing_in_sources:
            problems.append(f"the program no longer opens {sorted(missing_in_sources)}?")
        for topic in sorted(opened | KNOWN_TOPICS):
            page, _, anchor = topic.partition("#")
            text = pages.get("_RESOURCE/" + page)
            if text is None:
                problems.append(f"the program opens _RESOURCE/{page}, which the help file lacks")
                continue
            names = anchors(text)
            if anchor and anchor not in names:
                problems.append(f"_RESOURCE/{page} has no anchor {anchor}")
            if "en" not in names or "ja" not in names:
                problems.append(f"_RESOURCE/{page} lacks its English or Japanese part")
            elif not JAPANESE.search(text.split('<a name="ja"></a>', 1)[-1]):
                problems.append(f"the Japanese part of _RESOURCE/{page} holds no Japanese text")

        listing = subprocess.run([str(generator), "--names"], check=True, capture_output=True, text=True).stdout
        names = [line.split() for line in listing.splitlines()]
        builtins = [name for kind, name in names if kind == "builtin"]
        constants = [name for kind, name in names if kind == "constant"]
        if len(builtins) < 100 or len(constants) < 300:
            problems.append(f"only {len(builtins)} built-ins and {len(constants)} constants listed")
        reference = anchors(pages.get("_RESOURCE/HLP000031.html", ""))
        constant_page = anchors(pages.get("_RESOURCE/HLP000032.html", ""))
        index = (out / "quellix.hhk").read_bytes().decode("cp932") if (out / "quellix.hhk").exists() else ""
        for name in builtins:
            for anchor in ("fn-" + name, "ja-fn-" + name):
                if anchor not in reference:
                    problems.append(f"the built-in {name} has no entry {anchor}")
            if f'value="{name}"' not in index:
                problems.append(f"the built-in {name} is not in the index")
        for name in constants:
            if "c-" + name not in constant_page:
                problems.append(f"the constant {name} is not in the constants page")

        cases = {path.parent.name: path for path in samples.glob("*/run1.rsc")}
        shown = set()
        for page, text in sorted(pages.items()):
            for case, body in re.findall(r'<pre class="sample" data-case="([^"]+)">(.*?)</pre>', text, re.S):
                shown.add(case)
                script = cases.get(case)
                if script is None or not (script.parent / "expect.jsonl").exists():
                    problems.append(f"{page} shows the sample {case}, which is no corpus case")
                    continue
                if html.unescape(body) != script.read_text(encoding="utf-8-sig"):
                    problems.append(f"{page}: the sample {case} differs from {script}")
        for case in sorted(set(cases) - shown):
            problems.append(f"the corpus case help-samples/{case} is shown on no page")
        if not shown:
            problems.append("no sample is shown at all")

    for problem in problems:
        print("FAIL", problem)
    print(f"help file: {len(opened | KNOWN_TOPICS)} topics, {len(builtins)} built-ins, {len(constants)} constants, "
          f"{len(shown)} samples checked; {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
