# The sheet names, print area, title rows, orientation, a column width, the merged cells and some
# cells as [address, value, type, number format], one JSON value a line.
import json, sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
ws = wb.worksheets[0]
cells = [[a, ws[a].value, ws[a].data_type, ws[a].number_format]
         for a in ("A15", "C15", "E15", "F15", "G15", "C16", "E16", "F16", "B6", "G13")]
for item in [wb.sheetnames, ws.print_area, ws.print_title_rows, ws.page_setup.orientation,
             ws.column_dimensions["C"].width, sorted(map(str, ws.merged_cells.ranges))] + cells:
    print(json.dumps(item))
