' driver: Item Property|&OK
' An item edit from VBScript: the record goes in, OK takes it as it stands,
' and the same record comes back.
Option Explicit

Sub Check(condition, code, what)
  If Not condition Then
    WScript.Echo "failed: " & what
    WScript.Quit code
  End If
End Sub

Dim item, record
record = "C:\windows\notepad.exe|Editor"
Set item = CreateObject("Tollivor.CProperty")
Check item.ItemInfo = "", 1, "a fresh dialog has an empty result"
item.ItemInfo = record
Check item.ItemInfo = "", 2, "writing leaves the result alone"
item.Show
Check item.ItemInfo = record, 3, "OK hands back the record, got '" & item.ItemInfo & "'"
Set item = Nothing

WScript.Quit 64
