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

Dim shell, settings, names, stored, expected, i, value
names = Array("Behavior", "Speed", "ShowTip", "SmartSlide", "Direction", "Color_mouseEnter", _
              "Color_mouseExit", "BackgroundPicture", "Appearance", "Sound", "GroupSetting")
' Every key is set, so nothing is left from an earlier run. Matching is
' exact: "Click" is not "click".
stored = Array("Click", "1000", "no", "yes", "top", "255", _
               "-2147483627", "C:\pictures\bar.bmp", "1", "", "1")
expected = Array("move", "1000", "no", "yes", "top", "255", _
                 "-2147483627", "C:\pictures\bar.bmp", "1", "", "1")

Set shell = CreateObject("WScript.Shell")
For i = 0 To UBound(names)
  shell.RegWrite Key & names(i), stored(i), "REG_SZ"
Next

Set settings = CreateObject("Tollivor.CSettingEx")
settings.Show
Set settings = Nothing

For i = 0 To UBound(names)
  value = Empty
  On Error Resume Next
  value = shell.RegRead(Key & names(i))
  On Error GoTo 0
  Check Not IsEmpty(value), 10 + i, names(i) & " is missing"
  Check value = expected(i), 30 + i, names(i) & " = '" & value & "', not '" & expected(i) & "'"
Next

WScript.Quit 64
