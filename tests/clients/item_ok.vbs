' driver: Item Property|&OK
' Late binding from VBScript: the object names its interface, the record
' goes in and comes back after OK. Exits 64, else with the failed step.
Option Explicit
Const record = "C:\windows\notepad.exe|Editor"
Dim item
Set item = CreateObject("Tollivor.CProperty")
If TypeName(item) <> "_CProperty" Then WScript.Quit 1
If item.ItemInfo <> "" Then WScript.Quit 2
item.ItemInfo = record
If item.ItemInfo <> "" Then WScript.Quit 3
item.Show
If item.ItemInfo <> record Then WScript.Quit 4
WScript.Quit 64
