"""manifests_match_zips.py SOURCE_DIR WORK_DIR: the winget manifests, at their place in
microsoft/winget-pkgs and read by a generic YAML reader (a version 1.10 not quoted is the number
1.1 to it), and the Scoop manifest name each zip's SHA-256, address, folder and the release's day
in UTC; Scoop's autoupdate gives the zips' addresses for any version and finds their hashes in
SHA256SUMS, where checkver finds the version."""
import hashlib, json, os, pathlib, re, shutil, subprocess, sys, yaml
source, work = (pathlib.Path(arg) for arg in sys.argv[1:3])
shutil.rmtree(work, ignore_errors=True)
work.mkdir(parents=True)
version, base, archs, hashes = "1.10", "https://downloads.example/1.10", ("win64", "win32"), {}
for arch in archs:  # different bytes, so that a hash given to the wrong architecture shows
    data = f"stand-in for the {arch} zip".encode()
    (work / f"Trinumero-{version}-{arch}.zip").write_bytes(data)
    hashes[arch] = hashlib.sha256(data).hexdigest()
subprocess.run(["sh", source / "scripts/release-manifests.sh", work, version, "1700000000",
                "https://home.example/t", "Someone Else"], check=True,
               env=dict(os.environ, RELEASE_BASE_URL=base + "/", TZ="Pacific/Kiritimati"))
winget = {path.name.removeprefix("Trinumero.Trinumero."): yaml.safe_load(path.read_text())
          for path in (work / "winget/manifests/t/Trinumero/Trinumero" / version).glob("*.yaml")}
scoop = json.loads((work / "scoop/trinumero.json").read_text())
sums = (work / "SHA256SUMS").read_text()
installer, update = winget["installer.yaml"], scoop["autoupdate"]
checks = [({(m["PackageIdentifier"], m["PackageVersion"], m["ManifestVersion"])
            for m in winget.values()}, {("Trinumero.Trinumero", version, "1.12.0")}),
          (winget["locale.en-US.yaml"]["Publisher"], "Someone Else"),
          ([installer[key] for key in ("InstallerType", "NestedInstallerType", "MinimumOSVersion")]
           + [str(installer["ReleaseDate"])], ["zip", "portable", "6.1.7601.0", "2023-11-14"]),
          ([entry["Architecture"] for entry in installer["Installers"]], ["x64", "x86"]),
          ([scoop[key] for key in ("version", "shortcuts")] + ["bin" in scoop],
           [version, [["Trinumero.exe", "Trinumero"]], False]),
          ((scoop["checkver"]["url"], re.findall(scoop["checkver"]["regex"], sums)),
           ("https://home.example/t/releases/latest/download/SHA256SUMS", [version]))]
for arch, entry in zip(archs, installer["Installers"]):
    folder, url = f"Trinumero-{version}-{arch}", f"{base}/Trinumero-{version}-{arch}.zip"
    bits = arch.replace("win", "") + "bit"
    checks += [((entry["InstallerUrl"], entry["InstallerSha256"].lower(),
                 entry["NestedInstallerFiles"]),
                (url, hashes[arch], [{"RelativeFilePath": folder + "\\Trinumero.exe",
                                      "PortableCommandAlias": "trinumero"}])),
               (scoop["architecture"][bits],
                {"url": url, "hash": hashes[arch], "extract_dir": folder}),
               ([update["hash"]["url"].replace("$baseurl", url.rsplit("/", 1)[0]), re.search(
                   update["hash"]["regex"].replace("$sha256", "([a-fA-F0-9]{64})").replace(
                       "$basename", re.escape(url.rsplit("/", 1)[1])), sums)[1]],
                [f"{base}/SHA256SUMS", hashes[arch]])]
    auto = update["architecture"][bits]
    for new in (version, "2.0"):  # its zips, and those of another version
        checks.append(([auto[key].replace("$version", new) for key in ("url", "extract_dir")],
                       [url.replace(version, new), folder.replace(version, new)]))
sys.exit("\n".join(f"{got!r} is not {wanted!r}" for got, wanted in checks if got != wanted) or None)
