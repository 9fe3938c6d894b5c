#!/usr/bin/env python3
"""Checks what of the Windows and macOS packages can be checked on Linux, where they are not built:

- the bundle's Info.plist, as CMake filled it in: well formed, the .zna document type with the
  Editor role, the exported type (conforming to public.data, extension zna, the MIME type of
  packaging/zentavo-mime.xml), the executable, version and icon names the bundle has;
- the icon files packed from the rendered PNGs (.icns and .ico), read back element by element;
- the Windows installer's document type (packaging/windows/zentavo-file-type.nsh);
- CMakePresets.json and the workflow (.github/workflows/desktop-packages.yml): each step a
  preset or a script of tools/, the presets it names defined, the runners and the artifacts.

Usage: tools/check-desktop-packaging.py [BUILD_DIR]   (default: build; configured and built)
"""

import json
import plistlib
import re
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree
from pathlib import Path

import yaml

SOURCE = Path(__file__).resolve().parent.parent
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


def mime_type():
    root = ElementTree.parse(SOURCE / "packaging/zentavo-mime.xml").getroot()
    namespace = "{http://www.freedesktop.org/standards/shared-mime-info}"
    types = [element.get("type") for element in root.iter(namespace + "mime-type")]
    assert len(types) == 1, types
    return types[0]


def project_version():
    text = (SOURCE / "CMakeLists.txt").read_text()
    return re.search(r"project\(Zentavo VERSION ([0-9.]+)", text).group(1)


def check_info_plist(build):
    template = (SOURCE / "packaging/macos/Info.plist.in").read_text()
    # CMake fills the file in a second time for the bundle: ${...} would be replaced again.
    check("${" not in template, "Info.plist.in: ${...} would be filled in twice; use @...@")
    path = build / "packaging/macos/Info.plist"
    if not check(path.is_file(), f"{path}: missing (configure the build first)"):
        return
    raw = path.read_bytes()
    check(b"@" not in raw.replace(b"@2x", b""), "Info.plist: a @VARIABLE@ was left unfilled")
    try:
        plist = plistlib.loads(raw)
    except Exception as error:  # plistlib raises several kinds for malformed XML
        check(False, f"Info.plist: not a well-formed property list: {error}")
        return
    check(plist.get("CFBundleExecutable") == "Zentavo", "Info.plist: CFBundleExecutable is not Zentavo")
    check(plist.get("CFBundlePackageType") == "APPL", "Info.plist: not an application")
    check(plist.get("CFBundleShortVersionString") == project_version(), "Info.plist: not the project's version")
    check(plist.get("CFBundleIconFile") == "zentavo.icns", "Info.plist: the icon is not zentavo.icns")
    check(re.fullmatch(r"\d+\.\d+", plist.get("LSMinimumSystemVersion", "")) is not None,
          "Info.plist: no minimum macOS version")
    check(set(plist.get("CFBundleLocalizations", [])) >= {"en", "de", "es", "fr", "it", "pt"},
          "Info.plist: a language of the vocabulary is not listed")

    exported = plist.get("UTExportedTypeDeclarations", [])
    if not check(len(exported) == 1, "Info.plist: not exactly one exported type"):
        return
    declared = exported[0]
    uti = declared.get("UTTypeIdentifier", "")
    check(re.fullmatch(r"[a-z0-9-]+(\.[a-z0-9-]+)+", uti) is not None, f"Info.plist: {uti!r} is not a type identifier")
    check("public.data" in declared.get("UTTypeConformsTo", []), "Info.plist: the type does not conform to public.data")
    tags = declared.get("UTTypeTagSpecification", {})
    check(tags.get("public.filename-extension") == ["zna"], "Info.plist: the type's extension is not zna")
    check(tags.get("public.mime-type") == [mime_type()], "Info.plist: not the MIME type of the Linux package")

    documents = plist.get("CFBundleDocumentTypes", [])
    editors = [d for d in documents if uti in d.get("LSItemContentTypes", [])]
    if check(len(editors) == 1, "Info.plist: no document type of the exported type"):
        check(editors[0].get("CFBundleTypeRole") == "Editor", "Info.plist: the document type's role is not Editor")


def read_png_size(data):
    check(data[:8] == b"\x89PNG\r\n\x1a\n", "an icon element is not a PNG image")
    return struct.unpack(">II", data[16:24])


