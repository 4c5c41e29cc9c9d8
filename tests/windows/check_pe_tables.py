#!/usr/bin/env python3
"""Checks a PE file's import and export tables as objdump -p prints them.

usage: check_pe_tables.py OBJDUMP FILE --imports A.dll,B.dll [--exports F,G]
Fails when the file imports any DLL not listed, or exports anything but the names given.
"""
import argparse, re, subprocess, sys

p = argparse.ArgumentParser()
p.add_argument("objdump"); p.add_argument("file")
p.add_argument("--imports", required=True)
p.add_argument("--exports", default=None)
p.add_argument("--import-names", default=None,
               help="DLL=F,G: the only names that may be imported from DLL")
a = p.parse_args()

text = subprocess.run([a.objdump, "-p", a.file], check=True, capture_output=True, text=True).stdout
errors = []

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
    block = re.search(r"DLL Name: " + re.escape(dll) + r"\n(.*?)(?:\n\s*\n|\Z)", text, re.S | re.I)
    got = sorted(re.findall(r"^\s+[0-9a-f]+\s+\d+\s+(\S+)", block.group(1), re.M)) if block else []
    if got != sorted(wanted.split(",")):
        errors.append(f"imports {got} from {dll}, expected {sorted(wanted.split(','))}")

for e in errors:
    print(f"{a.file}: {e}")
print(f"{a.file}: imports {', '.join(dlls)}")
sys.exit(1 if errors else 0)
