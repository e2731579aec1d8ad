"""shipped_program_check.py SOURCE_DIR BUILD_DIR OBJDUMP STACK_GUARD_READER: a fresh release zip's
exe (stripped, LTO) seeds its guard and restricts the DLL search in its first TLS callback, before
any load by a bare name (Wine's trace); its code calls the guard's fail routine; its guard is set."""
import os, pathlib, pefile, re, subprocess, sys, zipfile

source, build, objdump, reader = (pathlib.Path(arg) for arg in sys.argv[1:5])
work, failures = build / "shipped-check", []


def check(name, ok, detail):
    print(f"{name}: {'ok' if ok else 'FAILED'}: {detail}")
    failures.extend([] if ok else [name])


zip_path = subprocess.run(["sh", source / "scripts/release-zip.sh", build, work], check=True,
                          capture_output=True, text=True).stdout.strip()
with zipfile.ZipFile(zip_path) as archive:
    name = next(name for name in archive.namelist() if name.endswith("/Trinumero.exe"))
    exe = pathlib.Path(archive.extract(name, work / "unpacked"))
assert (data := exe.read_bytes()) == (build / "app/Trinumero.exe").read_bytes(), "not the build's"


# PE headers, read by Debian's pefile: image base and TLS callbacks.
pe = pefile.PE(data=data, fast_load=True)
pe.parse_data_directories([pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_TLS"]])
wide, image_base = pe.PE_TYPE == pefile.OPTIONAL_HEADER_MAGIC_PE_PLUS, pe.OPTIONAL_HEADER.ImageBase
step, read_pointer = (8, pe.get_qword_at_rva) if wide else (4, pe.get_dword_at_rva)
callbacks, entry = [], pe.DIRECTORY_ENTRY_TLS.struct.AddressOfCallBacks - image_base
while read_pointer(entry):
    callbacks.append(read_pointer(entry) - image_base)
    entry += step

# Only the runner's own exit code 77 says that this host cannot run the program (its line goes to
# the test's output); the runs below must end with 0.
if subprocess.run([source / "cmake/wine-run.sh", build, "--start"]).returncode == 77:
    sys.exit(77)
# Wine's trace of the program from its start to its main window, closed as a user would.
keep = re.compile(rb"TLS callback|loaddll|LoadLibrary|SetDefaultDllDir|GetSystemTimeAsFileTime")
# Wine's own processes that the run starts keep its output open: it goes to files, not pipes.
with open(work / "trace.log", "wb") as trace:
    status = subprocess.run(["sh", source / "scripts/run.sh", "--once", "--picture",
                             work / "traced.png", build, exe], stdout=subprocess.DEVNULL,
                            stderr=trace, env=dict(os.environ, WINE_RUN_WINEDEBUG="+pid,+relay,"
                                                   "+loaddll")).returncode
check("traced run", status == 0, f"run.sh --once ended with {status}")
with open(work / "trace.log", "rb") as trace:
    lines = [line.decode(errors="replace").rstrip() for line in trace if keep.search(line)]
(work / "trace.log").unlink()  # a hundred megabytes when the run starts Wine's own services
loaded = next(line for line in lines if re.search(r'loaddll.*Trinumero\.exe" at ', line))
pid, base = loaded.split(":")[0], int(re.search(r'" at ([0-9A-Fa-f]+)', loaded)[1], 16)
mine = [line for line in lines if line.startswith(pid + ":")]


def first(pattern, after=0):
    return next((i for i in range(after, len(mine)) if re.search(pattern, mine[i])), len(mine))


# The start callback: the exe's TLS callback that seeds the guard or restricts the search.
called = [(i, int(m[1], 16) - base) for i, line in enumerate(mine) if (m := re.search(
    rf"Call TLS callback \(proc=([0-9A-F]+),module=0*{base:X},reason=PROCESS_ATTACH", line))]
starts = [rva for i, rva in called if any(re.search("SetDefaultDll|GetSystemTimeAsFileTime", line)
          for line in mine[i:first(rf"Ret  TLS callback \(proc=0*{base + rva:X},", i)])]
check("start callback", callbacks and starts == callbacks[:1] == [rva for _, rva in called][:1],
      f"TLS callbacks {list(map(hex, callbacks))}, called in the order "
      f"{[hex(rva) for _, rva in called]}; start callback {list(map(hex, starts))}")

restricted = first(r"Ret  KERNEL32\.SetDefaultDllDirectories\(\) retval=00000001")
bare_load = first(r'Call [\w.]+\.LoadLibrary\w*\([0-9a-fA-F]+ L?"[^"\\]*"')
check("DLL search", restricted < bare_load,
      f"restricted at trace line {restricted}, first load by a bare name at {bare_load}")

link_map = (build / "app/Trinumero.map").read_text()
symbols = {m[2]: int(m[1], 16) for m in
           re.finditer(r"^\s+0x([0-9a-f]+)\s+_+stack_chk_(fail|guard)\s*$", link_map, re.M)}
code = subprocess.run([objdump, "-d", exe], check=True, capture_output=True, text=True).stdout
calls = len(re.findall(rf"\scall\s+0x0*{symbols['fail']:x}\b", code))
guard = symbols["guard"] - image_base
seeded = subprocess.run([source / "cmake/wine-run.sh", build, reader, "Z:" + str(exe).replace(
    "/", "\\"), f"{guard:x}", f"{read_pointer(guard):x}"], stdout=subprocess.DEVNULL,
    stderr=subprocess.DEVNULL).returncode  # never a pipe: see the trace
check("stack guard", calls > 0 and seeded == 0, f"{calls} calls of the fail routine; the guard at "
      f"run time {({0: 'is its own', 1: 'is NOT its own'}).get(seeded, 'could not be read')}")
sys.exit(1 if failures else 0)
