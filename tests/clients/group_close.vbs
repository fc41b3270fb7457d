' driver: Group Property
' A group edit from VBScript, ended by the window's close command: the
' dialog is unloaded and the result reads empty.
Option Explicit

Sub Check(condition, code, what)
  If Not condition Then
    WScript.Echo "failed: " & what
    WScript.Quit code
  End If
End Sub

Dim group
Set group = CreateObject("Tollivor.CGroup")
group.ItemInfo = "group|Tools|:"
Check group.ItemInfo = "", 1, "writing leaves the result alone"
group.Show
Check group.ItemInfo = "", 2, "a closed dialog has no result"
Set group = Nothing

WScript.Quit 64
