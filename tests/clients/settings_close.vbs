' driver: Tollivar Property
' The settings dialog from VBScript: Show returns once the dialog is closed.
Option Explicit

Dim settings
Set settings = CreateObject("Tollivor.CSettingEx")
settings.Show
Set settings = Nothing

WScript.Quit 64