def check_icon_files(build):
    pngdir = build / "packaging/icons"
    if not check((pngdir / "256x256/apps/zentavo.png").is_file(), f"{pngdir}: no rendered icons (build first)"):
        return
    maker = SOURCE / "packaging/make_icon_files.py"
    with tempfile.TemporaryDirectory() as temp:
        icns, ico = Path(temp) / "zentavo.icns", Path(temp) / "zentavo.ico"
        run = subprocess.run([sys.executable, maker, pngdir, "--icns", icns, "--ico", ico], capture_output=True)
        if not check(run.returncode == 0, f"make_icon_files.py failed: {run.stderr.decode()}"):
            return
        data = icns.read_bytes()
        check(data[:4] == b"icns" and struct.unpack(">I", data[4:8])[0] == len(data), ".icns: wrong header")
        sizes, position = {}, 8
        while position + 8 <= len(data):
            kind, length = data[position:position + 4], struct.unpack(">I", data[position + 4:position + 8])[0]
            if not check(length > 8 and position + length <= len(data), ".icns: an element runs past the end"):
                return
            sizes[kind] = read_png_size(data[position + 8:position + length])
            position += length
        check(position == len(data), ".icns: bytes after the last element")
        # The Linux renderings go up to 256 pixels; 512 and 1024 are rendered for the bundle only.
        expected = {b"icp4": 16, b"icp5": 32, b"ic11": 32, b"icp6": 64, b"ic12": 64, b"ic07": 128,
                    b"ic08": 256, b"ic13": 256}
        check(sizes == {kind: (edge, edge) for kind, edge in expected.items()}, f".icns: elements {sizes}")

        data = ico.read_bytes()
        reserved, kind, count = struct.unpack("<HHH", data[:6])
        check(reserved == 0 and kind == 1, ".ico: wrong header")
        edges = []
        for index in range(count):
            width, height, _, _, planes, bits, length, offset = struct.unpack(
                "<BBBBHHII", data[6 + 16 * index:22 + 16 * index])
            edge = width or 256
            check(width == height and planes == 1 and bits == 32, f".ico: entry {index} is not a 32-bit square")
            check(read_png_size(data[offset:offset + length]) == (edge, edge), f".ico: entry {index} has another size")
            edges.append(edge)
        check(edges == [16, 24, 32, 48, 64, 128, 256], f".ico: sizes {edges}")

        empty = Path(temp) / "empty"
        empty.mkdir()
        run = subprocess.run([sys.executable, maker, empty, "--ico", ico], capture_output=True)
        check(run.returncode == 1 and b"no icon rendering" in run.stderr, "make_icon_files.py: no error without images")


def check_installer_file_type():
    text = (SOURCE / "packaging/windows/zentavo-file-type.nsh").read_text()
    check(f'"Content Type" "{mime_type()}"' in text, "zentavo-file-type.nsh: not the MIME type of the Linux package")
    check('"Software\\Classes\\.zna" "" "${ZENTAVO_PROGID}"' in text, "zentavo-file-type.nsh: .zna is not registered")
    check('"$INSTDIR\\bin\\zentavo.exe" "%1"' in text, "zentavo-file-type.nsh: the open command is not the program")
    cmake = (SOURCE / "cmake/ZentavoPackagingWindows.cmake").read_text()
    for macro in re.findall(r"!insertmacro (\w+)", cmake):
        check(f"!macro {macro}" in text, f"zentavo-file-type.nsh: no macro {macro}")


def check_presets_and_workflow():
    presets = json.loads((SOURCE / "CMakePresets.json").read_text())
    defined = {kind: {p["name"] for p in presets.get(kind, [])}
               for kind in ("configurePresets", "buildPresets", "testPresets")}
    tests = (SOURCE / "tests/CMakeLists.txt").read_text()
    folders = set(re.findall(r"^zentavo_test_folder\((\w+)", tests, re.MULTILINE))
    for preset in presets.get("testPresets", []):
        label = preset.get("filter", {}).get("include", {}).get("label")
        if label:
            named = set(re.fullmatch(r"\^\((.*)\)\$", label).group(1).split("|"))
            check(named <= folders, f"CMakePresets.json: {preset['name']} names a test folder that is not there")

    workflow = yaml.safe_load((SOURCE / ".github/workflows/desktop-packages.yml").read_text())
    triggers = workflow.get("on", workflow.get(True))  # YAML 1.1 reads a bare `on` as true
    check(triggers is not None, "workflow: no trigger")
    jobs = workflow.get("jobs", {})
    runners = set()
    for name, job in jobs.items():
        matrix = job.get("strategy", {}).get("matrix", {}).get("include", [{}])
        runners |= {entry.get("os") for entry in matrix}
        steps = job.get("steps", [])
        uses = [step["uses"].split("@")[0] for step in steps if "uses" in step]
        check("jurplel/install-qt-action" in uses, f"workflow {name}: Qt is not installed")
        check("actions/upload-artifact" in uses, f"workflow {name}: nothing is uploaded")
        qt = next(step for step in steps if step.get("uses", "").startswith("jurplel/install-qt-action"))
        check(re.fullmatch(r"6\.\d+\.\*", str(qt.get("with", {}).get("version"))) is not None,
              f"workflow {name}: not a Qt 6 series")
        for step in steps:
            command = step.get("run")
            if command is None:
                continue
            check("\n" not in command.strip(), f"workflow {name}: step '{step.get('name')}' is more than one command")
            preset = re.fullmatch(r"(cmake --preset|cmake --build --preset|ctest --preset) \$\{\{ matrix\.preset \}\}",
                                  command.strip())
            script = re.fullmatch(r"tools/[\w.-]+( \w+)?", command.strip())
            check(preset or script, f"workflow {name}: '{command.strip()}' is neither a preset nor a script")
            if script:
                check((SOURCE / command.split()[0]).is_file(), f"workflow {name}: {command.split()[0]} is missing")
        for entry in matrix:
            for kind in defined:
                check(entry.get("preset") in defined[kind], f"workflow {name}: no {kind} entry {entry.get('preset')}")
    check(runners == {"windows-2022", "macos-14"}, f"workflow: runners {sorted(map(str, runners))}")


def main(argv):
    build = Path(argv[0]) if argv else SOURCE / "build"
    check_info_plist(build)
    check_icon_files(build)
    check_installer_file_type()
    check_presets_and_workflow()
    for failure in failures:
        print(f"check-desktop-packaging: {failure}", file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
