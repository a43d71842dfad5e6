#!/usr/bin/env python3
"""The translations against the sources.

  check_translations.py complete SOURCE_DIR LUPDATE
      Each language's files, brought up to date with the sources in a scratch copy, have every
      text translated: none unfinished or empty, the same %1..%n markers as the English, and an
      Alt-key letter wherever the English has one.
  check_translations.py pseudo SOURCE_DIR LUPDATE LRELEASE OUT.qm
      Makes a translation of every text in the sources into "‹text›", so a test can find the texts
      a window shows that never went through the translation.
  check_translations.py update SOURCE_DIR LUPDATE [LANGUAGE ...]
      Brings the translation files up to date with the sources, the same way the checks do
      (scripts/update-translations.sh runs this).
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

MARK_OPEN, MARK_CLOSE = "\u2039", "\u203a"


def parts(source_dir):
    with open(os.path.join(source_dir, "translations", "parts.txt"), encoding="utf-8") as f:
        for line in f:
            line = line.split("#", 1)[0].split()
            if line:
                yield line[0], line[1:]


def lupdate(tool, source_dir, folders, ts, language):
    # -I: the includes resolve, so a class in a namespace gets its full name as its context.
    subprocess.run([tool, "-silent", "-locations", "none", "-no-obsolete", "-extensions", "cpp,h",
                    "-I", source_dir, "-tr-function-alias", "QT_TRANSLATE_NOOP+=AV_TRANSLATE_NOOP",
                    "-source-language", "en", "-target-language", language]
                   + [os.path.join(source_dir, f) for f in folders] + ["-ts", ts],
                   check=True)


def markers(text):
    return sorted(set(re.findall(r"%L?\d+", text)))


def has_mnemonic(text):
    return re.search(r"&[^&\s]", text.replace("&&", "")) is not None


def texts_of(translation):
    forms = translation.findall("numerusform")
    return [f.text or "" for f in forms] if forms else [translation.text or ""]


def check_file(path, label):
    faults = []
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source") or ""
            translation = message.find("translation")
            where = f"{label}: {name}: \"{source}\""
            if translation is None or translation.get("type") == "unfinished":
                faults.append(f"{where} is not translated")
                continue
            if translation.get("type") in ("vanished", "obsolete"):
                continue
            for text in texts_of(translation):
                if not text.strip():
                    faults.append(f"{where} has an empty translation")
                elif markers(text) != markers(source) and message.get("numerus") != "yes":
                    faults.append(f"{where}: \"{text}\" has markers {markers(text)}")
                elif has_mnemonic(source) and not has_mnemonic(text):
                    faults.append(f"{where}: \"{text}\" has no Alt-key letter")
    return faults


def complete(source_dir, tool):
    faults = []
    root = os.path.join(source_dir, "translations")
    languages = sorted(d for d in os.listdir(root) if os.path.isdir(os.path.join(root, d)))
    if not languages:
        faults.append("no translations")
    with tempfile.TemporaryDirectory() as scratch:
        for language in languages:
            for part, folders in parts(source_dir):
                shipped = os.path.join(root, language, part + ".ts")
                copy = os.path.join(scratch, f"{language}-{part}.ts")
                if not os.path.exists(shipped):
                    faults.append(f"{language}/{part}.ts is missing")
                    continue
                shutil.copy(shipped, copy)
                lupdate(tool, source_dir, folders, copy, language)
                faults += check_file(copy, f"{language}/{part}.ts")
    for fault in faults:
        print(fault)
    print(f"{len(faults)} faults")
    return 1 if faults else 0


def update(source_dir, tool, languages):
    root = os.path.join(source_dir, "translations")
    if not languages:
        languages = sorted(d for d in os.listdir(root) if os.path.isdir(os.path.join(root, d)))
    for language in languages:
        os.makedirs(os.path.join(root, language), exist_ok=True)
        for part, folders in parts(source_dir):
            lupdate(tool, source_dir, folders, os.path.join(root, language, part + ".ts"), language)
    return 0


def pseudo(source_dir, tool, lrelease, out):
    with tempfile.TemporaryDirectory() as scratch:
        files = []
        for part, folders in parts(source_dir):
            ts = os.path.join(scratch, part + ".ts")
            lupdate(tool, source_dir, folders, ts, "de")
            tree = ET.parse(ts)
            for message in tree.getroot().iter("message"):
                source = message.findtext("source") or ""
                translation = message.find("translation")
                translation.attrib.pop("type", None)
                text = MARK_OPEN + source + MARK_CLOSE
                if message.get("numerus") == "yes":
                    for form in list(translation):
                        translation.remove(form)
                    for _ in range(2):
                        ET.SubElement(translation, "numerusform").text = text
                else:
                    translation.text = text
            tree.write(ts, encoding="utf-8", xml_declaration=True)
            files.append(ts)
        subprocess.run([lrelease, "-silent"] + files + ["-qm", out], check=True)
    return 0


if __name__ == "__main__":
    mode = sys.argv[1]
    if mode == "complete":
        sys.exit(complete(sys.argv[2], sys.argv[3]))
    if mode == "update":
        sys.exit(update(sys.argv[2], sys.argv[3], sys.argv[4:]))
    if mode == "pseudo":
        sys.exit(pseudo(*sys.argv[2:6]))
    sys.exit(f"unknown mode {mode}")
