"""shipped_program_check.py SOURCE_DIR BUILD_DIR OBJDUMP STACK_GUARD_READER: the protections of
the program as it ships, checked on the exe of a freshly made release zip (the stripped,
link-time-optimised one the build made) and on Wine's trace of it running:

- start callback: the PE's TLS directory names a first callback, and it is the one that seeds
  the stack guard and restricts the DLL search (Wine calls it first, and it makes those calls);
- DLL search: SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) succeeds before the entry
  point and before any load by a bare name, and no DLL comes from the program's folder;
- stack guard: the program's code calls the guard's fail routine (named by the link's map), and
  the guard of the running program holds a value of its own run, not the file's.

Exits with 77 when the Wine runner says this host cannot run the program."""
import os, pathlib, re, struct, subprocess, sys, zipfile

source, build, objdump, reader = (pathlib.Path(arg) for arg in sys.argv[1:5])
work = build / "shipped-check"
failures = []


def check(name, ok, detail):
    print(f"{name}: {'ok' if ok else 'FAILED'}: {detail}")
    if not ok:
        failures.append(name)


def ended(status):
    if status == 77:
        sys.exit(77)
    return status


# The release zip, made afresh; its exe is the build's (whose link wrote the map).
zip_path = subprocess.run(["sh", source / "scripts/release-zip.sh", build, work], check=True,
                          capture_output=True, text=True).stdout.strip()
with zipfile.ZipFile(zip_path) as archive:
    exe_name = next(name for name in archive.namelist() if name.endswith("/Trinumero.exe"))
    archive.extract(exe_name, work / "unpacked")
exe = work / "unpacked" / exe_name
data = exe.read_bytes()
assert data == (build / "app/Trinumero.exe").read_bytes(), "the zip's exe is not the build's"

# The PE headers: image base, sections and the TLS directory (data directory 9).
pe = struct.unpack_from("<I", data, 0x3C)[0]
wide = struct.unpack_from("<H", data, pe + 24)[0] == 0x20B
pointer = "<Q" if wide else "<I"
image_base = struct.unpack_from(pointer, data, pe + 24 + (24 if wide else 28))[0]
entry_rva = struct.unpack_from("<I", data, pe + 24 + 16)[0]
tls_rva = struct.unpack_from("<I", data, pe + 24 + (112 if wide else 96) + 9 * 8)[0]
section_table = pe + 24 + struct.unpack_from("<H", data, pe + 20)[0]
sections = [struct.unpack_from("<IIII", data, section_table + 40 * i + 8)
            for i in range(struct.unpack_from("<H", data, pe + 6)[0])]


def read_pointer(rva):
    for size, start, raw_size, raw_start in sections:
        if start <= rva < start + max(size, raw_size):
            return struct.unpack_from(pointer, data, raw_start + rva - start)[0]
    raise ValueError(f"RVA {rva:#x} is in no section")


callbacks = []
if tls_rva:
    entry = read_pointer(tls_rva + 3 * struct.calcsize(pointer)) - image_base
    while read_pointer(entry):
        callbacks.append(read_pointer(entry) - image_base)
        entry += struct.calcsize(pointer)

# Wine's trace of the zip's program from its start to its main window, closed like a user would.
trace = re.compile(rb"TLS callback|loaddll|LoadLibrary|SetDefaultDllDirectories|"
                   rb"GetSystemTimeAsFileTime|Starting thread proc")
run = subprocess.Popen(["sh", source / "scripts/run.sh", "--once", "--picture",
                        work / "traced-run.png", build, exe], stdout=subprocess.DEVNULL,
                       stderr=subprocess.PIPE,
                       env=dict(os.environ, WINE_RUN_WINEDEBUG="+pid,+relay,+loaddll"))
lines = [line.decode(errors="replace").rstrip() for line in run.stderr if trace.search(line)]
ended(run.wait())
loaded = [line for line in lines if re.search(r'loaddll.*Trinumero\.exe" at ', line)]
assert loaded, "Wine's trace does not show the program's start"
pid = loaded[0].split(":")[0]
base = int(re.search(r'" at ([0-9A-Fa-f]+)', loaded[0])[1], 16)
folder = re.search(r'L"(.*\\)Trinumero\.exe"', loaded[0])[1]
mine = [line for line in lines if line.startswith(pid + ":")]


def first(pattern, after=0):
    return next((i for i, line in enumerate(mine) if i >= after and re.search(pattern, line)),
                len(mine))


# The start callback is the exe's TLS callback that seeds the guard or restricts the search.
tls_calls = [(i, int(m[1], 16)) for i, line in enumerate(mine)
             if (m := re.search(r"Call TLS callback \(proc=([0-9A-F]+),module=0*"
                                + f"{base:X},reason=PROCESS_ATTACH", line))]
starts = []
for call, proc in tls_calls:
    body = mine[call:first(rf"Ret  TLS callback \(proc=0*{proc:X},", call)]
    if any(re.search(r"SetDefaultDllDirectories|GetSystemTimeAsFileTime", line) for line in body):
        starts.append(proc - base)
called = [proc - base for _, proc in tls_calls]
check("start callback", callbacks and starts == callbacks[:1] == called[:1],
      f"the PE's TLS callbacks {[hex(c) for c in callbacks]}, called by Wine in the order "
      f"{[hex(c) for c in called]}; the start callback is {[hex(s) for s in starts]}")

restricted = first(r"Ret  KERNEL32\.SetDefaultDllDirectories\(\) retval=00000001")
bare_load = first(r'Call [\w.]+\.LoadLibrary\w*\([0-9a-fA-F]+ L?"[^"\\]*"')
entry_point = first(f"Starting thread proc 0*{base + entry_rva:X} ")
from_folder = [line for line in mine if re.search(r"loaddll.*Loaded L\"" + re.escape(folder), line)
               and "Trinumero.exe" not in line]
check("DLL search", restricted < min(bare_load, entry_point) and not from_folder,
      f"restricted at trace line {restricted}, entry point at {entry_point}, first load by a "
      f"bare name at {bare_load} (of {len(mine)}); from the program's folder: {from_folder}")

# The stack guard: its fail routine and the guard itself, where the link's map puts them.
symbols = {m[2]: int(m[1], 16) for m in re.finditer(
    r"^\s+0x([0-9a-f]+)\s+_+stack_chk_(fail|guard)\s*$",
    (build / "app/Trinumero.map").read_text(), re.M)}
calls = 0
if "fail" in symbols:
    code = subprocess.run([objdump, "-d", exe], check=True, capture_output=True, text=True).stdout
    calls = len(re.findall(rf"\scall\s+0x0*{symbols['fail']:x}\b", code))
seeded = 1
if "guard" in symbols:
    guard_rva = symbols["guard"] - image_base
    windows_exe = "Z:" + str(exe).replace("/", "\\")
    seeded = ended(subprocess.run([source / "cmake/wine-run.sh", build, reader, windows_exe,
                                   f"{guard_rva:x}", f"{read_pointer(guard_rva):x}"]).returncode)
check("stack guard", calls > 0 and seeded == 0,
      f"{calls} calls of the fail routine in the code; the running program's guard "
      f"{'is' if seeded == 0 else 'is NOT'} its own")
sys.exit(1 if failures else 0)
