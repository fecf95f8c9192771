"""Writes the notices of the third-party code in Qt's source: qt-notices.py QT_SOURCE OUT.

Qt records each piece it bundles in a qt_attribution.json beside it, naming its licence and
licence file. Every piece is listed, also those the Windows build leaves out, so that none
that is linked in can be missed.
"""
import json
import pathlib
import sys

source, out = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
notices = []
for attribution in sorted(source.glob("src/**/qt_attribution.json")):
    entries = json.loads(attribution.read_text(encoding="utf-8"), strict=False)
    for entry in entries if isinstance(entries, list) else [entries]:
        files = entry.get("LicenseFiles") or [entry.get("LicenseFile")]
        texts = [(attribution.parent / f).read_text(encoding="utf-8", errors="replace")
                 for f in files if f and (attribution.parent / f).is_file()]
        notices.append("\n".join([
            "=" * 78,
            f"{entry.get('Name', entry.get('Id'))} {entry.get('Version', '')}".rstrip(),
            f"Used in Qt: {entry.get('QtUsage', '')}",
            f"Licence: {entry.get('License', '')}",
            f"Copyright: {entry.get('Copyright', '')}",
            "",
            *texts,
        ]))
out.write_text("\n".join(notices) + "\n", encoding="utf-8")
