// driver: Group Property|&OK
// Late binding from JScript: a group record whose icon file is missing goes
// in; OK keeps the name, drops the path and hands the record back. Exits 64.
var group = new ActiveXObject("Tollivor.CGroup");
if (group.ItemInfo !== "") WScript.Quit(1);
group.ItemInfo = "GROUP|Tools|:C:\\no such folder\\tools.ico";
if (group.ItemInfo !== "") WScript.Quit(2);
group.Show();
if (group.ItemInfo !== "group|Tools|:") WScript.Quit(3);
WScript.Quit(64);
