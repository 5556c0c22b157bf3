#!/usr/bin/env bash
# Builds data/verbs.xls (an XML spreadsheet) from the irregular verb list data/verbs.txt.
set -euo pipefail
src="$LEXITAR_DATA/verbs.txt"
out="$LEXITAR_DATA/verbs.xls"
if [ ! -r "$src" ]; then
  echo "50-verbs-xls: $src is missing" >&2
  exit 1
fi
if [ -e "$out" ] && [ "$out" -nt "$src" ] && [ "$out" -nt "$0" ]; then
  echo "50-verbs-xls: up to date"
  exit 0
fi
tmp="$out.tmp.$$"
trap 'rm -f "$tmp"' EXIT
/usr/bin/python3 - "$src" "$tmp" <<'PY'
import sys
from xml.sax.saxutils import escape
src, dst = sys.argv[1], sys.argv[2]
lines = open(src, 'rb').read().decode('cp1251').split('\r\n')
rows = []
for n, line in enumerate(lines, 1):
    if not line:
        continue
    f = line.split('\t')
    if len(f) < 6 or f[1] != 'v':
        sys.exit('50-verbs-xls: line %d of %s is not a verb line' % (n, src))
    rows.append([f[0], f[3], f[4], f[5], f[2]])
head = ['Инфинитив', 'Прошедшее время', 'Причастие II', 'Форма на -ing', 'Перевод']
def row(cells, style):
    return '<Row>' + ''.join('<Cell ss:StyleID="%s"><Data ss:Type="String">%s</Data></Cell>'
                             % (style, escape(c)) for c in cells) + '</Row>\n'
parts = ['<?xml version="1.0" encoding="UTF-8"?>\n<?mso-application progid="Excel.Sheet"?>\n',
         '<Workbook xmlns="urn:schemas-microsoft-com:office:spreadsheet" '
         'xmlns:ss="urn:schemas-microsoft-com:office:spreadsheet">\n',
         '<Styles><Style ss:ID="h"><Font ss:Bold="1"/><Interior ss:Color="#DCF9D8" ss:Pattern="Solid"/></Style>'
         '<Style ss:ID="c"/></Styles>\n',
         '<Worksheet ss:Name="Неправильные глаголы"><Table>\n',
         '<Column ss:Width="100"/><Column ss:Width="110"/><Column ss:Width="110"/>'
         '<Column ss:Width="110"/><Column ss:Width="220"/>\n',
         row(head, 'h')]
parts += [row(r, 'c') for r in rows]
parts.append('</Table></Worksheet>\n</Workbook>\n')
open(dst, 'w', encoding='utf-8', newline='\r\n').write(''.join(parts))
PY
mv "$tmp" "$out"
trap - EXIT
echo "50-verbs-xls: wrote $out"
