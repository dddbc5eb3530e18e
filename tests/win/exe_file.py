# What Vendaro.exe is, read back from the file: a 32-bit GUI program that
# needs only Windows' own DLLs, with its version table, its icon at every size
# Windows shows and its manifest.
#   python3 exe_file.py <Vendaro.exe>
import struct
import sys

import pefile

pe = pefile.PE(sys.argv[1])


def resource(kind):
    found = next(entry for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries if entry.id == kind)
    data = found.directory.entries[0].directory.entries[0].data.struct
    return pe.get_data(data.OffsetToData, data.Size)


system = {"advapi32", "comctl32", "gdi32", "kernel32", "msimg32", "msvcrt", "ole32", "oleacc", "oleaut32", "user32"}
dlls = {entry.dll.decode().lower().removesuffix(".dll") for entry in pe.DIRECTORY_ENTRY_IMPORT}
info = {entry.Key: entry for entry in pe.FileInfo[0]}
strings = {table.LangID: table.entries for table in info[b"StringFileInfo"].StringTable}
fixed = pe.VS_FIXEDFILEINFO[0]
group = resource(14)
sides = sorted(group[6 + 14 * i] or 256 for i in range(struct.unpack_from("<H", group, 4)[0]))
failures = [what for what, holds in {
    "no 32-bit GUI program": pe.FILE_HEADER.Machine == 0x14C and pe.OPTIONAL_HEADER.Subsystem == 2,
    f"needs DLLs Windows has not: {dlls - system}": dlls <= system,
    f"strings {strings}": strings == {b"041004B0": {
        b"ProductName": b"Vendaro", b"FileVersion": b"1.00", b"ProductVersion": b"1.00", b"InternalName": b"Vendaro",
        b"OriginalFilename": b"Vendaro.exe"}},
    "not in Italian and UTF-16": info[b"VarFileInfo"].Var[0].entry == {b"Translation": "0x0410 0x04b0"},
    "not 1.0.0.0, an app": (fixed.FileVersionMS, fixed.FileVersionLS, fixed.ProductVersionMS, fixed.ProductVersionLS,
                            fixed.FileOS, fixed.FileType) == (0x10000, 0, 0x10000, 0, 0x40004, 1),
    f"icons of {sides} px": sides == [16, 20, 24, 32, 40, 48, 64, 256],
    "the manifest lacks per-monitor dpi, common controls 6 or asInvoker":
        all(word in resource(24) for word in (b"PerMonitorV2", b"true/pm", b"6595b64144ccf1df", b"asInvoker")),
}.items() if not holds]
print("\n".join(f"FAIL: Vendaro.exe: {failure}" for failure in failures) or
      "Vendaro.exe: 32-bit GUI, Windows' DLLs only, version 1.00 in Italian, icons, manifest")
sys.exit(1 if failures else 0)
