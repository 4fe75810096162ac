#!/usr/bin/python3
# Writes 示例订单.xlsx from 示例订单.csv beside it, as Excel keeps an order:
# numbers as numbers, empty cells empty. Needs python3-openpyxl.
import csv
import datetime
import pathlib

import openpyxl

here = pathlib.Path(__file__).resolve().parent
with open(here / "示例订单.csv", encoding="utf-8-sig", newline="") as f:
    rows = list(csv.reader(f))

book = openpyxl.Workbook()
sheet = book.active
sheet.title = "订单"
for row in rows:
    cells = []
    for text in row:
        try:
            cells.append(int(text) if text.isdigit() else float(text) if text else None)
        except ValueError:
            cells.append(text)
    sheet.append(cells)
# A fixed time, so that the file is the same each time it is written.
book.properties.created = book.properties.modified = datetime.datetime(2026, 1, 1)
book.save(here / "示例订单.xlsx")
