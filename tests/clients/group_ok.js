// driver: Group Property|&OK
// A group edit from JScript: a record whose icon file is missing goes in,
// OK keeps the name and drops the path, and the record comes back.
function check(condition, code, what) {
  if (!condition) {
    WScript.Echo("failed: " + what);
    WScript.Quit(code);
  }
}

var group = new ActiveXObject("Tollivor.CGroup");
check(group.ItemInfo === "", 1, "a fresh dialog has an empty result");
group.ItemInfo = "group|Tools|:C:\\no such folder\\tools.ico";
check(group.ItemInfo === "", 2, "writing leaves the result alone");
group.Show();
check(group.ItemInfo === "group|Tools|:", 3, "OK hands back the record, got '" + group.ItemInfo + "'");
group = null;

WScript.Quit(64);
