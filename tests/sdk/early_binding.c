/* Early binding from plain C with nothing but the developer kit: the
   header, the identifiers file and a registered Tollivor.dll. Creates each
   class through its interface, and on the item class writes a record and
   reads the result, which stays empty until the dialog is shown. Exits 0
   when all went so, else with the step that failed. */
#include <windows.h>
#include <ole2.h>

#include "Tollivor_h.h"

static int useItem(void) {
  _CProperty* item = NULL;
  BSTR in = NULL, out = NULL;
  int result = 0;
  if (FAILED(CoCreateInstance(&CLSID_CProperty, NULL, CLSCTX_INPROC_SERVER, &IID__CProperty,
                              (void**)&item)))
    return 2;
  in = SysAllocString(L"C:\\Tools\\edit.exe|Editor");
  if (FAILED(item->lpVtbl->put_ItemInfo(item, in)) ||
      FAILED(item->lpVtbl->get_ItemInfo(item, &out)))
    result = 3;
  else if (SysStringLen(out) != 0)
    result = 4;
  item->lpVtbl->Release(item);
  SysFreeString(in);
  SysFreeString(out);
  return result;
}

static int createOthers(void) {
  _CGroup* group = NULL;
  _CSettingEx* settings = NULL;
  if (FAILED(CoCreateInstance(&CLSID_CGroup, NULL, CLSCTX_INPROC_SERVER, &IID__CGroup,
                              (void**)&group)))
    return 5;
  group->lpVtbl->Release(group);
  if (FAILED(CoCreateInstance(&CLSID_CSettingEx, NULL, CLSCTX_INPROC_SERVER, &IID__CSettingEx,
                              (void**)&settings)))
    return 6;
  settings->lpVtbl->Release(settings);
  return 0;
}

int main(void) {
  int result;
  if (FAILED(CoInitialize(NULL))) return 1;
  result = useItem();
  if (result == 0) result = createOthers();
  CoUninitialize();
  return result;
}
