#!/usr/bin/python3
"""Writes the order workbooks the order tests read into the folder given.

order.xlsx is written by openpyxl as a spreadsheet program would; the others
are put together part by part, for what openpyxl never writes (inline
strings, rich text runs, prefixed element names) and for broken workbooks.
"""
import os
import sys
import zipfile

import openpyxl

out = sys.argv[1]
os.makedirs(out, exist_ok=True)

# Two sheets: the order is the first; a title above its heading, gaps and an
# empty row between the rows, numbers and booleans as the program stores them.
book = openpyxl.Workbook()
sheet = book.active
sheet.title = "生产单"
sheet["A1"] = "十二月订单"
sheet.append([])
sheet.append(["订单号", "门型", "长度", "宽度", "厚度", "数量", "合页朝上", "备注"])
sheet.append(["A-1", "门A", 2050, 860, None, 2, True, "左开"])
sheet.append(["A-2", "门B", 1980.5, 900, 45, 1, False, None])
sheet.append([])
sheet.append([None, "门C", "2100", 800])
other = book.create_sheet("其他")
other.append(["门型", "长度", "宽度"])
other.append(["不读", 1, 1])
book.save(os.path.join(out, "order.xlsx"))

CONTENT_TYPES = ('<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
                 '<Default Extension="xml" ContentType="application/xml"/></Types>')
WORKBOOK = ('<?xml version="1.0" encoding="UTF-8"?><x:workbook xmlns:x="http://schemas.openxmlformats.org/spreadsheetml/2006/main" '
            'xmlns:rel="http://schemas.openxmlformats.org/officeDocument/2006/relationships">'
            '<x:sheets><x:sheet name="Orders" sheetId="2" rel:id="rId7"/><x:sheet name="B" sheetId="1" rel:id="rId1"/></x:sheets></x:workbook>')
RELS = ('<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
        '<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/>'
        '<Relationship Id="rId7" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="/xl/worksheets/orders.xml"/>'
        '</Relationships>')
STRINGS = ('<?xml version="1.0" encoding="UTF-8"?><x:sst xmlns:x="http://schemas.openxmlformats.org/spreadsheetml/2006/main">'
           '<x:si><x:t>DoorModel</x:t></x:si>'
           '<x:si><x:r><x:rPr><x:b/></x:rPr><x:t>门</x:t></x:r><x:r><x:t xml:space="preserve">A</x:t></x:r>'
           '<x:rPh><x:t>もん</x:t></x:rPh></x:si>'
           '</x:sst>')
ORDERS = ('<?xml version="1.0" encoding="UTF-8"?><x:worksheet xmlns:x="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><x:sheetData>'
          '<x:row r="2"><x:c r="B2" t="s"><x:v>0</x:v></x:c><x:c r="C2" t="inlineStr"><x:is><x:t>Length</x:t></x:is></x:c>'
          '<x:c r="D2" t="inlineStr"><x:is><x:r><x:t>Wid</x:t></x:r><x:r><x:t>th</x:t></x:r></x:is></x:c>'
          '<x:c r="F2" t="str"><x:v>Note</x:v></x:c><x:c r="E2" t="inlineStr"><x:is><x:t>HingesUp</x:t></x:is></x:c></x:row>'
          '<x:row r="9"><x:c r="B9" t="s"><x:v>1</x:v></x:c><x:c r="C9"><x:v>2050</x:v></x:c><x:c r="D9"><x:v>859.5</x:v></x:c>'
          '<x:c r="E9" t="b"><x:v>0</x:v></x:c><x:c r="F9" t="e"><x:v>#N/A</x:v></x:c><x:c r="XFD9"><x:v>1</x:v></x:c></x:row>'
          '<x:row><x:c t="s"><x:v>1</x:v></x:c><x:c t="s"><x:v>99</x:v></x:c><x:c><x:v>700</x:v></x:c></x:row>'
          '</x:sheetData></x:worksheet>')


def workbook(name, parts):
    with zipfile.ZipFile(os.path.join(out, name), "w", zipfile.ZIP_DEFLATED) as z:
        for part, text in parts.items():
            z.writestr(part, text)


PARTS = {"[Content_Types].xml": CONTENT_TYPES, "xl/workbook.xml": WORKBOOK, "xl/_rels/workbook.xml.rels": RELS,
         "xl/sharedStrings.xml": STRINGS, "xl/worksheets/orders.xml": ORDERS}
workbook("parts.xlsx", PARTS)

# Broken and hostile workbooks.
with open(os.path.join(out, "order.xlsx"), "rb") as f:
    whole = f.read()
with open(os.path.join(out, "truncated.xlsx"), "wb") as f:
    f.write(whole[: len(whole) // 2])
with open(os.path.join(out, "notzip.xlsx"), "wb") as f:
    f.write(b"PK\x03\x04" + b"\x00" * 200)
workbook("nosheet.xlsx", {k: v for k, v in PARTS.items() if k != "xl/worksheets/orders.xml"})
# 20 MB of shared strings that pack into a few kilobytes.
workbook("bomb.xlsx", dict(PARTS, **{"xl/sharedStrings.xml": "<sst>" + "<si><t>x</t></si>" * ((20 << 20) // 16) + "</sst>"}))
# Just under the unpacked size, but more nodes than a part may build.
workbook("nodes.xlsx", dict(PARTS, **{"xl/sharedStrings.xml": "<a/>" * 4000001}))
workbook("deep.xlsx", dict(PARTS, **{"xl/sharedStrings.xml": "<sst>" + "<si>" * 100000 + "</si>" * 100000 + "</sst>"}))
workbook("badxml.xlsx", dict(PARTS, **{"xl/worksheets/orders.xml": ORDERS[:-20]}))
workbook("noheading.xlsx", dict(PARTS, **{"xl/sharedStrings.xml": STRINGS.replace("DoorModel", "Model")}))
