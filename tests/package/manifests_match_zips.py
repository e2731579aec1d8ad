"""The package managers' manifests, read by a YAML and a JSON parser, name each zip with its own
SHA-256, its download address under RELEASE_BASE_URL and the folder inside it, and date the
release with the release time's day in UTC. YAML scalars are read as text, as winget reads them.

    manifests_match_zips.py SOURCE_DIR WORK_DIR
"""

import hashlib
import json
import os
import pathlib
import shutil
import subprocess
import sys

import yaml

source_dir, work = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
shutil.rmtree(work, ignore_errors=True)
work.mkdir(parents=True)

# Two stand-ins with different bytes, so that a hash given to the wrong architecture shows.
folders = {"win64": "Trinumero-9.8-win64", "win32": "Trinumero-9.8-win32"}
hashes = {}
for arch, folder in folders.items():
    zip_path = work / f"{folder}.zip"
    zip_path.write_bytes(f"stand-in for the {arch} zip".encode())
    hashes[arch] = hashlib.sha256(zip_path.read_bytes()).hexdigest()

base = "https://downloads.example/trinumero/9.8"
subprocess.run(["sh", source_dir / "scripts/release-manifests.sh", work, "9.8", "1700000000",
                "https://home.example/trinumero", "Someone Else"],
               env=dict(os.environ, RELEASE_BASE_URL=base + "/", TZ="Pacific/Kiritimati"), check=True)

failures = []


def expect(what, got, wanted):
    if got != wanted:
        failures.append(f"{what}: {got!r}, not {wanted!r}")


winget = {path.name: yaml.load(path.read_text(encoding="utf-8"), Loader=yaml.BaseLoader)
          for path in (work / "winget").glob("*.yaml")}
expect("winget files", sorted(winget), ["Trinumero.Trinumero.installer.yaml",
                                        "Trinumero.Trinumero.locale.en-US.yaml",
                                        "Trinumero.Trinumero.yaml"])
for name, manifest in winget.items():
    expect(f"{name} identity", (manifest["PackageIdentifier"], manifest["PackageVersion"],
                                manifest["ManifestVersion"]),
           ("Trinumero.Trinumero", "9.8", "1.12.0"))
locale = winget["Trinumero.Trinumero.locale.en-US.yaml"]
expect("winget publisher and moniker", (locale["Publisher"], locale["Moniker"]),
       ("Someone Else", "trinumero"))
installer = winget["Trinumero.Trinumero.installer.yaml"]
expect("winget types", (installer["InstallerType"], installer["NestedInstallerType"]),
       ("zip", "portable"))
expect("winget release date", installer["ReleaseDate"], "2023-11-14")

scoop = json.loads((work / "scoop/trinumero.json").read_text(encoding="utf-8"))
expect("scoop version, bin and shortcut", (scoop["version"], scoop["bin"], scoop["shortcuts"]),
       ("9.8", "Trinumero.exe", [["Trinumero.exe", "Trinumero"]]))

for arch, winget_arch, scoop_arch in (("win64", "x64", "64bit"), ("win32", "x86", "32bit")):
    folder, url = folders[arch], f"{base}/{folders[arch]}.zip"
    entries = [entry for entry in installer["Installers"] if entry["Architecture"] == winget_arch]
    expect(f"winget {winget_arch} installers", len(entries), 1)
    entry = entries[0] if entries else {}
    expect(f"winget {winget_arch}",
           (entry.get("InstallerUrl"), entry.get("InstallerSha256", "").lower(),
            entry.get("NestedInstallerFiles")),
           (url, hashes[arch],
            [{"RelativeFilePath": f"{folder}\\Trinumero.exe", "PortableCommandAlias": "trinumero"}]))
    expect(f"scoop {scoop_arch}", scoop["architecture"].get(scoop_arch),
           {"url": url, "hash": hashes[arch], "extract_dir": folder})

print("\n".join(failures) or "the manifests name both zips with their hashes")
sys.exit(1 if failures else 0)
