"""Reads a workbook with xlrd, a reader independent of ours, and prints what it holds.

Usage: /usr/bin/python3 read_xls.py FILE [--cells]

For every worksheet a line "sheet NAME ROWS COLUMNS"; with --cells, then one line per row of
its COLUMNS cells, each "-" when empty, "LENGTH:TEXT" for a text (TEXT in UTF-8, LENGTH its
bytes, so that texts holding any character come through unchanged), or "#LENGTH:TEXT" for a
number, TEXT being the number as its number format shows it. Exit status 1, with the reason on
stderr, when xlrd warns about the file, or a cell is neither text nor a number in a format
known here ("0", "0.0", "0.00" …).
"""

import io
import re
import sys

import xlrd


def shown(book, cell):
    """The text a number cell shows, or None when its format is not one known here."""
    code = book.format_map[book.xf_list[cell.xf_index].format_key].format_str
    if code == "0":
        return "%.0f" % cell.value
    decimals = re.fullmatch(r"0\.(0+)", code)
    return "%.*f" % (len(decimals.group(1)), cell.value) if decimals else None


def main():
    path = sys.argv[1]
    with_cells = "--cells" in sys.argv[2:]
    log = io.StringIO()
    book = xlrd.open_workbook(path, logfile=log, on_demand=True, formatting_info=with_cells)
    out = sys.stdout.buffer
    for index in range(book.nsheets):
        sheet = book.sheet_by_index(index)
        out.write(("sheet %s %d %d\n" % (sheet.name, sheet.nrows, sheet.ncols)).encode())
        if with_cells:
            for r in range(sheet.nrows):
                row = b""
                for c in range(sheet.ncols):
                    cell = sheet.cell(r, c)
                    if cell.ctype == xlrd.XL_CELL_EMPTY:
                        row += b"-"
                    elif cell.ctype == xlrd.XL_CELL_TEXT:
                        text = cell.value.encode()
                        row += b"%d:%s" % (len(text), text)
                    elif cell.ctype == xlrd.XL_CELL_NUMBER and shown(book, cell) is not None:
                        text = shown(book, cell).encode()
                        row += b"#%d:%s" % (len(text), text)
                    else:
                        print("cell (%d, %d) of %s is neither text nor a number: %r"
                              % (r, c, sheet.name, cell), file=sys.stderr)
                        return 1
                out.write(row + b"\n")
        book.unload_sheet(index)
    if log.getvalue():
        print(log.getvalue(), file=sys.stderr, end="")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
