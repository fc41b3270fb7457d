' driver: Group Property|&OK
' A group edit from VBScript: a record with blanks around its name and an
' icon file goes in, OK takes it as it stands, and the record comes back
' with its prefix in lower case.
Option Explicit

Sub Check(condition, code, what)
  If Not condition Then
    WScript.Echo "failed: " & what
    WScript.Quit code
  End If
End Sub

Dim files, iconPath, group, record
Set files = CreateObject("Scripting.FileSystemObject")
iconPath = files.GetSpecialFolder(2) & "\tollivor-client-vbs.ico"
files.CreateTextFile(iconPath, True).Write "no picture, but an icon file by name"

record = "group| Tools |:" & iconPath
Set group = CreateObject("Tollivor.CGroup")
Check group.ItemInfo = "", 1, "a fresh dialog has an empty result"
group.ItemInfo = "GROUP| Tools |:" & iconPath
Check group.ItemInfo = "", 2, "writing leaves the result alone"
group.Show
Check group.ItemInfo = record, 3, "OK hands back the record, got '" & group.ItemInfo & "'"
Set group = Nothing
files.DeleteFile iconPath

WScript.Quit 64
