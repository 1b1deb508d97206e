# The sheet names, then every filled cell of row 2 and of rows 13 on, columns A to J, as
# "A15=1 (s)": s for text, n for a number.
import sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
ws = wb.worksheets[0]
print("\n".join(wb.sheetnames))
for row in [2] + list(range(13, ws.max_row + 1)):
    for col in "ABCDEFGHIJ":
        cell = ws[col + str(row)]
        if cell.value is not None:
            print("%s%d=%s (%s)" % (col, row, cell.value, cell.data_type))
