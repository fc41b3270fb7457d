' driver: Item Property|&OK
' Late binding from VBScript: the object names its interface, the record
' goes in, OK takes it as it stands and the same record comes back. Exits
' 64 when all went so, else with the step that failed.
Option Explicit
Dim item, record
record = "C:\windows\notepad.exe|Editor"
Set item = CreateObject("Tollivor.CProperty")
If TypeName(item) <> "_CProperty" Then WScript.Quit 1
If item.ItemInfo <> "" Then WScript.Quit 2
item.ItemInfo = record
If item.ItemInfo <> "" Then WScript.Quit 3
item.Show
If item.ItemInfo <> record Then WScript.Echo "got '" & item.ItemInfo & "'" : WScript.Quit 4
WScript.Quit 64
