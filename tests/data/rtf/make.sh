#!/usr/bin/env bash
# Makes the RTF samples the reader tests use, written by real word processors
# from source.html. Run once by hand; the tests only read the committed
# .rtf files. Needs the Debian packages libreoffice-writer-nogui, abiword
# and pandoc (not part of scripts/deps).
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

soffice --headless -env:UserInstallation=file://"$work"/profile \
  --infilter="HTML (StarWriter)" --convert-to rtf:"Rich Text Format" --outdir "$work" source.html
mv "$work"/source.rtf libreoffice.rtf

abiword --to=rtf --to-name=abiword.rtf source.html

pandoc --standalone --from=html --to=rtf source.html -o pandoc.rtf

# word_backgrounds.rtf (WordPad's and Word's dialect) and
# libreoffice_backgrounds.rtf (LibreOffice's) hold backgrounds and
# super/subscript; they were written by hand in those dialects.
