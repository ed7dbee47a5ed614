"""Reads a workbook with xlrd, a reader independent of ours, and prints what it holds.

Usage: /usr/bin/python3 read_xls.py FILE [--cells]

For every worksheet a line "sheet NAME ROWS COLUMNS"; with --cells, then one line per row: a
JSON array of the row's cells, a text or null for an empty cell. Exit status 1, with the
reason on stderr, when xlrd warns about the file or a cell is not text.
"""

import io
import json
import sys

import xlrd


def main():
    path = sys.argv[1]
    with_cells = "--cells" in sys.argv[2:]
    log = io.StringIO()
    book = xlrd.open_workbook(path, logfile=log, on_demand=True)
    out = sys.stdout
    for index in range(book.nsheets):
        sheet = book.sheet_by_index(index)
        out.write("sheet %s %d %d\n" % (sheet.name, sheet.nrows, sheet.ncols))
        if with_cells:
            for r in range(sheet.nrows):
                row = []
                for c in range(sheet.ncols):
                    cell = sheet.cell(r, c)
                    if cell.ctype == xlrd.XL_CELL_EMPTY:
                        row.append(None)
                    elif cell.ctype == xlrd.XL_CELL_TEXT:
                        row.append(cell.value)
                    else:
                        print("cell (%d, %d) of %s is not text: %r" % (r, c, sheet.name, cell),
                              file=sys.stderr)
                        return 1
                out.write(json.dumps(row, ensure_ascii=False, separators=(",", ":")) + "\n")
        book.unload_sheet(index)
    if log.getvalue():
        print(log.getvalue(), file=sys.stderr, end="")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
