' driver: Tollivar Property|&OK
' The settings dialog from VBScript: OK writes the stored settings back, where
' the host bar reads them; "Click" is no behaviour ("click" is). Exits 64.
Option Explicit
Const Key = "HKCU\Software\VB and VBA Program Settings\Quorin\Setting\"
Dim shell, names, stored, i
names = Array("Behavior", "Speed", "BackgroundPicture", "Color_mouseExit")
stored = Array("Click", "1000", "C:\pictures\bar.bmp", "-2147483627")
Set shell = CreateObject("WScript.Shell")
For i = 0 To UBound(names)
  shell.RegWrite Key & names(i), stored(i), "REG_SZ"
Next
stored(0) = "move"
CreateObject("Tollivor.CSettingEx").Show
For i = 0 To UBound(names)
  If shell.RegRead(Key & names(i)) <> stored(i) Then WScript.Quit 10 + i
Next
WScript.Quit 64
