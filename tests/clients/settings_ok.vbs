' driver: Tollivar Property|&OK
' The settings dialog from VBScript: Show reads the stored settings, OK
' writes all eleven back, and the script reads them from the registry as the
' host bar does.
Option Explicit

Const Key = "HKCU\Software\VB and VBA Program Settings\Quorin\Setting\"

Sub Check(condition, code, what)
  If Not condition Then
    WScript.Echo "failed: " & what
    WScript.Quit code
  End If
End Sub

Dim shell, settings, names, expected, i, value
Set shell = CreateObject("WScript.Shell")
On Error Resume Next
On Error Resume Next
shell.RegDelete Key  ' Wine's RegDelete fails here; the next run starts over anyway
On Error GoTo 0
On Error GoTo 0
shell.RegWrite Key & "Speed", "1000", "REG_SZ"
shell.RegWrite Key & "Direction", "top", "REG_SZ"
shell.RegWrite Key & "Color_mouseEnter", "255", "REG_SZ"
shell.RegWrite Key & "Behavior", "Click", "REG_SZ"

Set settings = CreateObject("Tollivor.CSettingEx")
settings.Show
Set settings = Nothing

names = Array("Behavior", "Speed", "ShowTip", "SmartSlide", "Direction", "Color_mouseEnter", _
              "Color_mouseExit", "BackgroundPicture", "Appearance", "Sound", "GroupSetting")
expected = Array("move", "1000", "yes", "no", "top", "255", "-2147483627", "", "0", "", "0")
For i = 0 To UBound(names)
  value = Empty
  On Error Resume Next
  value = shell.RegRead(Key & names(i))
  On Error GoTo 0
  Check Not IsEmpty(value), 10 + i, names(i) & " was not written"
  Check value = expected(i), 30 + i, names(i) & " = '" & value & "', not '" & expected(i) & "'"
Next
On Error Resume Next
shell.RegDelete Key  ' Wine's RegDelete fails here; the next run starts over anyway
On Error GoTo 0

WScript.Quit 64
