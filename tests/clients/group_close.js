// driver: Group Property
// A group edit from JScript, ended by the window's close command.
function check(condition, code, what) {
  if (!condition) {
    WScript.Echo("failed: " + what);
    WScript.Quit(code);
  }
}

var group = new ActiveXObject("Tollivor.CGroup");
group.ItemInfo = "GROUP|Tools|:C:\\icons\\tools.ico";
check(group.ItemInfo === "", 1, "writing leaves the result alone");
group.Show();
check(group.ItemInfo === "", 2, "a closed dialog has no result");
group = null;

WScript.Quit(64);
