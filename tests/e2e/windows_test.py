#!/usr/bin/python3
# The Windows deliverables as a Windows user meets them, under Wine:
#   windows_test.py prefix FOLDER            prepare the Wine prefix the tests copy
#   windows_test.py file PROGRAM DESKTOP_ENTRY ICON TEMPLATE
#       the program file: its icon, version record and manifest, and no DLL
#       that Windows does not have itself
#   windows_test.py setup SETUP PROGRAM LICENCE ZIP TEMPLATE
#       the setup program, silent, for the current user and for all users:
#       the program, its licence, the Start-menu entry and the uninstaller in
#       Windows' list of programs; the uninstaller takes all of it away again;
#       and the portable zip
import hashlib, os, re, sys, zipfile

from x_session import WineSession, fail, wait_for


def program_file(program, desktop_entry, icon, template):
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
    if {data(image) for image in resources[pefile.RESOURCE_TYPE["RT_ICON"]].directory.entries} != images:
        fail("the program file's icon is not the window icon")
    strings = {k.decode(): v.decode() for info in pe.FileInfo[0] if info.Key == b"StringFileInfo"
               for table in info.StringTable for k, v in table.entries.items()}
    with open(desktop_entry, encoding="utf-8") as entry:
        comment = re.search(r"^Comment=(.*)$", entry.read(), re.M)[1]
    wanted = {"ProductName": "Pokaz", "ProductVersion": "2.00", "FileVersion": "2.00", "FileDescription": comment}
    if any(strings.get(k) != v for k, v in wanted.items()) or "GPL-3.0-or-later" not in strings.get("LegalCopyright", ""):
        fail(f"version record {strings}")
    if pe.VS_FIXEDFILEINFO[0].FileVersionMS != 2 << 16:
        fail("file version is not 2.0")
    manifest = data(resources[pefile.RESOURCE_TYPE["RT_MANIFEST"]].directory.entries[0]).decode()
    for needed in ("<dpiAwareness", ">PerMonitorV2<", 'level="asInvoker"', 'name="Microsoft.Windows.Common-Controls"'):
        if needed not in manifest:
            fail(f"the manifest lacks {needed}")
    with WineSession(template) as wine:
        system = {name.lower() for name in os.listdir(os.path.join(wine.env["WINEPREFIX"], "drive_c/windows/system32"))}
    # API sets (api-ms-win-...) are names that Windows itself resolves.
    imported = [dll.dll.decode().lower() for dll in pe.DIRECTORY_ENTRY_IMPORT]
    if foreign := [dll for dll in imported if dll not in system and not dll.startswith("api-ms-win-")]:
        fail(f"needs DLLs that Windows does not have: {foreign}")


def digest(path):
    with open(path, "rb") as file:
        return hashlib.sha256(file.read()).hexdigest()


def setup(setup_program, program, licence, portable, template):
    with WineSession(template) as wine:
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
            wine.run("/usr/lib/wine/wineserver64", "-w", timeout=60)
            installed = {name: digest(os.path.join(folder, name)) for name in os.listdir(folder)}
            if installed.keys() != {"pokaz.exe", "LICENCE.txt", "Uninstall.exe"} or \
                    (installed["pokaz.exe"], installed["LICENCE.txt"]) != (digest(program), digest(licence)):
                fail(f"{mode}: installed {sorted(installed)} into {folder}")
            if not os.path.exists(entry):
                fail(f"{mode}: no Start-menu entry {entry}")
            key = hive + r"\Software\Microsoft\Windows\CurrentVersion\Uninstall\Pokaz"
            listed = wine.wine("reg", "query", key)
            if not re.search(r"DisplayName\s+REG_SZ\s+Pokaz\r?$", listed, re.M) or "2.00" not in listed:
                fail(f"{mode}: Windows' list of programs has {listed}")
            # The Start-menu entry names the installed program, which starts.
            with open(entry, "rb") as link:
                named = [text.decode("utf-16-le") for text in re.findall(rb"(?:[ -~]\x00)+", link.read())]
            target = next(m[0] for text in named if (m := re.search(r"[A-Z]:\\.*\\pokaz\.exe$", text, re.I)))
            if os.path.realpath(wine.wine("winepath", "-u", target).strip()) != os.path.realpath(folder + "/pokaz.exe"):
                fail(f"{mode}: the Start-menu entry starts {target}")
            wine.start(wine.WINE, target)
            wine.find_window("Pokaz")
            wine.run("/usr/lib/wine/wineserver64", "-k")
            # Uninstalled as Windows' list of programs does it, quietly.
            uninstaller, arguments = re.search(r'QuietUninstallString\s+REG_SZ\s+"(.*?)"(.*?)\r?$', listed, re.M).groups()
            wine.wine(uninstaller, *arguments.split())
            # The uninstaller runs from a copy in Temp, which goes when Windows next starts.
            wait_for(f"{mode}: the uninstaller done", lambda: wine.state(but="Temp") == before, seconds=60)
    with zipfile.ZipFile(portable) as archive:
        if sorted(name for name in archive.namelist() if not name.endswith("/")) != ["Pokaz/LICENCE.txt", "Pokaz/pokaz.exe"] or \
                hashlib.sha256(archive.read("Pokaz/pokaz.exe")).hexdigest() != digest(program):
            fail(f"the zip holds {archive.namelist()}")
    with open(licence, encoding="utf-8-sig", newline="") as text:
        notice = text.read()
    for needed in ("GNU GENERAL PUBLIC LICENSE\r\n                       Version 3", "Qt 6.",
                   "GNU LESSER GENERAL PUBLIC LICENSE\r\n                       Version 3",
                   "GNU LESSER GENERAL PUBLIC LICENSE\r\n                       Version 2.1", "fonts-wine"):
        if needed not in notice:
            fail(f"the licence lacks {needed!r}")


if sys.argv[1] == "prefix":
    WineSession.make_prefix(sys.argv[2])
else:
    {"file": program_file, "setup": setup}[sys.argv[1]](*sys.argv[2:])
print(f"windows {sys.argv[1]}: ok")
