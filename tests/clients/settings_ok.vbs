' driver: Tollivar Property|&OK
' The settings dialog from VBScript: Show reads the stored settings, OK
' writes all eleven back, and the script reads them from the registry as the
' host bar does. Every key is set first, so nothing is left from an earlier
' run; "Click" is no behaviour ("click" is), so OK writes the default.
Option Explicit
Const Key = "HKCU\Software\VB and VBA Program Settings\Quorin\Setting\"
Dim shell, settings, names, stored, i, value
names = Array("Behavior", "Speed", "ShowTip", "SmartSlide", "Direction", "Color_mouseEnter", _
              "Color_mouseExit", "BackgroundPicture", "Appearance", "Sound", "GroupSetting")
stored = Array("Click", "1000", "no", "yes", "top", "255", _
               "-2147483627", "C:\pictures\bar.bmp", "1", "", "1")
Set shell = CreateObject("WScript.Shell")
For i = 0 To UBound(names)
  shell.RegWrite Key & names(i), stored(i), "REG_SZ"
Next
stored(0) = "move"
Set settings = CreateObject("Tollivor.CSettingEx")
settings.Show
Set settings = Nothing
For i = 0 To UBound(names)
  value = Empty
  On Error Resume Next
  value = shell.RegRead(Key & names(i))
  On Error GoTo 0
  If value <> stored(i) Or IsEmpty(value) Then
    WScript.Echo names(i) & " = '" & value & "', not '" & stored(i) & "'"
    WScript.Quit 10 + i
  End If
Next
WScript.Quit 64
