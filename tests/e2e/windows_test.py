#!/usr/bin/python3
# The Windows deliverables as a Windows user meets them, under Wine:
#   windows_test.py prefix FOLDER            prepare the Wine prefix the tests copy
#   windows_test.py file PROGRAM DESKTOP_ENTRY ICON
#       the program file: its icon, version record and manifest (that it
#       needs no DLL beside it, the end-to-end run under Wine shows)
#   windows_test.py setup SETUP PROGRAM LICENCE ZIP TEMPLATE
#       the setup program, silent, for the current user and for all users:
#       the program, its licence, the Start-menu entry and the uninstaller in
#       Windows' list of programs; the uninstaller takes all of it away again;
#       and the portable zip
import hashlib, os, re, sys, zipfile

from x_session import WineSession, expect, wait_for


def program_file(program, desktop_entry, icon):
    import pefile
    pe = pefile.PE(program)
    resources = {entry.id: entry for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries}

    def data(named):  # a resource's bytes, in its first language
        leaf = named.directory.entries[0].data.struct
        return pe.get_data(leaf.OffsetToData, leaf.Size)
    # The icon images are those of the window icon's file, which lists each
    # image's size and offset after a 6-byte header, 16 bytes an image.
    with open(icon, "rb") as file:
        ico = file.read()
    number = lambda at: int.from_bytes(ico[at:at + 4], "little")
    images = {ico[number(18 + 16 * i):][:number(14 + 16 * i)] for i in range(int.from_bytes(ico[4:6], "little"))}
    expect({data(image) for image in resources[pefile.RESOURCE_TYPE["RT_ICON"]].directory.entries} == images,
           "the program file's icon is not the window icon")
    strings = {k.decode(): v.decode() for info in pe.FileInfo[0] if info.Key == b"StringFileInfo"
               for table in info.StringTable for k, v in table.entries.items()}
    with open(desktop_entry, encoding="utf-8") as entry:
        comment = re.search(r"^Comment=(.*)$", entry.read(), re.M)[1]
    wanted = {"ProductName": "Pokaz", "ProductVersion": "2.00", "FileVersion": "2.00", "FileDescription": comment}
    expect(all(strings.get(k) == v for k, v in wanted.items()) and pe.VS_FIXEDFILEINFO[0].FileVersionMS == 2 << 16
           and "GPL-3.0-or-later" in strings.get("LegalCopyright", ""), f"version record {strings}")
    manifest = data(resources[pefile.RESOURCE_TYPE["RT_MANIFEST"]].directory.entries[0]).decode()
    for needed in ("<dpiAwareness", ">PerMonitorV2<", 'level="asInvoker"', 'name="Microsoft.Windows.Common-Controls"'):
        expect(needed in manifest, f"the manifest lacks {needed}")


def digest(path):
    with open(path, "rb") as file:
        return hashlib.sha256(file.read()).hexdigest()


def setup(setup_program, program, licence, portable, template):
    with WineSession(1, template) as wine:
        drive = os.path.join(wine.env["WINEPREFIX"], "drive_c")
        user = os.path.join(drive, "users", os.environ.get("USER", "root"))
        modes = {
            "CurrentUser": ("HKCU", os.path.join(user, "AppData/Local/Programs/Pokaz"),
                            os.path.join(user, "AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Pokaz.lnk")),
            "AllUsers": ("HKLM", os.path.join(drive, "Program Files/Pokaz"),
                         os.path.join(drive, "ProgramData/Microsoft/Windows/Start Menu/Programs/Pokaz.lnk")),
        }
        wine.warm_up(program)
        for mode, (hive, folder, entry) in modes.items():
            before = wine.state(but="Temp")
            wine.wine(setup_program, "/S", "/" + mode)
            wine.server("-w")
            installed = {name: digest(os.path.join(folder, name)) for name in os.listdir(folder)}
            uninstaller = installed.get("Uninstall.exe")  # its own, with no copy to compare
            expect(uninstaller and installed == {"pokaz.exe": digest(program), "LICENCE.txt": digest(licence),
                                                 "Uninstall.exe": uninstaller}, f"{mode}: installed {installed}")
            expect(os.path.exists(entry), f"{mode}: no Start-menu entry {entry}")
            key = hive + r"\Software\Microsoft\Windows\CurrentVersion\Uninstall\Pokaz"
            listed = wine.wine("reg", "query", key)
            # The list shows the program by its name, version and own icon.
            unix = lambda path: os.path.realpath(wine.wine("winepath", "-u", path).strip())
            icon = re.search(r"DisplayIcon\s+REG_SZ\s+(.*),0\r?$", listed, re.M)
            expect(re.search(r"DisplayName\s+REG_SZ\s+Pokaz\r?$", listed, re.M) and "2.00" in listed and icon
                   and unix(icon[1]) == os.path.realpath(folder + "/pokaz.exe"), f"{mode}: Windows' list of programs has {listed}")
            # The Start-menu entry names the installed program, which starts.
            with open(entry, "rb") as link:
                named = [text.decode("utf-16-le") for text in re.findall(rb"(?:[ -~]\x00)+", link.read())]
            target = next(m[0] for text in named if (m := re.search(r"[A-Z]:\\.*\\pokaz\.exe$", text, re.I)))
            expect(unix(target) == os.path.realpath(folder + "/pokaz.exe"), f"{mode}: the Start-menu entry starts {target}")
            wine.start(wine.WINE, target)
            wine.find_window("Pokaz")
            wine.server("-k")
            # Uninstalled as Windows' list of programs does it, quietly.
            uninstaller, arguments = re.search(r'QuietUninstallString\s+REG_SZ\s+"(.*?)"(.*?)\r?$', listed, re.M).groups()
            wine.wine(uninstaller, *arguments.split())
            # The uninstaller runs from a copy in Temp, which goes when Windows next starts.
            left = lambda: sorted(wine.state(but="Temp") ^ before)[:8]
            wait_for(lambda: f"{mode}: the uninstaller done; still differing: {left()}", lambda: not left(), seconds=60)
    with zipfile.ZipFile(portable) as archive:
        files = {name: hashlib.sha256(archive.read(name)).hexdigest() for name in archive.namelist() if name[-1] != "/"}
        expect(files == {"Pokaz/pokaz.exe": digest(program), "Pokaz/LICENCE.txt": digest(licence)},
               f"the zip holds {files}")
    with open(licence, encoding="utf-8-sig", newline="") as text:
        notice = text.read()
    version = "\r\n" + " " * 23 + "Version "  # as the licences set their titles
    for needed in (f"GNU GENERAL PUBLIC LICENSE{version}3", f"GNU LESSER GENERAL PUBLIC LICENSE{version}3",
                   f"GNU LESSER GENERAL PUBLIC LICENSE{version}2.1", "Qt 6.", "fonts-wine"):
        expect(needed in notice, f"the licence lacks {needed!r}")


if sys.argv[1] == "prefix":
    WineSession.make_prefix(sys.argv[2])
else:
    {"file": program_file, "setup": setup}[sys.argv[1]](*sys.argv[2:])
print(f"windows {sys.argv[1]}: ok")
