"""manifests_match_zips.py SOURCE_DIR WORK_DIR: the winget (YAML read as text, as winget does) and
Scoop manifests name each zip's SHA-256, address, folder and the release's day in UTC."""
import hashlib, json, os, pathlib, shutil, subprocess, sys, yaml
source, work = (pathlib.Path(arg) for arg in sys.argv[1:3])
shutil.rmtree(work, ignore_errors=True)
work.mkdir(parents=True)
base, archs, hashes = "https://downloads.example/9.8", ("win64", "win32"), {}
for arch in archs:  # different bytes, so that a hash given to the wrong architecture shows
    data = f"stand-in for the {arch} zip".encode()
    (work / f"Trinumero-9.8-{arch}.zip").write_bytes(data)
    hashes[arch] = hashlib.sha256(data).hexdigest()
subprocess.run(["sh", source / "scripts/release-manifests.sh", work, "9.8", "1700000000",
                "https://home.example/t", "Someone Else"], check=True,
               env=dict(os.environ, RELEASE_BASE_URL=base + "/", TZ="Pacific/Kiritimati"))
winget = {path.name.removeprefix("Trinumero.Trinumero."):
          yaml.load(path.read_text(), yaml.BaseLoader) for path in (work / "winget").glob("*.yaml")}
scoop = json.loads((work / "scoop/trinumero.json").read_text())
installer = winget["installer.yaml"]
checks = [({(m["PackageIdentifier"], m["PackageVersion"], m["ManifestVersion"])
            for m in winget.values()}, {("Trinumero.Trinumero", "9.8", "1.12.0")}),
          (winget["locale.en-US.yaml"]["Publisher"], "Someone Else"),
          ([installer[key] for key in ("InstallerType", "NestedInstallerType", "ReleaseDate")],
           ["zip", "portable", "2023-11-14"]),
          ([entry["Architecture"] for entry in installer["Installers"]], ["x64", "x86"]),
          ([scoop[key] for key in ("version", "bin", "shortcuts")],
           ["9.8", "Trinumero.exe", [["Trinumero.exe", "Trinumero"]]])]
for arch, entry in zip(archs, installer["Installers"]):
    folder, url = f"Trinumero-9.8-{arch}", f"{base}/Trinumero-9.8-{arch}.zip"
    checks += [((entry["InstallerUrl"], entry["InstallerSha256"].lower(),
                 entry["NestedInstallerFiles"]),
                (url, hashes[arch], [{"RelativeFilePath": folder + "\\Trinumero.exe",
                                      "PortableCommandAlias": "trinumero"}])),
               (scoop["architecture"][arch.replace("win", "") + "bit"],
                {"url": url, "hash": hashes[arch], "extract_dir": folder})]
sys.exit("\n".join(f"{got!r} is not {wanted!r}" for got, wanted in checks if got != wanted) or None)
