# What Vendaro.exe is, read back from the file: a 32-bit GUI program that
# needs only Windows' own DLLs, with its version table, its icon at every size
# Windows shows and its manifest.
#   python3 exe_file.py <Vendaro.exe>
import struct
import sys

import pefile

pe = pefile.PE(sys.argv[1])
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def resource(kind):
    found = next(entry for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries if entry.id == kind)
    data = found.directory.entries[0].directory.entries[0].data.struct
    return pe.get_data(data.OffsetToData, data.Size)


check(pe.FILE_HEADER.Machine == 0x14C and pe.OPTIONAL_HEADER.Subsystem == 2, "no 32-bit GUI program")
system = {"advapi32", "comctl32", "gdi32", "kernel32", "msimg32", "msvcrt", "ole32", "oleacc", "oleaut32", "user32"}
dlls = {entry.dll.decode().lower().removesuffix(".dll") for entry in pe.DIRECTORY_ENTRY_IMPORT}
check(dlls <= system, f"needs DLLs Windows has not: {dlls - system}")
info = {entry.Key: entry for entry in pe.FileInfo[0]}
strings = {table.LangID: table.entries for table in info[b"StringFileInfo"].StringTable}
check(strings == {b"041004B0": {b"ProductName": b"Vendaro", b"FileVersion": b"1.00", b"ProductVersion": b"1.00",
                                b"InternalName": b"Vendaro", b"OriginalFilename": b"Vendaro.exe"}}, f"strings {strings}")
check(info[b"VarFileInfo"].Var[0].entry == {b"Translation": "0x0410 0x04b0"}, "not in Italian and UTF-16")
fixed = pe.VS_FIXEDFILEINFO[0]
numbers = (fixed.FileVersionMS, fixed.FileVersionLS, fixed.ProductVersionMS, fixed.ProductVersionLS)
check(numbers == (0x10000, 0, 0x10000, 0) and (fixed.FileOS, fixed.FileType) == (0x40004, 1), "not 1.0.0.0, an app")
group = resource(14)
sides = sorted(group[6 + 14 * i] or 256 for i in range(struct.unpack_from("<H", group, 4)[0]))
check(sides == [16, 20, 24, 32, 40, 48, 64, 256], f"icons of {sides} px")
check(all(word in resource(24) for word in (b"PerMonitorV2", b"true/pm", b"6595b64144ccf1df", b"asInvoker")),
      "the manifest lacks per-monitor dpi, common controls 6 or asInvoker")
for failure in failures:
    print(f"FAIL: Vendaro.exe: {failure}")
print("Vendaro.exe: 32-bit GUI, Windows' DLLs only, version 1.00 in Italian, icons, manifest" * (not failures))
sys.exit(1 if failures else 0)
