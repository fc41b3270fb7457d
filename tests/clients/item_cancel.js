// driver: Item Property|&Cancel
// An item edit from JScript, cancelled: the result of a fresh dialog stays empty.
function check(condition, code, what) {
  if (!condition) {
    WScript.Echo("failed: " + what);
    WScript.Quit(code);
  }
}

var item = new ActiveXObject("Tollivor.CProperty");
check(item.ItemInfo === "", 1, "a fresh dialog has an empty result");
item.ItemInfo = "My Computer|Computer";
item.Show();
check(item.ItemInfo === "", 2, "Cancel keeps the empty result, got '" + item.ItemInfo + "'");
item = null;

WScript.Quit(64);
