// driver: Tollivar Property
// The settings dialog from JScript: Show returns once the dialog is closed.
var settings = new ActiveXObject("Tollivor.CSettingEx");
settings.Show();
settings = null;

WScript.Quit(64);
