#!/usr/bin/env python3
"""Checks a PE file's import and export tables and its header as objdump -p prints them.

usage: check_pe_tables.py OBJDUMP FILE --imports A.dll,B.dll [--exports F,G]
                          [--import-names DLL=F,G] [--xp-exports DIR]
Fails when the file imports any DLL not listed, or exports anything but the names given.
With --xp-exports it also fails when the file imports a function that Windows XP SP3's DLL
does not export (DIR holds one list a DLL, kernel32.txt and so on, one name a line; a DLL
without a list there is none of the system's) or when its header asks for a Windows newer
than XP (operating system or subsystem version above 5.1). When DIR is absent that check is
skipped: exit code 77 if all else passes.
When TESSORAN_PROGRAM_DIR names a folder (a release unpacked, as the end-to-end tests take
it: Z:\\path), the file of FILE's name in that folder is checked instead.
"""
import argparse, os, re, subprocess, sys

SKIPPED = 77
XP = (5, 1)

p = argparse.ArgumentParser()
p.add_argument("objdump"); p.add_argument("file")
p.add_argument("--imports", required=True)
p.add_argument("--exports", default=None)
p.add_argument("--import-names", default=None,
               help="DLL=F,G: the only names that may be imported from DLL")
p.add_argument("--xp-exports", default=None,
               help="folder of the lists of what Windows XP SP3's DLLs export")
a = p.parse_args()

program_dir = os.environ.get("TESSORAN_PROGRAM_DIR", "")
if program_dir:
    folder = re.sub(r"^[A-Za-z]:", "", program_dir).replace("\\", "/")
    a.file = os.path.join(folder, os.path.basename(a.file))

text = subprocess.run([a.objdump, "-p", a.file], check=True, capture_output=True, text=True).stdout
errors = []
notes = []

def imported_names(dll):
    block = re.search(r"DLL Name: " + re.escape(dll) + r"\n(.*?)(?:\n\s*\n|\Z)", text, re.S | re.I)
    return re.findall(r"^\s+[0-9a-f]+\s+\d+\s+(\S+)", block.group(1), re.M) if block else []

dlls = re.findall(r"^\s*DLL Name: (\S+)", text, re.M)
allowed = {d.lower() for d in a.imports.split(",")}
for d in dlls:
    if d.lower() not in allowed:
        errors.append(f"imports {d}, allowed only {a.imports}")
if not dlls:
    errors.append("no import table found")

if a.exports is not None:
    m = re.search(r"\[Ordinal/Name Pointer\] Table\n(.*?)(?:\n\s*\n|\Z)", text, re.S)
    names = sorted(re.findall(r"\]\s+(\S+)", m.group(1))) if m else []
    if names != sorted(a.exports.split(",")):
        errors.append(f"exports {names}, expected {sorted(a.exports.split(','))}")

if a.import_names:
    dll, wanted = a.import_names.split("=")
    got = sorted(imported_names(dll))
    if got != sorted(wanted.split(",")):
        errors.append(f"imports {got} from {dll}, expected {sorted(wanted.split(','))}")

skipped = a.xp_exports is not None and not os.path.isdir(a.xp_exports)
if skipped:
    notes.append(f"XP check skipped: no lists of what Windows XP exports at {a.xp_exports}")
elif a.xp_exports is not None:
    checked = 0
    for d in dlls:
        listing = os.path.join(a.xp_exports, os.path.splitext(d.lower())[0] + ".txt")
        if not os.path.isfile(listing):
            continue
        exported = set(open(listing).read().split())
        names = imported_names(d)
        checked += len(names)
        for name in names:
            if name not in exported:
                errors.append(f"imports {name} from {d}, which Windows XP SP3 does not export")
    for field, what in (("OSystem", "operating system"), ("Subsystem", "subsystem")):
        major = re.search(rf"^Major{field}Version\s+(\d+)", text, re.M)
        minor = re.search(rf"^Minor{field}Version\s+(\d+)", text, re.M)
        if not (major and minor):
            errors.append(f"no {what} version in the header")
        elif (int(major.group(1)), int(minor.group(1))) > XP:
            errors.append(f"header asks for Windows {major.group(1)}.{minor.group(1)} ({what} version); XP is 5.1")
    notes.append(f"all {checked} imports from system DLLs are in Windows XP SP3, header versions at most 5.1")

for e in errors:
    print(f"{a.file}: {e}")
print(f"{a.file}: imports {', '.join(dlls)}")
if not errors:
    for n in notes:
        print(f"{a.file}: {n}")
sys.exit(1 if errors else SKIPPED if skipped else 0)
