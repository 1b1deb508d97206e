# Prints each sheet's name, A1 and header, then per row of the estimate sheet from row 7 the item
# number or description, the amount's formula and the value it computes, then one evidence row
# and the evidence's last two rows (the sources it was priced from).
import sys, openpyxl
f = openpyxl.load_workbook(sys.argv[1])
v = openpyxl.load_workbook(sys.argv[1], data_only=True)
for name in f.sheetnames:
    print(name, f[name]['A1'].value, f[name].oddHeader.center.text)
s, c = f['Estimate'], v['Estimate']
for row in range(7, s.max_row + 1):
    print(s.cell(row, 1).value or s.cell(row, 3).value, s.cell(row, 8).value, c.cell(row, 8).value)
e = f['Evidence']
print(e['A9'].value, e['G9'].value, e['I9'].value, e['S9'].value)
for row in range(e.max_row - 1, e.max_row + 1):
    print(e.cell(row, 1).value, e.cell(row, 2).value, e.cell(row, 3).value)
